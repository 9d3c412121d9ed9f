// Peers of combo boxes and list boxes.
#include "application.h"
#include "combobox.h"
#include "gtk_peer.h"
#include "listbox.h"
#include "menus.h"

#include <algorithm>
#include <utility>

namespace vx::ui {

using namespace gtk;

// --- TComboBox ---

// The box is an entry (csDropDown) or a cell view, and a drop-down button.
// OnEnter and OnExit follow the keyboard focus into and out of the box as a
// whole: moves between its parts, its list opening and closing, and its
// window losing the focus are none. A press on the box runs OnEnter (when the
// focus comes from outside) and OnClick before GTK handles it, so entries
// rebuilt there are the ones the list then shows. Inside GTK's own handling
// (focus, the list's choice) a rebuild waits until GTK is done.
struct ComboPeer {
    // Marks a GTK callback of the box for as long as it runs.
    struct InEvent {
        TComboBox* c;
        explicit InEvent(TComboBox* box) : c(box) { ++c->peerEventDepth_; }
        ~InEvent() { --c->peerEventDepth_; }
        InEvent(const InEvent&) = delete;
        InEvent& operator=(const InEvent&) = delete;
    };
    static GtkEntry* entry(const TComboBox& c) {
        GtkWidget* child = gtk_bin_get_child(GTK_BIN(c.combo_));
        return child && GTK_IS_ENTRY(child) ? GTK_ENTRY(child) : nullptr;
    }
    static bool popupShown(const TComboBox& c) {
        gboolean shown = FALSE;
        if (c.combo_) g_object_get(c.combo_, "popup-shown", &shown, nullptr);
        return shown;
    }
    static void changed(GtkComboBox* cb, gpointer data) {
        auto* c = static_cast<TComboBox*>(data);
        const InEvent in(c);
        Application().dispatch([cb, c] {
            const int active = gtk_combo_box_get_active(cb);
            if (active >= 0 && active < c->items_.Count()) {
                const bool was = active == c->itemIndex_;
                c->itemIndex_ = active;
                c->text_ = c->items_[active];
                if (was) return;
                c->reportedText_ = c->text_;
                Application().dispatch(c->OnChange);
            } else if (GtkEntry* e = entry(*c)) {
                const std::string typed = fromUtf8(gtk_entry_get_text(e));
                if (typed == c->text_ && c->itemIndex_ < 0) return;
                // Typed text selects no entry (as userSetText).
                c->text_ = typed;
                c->itemIndex_ = -1;
                // Typing over a selection is a delete and an insert: one change.
                textChangedInPeer(c, c->changeQueued_, c->text_, c->reportedText_, c->OnChange);
            }
        });
    }
    // Runs before the part's own handlers (the drop-down button's opens the
    // list and stops the signal).
    static gboolean pressedFirst(GtkWidget* w, GdkEvent* ev, gpointer data) {
        auto* c = static_cast<TComboBox*>(data);
        if (ev->type != GDK_BUTTON_PRESS || ev->button.button != 1 || popupShown(*c)) return FALSE;
        Application().dispatch([w, c] {
            // The focus first, as GTK would move it: the control that had it
            // runs OnExit before this one runs OnEnter.
            if (gtk_widget_get_can_focus(w) && !gtk_widget_has_focus(w)) gtk_widget_grab_focus(w);
            if (!c->peerFocused_) {
                c->peerFocused_ = true;
                c->userEnter();
            }
            c->click();
        });
        // The list GTK opens next shows the entries as the handlers left them
        // (a rebuild from inside a focus change waited until here).
        reportingLater(c, [c] {
            if (c->rebuildPending_) c->flushPeer();
        });
        queueExitCheck(c); // in case the focus could not come here
        return FALSE;
    }
    static gboolean focusIn(GtkWidget*, GdkEvent*, gpointer data) {
        auto* c = static_cast<TComboBox*>(data);
        if (c->peerFocused_ || popupShown(*c)) return FALSE;
        const InEvent in(c);
        c->peerFocused_ = true;
        c->userEnter();
        return FALSE;
    }
    // A move of the focus within the window: OnExit runs before the control
    // that gets the focus runs OnEnter.
    static void windowFocusSet(GtkWindow*, GtkWidget* focus, gpointer data) {
        auto* c = static_cast<TComboBox*>(data);
        if (!c->combo_ || !c->peerFocused_ || inside(*c, focus)) return;
        c->peerFocused_ = false;
        c->userExit();
    }
    static bool inside(const TComboBox& c, GtkWidget* w) {
        return w && (w == c.combo_ || gtk_widget_is_ancestor(w, c.combo_));
    }
    static void toplevelChanged(GtkWidget* w, GtkWidget*, gpointer data) {
        auto* c = static_cast<TComboBox*>(data);
        GtkWidget* top = gtk_widget_get_toplevel(w);
        if (!GTK_IS_WINDOW(top)) top = nullptr;
        if (top == c->focusWindow_) return;
        disconnect(c->focusWindow_, c);
        c->focusWindow_ = top;
        if (top) connect(top, "set-focus", windowFocusSet, c);
    }
    // Anything else that took the focus away is seen once GTK is done.
    static gboolean focusOut(GtkWidget*, GdkEvent*, gpointer data) {
        queueExitCheck(static_cast<TComboBox*>(data));
        return FALSE;
    }
    static void popupToggled(GObject*, GParamSpec*, gpointer data) {
        queueExitCheck(static_cast<TComboBox*>(data));
    }
    static void queueExitCheck(TComboBox* c) {
        if (c->exitCheckQueued_) return;
        c->exitCheckQueued_ = true;
        Application().atIdleFor(c, [c] {
            c->exitCheckQueued_ = false;
            if (focusLeft(*c)) {
                c->peerFocused_ = false;
                c->userExit();
            }
        });
    }
    static bool focusLeft(const TComboBox& c) {
        if (!c.combo_ || !c.peerFocused_ || popupShown(c)) return false;
        GtkWidget* top = gtk_widget_get_toplevel(c.combo_);
        // A window that lost the focus as a whole takes it back with it.
        if (!GTK_IS_WINDOW(top) || !gtk_window_is_active(GTK_WINDOW(top))) return false;
        return !inside(c, gtk_window_get_focus(GTK_WINDOW(top)));
    }
    // The drop-down button and the entry are internal children of the box.
    static void hookChild(GtkWidget* w, gpointer data) {
        if (!GTK_IS_TOGGLE_BUTTON(w) && !GTK_IS_ENTRY(w)) return;
        connect(w, "event", pressedFirst, data);
        connect(w, "focus-in-event", focusIn, data);
        connect(w, "focus-out-event", focusOut, data);
    }
    static void unhookChild(GtkWidget* w, gpointer data) { disconnect(w, data); }
};

// GTK 2's combo box lays out the text of every entry to size itself, each
// time it shows another entry (some 5 ms for a few hundred); the form gives
// the box its size. So only its first request after a style change is GTK's
// own (which also sizes the drop-down arrow by the font); later ones ask only
// its parts.
static const char* const measuredKey = "vx-measured";

static void formSizedComboRequest(GtkWidget* w, GtkRequisition* req) {
    if (!g_object_get_data(G_OBJECT(w), measuredKey)) {
        g_object_set_data(G_OBJECT(w), measuredKey, w);
        auto* parent = GTK_WIDGET_CLASS(g_type_class_peek(GTK_TYPE_COMBO_BOX_TEXT));
        parent->size_request(w, req);
        return;
    }
    *req = {0, 0};
    gtk_container_forall(
        GTK_CONTAINER(w),
        [](GtkWidget* part, gpointer data) {
            auto* sum = static_cast<GtkRequisition*>(data);
            GtkRequisition r{0, 0};
            gtk_widget_size_request(part, &r);
            sum->width += r.width;
            sum->height = std::max(sum->height, r.height);
        },
        req);
    const int border = int(gtk_container_get_border_width(GTK_CONTAINER(w)));
    req->width += 2 * border;
    req->height += 2 * border;
}

static GType formSizedComboType() {
    static const GType type = g_type_register_static_simple(
        GTK_TYPE_COMBO_BOX_TEXT, "VxFormSizedComboBox", sizeof(GtkComboBoxTextClass),
        [](gpointer cls, gpointer) {
            GTK_WIDGET_CLASS(cls)->size_request = formSizedComboRequest;
            GTK_WIDGET_CLASS(cls)->style_set = [](GtkWidget* w, GtkStyle* old) {
                g_object_set_data(G_OBJECT(w), measuredKey, nullptr);
                auto* parent = GTK_WIDGET_CLASS(g_type_class_peek(GTK_TYPE_COMBO_BOX_TEXT));
                if (parent->style_set) parent->style_set(w, old);
            };
        },
        sizeof(GtkComboBoxText), nullptr, GTypeFlags(0));
    return type;
}

GtkWidget* TComboBox::createWidget() {
    combo_ =
        GTK_WIDGET(g_object_new(formSizedComboType(), "has-entry", gboolean(style_ == csDropDown),
                                "entry-text-column", 0, nullptr));
    // GTK would make the button insensitive while the rows are rebuilt, and
    // so take the focus from it.
    g_object_set(combo_, "button-sensitivity", GTK_SENSITIVITY_ON, nullptr);
    connect(combo_, "changed", ComboPeer::changed, this);
    connect(combo_, "notify::popup-shown", ComboPeer::popupToggled, this);
    connect(combo_, "hierarchy-changed", ComboPeer::toplevelChanged, this);
    gtk_container_forall(GTK_CONTAINER(combo_), ComboPeer::hookChild, this);
    rebuildPending_ = true;
    return combo_;
}

void TComboBox::syncPeer() {
    if (!fontName_.empty()) {
        PangoFontDescription* fd = fontFor(fontName_);
        GList* cells = gtk_cell_layout_get_cells(GTK_CELL_LAYOUT(combo_));
        for (GList* c = cells; c; c = c->next) g_object_set(c->data, "font-desc", fd, nullptr);
        g_list_free(cells);
        pango_font_description_free(fd);
    }
    flushPeer();
}

void TComboBox::flushPeer() {
    if (!combo_) return;
    if (rebuildPending_) {
        if (peerEventDepth_ > 0) {
            if (!rebuildQueued_) {
                rebuildQueued_ = true;
                Application().atIdleFor(this, [this] {
                    rebuildQueued_ = false;
                    if (rebuildPending_) flushPeer();
                });
            }
            return;
        }
        // The open list shows the rows being replaced.
        if (ComboPeer::popupShown(*this)) gtk_combo_box_popdown(GTK_COMBO_BOX(combo_));
        rebuildPending_ = false;
        // A load fills the same entries again: GTK keeps what it holds. Else
        // the rows go into a new store, given to the box once: rows added to
        // its own store one by one cost a menu item and a remeasure each.
        if (peerItems_ != items_.texts()) {
            Blocker block(combo_, this);
            GtkListStore* store = gtk_list_store_new(1, G_TYPE_STRING);
            for (int i = 0; i < items_.Count(); ++i)
                gtk_list_store_insert_with_values(store, nullptr, i, 0, toUtf8(items_[i]).c_str(),
                                                  -1);
            gtk_combo_box_set_model(GTK_COMBO_BOX(combo_), GTK_TREE_MODEL(store));
            g_object_unref(store);
            peerItems_ = items_.texts();
        }
    }
    peerSelection();
}

void TComboBox::peerSelection() {
    if (rebuildPending_) return flushPeer();
    Blocker block(combo_, this);
    if (gtk_combo_box_get_active(GTK_COMBO_BOX(combo_)) != itemIndex_)
        gtk_combo_box_set_active(GTK_COMBO_BOX(combo_), itemIndex_);
    if (GtkEntry* e = ComboPeer::entry(*this)) {
        Blocker blockEntry(e, this);
        gtk_entry_set_text(e, toUtf8(text_).c_str());
    }
}

void TComboBox::peerDetached() {
    if (combo_) gtk_container_forall(GTK_CONTAINER(combo_), ComboPeer::unhookChild, this);
    disconnect(focusWindow_, this);
    focusWindow_ = nullptr;
    combo_ = nullptr;
    peerItems_.clear();
}

// --- TListBox ---

struct ListPeer {
    static GtkTreeSelection* selection(const TListBox& l) {
        return gtk_tree_view_get_selection(GTK_TREE_VIEW(l.view_));
    }
    static int rowAt(const TListBox& l, double x, double y) {
        GtkTreePath* path = nullptr;
        if (!gtk_tree_view_get_path_at_pos(GTK_TREE_VIEW(l.view_), int(x), int(y), &path, nullptr,
                                           nullptr, nullptr))
            return -1;
        const int row = gtk_tree_path_get_indices(path)[0];
        gtk_tree_path_free(path);
        return row;
    }
    // Clicks are ours: the state changes first, then the peer follows.
    static gboolean pressed(GtkWidget* w, GdkEventButton* ev, gpointer data) {
        gboolean handled = TRUE;
        Application().dispatch([&] { handled = press(w, ev, static_cast<TListBox*>(data)); });
        return handled;
    }
    static gboolean press(GtkWidget* w, const GdkEventButton* ev, TListBox* l) {
        if (ev->window != gtk_tree_view_get_bin_window(GTK_TREE_VIEW(w))) return FALSE;
        gtk_widget_grab_focus(w);
        const int row = rowAt(*l, ev->x, ev->y);
        if (ev->button == 3) {
            if (ev->type == GDK_BUTTON_PRESS)
                if (TPopupMenu* m = l->effectivePopupMenu()) m->popup(l);
            return TRUE;
        }
        if (ev->button != 1 || row < 0) return TRUE;
        if (ev->type == GDK_BUTTON_PRESS)
            l->userClick(row, shiftOf(ev->state));
        else if (ev->type == GDK_2BUTTON_PRESS)
            Application().dispatch(l->OnDblClick);
        return TRUE;
    }
    // Keyboard moves change the selection in the widget.
    static void selectionChanged(GtkTreeSelection* sel, gpointer data) {
        auto* l = static_cast<TListBox*>(data);
        Application().dispatch([sel, l] {
            const int n = int(l->selected_.size());
            std::fill(l->selected_.begin(), l->selected_.end(), 0);
            GList* rows = gtk_tree_selection_get_selected_rows(sel, nullptr);
            for (GList* r = rows; r; r = r->next) {
                const int i = gtk_tree_path_get_indices(static_cast<GtkTreePath*>(r->data))[0];
                if (i >= 0 && i < n) l->selected_[i] = 1;
            }
            g_list_free_full(rows, reinterpret_cast<GDestroyNotify>(gtk_tree_path_free));
            GtkTreePath* cursor = nullptr;
            gtk_tree_view_get_cursor(GTK_TREE_VIEW(l->view_), &cursor, nullptr);
            if (cursor) {
                const int i = gtk_tree_path_get_indices(cursor)[0];
                if (i >= 0 && i < n) l->itemIndex_ = l->anchor_ = i;
                gtk_tree_path_free(cursor);
            }
            l->fixItemIndex();
            Application().dispatch(l->OnClick);
        });
    }
    // With use_align the row goes to the top, else only into view. Before GTK
    // has measured the rows it keeps only the last such request.
    static void scrollTo(const TListBox& l, int row, bool toTop) {
        GtkTreePath* p = gtk_tree_path_new_from_indices(row, -1);
        gtk_tree_view_scroll_to_cell(GTK_TREE_VIEW(l.view_), p, nullptr, toTop, 0, 0);
        gtk_tree_path_free(p);
    }
    // A model set again starts at the top, yet GTK keeps the scroll bar
    // where it was: the view then shows the first rows under a scroll bar at
    // the bottom, and a later scroll to that same place changes nothing.
    static void scrollBarToTop(const TListBox& l) {
        GtkAdjustment* v = gtk_tree_view_get_vadjustment(GTK_TREE_VIEW(l.view_));
        gtk_adjustment_set_value(v, 0);
        gtk_adjustment_value_changed(v);
    }
    // After GTK's own idle work (sizing, measuring the rows, placing a row
    // asked for): the top row is where it was asked, so a row selected since
    // comes into view from there.
    static gboolean placed(gpointer data) {
        auto* l = static_cast<TListBox*>(data);
        l->placedIdle_ = 0;
        l->topPlacing_ = false;
        if (l->revealAfterTop_ && l->itemIndex_ >= 0 && l->itemIndex_ < l->items_.Count())
            scrollTo(*l, l->itemIndex_, false);
        l->revealAfterTop_ = false;
        return G_SOURCE_REMOVE;
    }
};

GtkWidget* TListBox::createWidget() {
    GtkWidget* sw = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(sw), GTK_POLICY_AUTOMATIC,
                                   GTK_POLICY_AUTOMATIC);
    gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(sw), GTK_SHADOW_IN);
    GtkListStore* store = gtk_list_store_new(1, G_TYPE_STRING);
    view_ = gtk_tree_view_new_with_model(GTK_TREE_MODEL(store));
    g_object_unref(store);
    gtk_tree_view_set_headers_visible(GTK_TREE_VIEW(view_), FALSE);
    gtk_tree_view_insert_column_with_attributes(GTK_TREE_VIEW(view_), -1, "",
                                                gtk_cell_renderer_text_new(), "text", 0, nullptr);
    gtk_container_add(GTK_CONTAINER(sw), view_);
    gtk_widget_show(view_);
    connect(view_, "button-press-event", ListPeer::pressed, this);
    connect(ListPeer::selection(*this), "changed", ListPeer::selectionChanged, this);
    rebuildPending_ = true;
    topIndexPending_ = topIndex_ > 0;
    return sw;
}

