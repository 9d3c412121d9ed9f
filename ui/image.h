// A control that shows a picture, scaled to its own size, and reports the
// mouse in control coordinates.
#pragma once

#include "ui/canvas.h"
#include "ui/control.h"
#include "ui/picture.h"

namespace vx::ui {

class TImage : public TControl {
public:
    TImage();

    TPicture& Picture() { return picture_; }
    const TPicture& Picture() const { return picture_; }
    // The canvas of the picture's bitmap.
    virtual TCanvas& Canvas() { return picture_.Bitmap().Canvas(); }

    bool Stretch() const { return stretch_; }
    void setStretch(bool on);
    bool Proportional() const { return proportional_; }
    void setProportional(bool on);
    bool Center() const { return center_; }
    void setCenter(bool on);

    TMouseEvent OnMouseDown, OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnClick, OnDblClick;
    TMouseWheelEvent OnMouseWheel;

    // User actions. A right button press runs OnMouseDown, then pops up the
    // control's (or its parent's) pop-up menu.
    void userMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    void userMouseUp(TMouseButton button, TShiftState shift, int x, int y);
    void userMouseMove(TShiftState shift, int x, int y);
    void userClick();
    void userDblClick();
    // Returns whether the handler marked the wheel event handled.
    bool userWheel(int delta, int x, int y, TShiftState shift = {});

    // Schedules a repaint of the peer; drawing on the picture calls it.
    virtual void invalidate();
    // Paints the exposed part (control coordinates) with cr at the control's
    // origin. Default: the picture placed by Stretch, Proportional and Center.
    virtual void paint(cairo_t* cr, const TRect& exposed) const;
    // Where control pixel (0, 0) shows in the peer's drawing area. The peer
    // paints and reports the mouse through it.
    virtual TPoint viewOrigin() const { return {0, 0}; }
    // Exposes painted so far; the state dump reports it, so a test can wait
    // for the repaint that follows a change.
    uint64_t paintCount() const { return paints_; }
    // A repaint is queued and has not run yet.
    bool repaintPending() const { return repaintQueued_; }

protected:
    // Whether a pointer event at (x, y) reaches the handlers: anywhere, unless
    // a kind of image bounds it.
    virtual bool takesPointerAt(int, int) const { return true; }
    GtkWidget* createWidget() override;
    void syncPeer() override;
    void peerDetached() override;
    void resized() override;
    // A wheel turn that no handler took: true when the image scrolled for it,
    // false to leave it to GTK (the box around scrolls as usual).
    virtual bool scrollByWheel(int delta, bool horz);

private:
    TPicture picture_;
    bool stretch_ = false, proportional_ = false, center_ = false;
    bool repaintQueued_ = false;
    bool paintFailed_ = false;
    uint64_t paints_ = 0;
    GtkWidget* area_ = nullptr;
    friend struct ImagePeer;
};

} // namespace vx::ui
