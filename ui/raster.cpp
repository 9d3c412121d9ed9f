#include "raster.h"

#include "bitmap.h"
#include "canvas.h"

#include <algorithm>
#include <cstdlib>

namespace vx::ui {

namespace {

// Clip of [lo, hi) to [0, limit).
void clip(int64_t& lo, int64_t& hi, int64_t limit) {
    lo = std::max<int64_t>(lo, 0);
    hi = std::min<int64_t>(hi, limit);
}

// Source pixel over destination, both premultiplied.
inline uint32_t over(uint32_t src, uint32_t dst) {
    const uint32_t a = src >> 24;
    if (a == 255) return src;
    const uint32_t k = 255 - a;
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const uint32_t s = (src >> shift) & 0xFF, d = (dst >> shift) & 0xFF;
        const uint32_t v = std::min<uint32_t>(255, s + (d * k + 127) / 255);
        out |= v << shift;
    }
    return out;
}

inline bool skipped(const TBitmap& src, uint32_t px) {
    if ((px >> 24) == 0) return true;
    return src.Transparent() && colorOf(px) == (src.TransparentColor() & 0xFFFFFF);
}

} // namespace

bool rasterFill(const RasterWindow& w, const TRect& r, TColor c) {
    int64_t x0 = r.Left - w.ox, x1 = r.Right - w.ox, y0 = r.Top - w.oy, y1 = r.Bottom - w.oy;
    clip(x0, x1, w.width);
    clip(y0, y1, w.height);
    if (x0 >= x1 || y0 >= y1) return false;
    const uint32_t px = pixelOf(c);
    for (int64_t y = y0; y < y1; ++y) {
        uint32_t* row = w.row(y);
        std::fill(row + x0, row + x1, px);
    }
    return true;
}

bool rasterPixel(const RasterWindow& w, int x, int y, TColor c) {
    const int64_t rx = x - w.ox, ry = y - w.oy;
    if (rx < 0 || ry < 0 || rx >= w.width || ry >= w.height) return false;
    w.row(ry)[rx] = pixelOf(c);
    return true;
}

bool rasterLine(const RasterWindow& w, TPoint a, TPoint b, TColor c, int width) {
    const int64_t dx = int64_t(b.X) - a.X, dy = int64_t(b.Y) - a.Y;
    const int64_t adx = std::llabs(dx), ady = std::llabs(dy);
    const int64_t n = std::max(adx, ady); // pixels drawn: the end point is not
    if (n == 0) return false;
    const bool xMajor = adx >= ady;
    const int64_t sMaj = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int64_t sMin = (xMajor ? dy : dx) < 0 ? -1 : 1;
    // Start in window coordinates; the steps are relative, so the pixels are
    // those of the whole line, only shifted.
    const int64_t ax = a.X - w.ox, ay = a.Y - w.oy;
    const int64_t major0 = xMajor ? ax : ay, minor0 = xMajor ? ay : ax;
    const int64_t dMaj = xMajor ? adx : ady, dMin = xMajor ? ady : adx;
    const int64_t limit = xMajor ? w.width : w.height;
    const int64_t grow = width; // a wide pen reaches this far beyond the centre line
    // Steps i whose major coordinate major0 + sMaj * i lies in [-grow, limit + grow).
    int64_t iLo = 0, iHi = n;
    if (sMaj > 0) {
        iLo = std::max(iLo, -grow - major0);
        iHi = std::min(iHi, limit + grow - major0);
    } else {
        iLo = std::max(iLo, major0 - limit - grow + 1);
        iHi = std::min(iHi, major0 + grow + 1);
    }
    const uint32_t px = pixelOf(c);
    const int64_t W = w.width, H = w.height;
    const int64_t half = (width - 1) / 2;
    bool any = false;
    for (int64_t i = iLo; i < iHi; ++i) {
        const int64_t mj = major0 + sMaj * i;
        // round(i * dMin / dMaj), halves away from the start; 64 bits unsigned
        // hold i * dMin for any two 32-bit end points.
        const uint64_t prod = uint64_t(i) * uint64_t(dMin);
        const uint64_t q = prod / uint64_t(dMaj), r = prod % uint64_t(dMaj);
        const int64_t step = int64_t(q + (2 * r >= uint64_t(dMaj) ? 1 : 0));
        const int64_t mn = minor0 + sMin * step;
        const int64_t x = xMajor ? mj : mn, y = xMajor ? mn : mj;
        if (width == 1) {
            if (x < 0 || y < 0 || x >= W || y >= H) continue;
            w.row(y)[x] = px;
            any = true;
        } else {
            int64_t x0 = x - half, x1 = x0 + width, y0 = y - half, y1 = y0 + width;
            clip(x0, x1, W);
            clip(y0, y1, H);
            for (int64_t yy = y0; yy < y1; ++yy) {
                uint32_t* row = w.row(yy);
                std::fill(row + x0, row + std::max(x0, x1), px);
                any = any || x0 < x1;
            }
        }
    }
    return any;
}

