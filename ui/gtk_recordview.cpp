// Peers of recorded images and of the scroll boxes that show them: a drawing
// area of the visible size beside two scroll bars. The area paints the part
// of the image under it at the box's scroll positions; the mouse reaches the
// image in image coordinates.
#include "application.h"
#include "gtk_peer.h"
#include "paintedscrollbox.h"
#include "recordimage.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace vx::ui {

using namespace gtk;

// --- TRecordImage ---

struct RecordImagePeer {
    static gboolean exposed(GtkWidget* w, GdkEventExpose* ev, gpointer data) {
        auto* img = static_cast<TRecordImage*>(data);
        img->repaintQueued_ = false;
        reportingLater(img, [&] { paintExposed(w, ev, *img); });
        return TRUE;
    }
    static void paintExposed(GtkWidget* w, const GdkEventExpose* ev, const TRecordImage& img) {
        Application().flushPeers();
        const TPoint o = img.viewOrigin();
        paintExposedArea(w, ev, [&](cairo_t* t, const GdkRectangle& a) {
            // Image pixel p shows at area pixel p + o.
            cairo_translate(t, double(int64_t(o.X) - a.x), double(int64_t(o.Y) - a.y));
            const int64_t l = int64_t(a.x) - o.X, tp = int64_t(a.y) - o.Y;
            auto c = [](int64_t v) {
                return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
            };
            img.paint(t, {c(l), c(tp), c(l + a.width), c(tp + a.height)});
        });
    }
    // Area position to image position.
    static TPoint at(const TRecordImage& img, double x, double y) {
        const TPoint o = img.viewOrigin();
        return {static_cast<int>(std::floor(x)) - o.X, static_cast<int>(std::floor(y)) - o.Y};
    }
    static gboolean pressed(GtkWidget* w, GdkEventButton* ev, gpointer data) {
        auto* img = static_cast<TRecordImage*>(data);
        const TPoint p = at(*img, ev->x, ev->y);
        if (ev->type == GDK_BUTTON_PRESS) {
            gtk_widget_grab_focus(w);
            img->userMouseDown(buttonOf(ev->button), shiftOf(ev->state), p.X, p.Y);
        } else if (ev->type == GDK_2BUTTON_PRESS && img->takesPointerAt(p.X, p.Y)) {
            img->userDblClick();
        }
        return TRUE;
    }
    static gboolean released(GtkWidget* w, GdkEventButton* ev, gpointer data) {
        auto* img = static_cast<TRecordImage*>(data);
        const TPoint p = at(*img, ev->x, ev->y);
        img->userMouseUp(buttonOf(ev->button), shiftOf(ev->state), p.X, p.Y);
        GtkAllocation a;
        gtk_widget_get_allocation(w, &a);
        if (ev->button == 1 && ev->x >= 0 && ev->y >= 0 && ev->x < a.width && ev->y < a.height &&
            img->takesPointerAt(p.X, p.Y))
            img->userClick();
        return TRUE;
    }
    static gboolean moved(GtkWidget*, GdkEventMotion* ev, gpointer data) {
        auto* img = static_cast<TRecordImage*>(data);
        const TPoint p = at(*img, ev->x, ev->y);
        img->userMouseMove(shiftOf(ev->state), p.X, p.Y);
        return TRUE;
    }
    static gboolean scrolled(GtkWidget*, GdkEventScroll* ev, gpointer data) {
        auto* img = static_cast<TRecordImage*>(data);
        int delta = 0;
        if (ev->direction == GDK_SCROLL_UP) delta = 120;
        if (ev->direction == GDK_SCROLL_DOWN) delta = -120;
        if (!delta) return FALSE;
        const TPoint p = at(*img, ev->x, ev->y);
        if (img->userWheel(delta, p.X, p.Y, shiftOf(ev->state))) return TRUE;
        // Not handled: the box scrolls by GTK's wheel step, pow(page, 2/3).
        auto* box = dynamic_cast<TScrollBox*>(img->Parent());
        if (!box) return FALSE;
        const bool horz = (ev->state & GDK_SHIFT_MASK) != 0;
        TControlScrollBar& bar = horz ? box->HorzScrollBar() : box->VertScrollBar();
        const int page = horz ? box->ClientWidth() : box->ClientHeight();
        const int step = std::max(1, int(std::lround(std::pow(double(page), 2.0 / 3.0))));
        bar.setPosition(bar.Position() + (delta > 0 ? -step : step));
        return TRUE;
    }
};

GtkWidget* TRecordImage::createWidget() {
    area_ = gtk_drawing_area_new();
    gtk_widget_set_can_focus(area_, TRUE);
    gtk_widget_add_events(area_, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                     GDK_POINTER_MOTION_MASK | GDK_SCROLL_MASK);
    connect(area_, "expose-event", RecordImagePeer::exposed, this);
    connect(area_, "button-press-event", RecordImagePeer::pressed, this);
    connect(area_, "button-release-event", RecordImagePeer::released, this);
    connect(area_, "motion-notify-event", RecordImagePeer::moved, this);
    connect(area_, "scroll-event", RecordImagePeer::scrolled, this);
    return area_;
}

void TRecordImage::syncPeer() {
    invalidate();
}

void TRecordImage::peerDetached() {
    area_ = nullptr;
}

void TRecordImage::invalidate() {
    if (!area_ || repaintQueued_) return;
    repaintQueued_ = true;
    gtk_widget_queue_draw(area_);
}

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
