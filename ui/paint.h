// Painting a picture scaled to its control, without any widget: the image's
// expose handler and the benchmarks call the same code.
#pragma once

#include "ui/types.h"

namespace vx::ui {

class TBitmap;

// Where the picture lands in the control: picture pixel p shows at
// offset + p * scale.
struct PicturePlacement {
    double offsetX = 0, offsetY = 0;
    double scaleX = 1, scaleY = 1;
};

// Stretch: fill the control; Proportional: keep the aspect (fit inside);
// Center: centre what is smaller than the control.
PicturePlacement placePicture(int picWidth, int picHeight, int ctlWidth, int ctlHeight,
                              bool stretch, bool proportional, bool center);

// Paints the part of the control inside `exposed` (control coordinates)
// onto cr, whose origin is the control's top-left corner. What the picture
// does not cover is left as it was.
void paintPicture(cairo_t* cr, const TBitmap& bmp, const PicturePlacement& where,
                  const TRect& exposed);

} // namespace vx::ui
