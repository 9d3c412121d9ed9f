// Peers of images (a drawing area that paints only what is exposed, at the
// image's view origin, for pictures and recorded images alike) and of scroll
// boxes (a scrolled window with a viewport).
#include "application.h"
#include "gtk_peer.h"
#include "image.h"
#include "scrollbox.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

namespace vx::ui {

using namespace gtk;

// Kept between exposes: fresh memory costs more than the painting.
static cairo_surface_t* scratchSurface(int w, int h) {
    static cairo_surface_t* s = nullptr;
    if (!s || cairo_image_surface_get_width(s) < w || cairo_image_surface_get_height(s) < h) {
        const int sw = s ? std::max(w, cairo_image_surface_get_width(s)) : w;
        const int sh = s ? std::max(h, cairo_image_surface_get_height(s)) : h;
        if (s) cairo_surface_destroy(s);
        s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, sw, sh);
    }
    return s;
}

void gtk::paintExposedArea(GtkWidget* w, const GdkEventExpose* ev,
                           const std::function<void(cairo_t*, const GdkRectangle&)>& paint) {
    const GdkRectangle& a = ev->area;
    if (a.width <= 0 || a.height <= 0) return;
    cairo_surface_t* buf = scratchSurface(a.width, a.height);
    {
        const std::unique_ptr<cairo_t, decltype(&cairo_destroy)> t(cairo_create(buf),
                                                                   cairo_destroy);
        cairo_rectangle(t.get(), 0, 0, a.width, a.height);
        cairo_clip(t.get());
        const GdkColor bg = gtk_widget_get_style(w)->bg[GTK_STATE_NORMAL];
        cairo_set_source_rgb(t.get(), bg.red / 65535.0, bg.green / 65535.0, bg.blue / 65535.0);
        cairo_paint(t.get());
        paint(t.get(), a);
    }
    cairo_surface_flush(buf);
    cairo_t* cr = gdk_cairo_create(gtk_widget_get_window(w));
    gdk_cairo_region(cr, ev->region);
    cairo_clip(cr);
    cairo_set_source_surface(cr, buf, a.x, a.y);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
}

// --- TImage ---

struct ImagePeer {
    static gboolean exposed(GtkWidget* w, GdkEventExpose* ev, gpointer data) {
        auto* img = static_cast<TImage*>(data);
        // Peers first: their flush may ask for a repaint, which this paint is.
        // Asked for after the flag is cleared, that repaint would be dropped
        // by GTK within its expose, and the flag would block every later one.
        Application().flushPeers();
        img->repaintQueued_ = false;
        // A paint that failed is not tried again before the image changes. Its
        // error is shown once the expose is over: a dialog run inside an expose
        // would never be painted.
        if (img->paintFailed_) return TRUE;
        reportingLater(img, [&] {
            img->paintFailed_ = true;
            paintExposed(w, ev, *img);
            img->paintFailed_ = false;
            ++img->paints_;
        });
        Application().writeStateIfAsked();
        return TRUE;
    }
    static void paintExposed(GtkWidget* w, const GdkEventExpose* ev, const TImage& img) {
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
    static TPoint at(const TImage& img, double x, double y) {
        const TPoint o = img.viewOrigin();
        return {static_cast<int>(std::floor(x)) - o.X, static_cast<int>(std::floor(y)) - o.Y};
    }
    static gboolean pressed(GtkWidget* w, GdkEventButton* ev, gpointer data) {
        auto* img = static_cast<TImage*>(data);
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
        auto* img = static_cast<TImage*>(data);
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
        auto* img = static_cast<TImage*>(data);
        const TPoint p = at(*img, ev->x, ev->y);
        img->userMouseMove(shiftOf(ev->state), p.X, p.Y);
        return TRUE;
    }
    static gboolean scrolled(GtkWidget*, GdkEventScroll* ev, gpointer data) {
        auto* img = static_cast<TImage*>(data);
        int delta = 0;
        if (ev->direction == GDK_SCROLL_UP) delta = 120;
        if (ev->direction == GDK_SCROLL_DOWN) delta = -120;
        if (!delta) return FALSE;
        const TPoint p = at(*img, ev->x, ev->y);
        if (img->userWheel(delta, p.X, p.Y, shiftOf(ev->state))) return TRUE;
        return img->scrollByWheel(delta, (ev->state & GDK_SHIFT_MASK) != 0);
    }
};

GtkWidget* TImage::createWidget() {
    area_ = gtk_drawing_area_new();
    gtk_widget_set_can_focus(area_, TRUE);
    gtk_widget_add_events(area_, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                     GDK_POINTER_MOTION_MASK | GDK_SCROLL_MASK);
    connect(area_, "expose-event", ImagePeer::exposed, this);
    connect(area_, "button-press-event", ImagePeer::pressed, this);
    connect(area_, "button-release-event", ImagePeer::released, this);
    connect(area_, "motion-notify-event", ImagePeer::moved, this);
    connect(area_, "scroll-event", ImagePeer::scrolled, this);
    return area_;
}

void TImage::syncPeer() {
    invalidate();
}

void TImage::peerDetached() {
    area_ = nullptr;
}

void TImage::invalidate() {
    paintFailed_ = false;
    if (!area_ || repaintQueued_) return;
    repaintQueued_ = true;
    GdkWindow* win = gtk_widget_get_window(area_);
    if (!win) {
        gtk_widget_queue_draw(area_);
        return;
    }
    // GDK may hold back the updates of a window inside a scrolled viewport
    // (seen after a second load), so the repaint is run at redraw time here.
    gdk_window_invalidate_rect(win, nullptr, FALSE);
    g_idle_add_full(
        GDK_PRIORITY_REDRAW,
        [](gpointer w) -> gboolean {
            gdk_window_process_updates(GDK_WINDOW(w), FALSE);
            return G_SOURCE_REMOVE;
        },
        g_object_ref(win), g_object_unref);
}

// --- TScrollBox ---

struct ScrollBoxPeer {
    static GtkAdjustment* adj(const TScrollBox& b, bool horz) {
        return horz ? gtk_scrolled_window_get_hadjustment(GTK_SCROLLED_WINDOW(b.widget()))
                    : gtk_scrolled_window_get_vadjustment(GTK_SCROLLED_WINDOW(b.widget()));
    }
    static void valueChanged(GtkAdjustment*, gpointer data) {
        auto* b = static_cast<TScrollBox*>(data);
        b->userScroll(int(std::lround(gtk_adjustment_get_value(adj(*b, true)))),
                      int(std::lround(gtk_adjustment_get_value(adj(*b, false)))));
        // No handler runs for a scroll, so no dispatch writes the new positions.
        Application().writeStateIfAsked();
    }
};

GtkWidget* TScrollBox::createWidget() {
    GtkWidget* sw = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(sw), GTK_POLICY_AUTOMATIC,
                                   GTK_POLICY_AUTOMATIC);
    gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(sw), GTK_SHADOW_NONE);
    viewport_ = gtk_viewport_new(gtk_scrolled_window_get_hadjustment(GTK_SCROLLED_WINDOW(sw)),
                                 gtk_scrolled_window_get_vadjustment(GTK_SCROLLED_WINDOW(sw)));
    gtk_viewport_set_shadow_type(GTK_VIEWPORT(viewport_), GTK_SHADOW_NONE);
    gtk_container_add(GTK_CONTAINER(sw), viewport_);
    gtk_widget_show(viewport_);
    connect(gtk_scrolled_window_get_hadjustment(GTK_SCROLLED_WINDOW(sw)), "value-changed",
            ScrollBoxPeer::valueChanged, this);
    connect(gtk_scrolled_window_get_vadjustment(GTK_SCROLLED_WINDOW(sw)), "value-changed",
            ScrollBoxPeer::valueChanged, this);
    return sw;
}

