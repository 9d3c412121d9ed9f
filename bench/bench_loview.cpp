// The object view's goal: one redraw of 1024 objects on the recorded image
// plus the paint of the 1264 x 948 area the scroll box shows, against the same
// scene drawn with plain loops into a raster of the shown size.
#include "floors.h"
#include "lo_floor.h"

#include "objectviewer/locanvas.h"
#include "support/names.h"
#include "ui/ui.h"

#include <cairo.h>
#include <memory>
#include <random>

using namespace vx;

namespace {

constexpr int shownW = 1264, shownH = 948;

// 1024 objects spread over the spans a load gives (8000 x 10000 feet),
// mixed classes and rotations, some hidden, one selected.
const TLOtab& table() {
    static const std::unique_ptr<TLOtab> tab = [] {
        fillObjectNames();
        auto t = std::make_unique<TLOtab>();
        *t = TLOtab{};
        std::mt19937 rng(7);
        std::uniform_real_distribution<float> x(-4000, 4000), y(-5000, 5000), rot(0, 360);
        const int classes[] = {5, 6, 7, 8, 9, 19};
        for (int i = 0; i < loDrawMax; ++i) {
            LOobject& o = t->objs[i];
            // Most near the origin, as in a real site; the rest anywhere.
            const float near = i % 4 == 0 ? 1.0f : 0.1f;
            o.loid.at(1) = static_cast<uint8_t>(classes[i % 6]);
            o.loid.at(2) = static_cast<uint8_t>(i % 10);
            o.x = x(rng) * near;
            o.y = y(rng) * near;
            o.rota = rot(rng);
            o.hide = i % 9 == 0 ? 3 : 0;
        }
        t->head.count = loDrawMax;
        return t;
    }();
    return *tab;
}

LoDrawOptions options(int w, int h) {
    LoDrawOptions o;
    o.view.magPosition = 64;
    o.view.imgWidth = w;
    o.view.imgHeight = h;
    o.view.manRot = 270;
    o.selected = 100;
    return o;
}

void redrawAndPaint(benchmark::State& st, int w, int h) {
    ui::TRecordImage img;
    img.setBounds(0, 0, w, h);
    const LoDrawOptions o = options(w, h);
    LoScreenPositions pos;
    // The shown area around the landmark origin, as after "Center".
    const int left = w / 2 - shownW / 2, top = h / 2 - shownH / 2;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, shownW, shownH);
    for (auto _ : st) {
        TCanvasLoCanvas c(img.Canvas(), nullptr);
        drawLoView(c, o, table(), table(), pos);
        cairo_t* cr = cairo_create(s);
        cairo_translate(cr, -left, -top);
        img.paint(cr, {left, top, left + shownW, top + shownH});
        cairo_destroy(cr);
        benchmark::DoNotOptimize(cairo_image_surface_get_data(s));
    }
    st.counters["operations"] = double(img.recording().operationCount());
    cairo_surface_destroy(s);
}

// The same scene drawn by the plain floor (lo_floor.h) into a raster of the
// shown area.
void BM_LoViewRasterFloor(benchmark::State& st) {
    const LoDrawOptions o = options(8800, 11000);
    vxbench::LoFloorScene scene;
    scene.magPosition = o.view.magPosition;
    scene.imgWidth = 8800;
    scene.imgHeight = 11000;
    scene.viewAngle = viewAngle(lmRotOf(o.view), o.view.manRot);
    scene.left = 8800 / 2 - shownW / 2;
    scene.top = 11000 / 2 - shownH / 2;
    scene.width = shownW;
    scene.height = shownH;
    scene.objcorPosition = o.objcorPosition;
    vxbench::LoFloor floor(scene);
    for (auto _ : st) {
        floor.draw(table());
        benchmark::DoNotOptimize(floor.pixels());
    }
}

void BM_LoViewRedrawAndPaint(benchmark::State& st) {
    redrawAndPaint(st, 8800, 11000);
}

void BM_LoViewRedrawAndPaint30k(benchmark::State& st) {
    redrawAndPaint(st, 30000, 30000);
}

BENCHMARK(BM_LoViewRasterFloor)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();
BENCHMARK(BM_LoViewRedrawAndPaint)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();
BENCHMARK(BM_LoViewRedrawAndPaint30k)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();

} // namespace

int main(int argc, char** argv) {
    return vxbench::runWithGoals(argc, argv,
                                 {{"BM_LoViewRedrawAndPaint", "BM_LoViewRasterFloor", 1.5,
                                   "view redraw + paint, 8800 x 11000 / raster"},
                                  {"BM_LoViewRedrawAndPaint30k", "BM_LoViewRasterFloor", 1.5,
                                   "view redraw + paint, 30000 x 30000 / raster"}});
}