bool rasterEllipse(const RasterWindow& w, const TRect& box, bool fillIt, TColor fillColor,
                   bool outline, TColor lineColor) {
    if (!fillIt && !outline) return false;
    const int64_t y0 = std::max<int64_t>(box.Top, w.oy);
    const int64_t y1 = std::min<int64_t>(box.Bottom, w.oy + w.height);
    const uint32_t fpx = pixelOf(fillColor), lpx = pixelOf(lineColor);
    bool any = false;
    auto put = [&](uint32_t* row, int from, int to, uint32_t px) {
        int64_t f = from - w.ox, t = to - w.ox;
        clip(f, t, w.width);
        if (f < t) {
            std::fill(row + f, row + t, px);
            any = true;
        }
    };
    for (int64_t y64 = y0; y64 < y1; ++y64) {
        const int y = static_cast<int>(y64);
        int f, t;
        if (!ellipseSpan(box, y, f, t)) continue;
        uint32_t* row = w.row(y64 - w.oy);
        if (fillIt) put(row, f, t, fpx);
        if (!outline) continue;
        // Outline: the pixels of the span with a 4-neighbour outside the shape.
        int inLo = f + 1, inHi = t - 1;
        int fa, ta, fb, tb;
        if (ellipseSpan(box, y - 1, fa, ta) && ellipseSpan(box, y + 1, fb, tb)) {
            inLo = std::max({inLo, fa, fb});
            inHi = std::min({inHi, ta, tb});
        } else {
            inHi = inLo; // top or bottom row: all outline
        }
        if (inLo >= inHi) {
            put(row, f, t, lpx);
        } else {
            put(row, f, inLo, lpx);
            put(row, inHi, t, lpx);
        }
    }
    return any;
}

bool rasterPicture(const RasterWindow& w, int64_t left, int64_t top, int64_t right, int64_t bottom,
                   const TBitmap& src) {
    const int64_t dw = right - left, dh = bottom - top;
    if (src.empty() || dw <= 0 || dh <= 0) return false;
    left -= w.ox;
    right -= w.ox;
    top -= w.oy;
    bottom -= w.oy;
    int64_t x0 = left, x1 = right, y0 = top, y1 = bottom;
    clip(x0, x1, w.width);
    clip(y0, y1, w.height);
    if (x0 >= x1 || y0 >= y1) return false;
    const int64_t sw = src.Width(), sh = src.Height();
    for (int64_t y = y0; y < y1; ++y) {
        const int64_t sy = (y - top) * sh / dh;
        const uint32_t* srow = src.scanLine(static_cast<int>(sy));
        uint32_t* drow = w.row(y);
        for (int64_t x = x0; x < x1; ++x) {
            const uint32_t px = srow[(x - left) * sw / dw];
            if (!skipped(src, px)) drow[x] = over(px, drow[x]);
        }
    }
    return true;
}

} // namespace vx::ui
