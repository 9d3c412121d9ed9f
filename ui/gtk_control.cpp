// Peers of the base control and of forms: creation, placing, the common state.
#include "application.h"
#include "control.h"
#include "form.h"
#include "gtk_peer.h"

#include <utility>

namespace vx::ui {

using namespace gtk;

namespace {

GtkWidget* findLabel(GtkWidget* w) {
    if (GTK_IS_LABEL(w)) return w;
    if (!GTK_IS_CONTAINER(w)) return nullptr;
    GList* children = gtk_container_get_children(GTK_CONTAINER(w));
    GtkWidget* found = nullptr;
    for (GList* i = children; i && !found; i = i->next) found = findLabel(GTK_WIDGET(i->data));
    g_list_free(children);
    return found;
}

} // namespace

bool TControl::captionSpan(int& left, int& right) const {
    GtkWidget* label = widget_ ? findLabel(widget_) : nullptr;
    if (!label || !gtk_widget_get_mapped(label)) return false; // hidden: not laid out
    int x = 0, y = 0;
    if (!gtk_widget_translate_coordinates(label, widget_, 0, 0, &x, &y)) return false;
    int xpad = 0, ypad = 0, w = 0, h = 0;
    gtk_misc_get_padding(GTK_MISC(label), &xpad, &ypad);
    pango_layout_get_pixel_size(gtk_label_get_layout(GTK_LABEL(label)), &w, &h);
    left = x + xpad;
    right = left + w;
    return true;
}

void TControl::createPeers() {
    if (Application().headless()) return;
    if (!widget_) {
        widget_ = createWidget();
        if (widget_) {
            // Names the widget for the test-only dump of what GTK holds.
            if (!Name().empty()) gtk_widget_set_name(widget_, Name().c_str());
            if (parent_) parent_->placeChild(this);
            peerBounds();
            peerEnabled();
            peerHint();
            peerCursor();
            syncPeer();
            peerVisible();
        }
    }
    for (TControl* c : children_) c->createPeers();
}

void TControl::detachPeers() {
    for (TControl* c : children_) c->detachPeers();
    if (!widget_) return;
    peerDetached();
    disconnect(widget_, this);
    widget_ = nullptr;
}

void TControl::placeChild(TControl*) {}
void TControl::moveChildPeer(TControl*) {}

void TControl::peerBounds() {
    if (parent_)
        parent_->moveChildPeer(this);
    else
        moveSelfPeer();
}

void TControl::peerVisible() {
    if (visible_)
        gtk_widget_show(widget_);
    else
        gtk_widget_hide(widget_);
}

void TControl::peerEnabled() {
    gtk_widget_set_sensitive(widget_, enabled_);
}

void TControl::peerHint() {
    gtk_widget_set_tooltip_text(widget_, hint_.empty() ? nullptr : toUtf8(hint_).c_str());
}

namespace {

void applyCursor(GtkWidget* w, TCursor c) {
    GdkWindow* win = gtk_widget_get_window(w);
    if (!win || !gtk_widget_get_has_window(w)) return;
    GdkCursor* cur = nullptr;
    switch (c) {
    case crCross:
        cur = gdk_cursor_new(GDK_CROSSHAIR);
        break;
    case crHandPoint:
        cur = gdk_cursor_new(GDK_HAND2);
        break;
    case crHourGlass:
        cur = gdk_cursor_new(GDK_WATCH);
        break;
    case crDefault:
        break;
    }
    gdk_window_set_cursor(win, cur);
    if (cur) gdk_cursor_unref(cur);
}

} // namespace

void TControl::peerCursor() {
    if (gtk_widget_get_realized(widget_)) {
        applyCursor(widget_, cursor_);
        return;
    }
    connect(
        widget_, "realize",
        +[](GtkWidget* w, gpointer data) {
            applyCursor(w, static_cast<TControl*>(data)->Cursor());
        },
        this);
}

// --- TForm ---

struct FormPeer {
    static gboolean deleted(GtkWidget*, GdkEvent*, gpointer data) {
        static_cast<TForm*>(data)->userClose();
        return TRUE; // the form hides itself or ends the loop
    }
    static void allocated(GtkWidget*, GtkAllocation* a, gpointer data) {
        auto* f = static_cast<TForm*>(data);
        if (a->width == f->Width() && a->height == f->Height()) return;
        f->resizingFromPeer_ = true;
        reportingLater(f, [f, a] { f->userResize(a->width, a->height); });
        f->resizingFromPeer_ = false;
    }
    // An open pop-up menu takes the keyboard, so GTK reports the window
    // inactive until it closes; the form was the active one all along.
    static void activeChanged(GObject* w, GParamSpec*, gpointer data) {
        GtkWidget* grab = gtk_grab_get_current();
        static_cast<TForm*>(data)->peerActiveChanged(gtk_window_is_active(GTK_WINDOW(w)),
                                                     grab && GTK_IS_MENU(grab));
    }
};

GtkWidget* TForm::createWidget() {
    GtkWidget* win = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    layout_ = gtk_layout_new(nullptr, nullptr);
    gtk_container_add(GTK_CONTAINER(win), layout_);
    gtk_widget_show(layout_);
    connect(win, "delete-event", FormPeer::deleted, this);
    connect(win, "notify::is-active", FormPeer::activeChanged, this);
    connect(layout_, "size-allocate", FormPeer::allocated, this);
    return win;
}

void TForm::syncPeer() {
    peerCaption();
}

void TForm::peerCaption() {
    gtk_window_set_title(GTK_WINDOW(widget_), toUtf8(caption_).c_str());
}

void TForm::peerDetached() {
    disconnect(layout_, this);
    layout_ = nullptr;
}

void TForm::moveSelfPeer() {
    if (resizingFromPeer_) return;
    gtk_window_set_default_size(GTK_WINDOW(widget_), std::max(1, Width()), std::max(1, Height()));
    gtk_window_resize(GTK_WINDOW(widget_), std::max(1, Width()), std::max(1, Height()));
    gtk_window_move(GTK_WINDOW(widget_), Left(), Top());
}

void TForm::placeChild(TControl* child) {
    gtk_layout_put(GTK_LAYOUT(layout_), child->widget(), child->Left(), child->Top());
}

void TForm::moveChildPeer(TControl* child) {
    gtk_layout_move(GTK_LAYOUT(layout_), child->widget(), child->Left(), child->Top());
    if (!child->peerAutoSize())
        gtk_widget_set_size_request(child->widget(), child->Width(), child->Height());
}

void TForm::BringToFront() {
    if (widget_) gtk_window_present(GTK_WINDOW(widget_));
}

void TForm::destroyWindow() {
    if (!widget_) return;
    GtkWidget* w = widget_;
    detachPeers();
    gtk_widget_destroy(w);
}

} // namespace vx::ui
