// A scroll box whose peer shows its child (a TRecordImage) through a drawing
// area of the visible size with scroll bars of its own, kept in step with the
// positions and ranges of the box: no window of the child's size exists, so
// the child may be larger than the 32767 pixels an X window can be.
#pragma once

#include "ui/scrollbox.h"

namespace vx::ui {

class TPaintedScrollBox : public TScrollBox {
protected:
    GtkWidget* createWidget() override;
    void syncPeer() override;
    void peerDetached() override;
    void placeChild(TControl* child) override;
    void moveChildPeer(TControl* child) override;
    // A new size of the box or the child changes the bars' ranges.
    void resized() override {
        TScrollBox::resized();
        peerPositions();
    }
    void childResized(TControl* child) override {
        TScrollBox::childResized(child);
        peerPositions();
    }

private:
    void peerPositions() override;
    GtkWidget *hbar_ = nullptr, *vbar_ = nullptr;
    friend struct PaintedScrollBoxPeer;
};

} // namespace vx::ui
