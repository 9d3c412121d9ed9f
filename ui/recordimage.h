// An image of any logical size (Width x Height, up to what an int holds) whose
// canvas records instead of holding a raster; it paints only what is exposed.
// Placed in a TPaintedScrollBox, its peer is a drawing area of the visible size,
// never a window of the image's size.
#pragma once

#include "ui/image.h"
#include "ui/recordcanvas.h"

namespace vx::ui {

class TRecordImage : public TImage {
public:
    TRecordImage();

    // The recording; its size follows the image's.
    TRecordCanvas& Canvas() override { return canvas_; }
    const TRecordCanvas& recording() const { return canvas_; }

    // Renders the exposed part 1:1 (Stretch, Proportional and Center do not apply).
    void paint(cairo_t* cr, const TRect& exposed) const override;

    // Its place minus the scroll positions of the box it sits in.
    TPoint viewOrigin() const override;

protected:
    // The peer's area may be larger than the image: only the image's own
    // pixels take the pointer.
    bool takesPointerAt(int x, int y) const override;
    void resized() override;
    // Scrolls the box by GTK's wheel step, pow(page, 2/3): the peer's area
    // is only the visible part, so GTK has nothing to scroll.
    bool scrollByWheel(int delta, bool horz) override;

private:
    TRecordCanvas canvas_;
};

} // namespace vx::ui
