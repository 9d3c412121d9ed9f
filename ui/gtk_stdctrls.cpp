// Peers of buttons, check boxes, labels, edits and memos.
#include "application.h"
#include "gtk_peer.h"
#include "stdctrls.h"

#include <algorithm>
#include <gdk/gdkkeysyms.h>
#include <memory>

namespace vx::ui {

using namespace gtk;

// --- TButton ---

GtkWidget* TButton::createWidget() {
    GtkWidget* b = gtk_button_new_with_label("");
    connect(
        b, "clicked", +[](GtkButton*, gpointer data) { static_cast<TButton*>(data)->click(); },
        this);
    return b;
}

void TButton::syncPeer() {
    gtk_button_set_label(GTK_BUTTON(widget_), toUtf8(caption_).c_str());
}

// --- TCheckBox ---

struct CheckBoxPeer {
    static void toggled(GtkToggleButton* b, gpointer data) {
        auto* c = static_cast<TCheckBox*>(data);
        c->checked_ = gtk_toggle_button_get_active(b);
        Application().dispatch(c->OnClick);
    }
};

GtkWidget* TCheckBox::createWidget() {
    GtkWidget* b = gtk_check_button_new_with_label("");
    connect(b, "toggled", CheckBoxPeer::toggled, this);
    return b;
}

void TCheckBox::syncPeer() {
    Blocker block(widget_, this);
    gtk_button_set_label(GTK_BUTTON(widget_), toUtf8(caption_).c_str());
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(widget_), checked_);
}

// --- TLabel ---

// A GTK label has no window of its own and gets no clicks: an invisible event
// box around it receives them.
GtkWidget* TLabel::createWidget() {
    GtkWidget* box = gtk_event_box_new();
    gtk_event_box_set_visible_window(GTK_EVENT_BOX(box), FALSE);
    GtkWidget* l = gtk_label_new("");
    gtk_misc_set_alignment(GTK_MISC(l), 0, 0);
    gtk_container_add(GTK_CONTAINER(box), l);
    gtk_widget_show(l);
    connect(
        box, "button-press-event",
        +[](GtkWidget*, GdkEventButton* ev, gpointer data) -> gboolean {
            if (ev->button != 1 || ev->type != GDK_BUTTON_PRESS) return FALSE;
            static_cast<TLabel*>(data)->userClick();
            return TRUE;
        },
        this);
    return box;
}

void TLabel::syncPeer() {
    GtkWidget* l = gtk_bin_get_child(GTK_BIN(widget_));
    gtk_label_set_text(GTK_LABEL(l), toUtf8(caption_).c_str());
    // Only the normal state: a disabled label keeps the theme's greyed text.
    const GdkColor fg{0, guint16(redOf(fontColor_) * 257), guint16(greenOf(fontColor_) * 257),
                      guint16(blueOf(fontColor_) * 257)};
    gtk_widget_modify_fg(l, GTK_STATE_NORMAL, &fg);
}

// --- TEdit ---

struct EditPeer {
    // The text follows at once; OnChange once GTK is done.
    static void changed(GtkEditable* e, gpointer data) {
        auto* ed = static_cast<TEdit*>(data);
        Application().dispatch([e, ed] {
            ed->text_ = fromUtf8(gtk_entry_get_text(GTK_ENTRY(e)));
            textChangedInPeer(ed, ed->changeQueued_, ed->text_, ed->reportedText_, ed->OnChange);
        });
    }
    // Keeps typed and pasted text within what the edit accepts.
    static void inserting(GtkEditable* e, gchar* text, gint length, gint* position, gpointer data) {
        auto* ed = static_cast<TEdit*>(data);
        Application().dispatch([=] {
            const std::string insert = fromUtf8(std::string(text, size_t(length)).c_str());
            const size_t pos = std::min(size_t(std::max(*position, 0)), ed->text_.size());
            std::string after;
            const bool ok = ed->typedText(ed->text_, pos, insert, after);
            if (ok && after.size() == ed->text_.size() + insert.size()) return;
            g_signal_stop_emission_by_name(e, "insert-text");
            if (!ok) return;
            // Insert the accepted part only; the handlers see one change.
            const std::string part = after.substr(pos, after.size() - ed->text_.size());
            const std::string u = toUtf8(part);
            {
                Blocker block(e, ed);
                gtk_editable_insert_text(e, u.c_str(), static_cast<gint>(u.size()), position);
            }
            changed(e, data);
        });
    }
    static char keyChar(const GdkEventKey* ev) {
        switch (ev->keyval) {
        case GDK_Return:
        case GDK_KP_Enter:
            return '\r';
        case GDK_BackSpace:
            return '\b';
        case GDK_Escape:
            return 27;
        default:
            break;
        }
        if (ev->state & (GDK_CONTROL_MASK | GDK_MOD1_MASK)) return 0;
        const guint32 u = gdk_keyval_to_unicode(ev->keyval);
        return u >= 32 && u < 256 ? static_cast<char>(u) : 0;
    }
    static gboolean keyPressed(GtkWidget* w, GdkEventKey* ev, gpointer data) {
        gboolean handled = FALSE;
        Application().dispatch([&] { handled = keyPress(w, ev, static_cast<TEdit*>(data)); });
        return handled;
    }
    static gboolean keyPress(GtkWidget* w, GdkEventKey* ev, TEdit* ed) {
        const char key = keyChar(ev);
        if (!key || !ed->OnKeyPress) return FALSE;
        char k = key;
        if (!Application().dispatch([&] { ed->OnKeyPress(k); })) return TRUE;
        if (k == key) return FALSE; // the entry handles the key as usual
        if (k >= 32 || k < 0) {
            const std::string u = toUtf8(std::string(1, k));
            gint pos = gtk_editable_get_position(GTK_EDITABLE(w));
            gtk_editable_insert_text(GTK_EDITABLE(w), u.c_str(), static_cast<gint>(u.size()), &pos);
            gtk_editable_set_position(GTK_EDITABLE(w), pos);
        }
        return TRUE;
    }
    static gboolean focusIn(GtkWidget* w, GdkEvent*, gpointer data) {
        if (focusMovedWithinWindow(w, true, data)) static_cast<TEdit*>(data)->userEnter();
        return FALSE;
    }
    static gboolean focusOut(GtkWidget* w, GdkEvent*, gpointer data) {
        if (focusMovedWithinWindow(w, false, data)) static_cast<TEdit*>(data)->userExit();
        return FALSE;
    }
    static gboolean pressed(GtkWidget*, GdkEventButton* ev, gpointer data) {
        if (ev->type == GDK_2BUTTON_PRESS && ev->button == 1)
            static_cast<TEdit*>(data)->userDblClick();
        return FALSE;
    }
};

