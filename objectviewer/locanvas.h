// The view's drawing calls on a canvas of the widget layer (the viewer's
// recorded image, or a raster).
#pragma once

#include "objectviewer/lodraw.h"
#include "ui/canvas.h"

#include <functional>

namespace vx {

class TCanvasLoCanvas : public LoCanvas {
public:
    // pictureOf gives the icon of a class and type (nullptr: none).
    using PictureOf = std::function<const ui::TBitmap*(int cls, int type)>;
    TCanvasLoCanvas(ui::TCanvas& canvas, PictureOf pictureOf)
        : c_(canvas), pictureOf_(std::move(pictureOf)) {}

    void setPenColor(uint32_t c) override { c_.Pen().setColor(c); }
    void setBrushColor(uint32_t c) override { c_.Brush().setColor(c); }
    void fillRect(const TRect& r) override { c_.FillRect(r); }
    void polyline(const tmyrect& poly) override;
    void line(TPoint from, TPoint to) override;
    void pixel(TPoint p, uint32_t c) override { c_.setPixels(p.X, p.Y, c); }
    void ellipse(const TRect& box) override {
        c_.Ellipse(box.Left, box.Top, box.Right, box.Bottom);
    }
    void icon(int cls, int type, const TRect& dest) override;

private:
    ui::TCanvas& c_;
    PictureOf pictureOf_;
};

} // namespace vx
