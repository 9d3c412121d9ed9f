#include "canvas.h"

#include "bitmap.h"
#include "raster.h"

#include <algorithm>
#include <climits>
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

// A rectangle from 64-bit edges, cut to the int range: no surface reaches
// past it, so the part that shows stays the same.
TRect rectOf(int64_t left, int64_t top, int64_t right, int64_t bottom) {
    auto c = [](int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); };
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

// --- TBitmapCanvas: the primitives on the bitmap's raster ---

RasterWindow TBitmapCanvas::window() const {
    return {reinterpret_cast<uint32_t*>(bmp_.data()),
            bmp_.Width(),
            bmp_.Height(),
            size_t(bmp_.Width()),
            0,
            0};
}

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
    if (rasterPixel(window(), x, y, c)) bmp_.changed({x, y, x + 1, y + 1});
}

void TBitmapCanvas::fill(const TRect& r, TColor c) {
    if (rasterFill(window(), r, c)) bmp_.changed(r);
}

// The touched area: the end points' box grown by the pen's width.
void TBitmapCanvas::line(TPoint a, TPoint b, TColor c, int width) {
    if (rasterLine(window(), a, b, c, width)) {
        const int64_t grow = width;
        bmp_.changed(rectOf(std::min(a.X, b.X) - grow, std::min(a.Y, b.Y) - grow,
                            int64_t(std::max(a.X, b.X)) + grow + 1,
                            int64_t(std::max(a.Y, b.Y)) + grow + 1));
    }
}

void TBitmapCanvas::ellipse(const TRect& box, bool fillIt, TColor fillColor, bool outline,
                            TColor lineColor) {
    if (rasterEllipse(window(), box, fillIt, fillColor, outline, lineColor)) bmp_.changed(box);
}

// dest's edges in 64 bits: x + width may pass the int range.
void TBitmapCanvas::Draw(int x, int y, const TBitmap& src) {
    drawScaled(x, y, int64_t(x) + src.Width(), int64_t(y) + src.Height(), src);
}

void TBitmapCanvas::StretchDraw(const TRect& dest, const TBitmap& src) {
    drawScaled(dest.Left, dest.Top, dest.Right, dest.Bottom, src);
}

void TBitmapCanvas::drawScaled(int64_t left, int64_t top, int64_t right, int64_t bottom,
                               const TBitmap& src) {
    if (&src == &bmp_) return;
    if (rasterPicture(window(), left, top, right, bottom, src))
        bmp_.changed(rectOf(left, top, right, bottom));
}

} // namespace vx::ui
