#include "recordimage.h"

#include "scrollbox.h"

#include <algorithm>
#include <cairo.h>
#include <cmath>

namespace vx::ui {

TRecordImage::TRecordImage() {
    canvas_.OnChange = [this] { invalidate(); };
}

void TRecordImage::resized() {
    canvas_.setSize(Width(), Height());
}

bool TRecordImage::takesPointerAt(int x, int y) const {
    return x >= 0 && y >= 0 && x < Width() && y < Height();
}

TPoint TRecordImage::viewOrigin() const {
    TPoint o{Left(), Top()};
    if (auto* box = dynamic_cast<const TScrollBox*>(Parent())) {
        o.X -= box->HorzScrollBar().Position();
        o.Y -= box->VertScrollBar().Position();
    }
    return o;
}

bool TRecordImage::scrollByWheel(int delta, bool horz) {
    auto* box = dynamic_cast<TScrollBox*>(Parent());
    if (!box) return false;
    TControlScrollBar& bar = horz ? box->HorzScrollBar() : box->VertScrollBar();
    const int page = horz ? box->ClientWidth() : box->ClientHeight();
    const int step = std::max(1, int(std::lround(std::pow(double(page), 2.0 / 3.0))));
    bar.setPosition(bar.Position() + (delta > 0 ? -step : step));
    return true;
}

namespace {

// cr's target pixels when they can be written straight (an image surface
// drawn on without scaling); the window then stands at the exposed part.
bool directWindow(cairo_t* cr, const TRect& exposed, RasterWindow& w) {
    cairo_surface_t* s = cairo_get_target(cr);
    if (cairo_surface_get_type(s) != CAIRO_SURFACE_TYPE_IMAGE) return false;
    const cairo_format_t f = cairo_image_surface_get_format(s);
    if (f != CAIRO_FORMAT_RGB24 && f != CAIRO_FORMAT_ARGB32) return false;
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    double dx = 0, dy = 0;
    cairo_surface_get_device_offset(s, &dx, &dy);
    const double tx = m.x0 + dx, ty = m.y0 + dy;
    if (m.xx != 1 || m.yy != 1 || m.xy != 0 || m.yx != 0 || tx != std::floor(tx) ||
        ty != std::floor(ty))
        return false;
    // The exposed part within cr's clip and the surface, in control pixels.
    double cx0, cy0, cx1, cy1;
    cairo_clip_extents(cr, &cx0, &cy0, &cx1, &cy1);
    const int64_t ox = static_cast<int64_t>(tx), oy = static_cast<int64_t>(ty);
    const int64_t sw = cairo_image_surface_get_width(s), sh = cairo_image_surface_get_height(s);
    const int64_t x0 = std::max({int64_t(exposed.Left), int64_t(std::ceil(cx0)), -ox});
    const int64_t y0 = std::max({int64_t(exposed.Top), int64_t(std::ceil(cy0)), -oy});
    const int64_t x1 = std::min({int64_t(exposed.Right), int64_t(std::floor(cx1)), sw - ox});
    const int64_t y1 = std::min({int64_t(exposed.Bottom), int64_t(std::floor(cy1)), sh - oy});
    w = {};
    if (x0 >= x1 || y0 >= y1) return true;
    cairo_surface_flush(s);
    const size_t stride = size_t(cairo_image_surface_get_stride(s)) / 4;
    auto* data = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(s));
    w = {data + size_t(y0 + oy) * stride + size_t(x0 + ox),
         static_cast<int>(x1 - x0),
         static_cast<int>(y1 - y0),
         stride,
         x0,
         y0};
    return true;
}

} // namespace

void TRecordImage::paint(cairo_t* cr, const TRect& exposed) const {
    if (exposed.Right <= exposed.Left || exposed.Bottom <= exposed.Top) return;
    RasterWindow w;
    if (directWindow(cr, exposed, w)) {
        if (!w.pixels) return;
        canvas_.render(w);
        cairo_surface_mark_dirty(cairo_get_target(cr));
        return;
    }
    // Any other target: through a raster of the exposed size.
    const int64_t x0 = std::max(exposed.Left, 0), y0 = std::max(exposed.Top, 0);
    const int64_t x1 = std::min(exposed.Right, Width()), y1 = std::min(exposed.Bottom, Height());
    if (x0 >= x1 || y0 >= y1) return;
    TBitmap part;
    part.setSize(static_cast<int>(x1 - x0), static_cast<int>(y1 - y0));
    canvas_.render({reinterpret_cast<uint32_t*>(part.data()), part.Width(), part.Height(),
                    size_t(part.Width()), x0, y0});
    cairo_save(cr);
    cairo_set_source_surface(cr, part.surface(), double(x0), double(y0));
    cairo_rectangle(cr, double(x0), double(y0), double(x1 - x0), double(y1 - y0));
    cairo_fill(cr);
    cairo_restore(cr);
}

} // namespace vx::ui