void TScrollBox::syncPeer() {
    // The real thickness of a bar, for ClientWidth and ClientHeight.
    GtkWidget* bar = gtk_scrolled_window_get_vscrollbar(GTK_SCROLLED_WINDOW(widget_));
    GtkRequisition r{0, 0};
    if (bar) gtk_widget_size_request(bar, &r);
    gint spacing = 0;
    gtk_widget_style_get(widget_, "scrollbar-spacing", &spacing, nullptr);
    if (r.width > 0) barSize_ = r.width + spacing;
    reclamp();
    peerPositions();
}

void TScrollBox::placeChild(TControl* c) {
    if (!gtk_bin_get_child(GTK_BIN(viewport_)))
        gtk_container_add(GTK_CONTAINER(viewport_), c->widget());
}

void TScrollBox::moveChildPeer(TControl* c) {
    gtk_widget_set_size_request(c->widget(), c->Width(), c->Height());
    peerPositions();
}

// The adjustments learn the new range at once, so a position set right after
// a resize of the child is not cut to the old range.
void TScrollBox::peerPositions() {
    const TControl* c = child();
    if (!widget_ || !c) return;
    const int pageW = ClientWidth(), pageH = ClientHeight();
    GtkAdjustment* h = ScrollBoxPeer::adj(*this, true);
    GtkAdjustment* v = ScrollBoxPeer::adj(*this, false);
    Blocker bh(h, this), bv(v, this);
    // The viewport would repaint what scrolls in at once, inside the handler
    // that scrolls; it is repainted with the handler's other changes instead.
    GdkWindow* bin = gtk_viewport_get_bin_window(GTK_VIEWPORT(viewport_));
    if (bin) gdk_window_freeze_updates(bin);
    gtk_adjustment_configure(h, horz_.Position(), 0, std::max(c->Width(), pageW), horz_.Increment(),
                             pageW * 0.9, pageW);
    gtk_adjustment_configure(v, vert_.Position(), 0, std::max(c->Height(), pageH),
                             vert_.Increment(), pageH * 0.9, pageH);
    if (bin) gdk_window_thaw_updates(bin);
}

void TScrollBox::peerDetached() {
    disconnect(ScrollBoxPeer::adj(*this, true), this);
    disconnect(ScrollBoxPeer::adj(*this, false), this);
    viewport_ = nullptr;
}

} // namespace vx::ui
