#include "canvas.h"

#include "bitmap.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace vx::ui {

// --- TCanvas: pen, brush and the classic operations ---

void TCanvas::LineTo(int x, int y) {
    if (pen_.Style() != psClear) line(penPos_, {x, y}, pen_.Color(), pen_.Width());
    penPos_ = {x, y};
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
    if (pen_.Style() == psClear) return;
    for (size_t i = 1; i < points.size(); ++i)
        line(points[i - 1], points[i], pen_.Color(), pen_.Width());
}

void TCanvas::FrameRect(const TRect& r) {
    if (r.Right <= r.Left || r.Bottom <= r.Top) return;
    const TColor c = brush_.Color();
    fill({r.Left, r.Top, r.Right, r.Top + 1}, c);
    fill({r.Left, r.Bottom - 1, r.Right, r.Bottom}, c);
    fill({r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1}, c);
    fill({r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1}, c);
}

namespace {

// A rectangle from 64-bit edges. Edges beyond +-2^30 move to +-2^30, past the
// edge of any raster, so the part that shows stays the same.
TRect rectOf(int64_t left, int64_t top, int64_t right, int64_t bottom) {
    auto c = [](int64_t v) {
        constexpr int64_t limit = int64_t(1) << 30;
        return static_cast<int>(std::clamp<int64_t>(v, -limit, limit));
    };
    return {c(left), c(top), c(right), c(bottom)};
}

} // namespace

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    const int64_t l = std::min(x1, x2), t = std::min(y1, y2), r = std::max(x1, x2),
                  b = std::max(y1, y2);
    const bool framed = pen_.Style() != psClear;
    const int64_t w =
        framed ? std::min<int64_t>(pen_.Width(), std::max<int64_t>(1, (r - l + 1) / 2)) : 0;
    if (brush_.Style() != bsClear) fill(rectOf(l + w, t + w, r - w, b - w), brush_.Color());
    if (!framed || r <= l || b <= t) return;
    const TColor c = pen_.Color();
    fill(rectOf(l, t, r, t + w), c);
    fill(rectOf(l, b - w, r, b), c);
    fill(rectOf(l, t + w, l + w, b - w), c);
    fill(rectOf(r - w, t + w, r, b - w), c);
}

void TCanvas::FillRect(const TRect& r) {
    if (brush_.Style() != bsClear) fill(r, brush_.Color());
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    TRect box{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
    ellipse(box, brush_.Style() != bsClear, brush_.Color(), pen_.Style() != psClear, pen_.Color());
}

bool ellipseSpan(const TRect& box, int y, int& from, int& to) {
    const double w = double(box.Right) - box.Left, h = double(box.Bottom) - box.Top;
    if (w <= 0 || h <= 0 || y < box.Top || y >= box.Bottom) return false;
    const double a = w / 2, b = h / 2;
    const double cx = box.Left + a, cy = box.Top + b;
    const double v = (y + 0.5 - cy) / b;
    const double t = 1 - v * v;
    if (t < 0) return false;
    // Pixel x is inside when its centre is: |x + 0.5 - cx| <= dx.
    const double dx = a * std::sqrt(t) + 1e-9;
    from = static_cast<int>(std::ceil(cx - dx - 0.5));
    to = static_cast<int>(std::floor(cx + dx - 0.5)) + 1;
    return from < to;
}

// --- TBitmapCanvas: the primitives on a raster ---

namespace {

// Clip of [lo, hi) to [0, limit).
void clip(int64_t& lo, int64_t& hi, int limit) {
    lo = std::max<int64_t>(lo, 0);
    hi = std::min<int64_t>(hi, limit);
}

} // namespace

int TBitmapCanvas::Width() const {
    return bmp_.Width();
}
int TBitmapCanvas::Height() const {
    return bmp_.Height();
}

TColor TBitmapCanvas::Pixels(int x, int y) const {
    if (x < 0 || y < 0 || x >= bmp_.Width() || y >= bmp_.Height()) return clInvalid;
    return colorOf(bmp_.scanLine(y)[x]);
}

void TBitmapCanvas::setPixels(int x, int y, TColor c) {
    if (x < 0 || y < 0 || x >= bmp_.Width() || y >= bmp_.Height()) return;
    bmp_.scanLine(y)[x] = pixelOf(c);
    bmp_.changed({x, y, x + 1, y + 1});
}

void TBitmapCanvas::fill(const TRect& r, TColor c) {
    int64_t x0 = r.Left, x1 = r.Right, y0 = r.Top, y1 = r.Bottom;
    clip(x0, x1, bmp_.Width());
    clip(y0, y1, bmp_.Height());
    if (x0 >= x1 || y0 >= y1) return;
    const uint32_t px = pixelOf(c);
    for (int64_t y = y0; y < y1; ++y) {
        uint32_t* row = bmp_.scanLine(static_cast<int>(y));
        std::fill(row + x0, row + x1, px);
    }
    bmp_.changed(rectOf(x0, y0, x1, y1));
}

void TBitmapCanvas::line(TPoint a, TPoint b, TColor c, int width) {
    const int64_t dx = int64_t(b.X) - a.X, dy = int64_t(b.Y) - a.Y;
    const int64_t adx = std::llabs(dx), ady = std::llabs(dy);
    const int64_t n = std::max(adx, ady); // pixels drawn: the end point is not
    if (n == 0) return;
    const bool xMajor = adx >= ady;
    const int64_t sMaj = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int64_t sMin = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const int64_t major0 = xMajor ? a.X : a.Y, minor0 = xMajor ? a.Y : a.X;
    const int64_t dMaj = xMajor ? adx : ady, dMin = xMajor ? ady : adx;
    const int limit = xMajor ? bmp_.Width() : bmp_.Height();
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
    const int W = bmp_.Width(), H = bmp_.Height();
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
            bmp_.scanLine(static_cast<int>(y))[x] = px;
            any = true;
        } else {
            int64_t x0 = x - half, x1 = x0 + width, y0 = y - half, y1 = y0 + width;
            clip(x0, x1, W);
            clip(y0, y1, H);
            for (int64_t yy = y0; yy < y1; ++yy) {
                uint32_t* row = bmp_.scanLine(static_cast<int>(yy));
                std::fill(row + x0, row + std::max(x0, x1), px);
                any = any || x0 < x1;
            }
        }
    }
    if (any)
        bmp_.changed(rectOf(std::min(a.X, b.X) - grow, std::min(a.Y, b.Y) - grow,
                            int64_t(std::max(a.X, b.X)) + grow + 1,
                            int64_t(std::max(a.Y, b.Y)) + grow + 1));
}

