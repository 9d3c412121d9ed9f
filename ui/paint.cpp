#include "paint.h"

#include "bitmap.h"

#include <algorithm>
#include <cairo.h>
#include <cmath>

namespace vx::ui {

PicturePlacement placePicture(int picWidth, int picHeight, int ctlWidth, int ctlHeight,
                              bool stretch, bool proportional, bool center) {
    PicturePlacement p;
    if (picWidth <= 0 || picHeight <= 0) return p;
    double w = picWidth, h = picHeight;
    if (stretch) {
        p.scaleX = double(ctlWidth) / picWidth;
        p.scaleY = double(ctlHeight) / picHeight;
        if (proportional) p.scaleX = p.scaleY = std::min(p.scaleX, p.scaleY);
        w = picWidth * p.scaleX;
        h = picHeight * p.scaleY;
    }
    if (center) {
        p.offsetX = std::floor((ctlWidth - w) / 2);
        p.offsetY = std::floor((ctlHeight - h) / 2);
    }
    return p;
}

void paintPicture(cairo_t* cr, const TBitmap& bmp, const PicturePlacement& where,
                  const TRect& exposed) {
    cairo_surface_t* src = bmp.surface();
    if (!src || exposed.Right <= exposed.Left || exposed.Bottom <= exposed.Top) return;
    cairo_save(cr);
    cairo_rectangle(cr, exposed.Left, exposed.Top, exposed.Right - exposed.Left,
                    exposed.Bottom - exposed.Top);
    cairo_clip(cr);
    cairo_translate(cr, where.offsetX, where.offsetY);
    cairo_scale(cr, where.scaleX, where.scaleY);
    cairo_rectangle(cr, 0, 0, bmp.Width(), bmp.Height());
    cairo_clip(cr);
    cairo_set_source_surface(cr, src, 0, 0);
    // Nearest pixel when enlarging keeps icons crisp and is the fast path;
    // shrinking averages so one-pixel lines do not vanish.
    const bool shrinking = where.scaleX < 1 || where.scaleY < 1;
    cairo_pattern_set_filter(cairo_get_source(cr),
                             shrinking ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_paint(cr);
    cairo_restore(cr);
}

} // namespace vx::ui
