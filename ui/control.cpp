#include "control.h"

#include "application.h"
#include "form.h"

#include <algorithm>

namespace vx::ui {

TControl::~TControl() {
    Application().cancelPeerFlush(this);
    if (parent_) std::erase(parent_->children_, this);
    for (TControl* c : children_) c->parent_ = nullptr;
}

void TControl::setParent(TControl* parent) {
    if (parent == parent_) return;
    if (parent_) std::erase(parent_->children_, this);
    parent_ = parent;
    if (parent_) parent_->children_.push_back(this);
    rememberGaps();
}

void TControl::setBounds(int left, int top, int width, int height) {
    setBoundsInternal(left, top, width, height, false);
}

void TControl::setBoundsInternal(int left, int top, int width, int height, bool fromLayout) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    const bool sized = width != width_ || height != height_;
    const bool moved = left != left_ || top != top_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (!fromLayout) rememberGaps();
    if (widget_ && (sized || moved)) peerBounds();
    if (sized) {
        resized();
        layoutChildren();
        if (parent_) parent_->childResized(this);
    }
}

void TControl::rememberGaps() {
    if (!parent_) return;
    rightGap_ = parent_->ClientWidth() - (left_ + width_);
    bottomGap_ = parent_->ClientHeight() - (top_ + height_);
}

void TControl::setAnchors(bool left, bool top, bool right, bool bottom) {
    anchorLeft_ = left;
    anchorTop_ = top;
    anchorRight_ = right;
    anchorBottom_ = bottom;
    rememberGaps();
}

void TControl::applyAnchors() {
    if (!parent_) return;
    int l = left_, t = top_, w = width_, h = height_;
    if (anchorRight_) {
        if (anchorLeft_)
            w = parent_->ClientWidth() - left_ - rightGap_;
        else
            l = parent_->ClientWidth() - width_ - rightGap_;
    }
    if (anchorBottom_) {
        if (anchorTop_)
            h = parent_->ClientHeight() - top_ - bottomGap_;
        else
            t = parent_->ClientHeight() - height_ - bottomGap_;
    }
    if (l != left_ || t != top_ || w != width_ || h != height_) setBoundsInternal(l, t, w, h, true);
}

void TControl::layoutChildren() {
    for (TControl* c : std::vector<TControl*>(children_)) c->applyAnchors();
}

void TControl::setEnabled(bool on) {
    enabled_ = on;
    if (widget_) peerEnabled();
}

void TControl::setVisible(bool on) {
    visible_ = on;
    if (widget_) peerVisible();
}

void TControl::setHint(const std::string& text) {
    hint_ = text;
    if (widget_) peerHint();
}

void TControl::setCursor(TCursor c) {
    cursor_ = c;
    if (widget_) peerCursor();
}

TPopupMenu* TControl::effectivePopupMenu() const {
    for (const TControl* c = this; c; c = c->parent_)
        if (c->popup_) return c->popup_;
    return nullptr;
}

TPoint TControl::screenOrigin() const {
    TPoint p{0, 0};
    for (const TControl* c = this; c->parent_; c = c->parent_) {
        const TPoint off = c->parent_->childOffset();
        p.X += c->left_ + off.X;
        p.Y += c->top_ + off.Y;
    }
    return p;
}

bool TControl::canAct() const {
    for (const TControl* c = this; c; c = c->parent_) {
        if (!c->parent_ && dynamic_cast<const TForm*>(c)) break; // a hidden form is no bar
        if (!c->enabled_ || !c->visible_) return false;
    }
    return true;
}

} // namespace vx::ui
