// Peer of the track bar: a GtkScale whose wheel handling is ours.
#include "application.h"
#include "gtk_peer.h"
#include "trackbar.h"

#include <cmath>
#include <cstdint>

namespace vx::ui {

using namespace gtk;

struct TrackPeer {
    static void valueChanged(GtkRange* r, gpointer data) {
        auto* t = static_cast<TTrackBar*>(data);
        t->userSetPosition(int(std::lround(gtk_range_get_value(r))));
        // The widget's range is never empty (Max == Min shows as Min..Min + 1),
        // and the handler may move the position: the slider shows the position.
        if (t->widget_ && std::lround(gtk_range_get_value(r)) != t->position_) t->peerPosition();
    }
    // A press and release of the left button on the bar; GTK's own handling
    // (which ends a drag) follows.
    static gboolean released(GtkWidget* w, GdkEventButton* ev, gpointer data) {
        GtkAllocation a;
        gtk_widget_get_allocation(w, &a);
        if (ev->button == 1 && ev->x >= 0 && ev->y >= 0 && ev->x < a.width && ev->y < a.height)
            static_cast<TTrackBar*>(data)->click();
        return FALSE;
    }
    static gboolean scrolled(GtkWidget*, GdkEventScroll* ev, gpointer data) {
        int delta = 0;
        if (ev->direction == GDK_SCROLL_UP) delta = 120;
        if (ev->direction == GDK_SCROLL_DOWN) delta = -120;
        if (delta)
            static_cast<TTrackBar*>(data)->userWheel(delta, int(ev->x), int(ev->y),
                                                     shiftOf(ev->state));
        return TRUE;
    }
};

GtkWidget* TTrackBar::createWidget() {
    GtkObject* adj = gtk_adjustment_new(position_, min_, max_, lineSize_, lineSize_ * 10, 0);
    GtkWidget* s = orientation_ == trVertical ? gtk_vscale_new(GTK_ADJUSTMENT(adj))
                                              : gtk_hscale_new(GTK_ADJUSTMENT(adj));
    gtk_scale_set_draw_value(GTK_SCALE(s), FALSE);
    gtk_scale_set_digits(GTK_SCALE(s), 0);
    gtk_range_set_round_digits(GTK_RANGE(s), 0);
    connect(s, "value-changed", TrackPeer::valueChanged, this);
    connect(s, "scroll-event", TrackPeer::scrolled, this);
    connect(s, "button-release-event", TrackPeer::released, this);
    return s;
}

void TTrackBar::syncPeer() {
    peerRange();
    peerPosition();
}

void TTrackBar::peerRange() {
    Blocker block(widget_, this);
    GtkRange* r = GTK_RANGE(widget_);
    gtk_range_set_range(r, min_, max_ > min_ ? max_ : min_ + 1);
    gtk_range_set_increments(r, lineSize_, lineSize_ * 10.0);
    gtk_range_set_inverted(r, reversed_);
    gtk_range_set_value(r, position_);
    gtk_scale_clear_marks(GTK_SCALE(widget_));
    // 64 bits: max_ - min_ and the last step may pass the int range.
    if (frequency_ > 0 && (int64_t(max_) - min_) / frequency_ <= 200)
        for (int64_t v = min_; v <= max_; v += frequency_)
            gtk_scale_add_mark(GTK_SCALE(widget_), double(v), GTK_POS_LEFT, nullptr);
}

void TTrackBar::peerPosition() {
    Blocker block(widget_, this);
    gtk_range_set_value(GTK_RANGE(widget_), position_);
}

} // namespace vx::ui