void TListBox::syncPeer() {
    if (!fontName_.empty()) {
        PangoFontDescription* fd = fontFor(fontName_);
        gtk_widget_modify_font(view_, fd);
        pango_font_description_free(fd);
    }
    {
        Blocker block(ListPeer::selection(*this), this);
        gtk_tree_selection_set_mode(ListPeer::selection(*this),
                                    multiSelect_ ? GTK_SELECTION_MULTIPLE : GTK_SELECTION_SINGLE);
    }
    flushPeer();
}

void TListBox::flushPeer() {
    if (!view_) return;
    if (rebuildPending_) {
        rebuildPending_ = false;
        Blocker block(ListPeer::selection(*this), this);
        GtkTreeView* tv = GTK_TREE_VIEW(view_);
        GtkListStore* store = GTK_LIST_STORE(gtk_tree_view_get_model(tv));
        g_object_ref(store);
        gtk_tree_view_set_model(tv, nullptr); // refill detached: one view update
        gtk_list_store_clear(store);
        for (int i = 0; i < items_.Count(); ++i)
            gtk_list_store_insert_with_values(store, nullptr, i, 0, toUtf8(items_[i]).c_str(), -1);
        gtk_tree_view_set_model(tv, GTK_TREE_MODEL(store));
        g_object_unref(store);
        ListPeer::scrollBarToTop(*this);
    }
    peerSelection();
}