GtkWidget* TEdit::createWidget() {
    GtkWidget* e = gtk_entry_new();
    connect(e, "changed", EditPeer::changed, this);
    connect(e, "insert-text", EditPeer::inserting, this);
    connect(e, "key-press-event", EditPeer::keyPressed, this);
    connect(e, "focus-in-event", EditPeer::focusIn, this);
    connect(e, "focus-out-event", EditPeer::focusOut, this);
    connect(e, "button-press-event", EditPeer::pressed, this);
    return e;
}

void TEdit::syncPeer() {
    Blocker block(widget_, this);
    const std::string u = toUtf8(text_);
    if (u != gtk_entry_get_text(GTK_ENTRY(widget_)))
        gtk_entry_set_text(GTK_ENTRY(widget_), u.c_str());
    gtk_editable_set_editable(GTK_EDITABLE(widget_), !readOnly_);
}

// --- TMemo ---

struct MemoPeer {
    static void changed(GtkTextBuffer* buf, gpointer data) {
        auto* m = static_cast<TMemo*>(data);
        Application().dispatch([buf, m] {
            GtkTextIter a, b;
            gtk_text_buffer_get_bounds(buf, &a, &b);
            const std::unique_ptr<gchar, decltype(&g_free)> t(
                gtk_text_buffer_get_text(buf, &a, &b, FALSE), g_free);
            // The peer already shows this text: update the lines without mirroring back.
            struct Unhooked {
                vx::TStringList& lines;
                std::function<void()> hook = std::move(lines.OnChange);
                ~Unhooked() { lines.OnChange = std::move(hook); }
            } unhooked{m->lines_};
            m->lines_.OnChange = nullptr;
            m->setText(fromUtf8(t.get()));
        });
        Application().dispatch(m->OnChange);
    }
};

GtkWidget* TMemo::createWidget() {
    GtkWidget* sw = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(sw), GTK_POLICY_AUTOMATIC,
                                   GTK_POLICY_AUTOMATIC);
    gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(sw), GTK_SHADOW_IN);
    view_ = gtk_text_view_new();
    gtk_container_add(GTK_CONTAINER(sw), view_);
    gtk_widget_show(view_);
    connect(gtk_text_view_get_buffer(GTK_TEXT_VIEW(view_)), "changed", MemoPeer::changed, this);
    flushPeer();
    return sw;
}

int TMemo::peerShowsAll() const {
    if (!widget_ || !view_ || !gtk_widget_get_realized(view_)) return -1;
    GtkWidget* h = gtk_scrolled_window_get_hscrollbar(GTK_SCROLLED_WINDOW(widget_));
    GtkWidget* v = gtk_scrolled_window_get_vscrollbar(GTK_SCROLLED_WINDOW(widget_));
    if ((h && gtk_widget_get_visible(h)) || (v && gtk_widget_get_visible(v))) return 0;
    GdkRectangle shown{};
    gtk_text_view_get_visible_rect(GTK_TEXT_VIEW(view_), &shown);
    GtkTextIter end;
    gtk_text_buffer_get_end_iter(gtk_text_view_get_buffer(GTK_TEXT_VIEW(view_)), &end);
    int y = 0, height = 0;
    gtk_text_view_get_line_yrange(GTK_TEXT_VIEW(view_), &end, &y, &height);
    return shown.y == 0 && y + height <= shown.height ? 1 : 0;
}

void TMemo::syncPeer() {
    gtk_text_view_set_editable(GTK_TEXT_VIEW(view_), !readOnly_);
    if (!fontName_.empty()) {
        PangoFontDescription* fd = fontFor(fontName_);
        gtk_widget_modify_font(view_, fd);
        pango_font_description_free(fd);
    }
}

void TMemo::flushPeer() {
    if (!view_) return;
    GtkTextBuffer* buf = gtk_text_view_get_buffer(GTK_TEXT_VIEW(view_));
    std::string joined;
    for (int i = 0; i < lines_.Count(); ++i) {
        if (i) joined += '\n';
        joined += lines_[i];
    }
    Blocker block(buf, this);
    const std::string u = toUtf8(joined);
    gtk_text_buffer_set_text(buf, u.c_str(), static_cast<gint>(u.size()));
}

void TMemo::peerDetached() {
    if (view_) disconnect(gtk_text_view_get_buffer(GTK_TEXT_VIEW(view_)), this);
    view_ = nullptr;
}

} // namespace vx::ui
