#include "image.h"

#include "application.h"
#include "menus.h"
#include "paint.h"

namespace vx::ui {

TImage::TImage() {
    picture_.Bitmap().OnChange = [this] { invalidate(); };
}

void TImage::setStretch(bool on) {
    stretch_ = on;
    invalidate();
}

void TImage::setProportional(bool on) {
    proportional_ = on;
    invalidate();
}

void TImage::setCenter(bool on) {
    center_ = on;
    invalidate();
}

void TImage::resized() {
    invalidate();
}

bool TImage::scrollByWheel(int, bool) {
    return false;
}

void TImage::paint(cairo_t* cr, const TRect& exposed) const {
    const TBitmap& bmp = picture_.Bitmap();
    paintPicture(cr, bmp,
                 placePicture(bmp.Width(), bmp.Height(), Width(), Height(), stretch_, proportional_,
                              center_),
                 exposed);
}

void TImage::userMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (!canAct() || !takesPointerAt(x, y)) return;
    Application().dispatch([&] {
        if (OnMouseDown) OnMouseDown(button, shift, x, y);
    });
    if (button == mbRight)
        if (TPopupMenu* menu = effectivePopupMenu()) menu->popup(this);
}

void TImage::userMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (!canAct() || !takesPointerAt(x, y)) return;
    Application().dispatch([&] {
        if (OnMouseUp) OnMouseUp(button, shift, x, y);
    });
}

void TImage::userMouseMove(TShiftState shift, int x, int y) {
    if (!canAct() || !takesPointerAt(x, y)) return;
    Application().dispatch([&] {
        if (OnMouseMove) OnMouseMove(shift, x, y);
    });
}

void TImage::userClick() {
    if (canAct()) Application().dispatch(OnClick);
}

void TImage::userDblClick() {
    if (canAct()) Application().dispatch(OnDblClick);
}

bool TImage::userWheel(int delta, int x, int y, TShiftState shift) {
    if (!canAct() || !takesPointerAt(x, y)) return false;
    bool handled = false;
    Application().dispatch([&] {
        if (OnMouseWheel) OnMouseWheel(shift, delta, vx::TPoint{x, y}, handled);
    });
    return handled;
}

} // namespace vx::ui
