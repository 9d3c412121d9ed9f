// The widget layer's costly paths: copying the 4000 x 3000 map picture (against
// a plain memcpy), decoding a 4000 x 3000 JPEG, and painting one exposed
// 1345 x 888 part of the map at the zoom bar's smallest, middle and largest size.
#include "floors.h"
#include "jpeg_floor.h"
#include "jpeg_out.h"
#include "ui/bitmap.h"
#include "ui/paint.h"
#include "ui/picture.h"

#include <benchmark/benchmark.h>
#include <cairo.h>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace vx::ui;

namespace {

constexpr int mapW = 4000, mapH = 3000;

// Something like a map: smooth colour fields with fine detail on top.
void fillMap(TBitmap& bmp) {
    bmp.setSize(mapW, mapH);
    for (int y = 0; y < mapH; ++y) {
        uint32_t* row = bmp.scanLine(y);
        for (int x = 0; x < mapW; ++x) {
            const auto r = uint32_t(128 + 100 * std::sin(x / 300.0));
            const auto g = uint32_t(128 + 100 * std::cos(y / 200.0));
            const auto b = uint32_t((x * 7 + y * 13) & 0x3F);
            row[x] = 0xFF000000u | r << 16 | g << 8 | b;
        }
    }
}

const TBitmap& mapPicture() {
    static TBitmap bmp;
    if (bmp.empty()) fillMap(bmp);
    return bmp;
}

std::string encodeJpeg(const TBitmap& bmp) {
    return vx::demo::encodeJpeg(bmp.surface(), 85);
}

void BM_MemcpyMapFloor(benchmark::State& st) {
    const TBitmap& src = mapPicture();
    const size_t n = size_t(src.stride()) * size_t(src.Height());
    std::vector<uint8_t> dst(n, 1);
    for (auto _ : st) {
        std::memcpy(dst.data(), src.data(), n);
        benchmark::DoNotOptimize(dst.data());
    }
}
BENCHMARK(BM_MemcpyMapFloor)->Unit(benchmark::kMillisecond);

void BM_BitmapAssignMap(benchmark::State& st) {
    const TBitmap& src = mapPicture();
    TBitmap dst;
    dst.assign(src);
    for (auto _ : st) {
        dst.assign(src);
        benchmark::DoNotOptimize(dst.data());
    }
}
BENCHMARK(BM_BitmapAssignMap)->Unit(benchmark::kMillisecond);

void BM_JpegDecodeMap(benchmark::State& st) {
    static const std::string jpeg = encodeJpeg(mapPicture());
    TPicture pic;
    pic.LoadFromBytes("map.jpg", jpeg.data(), jpeg.size());
    for (auto _ : st) {
        pic.LoadFromBytes("map.jpg", jpeg.data(), jpeg.size());
        benchmark::DoNotOptimize(pic.Bitmap().data());
    }
    st.counters["jpeg_MB"] = double(jpeg.size()) / 1e6;
}
BENCHMARK(BM_JpegDecodeMap)->Unit(benchmark::kMillisecond);

// The decoder alone, into a buffer it reuses.
void BM_JpegFloorMap(benchmark::State& st) {
    static const std::string jpeg = encodeJpeg(mapPicture());
    std::vector<uint8_t> out(vxbench::decodedBytes(jpeg));
    int w = 0, h = 0;
    for (auto _ : st) {
        vxbench::decodeJpegInto(jpeg, out.data(), w, h);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_JpegFloorMap)->Unit(benchmark::kMillisecond);

// One expose of 1345 x 888 control pixels in the middle of the map shown at
// width `zoom` (the zoom bar's position), height zoom * 3 / 4.
void BM_PaintExposed(benchmark::State& st) {
    const int zoom = int(st.range(0));
    const int ctlW = zoom, ctlH = int(std::lround(zoom * 0.75));
    const int w = 1345, h = 888;
    const int x0 = (ctlW - w) / 2, y0 = std::max(0, (ctlH - h) / 2);
    const TBitmap& pic = mapPicture();
    const auto where = placePicture(pic.Width(), pic.Height(), ctlW, ctlH, true, true, true);
    cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    for (auto _ : st) {
        cairo_t* cr = cairo_create(out);
        cairo_translate(cr, -x0, -y0);
        paintPicture(cr, pic, where, {x0, y0, x0 + w, y0 + h});
        cairo_destroy(cr);
        cairo_surface_flush(out);
        benchmark::DoNotOptimize(cairo_image_surface_get_data(out));
    }
    cairo_surface_destroy(out);
}
BENCHMARK(BM_PaintExposed)->Arg(1345)->Arg(4000)->Arg(8000)->Unit(benchmark::kMillisecond);

// The half-size copy a shrunken view paints from, rebuilt after each change.
void BM_HalfSizeMap(benchmark::State& st) {
    TBitmap pic;
    pic.assign(mapPicture());
    for (auto _ : st) {
        pic.changed();
        benchmark::DoNotOptimize(pic.halfSize().data());
    }
}
BENCHMARK(BM_HalfSizeMap)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return vxbench::runWithGoals(
        argc, argv,
        {{"BM_BitmapAssignMap", "BM_MemcpyMapFloor", 1.2, "picture copy / 48 MB copy"},
         {"BM_JpegDecodeMap", "BM_JpegFloorMap", 1.3, "picture decode / libjpeg-turbo alone"},
         {"BM_PaintExposed/1345", "BM_MemcpyMapFloor", 1.0, "paint 1345 x 888 at 1345 / copy"},
         {"BM_PaintExposed/4000", "BM_MemcpyMapFloor", 1.0, "paint 1345 x 888 at 4000 / copy"},
         {"BM_PaintExposed/8000", "BM_MemcpyMapFloor", 1.0, "paint 1345 x 888 at 8000 / copy"},
         {"BM_HalfSizeMap", "BM_MemcpyMapFloor", 6.0, "whole half-size copy / copy"}});
}