void TBitmapCanvas::ellipse(const TRect& box, bool fillIt, TColor fillColor, bool outline,
                            TColor lineColor) {
    if (!fillIt && !outline) return;
    const int y0 = std::max(box.Top, 0), y1 = std::min(box.Bottom, bmp_.Height());
    const int W = bmp_.Width();
    const uint32_t fpx = pixelOf(fillColor), lpx = pixelOf(lineColor);
    bool any = false;
    auto put = [&](uint32_t* row, int from, int to, uint32_t px) {
        from = std::max(from, 0);
        to = std::min(to, W);
        if (from < to) {
            std::fill(row + from, row + to, px);
            any = true;
        }
    };
    for (int y = y0; y < y1; ++y) {
        int f, t;
        if (!ellipseSpan(box, y, f, t)) continue;
        uint32_t* row = bmp_.scanLine(y);
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
    if (any) bmp_.changed({box.Left, y0, box.Right, y1});
}

namespace {

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

// dest's edges in 64 bits: x + width may pass the int range.
void TBitmapCanvas::Draw(int x, int y, const TBitmap& src) {
    drawScaled(x, y, int64_t(x) + src.Width(), int64_t(y) + src.Height(), src);
}

void TBitmapCanvas::StretchDraw(const TRect& dest, const TBitmap& src) {
    drawScaled(dest.Left, dest.Top, dest.Right, dest.Bottom, src);
}

void TBitmapCanvas::drawScaled(int64_t left, int64_t top, int64_t right, int64_t bottom,
                               const TBitmap& src) {
    const int64_t dw = right - left, dh = bottom - top;
    if (src.empty() || dw <= 0 || dh <= 0 || &src == &bmp_) return;
    int64_t x0 = left, x1 = right, y0 = top, y1 = bottom;
    clip(x0, x1, bmp_.Width());
    clip(y0, y1, bmp_.Height());
    if (x0 >= x1 || y0 >= y1) return;
    const int64_t sw = src.Width(), sh = src.Height();
    for (int64_t y = y0; y < y1; ++y) {
        const int64_t sy = (y - top) * sh / dh;
        const uint32_t* srow = src.scanLine(static_cast<int>(sy));
        uint32_t* drow = bmp_.scanLine(static_cast<int>(y));
        for (int64_t x = x0; x < x1; ++x) {
            const uint32_t px = srow[(x - left) * sw / dw];
            if (!skipped(src, px)) drow[x] = over(px, drow[x]);
        }
    }
    bmp_.changed(rectOf(x0, y0, x1, y1));
}

} // namespace vx::ui
