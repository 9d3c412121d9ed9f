// A box that scrolls over one child control (the map image).
#pragma once

#include "ui/control.h"

namespace vx::ui {

class TScrollBox;

class TControlScrollBar {
public:
    int Position() const { return position_; }
    // Clamped to 0..Max.
    void setPosition(int p);
    // Largest position: child size minus client size, at least 0.
    int Max() const;
    // How far one click on an arrow of the bar scrolls; at least 1.
    int Increment() const { return increment_; }
    void setIncrement(int pixels);
    // The user clicks an arrow `steps` times (negative: back towards 0).
    void userStep(int steps);

private:
    friend class TScrollBox;
    TControlScrollBar(TScrollBox& box, bool horizontal) : box_(box), horizontal_(horizontal) {}
    TScrollBox& box_;
    bool horizontal_;
    int position_ = 0;
    int increment_ = 16;
};

class TScrollBox : public TControl {
public:
    TScrollBox();

    TControlScrollBar& HorzScrollBar() { return horz_; }
    TControlScrollBar& VertScrollBar() { return vert_; }
    const TControlScrollBar& HorzScrollBar() const { return horz_; }
    const TControlScrollBar& VertScrollBar() const { return vert_; }
    // The visible part: the box less the scroll bars it shows.
    int ClientWidth() const override;
    int ClientHeight() const override;
    TControl* child() const { return children().empty() ? nullptr : children().front(); }

    // The user scrolled.
    void userScroll(int horzPos, int vertPos);

protected:
    GtkWidget* createWidget() override;
    void syncPeer() override;
    void peerDetached() override;
    void placeChild(TControl* child) override;
    void moveChildPeer(TControl* child) override;
    TPoint childOffset() const override;
    void resized() override;
    void childResized(TControl* child) override;
    int barSize_ = 16; // thickness of a scroll bar; the peer reports the real one

private:
    friend class TControlScrollBar;
    friend struct ScrollBoxPeer;
    bool showsHorz() const;
    bool showsVert() const;
    void reclamp();
    // Mirrors positions and ranges into the peer's scroll bars.
    virtual void peerPositions();
    TControlScrollBar horz_{*this, true}, vert_{*this, false};
    GtkWidget* viewport_ = nullptr;
};

} // namespace vx::ui