void TListBox::peerSelection() {
    if (rebuildPending_) return flushPeer();
    GtkTreeSelection* sel = ListPeer::selection(*this);
    Blocker block(sel, this);
    // Keys move from GTK's cursor: it goes to the current row (which selects
    // that row alone), then the marks are set.
    if (itemIndex_ >= 0) {
        GtkTreePath* p = gtk_tree_path_new_from_indices(itemIndex_, -1);
        gtk_tree_view_set_cursor(GTK_TREE_VIEW(view_), p, nullptr, FALSE);
        gtk_tree_path_free(p);
    }
    gtk_tree_selection_unselect_all(sel);
    for (int i = 0; i < int(selected_.size()); ++i) {
        if (!selected_[i]) continue;
        GtkTreePath* p = gtk_tree_path_new_from_indices(i, -1);
        gtk_tree_selection_select_path(sel, p);
        gtk_tree_path_free(p);
    }
    peerScroll();
}

// The top row asked for wins over the scroll of a selection made before it;
// a selection made after it comes into view once the top row is placed (the
// cursor moved above scrolls too, so the top row is asked for again).
void TListBox::peerScroll() {
    const bool show = std::exchange(selectionToShow_, false);
    if (topIndexPending_) {
        topIndexPending_ = false;
        topPlacing_ = true;
        revealAfterTop_ = false;
        if (!placedIdle_)
            placedIdle_ = g_idle_add_full(G_PRIORITY_DEFAULT_IDLE, ListPeer::placed, this, nullptr);
    }
    if (topPlacing_) {
        if (topIndex_ < items_.Count()) ListPeer::scrollTo(*this, topIndex_, true);
        revealAfterTop_ = revealAfterTop_ || show;
    } else if (itemIndex_ >= 0) {
        ListPeer::scrollTo(*this, itemIndex_, false);
    }
}

int TListBox::peerTopIndex() const {
    GtkTreePath *start = nullptr, *end = nullptr;
    if (!gtk_tree_view_get_visible_range(GTK_TREE_VIEW(view_), &start, &end)) return topIndex_;
    const int top = gtk_tree_path_get_indices(start)[0];
    gtk_tree_path_free(start);
    gtk_tree_path_free(end);
    return top;
}

TListBox::~TListBox() {
    if (placedIdle_) g_source_remove(placedIdle_);
}

void TListBox::peerDetached() {
    if (placedIdle_) g_source_remove(placedIdle_);
    placedIdle_ = 0;
    topPlacing_ = revealAfterTop_ = false;
    if (view_) {
        disconnect(ListPeer::selection(*this), this);
        disconnect(view_, this);
    }
    view_ = nullptr;
}

} // namespace vx::ui
