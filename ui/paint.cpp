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
    if (bmp.empty() || exposed.Right <= exposed.Left || exposed.Bottom <= exposed.Top) return;
    // Bilinear sampling reads two source pixels per axis, so a one-pixel line
    // can fall between samples once the picture shrinks below half; the half
    // size copy (2 x 2 means) keeps every line visible down to a quarter.
    const bool halve =
        where.scaleX < 0.5 && where.scaleY < 0.5 && bmp.Width() >= 2 && bmp.Height() >= 2;
    const TBitmap& src = halve ? bmp.halfSize() : bmp;
    cairo_save(cr);
    cairo_rectangle(cr, exposed.Left, exposed.Top, exposed.Right - exposed.Left,
                    exposed.Bottom - exposed.Top);
    cairo_clip(cr);
    cairo_translate(cr, where.offsetX, where.offsetY);
    cairo_scale(cr, where.scaleX * (halve ? 2 : 1), where.scaleY * (halve ? 2 : 1));
    cairo_rectangle(cr, 0, 0, src.Width(), src.Height());
    cairo_clip(cr);
    cairo_set_source_surface(cr, src.surface(), 0, 0);
    // Nearest pixel when enlarging keeps icons crisp; shrinking interpolates.
    // (cairo's GOOD filter costs some 50 ms for a shrunken 1345 x 888 view.)
    const bool shrinking = where.scaleX < 1 || where.scaleY < 1;
    cairo_pattern_set_filter(cairo_get_source(cr),
                             shrinking ? CAIRO_FILTER_BILINEAR : CAIRO_FILTER_NEAREST);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_paint(cr);
    cairo_restore(cr);
}

} // namespace vx::ui
