// The peer of the scroll boxes that show recorded images: the image's drawing
// area (gtk_image.cpp) of the visible size beside two scroll bars. The area
// paints the part of the image under it at the box's scroll positions.
#include "application.h"
#include "gtk_peer.h"
#include "image.h"
#include "paintedscrollbox.h"

#include <algorithm>
#include <cmath>

namespace vx::ui {

using namespace gtk;

// --- TPaintedScrollBox ---

struct PaintedScrollBoxPeer {
    static void valueChanged(GtkAdjustment*, gpointer data) {
        auto* b = static_cast<TPaintedScrollBox*>(data);
        b->userScroll(int(std::lround(
                          gtk_adjustment_get_value(gtk_range_get_adjustment(GTK_RANGE(b->hbar_))))),
                      int(std::lround(gtk_adjustment_get_value(
                          gtk_range_get_adjustment(GTK_RANGE(b->vbar_))))));
        if (auto* img = dynamic_cast<TImage*>(b->child())) img->invalidate();
        // No handler runs for a scroll, so no dispatch writes the new positions.
        Application().writeStateIfAsked();
    }
};

GtkWidget* TPaintedScrollBox::createWidget() {
    GtkWidget* table = gtk_table_new(2, 2, FALSE);
    hbar_ = gtk_hscrollbar_new(nullptr);
    vbar_ = gtk_vscrollbar_new(nullptr);
    gtk_table_attach(GTK_TABLE(table), vbar_, 1, 2, 0, 1, GTK_FILL,
                     GtkAttachOptions(GTK_EXPAND | GTK_FILL), 0, 0);
    gtk_table_attach(GTK_TABLE(table), hbar_, 0, 1, 1, 2, GtkAttachOptions(GTK_EXPAND | GTK_FILL),
                     GTK_FILL, 0, 0);
    connect(gtk_range_get_adjustment(GTK_RANGE(hbar_)), "value-changed",
            PaintedScrollBoxPeer::valueChanged, this);
    connect(gtk_range_get_adjustment(GTK_RANGE(vbar_)), "value-changed",
            PaintedScrollBoxPeer::valueChanged, this);
    return table;
}

void TPaintedScrollBox::syncPeer() {
    GtkRequisition r{0, 0};
    gtk_widget_size_request(vbar_, &r);
    if (r.width > 0) barSize_ = r.width;
    // The bar size changes the client size and with it the largest positions.
    HorzScrollBar().setPosition(HorzScrollBar().Position());
    VertScrollBar().setPosition(VertScrollBar().Position());
    peerPositions();
}

void TPaintedScrollBox::placeChild(TControl* c) {
    gtk_table_attach(GTK_TABLE(widget_), c->widget(), 0, 1, 0, 1,
                     GtkAttachOptions(GTK_EXPAND | GTK_FILL),
                     GtkAttachOptions(GTK_EXPAND | GTK_FILL), 0, 0);
}

// The child keeps the area's size: its own size is only the scroll range.
void TPaintedScrollBox::moveChildPeer(TControl*) {
    peerPositions();
}

void TPaintedScrollBox::peerPositions() {
    const TControl* c = child();
    if (!widget_ || !c) return;
    const int pageW = ClientWidth(), pageH = ClientHeight();
    GtkAdjustment* h = gtk_range_get_adjustment(GTK_RANGE(hbar_));
    GtkAdjustment* v = gtk_range_get_adjustment(GTK_RANGE(vbar_));
    {
        Blocker bh(h, this), bv(v, this);
        gtk_adjustment_configure(h, HorzScrollBar().Position(), 0, std::max(c->Width(), pageW),
                                 HorzScrollBar().Increment(), pageW * 0.9, pageW);
        gtk_adjustment_configure(v, VertScrollBar().Position(), 0, std::max(c->Height(), pageH),
                                 VertScrollBar().Increment(), pageH * 0.9, pageH);
    }
    if (pageH < Height())
        gtk_widget_show(hbar_);
    else
        gtk_widget_hide(hbar_);
    if (pageW < Width())
        gtk_widget_show(vbar_);
    else
        gtk_widget_hide(vbar_);
    if (c->widget()) gtk_widget_queue_draw(c->widget());
}

void TPaintedScrollBox::peerDetached() {
    disconnect(gtk_range_get_adjustment(GTK_RANGE(hbar_)), this);
    disconnect(gtk_range_get_adjustment(GTK_RANGE(vbar_)), this);
    hbar_ = vbar_ = nullptr;
}

} // namespace vx::ui
