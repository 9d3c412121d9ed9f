#include "recordcanvas.h"

#include <algorithm>

namespace vx::ui {

void TRecordCanvas::setSize(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    ops_.clear();
    pictures_.clear();
    tileValid_ = false;
    if (OnChange) OnChange();
}

TRecordCanvas::Op TRecordCanvas::opOver(Kind kind, int64_t left, int64_t top, int64_t right,
                                        int64_t bottom) {
    Op op{};
    op.kind = kind;
    op.left = left;
    op.top = top;
    op.right = right;
    op.bottom = bottom;
    return op;
}

void TRecordCanvas::add(Op op) {
    if (op.right <= 0 || op.bottom <= 0 || op.left >= width_ || op.top >= height_) return;
    if (op.kind == Kind::Fill && op.left <= 0 && op.top <= 0 && op.right >= width_ &&
        op.bottom >= height_) {
        ops_.clear();
        pictures_.clear();
    }
    ops_.push_back(std::move(op));
    tileValid_ = false;
    if (OnChange) OnChange();
}

void TRecordCanvas::fill(const TRect& r, TColor c) {
    if (r.Right <= r.Left || r.Bottom <= r.Top) return;
    Op op = opOver(Kind::Fill, r.Left, r.Top, r.Right, r.Bottom);
    op.color = c;
    op.box = r;
    add(std::move(op));
}

void TRecordCanvas::line(TPoint a, TPoint b, TColor c, int width) {
    if (a.X == b.X && a.Y == b.Y) return;
    Op op =
        opOver(Kind::Line, int64_t(std::min(a.X, b.X)) - width, int64_t(std::min(a.Y, b.Y)) - width,
               int64_t(std::max(a.X, b.X)) + width + 1, int64_t(std::max(a.Y, b.Y)) + width + 1);
    op.color = c;
    op.width = width;
    op.a = a;
    op.b = b;
    add(std::move(op));
}

void TRecordCanvas::ellipse(const TRect& box, bool fillIt, TColor fillColor, bool outline,
                            TColor lineColor) {
    if ((!fillIt && !outline) || box.Right <= box.Left || box.Bottom <= box.Top) return;
    Op op = opOver(Kind::Ellipse, box.Left, box.Top, box.Right, box.Bottom);
    op.fill = fillIt;
    op.outline = outline;
    op.color = fillColor;
    op.color2 = lineColor;
    op.box = box;
    add(std::move(op));
}

void TRecordCanvas::setPixels(int x, int y, TColor c) {
    Op op = opOver(Kind::Pixel, x, y, int64_t(x) + 1, int64_t(y) + 1);
    op.color = c;
    op.a = {x, y};
    add(std::move(op));
}

std::shared_ptr<const TBitmap> TRecordCanvas::snapshot(const TBitmap& src) {
    auto& slot = pictures_[{&src, src.version()}];
    if (!slot) {
        auto copy = std::make_shared<TBitmap>();
        copy->assign(src);
        slot = std::move(copy);
    }
    return slot;
}

void TRecordCanvas::drawPicture(int64_t left, int64_t top, int64_t right, int64_t bottom,
                                const TBitmap& src) {
    if (src.empty() || right <= left || bottom <= top) return;
    if (right <= 0 || bottom <= 0 || left >= width_ || top >= height_) return;
    Op op = opOver(Kind::Picture, left, top, right, bottom);
    op.image = snapshot(src);
    add(std::move(op));
}

// dest's edges in 64 bits: x + width may pass the int range.
void TRecordCanvas::Draw(int x, int y, const TBitmap& src) {
    drawPicture(x, y, int64_t(x) + src.Width(), int64_t(y) + src.Height(), src);
}

void TRecordCanvas::StretchDraw(const TRect& dest, const TBitmap& src) {
    drawPicture(dest.Left, dest.Top, dest.Right, dest.Bottom, src);
}

void TRecordCanvas::replay(const Op& op, const RasterWindow& w) const {
    switch (op.kind) {
    case Kind::Fill:
        rasterFill(w, op.box, op.color);
        break;
    case Kind::Line:
        rasterLine(w, op.a, op.b, op.color, op.width);
        break;
    case Kind::Ellipse:
        rasterEllipse(w, op.box, op.fill, op.color, op.outline, op.color2);
        break;
    case Kind::Pixel:
        rasterPixel(w, op.a.X, op.a.Y, op.color);
        break;
    case Kind::Picture:
        rasterPicture(w, op.left, op.top, op.right, op.bottom, *op.image);
        break;
    }
}

void TRecordCanvas::render(const RasterWindow& w) const {
    // The part of the window on the surface: drawing stops at its edges.
    const int64_t x0 = std::max<int64_t>(w.ox, 0), y0 = std::max<int64_t>(w.oy, 0);
    const int64_t x1 = std::min<int64_t>(w.ox + w.width, width_);
    const int64_t y1 = std::min<int64_t>(w.oy + w.height, height_);
    if (x0 >= x1 || y0 >= y1) return;
    RasterWindow part = w;
    part.pixels = w.row(y0 - w.oy) + (x0 - w.ox);
    part.width = static_cast<int>(x1 - x0);
    part.height = static_cast<int>(y1 - y0);
    part.ox = x0;
    part.oy = y0;
    // Start at the last fill that covers the part; before it nothing shows.
    size_t first = ops_.size();
    while (first > 0) {
        const Op& op = ops_[first - 1];
        if (op.kind == Kind::Fill && op.left <= x0 && op.top <= y0 && op.right >= x1 &&
            op.bottom >= y1)
            break;
        --first;
    }
    if (first == 0) {
        rasterFill(part,
                   {static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1),
                    static_cast<int>(y1)},
                   clWhite);
    } else {
        --first;
    }
    for (size_t i = first; i < ops_.size(); ++i) {
        const Op& op = ops_[i];
        if (op.right <= x0 || op.bottom <= y0 || op.left >= x1 || op.top >= y1) continue;
        replay(op, part);
    }
}

TColor TRecordCanvas::Pixels(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return clInvalid;
    const int tx = x - x % tile, ty = y - y % tile;
    if (!tileValid_ || tx != tileX_ || ty != tileY_) {
        tilePixels_.assign(size_t(tile) * tile, 0);
        render({tilePixels_.data(), tile, tile, size_t(tile), tx, ty});
        tileX_ = tx;
        tileY_ = ty;
        tileValid_ = true;
    }
    return colorOf(tilePixels_[size_t(y - ty) * tile + size_t(x - tx)]);
}

} // namespace vx::ui
