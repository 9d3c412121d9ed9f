#include "trackbar.h"

#include "application.h"

#include <algorithm>

namespace vx::ui {

void TTrackBar::setMin(int v) {
    min_ = v;
    max_ = std::max(max_, min_);
    if (widget_) peerRange();
    setPosition(position_);
}

void TTrackBar::setMax(int v) {
    max_ = v;
    min_ = std::min(min_, max_);
    if (widget_) peerRange();
    setPosition(position_);
}

void TTrackBar::setPosition(int p) {
    p = std::clamp(p, min_, max_);
    if (p == position_) return;
    position_ = p;
    if (widget_) peerPosition();
    if (OnChange) OnChange();
}

void TTrackBar::setFrequency(int f) {
    frequency_ = f;
    if (widget_) peerRange();
}

void TTrackBar::setOrientation(TTrackBarOrientation o) {
    orientation_ = o;
}

void TTrackBar::setReversed(bool on) {
    reversed_ = on;
    if (widget_) peerRange();
}

void TTrackBar::userSetPosition(int p) {
    if (!canAct()) return;
    p = std::clamp(p, min_, max_);
    if (p == position_) return;
    position_ = p;
    if (widget_) peerPosition();
    Application().dispatch(OnChange);
}

void TTrackBar::click() {
    if (canAct()) Application().dispatch(OnClick);
}

bool TTrackBar::userWheel(int delta, int x, int y, TShiftState shift) {
    if (!canAct()) return false;
    bool handled = false;
    Application().dispatch([&] {
        if (OnMouseWheel) OnMouseWheel(shift, delta, vx::TPoint{x, y}, handled);
        if (handled || delta == 0) return;
        int notches = delta / 120;
        if (notches == 0) notches = delta > 0 ? 1 : -1;
        // The slider follows the wheel on screen: up is toward the top (vertical)
        // or the right (horizontal) end of the bar.
        const bool maxAtTopOrRight = orientation_ == trVertical ? reversed_ : !reversed_;
        setPosition(position_ + (maxAtTopOrRight ? 1 : -1) * notches * lineSize_);
    });
    return handled;
}

} // namespace vx::ui
