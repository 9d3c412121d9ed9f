#include "scrollbox.h"

#include <algorithm>
#include <cstdint>

namespace vx::ui {

int TControlScrollBar::Max() const {
    const TControl* c = box_.child();
    if (!c) return 0;
    return horizontal_ ? std::max(0, c->Width() - box_.ClientWidth())
                       : std::max(0, c->Height() - box_.ClientHeight());
}

void TControlScrollBar::setPosition(int p) {
    position_ = std::clamp(p, 0, Max());
    if (box_.widget()) box_.peerPositions();
}

void TControlScrollBar::setIncrement(int pixels) {
    increment_ = std::max(1, pixels);
    if (box_.widget()) box_.peerPositions();
}

void TControlScrollBar::userStep(int steps) {
    const int64_t p = int64_t(position_) + int64_t(steps) * increment_;
    setPosition(int(std::clamp<int64_t>(p, 0, Max())));
}

TScrollBox::TScrollBox() = default;

// A bar shows when the child does not fit; one bar narrows the room for the other.
bool TScrollBox::showsHorz() const {
    const TControl* c = child();
    if (!c) return false;
    return c->Width() > Width() || (c->Height() > Height() && c->Width() > Width() - barSize_);
}

bool TScrollBox::showsVert() const {
    const TControl* c = child();
    if (!c) return false;
    return c->Height() > Height() || (c->Width() > Width() && c->Height() > Height() - barSize_);
}

int TScrollBox::ClientWidth() const {
    return std::max(0, Width() - (showsVert() ? barSize_ : 0));
}

int TScrollBox::ClientHeight() const {
    return std::max(0, Height() - (showsHorz() ? barSize_ : 0));
}

TPoint TScrollBox::childOffset() const {
    return {-horz_.Position(), -vert_.Position()};
}

void TScrollBox::reclamp() {
    horz_.position_ = std::clamp(horz_.position_, 0, horz_.Max());
    vert_.position_ = std::clamp(vert_.position_, 0, vert_.Max());
}

void TScrollBox::resized() {
    reclamp();
}

void TScrollBox::childResized(TControl*) {
    reclamp();
}

void TScrollBox::userScroll(int horzPos, int vertPos) {
    horz_.position_ = std::clamp(horzPos, 0, horz_.Max());
    vert_.position_ = std::clamp(vertPos, 0, vert_.Max());
}

} // namespace vx::ui
