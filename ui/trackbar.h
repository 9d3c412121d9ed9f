// A slider over Min..Max. Unlike the other controls its position setter runs
// OnChange when the position changes.
#pragma once

#include "ui/control.h"

namespace vx::ui {

enum TTrackBarOrientation { trHorizontal, trVertical };

class TTrackBar : public TControl {
public:
    int Min() const { return min_; }
    int Max() const { return max_; }
    // Both keep Min <= Max and re-clamp the position (running OnChange when it moves).
    void setMin(int v);
    void setMax(int v);
    int Position() const { return position_; }
    // Clamped to Min..Max; runs OnChange when the position changes.
    void setPosition(int p);
    int Frequency() const { return frequency_; }
    void setFrequency(int f);
    int LineSize() const { return lineSize_; }
    void setLineSize(int n) { lineSize_ = n; }
    int PageSize() const { return pageSize_; }
    void setPageSize(int n) { pageSize_ = n; }
    TTrackBarOrientation Orientation() const { return orientation_; }
    void setOrientation(TTrackBarOrientation o);
    // Vertical: Max at the top when reversed.
    bool Reversed() const { return reversed_; }
    void setReversed(bool on);

    TNotifyEvent OnChange, OnClick;
    TMouseWheelEvent OnMouseWheel;

    // The user drags the slider to p.
    void userSetPosition(int p);
    // A left-button click on the bar, after any move it made (OnChange first).
    void click();
    // A wheel turn over the bar: OnMouseWheel first; unless it marks the event
    // handled, the bar moves LineSize per notch (120), the slider following
    // the wheel on screen. Returns whether the handler marked it handled.
    bool userWheel(int delta, int x, int y, TShiftState shift = {});

protected:
    GtkWidget* createWidget() override;
    void syncPeer() override;

private:
    friend struct TrackPeer;
    void peerRange();
    void peerPosition();
    int min_ = 0, max_ = 10, position_ = 0;
    int frequency_ = 1, lineSize_ = 1, pageSize_ = 1;
    TTrackBarOrientation orientation_ = trHorizontal;
    bool reversed_ = false;
};

} // namespace vx::ui
