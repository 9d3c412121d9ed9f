// With VX_GTK_STATE_FILE set, what the GTK widgets themselves hold is written
// there a few times a second: the rows a tree view has selected and shows and
// where its scroll bar stands, a text view's buffer, label and entry texts,
// the room a combo box's shown entry needs and has, the scroll bars a
// scrolled window shows, and where each widget is in its window. It reads the
// widgets only, never the controls, so end-to-end tests can check that the
// peers show what the controls hold.
#include "gtk_peer.h"
#include "support/errors.h"
#include "support/fileio.h"

#include <cstdlib>
#include <memory>
#include <string>

namespace vx::ui::gtk {

namespace {

using Text = std::unique_ptr<gchar, decltype(&g_free)>;

std::string escaped(const char* s) {
    std::string out;
    for (; s && *s; ++s) out += *s == '\n' ? std::string("\\n") : std::string(1, *s);
    return out;
}

// The name the program gave a widget; GTK answers the type name otherwise.
bool named(GtkWidget* w) {
    return gtk_widget_get_name(w) != std::string(G_OBJECT_TYPE_NAME(w));
}

void treeView(GtkTreeView* tv, const std::string& key, std::string& out) {
    GtkTreeModel* model = gtk_tree_view_get_model(tv);
    out += key +
           "rows=" + std::to_string(model ? gtk_tree_model_iter_n_children(model, nullptr) : 0) +
           "\n";
    std::string rows, firstText;
    GList* sel = gtk_tree_selection_get_selected_rows(gtk_tree_view_get_selection(tv), nullptr);
    for (GList* r = sel; r; r = r->next) {
        auto* path = static_cast<GtkTreePath*>(r->data);
        rows += (rows.empty() ? "" : " ") + std::to_string(gtk_tree_path_get_indices(path)[0]);
        GtkTreeIter it;
        if (r == sel && gtk_tree_model_get_iter(model, &it, path)) {
            gchar* s = nullptr;
            gtk_tree_model_get(model, &it, 0, &s, -1);
            firstText = escaped(s);
            g_free(s);
        }
    }
    g_list_free_full(sel, reinterpret_cast<GDestroyNotify>(gtk_tree_path_free));
    out += key + "selected=" + rows + "\n";
    out += key + "selectedText=" + firstText + "\n";
    GtkTreePath *start = nullptr, *end = nullptr;
    if (gtk_tree_view_get_visible_range(tv, &start, &end)) {
        out += key + "visibleRows=" + std::to_string(gtk_tree_path_get_indices(start)[0]) + " " +
               std::to_string(gtk_tree_path_get_indices(end)[0]) + "\n";
        gtk_tree_path_free(start);
        gtk_tree_path_free(end);
    }
    // Where the scroll bar stands, and a row's height: the row at its top
    // must be the first row shown.
    GtkAdjustment* v = gtk_tree_view_get_vadjustment(tv);
    GdkRectangle row{};
    if (model && gtk_tree_model_iter_n_children(model, nullptr) > 0) {
        GtkTreePath* first = gtk_tree_path_new_first();
        gtk_tree_view_get_background_area(tv, first, nullptr, &row);
        gtk_tree_path_free(first);
    }
    out += key + "scroll=" + std::to_string(int(gtk_adjustment_get_value(v))) + " " +
           std::to_string(int(gtk_adjustment_get_upper(v))) + " " +
           std::to_string(int(gtk_adjustment_get_page_size(v))) + " " + std::to_string(row.height) +
           "\n";
}

void describe(GtkWidget* w, GtkWidget* top, std::string key, std::string& out) {
    if (w != top && named(w)) {
        key = key.substr(0, key.find('.') + 1) + gtk_widget_get_name(w) + ".";
        int x = 0, y = 0;
        GtkAllocation a;
        gtk_widget_get_allocation(w, &a);
        gtk_widget_translate_coordinates(w, top, 0, 0, &x, &y);
        out += key + "geom=" + std::to_string(x) + " " + std::to_string(y) + " " +
               std::to_string(a.width) + " " + std::to_string(a.height) + "\n";
        out += key + "mapped=" + std::to_string(gtk_widget_get_mapped(w) ? 1 : 0) + "\n";
        // A scrolled child gets at least the view's room, but shows its asked size.
        int rw = -1, rh = -1;
        gtk_widget_get_size_request(w, &rw, &rh);
        out += key + "request=" + std::to_string(rw) + " " + std::to_string(rh) + "\n";
    }
    if (GTK_IS_TREE_VIEW(w)) {
        treeView(GTK_TREE_VIEW(w), key, out);
    } else if (GTK_IS_TEXT_VIEW(w)) {
        GtkTextBuffer* buf = gtk_text_view_get_buffer(GTK_TEXT_VIEW(w));
        GtkTextIter a, b;
        gtk_text_buffer_get_bounds(buf, &a, &b);
        const Text t(gtk_text_buffer_get_text(buf, &a, &b, FALSE), g_free);
        out += key + "text=" + escaped(t.get()) + "\n";
    } else if (GTK_IS_LABEL(w)) {
        out += key + "text=" + escaped(gtk_label_get_text(GTK_LABEL(w))) + "\n";
    } else if (GTK_IS_ENTRY(w)) {
        out += key + "text=" + escaped(gtk_entry_get_text(GTK_ENTRY(w))) + "\n";
    } else if (GTK_IS_TOGGLE_BUTTON(w)) {
        out += key +
               "active=" + std::to_string(gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(w))) +
               "\n";
    } else if (GTK_IS_RANGE(w)) {
        out += key + "value=" + std::to_string(gtk_range_get_value(GTK_RANGE(w))) + "\n";
    }
    if (GTK_IS_SCROLLED_WINDOW(w)) {
        // A bar shows when what the window holds does not fit it.
        auto shown = [](GtkWidget* bar) { return bar && gtk_widget_get_visible(bar) ? "1" : "0"; };
        GtkScrolledWindow* sw = GTK_SCROLLED_WINDOW(w);
        out += key + "scrollBars=" + shown(gtk_scrolled_window_get_hscrollbar(sw)) + " " +
               shown(gtk_scrolled_window_get_vscrollbar(sw)) + "\n";
    }
    if (GTK_IS_COMBO_BOX(w)) {
        out += key + "active=" + std::to_string(gtk_combo_box_get_active(GTK_COMBO_BOX(w))) + "\n";
        // What the shown entry needs and the room it has: less room cuts it.
        GtkWidget* shown = gtk_bin_get_child(GTK_BIN(w));
        if (shown && GTK_IS_CELL_VIEW(shown)) {
            GtkRequisition need{0, 0};
            gtk_widget_size_request(shown, &need);
            GtkAllocation has;
            gtk_widget_get_allocation(shown, &has);
            out += key + "textRoom=" + std::to_string(need.width) + " " +
                   std::to_string(has.width) + "\n";
        }
    }
    if (!GTK_IS_CONTAINER(w)) return;
    GList* kids = gtk_container_get_children(GTK_CONTAINER(w));
    for (GList* k = kids; k; k = k->next) describe(GTK_WIDGET(k->data), top, key, out);
    g_list_free(kids);
}

gboolean writeDump(gpointer data) {
    const auto* path = static_cast<const std::string*>(data);
    static std::string last;
    std::string out;
    GList* tops = gtk_window_list_toplevels();
    for (GList* t = tops; t; t = t->next) {
        GtkWidget* w = GTK_WIDGET(t->data);
        if (!gtk_widget_get_visible(w) || !named(w)) continue;
        describe(w, w, std::string(gtk_widget_get_name(w)) + ".", out);
    }
    g_list_free(tops);
    if (out == last) return G_SOURCE_CONTINUE;
    // Whole or not at all, through the one writer, as the control-state file;
    // a dump that cannot be written is tried again at the next tick.
    try {
        writeFileAtomic(*path, out);
        last = std::move(out);
    } catch (const Error&) {
    }
    return G_SOURCE_CONTINUE;
}

} // namespace

void startWidgetDumpIfAsked() {
    const char* path = std::getenv("VX_GTK_STATE_FILE");
    if (!path || !*path) return;
    g_timeout_add(100, writeDump, new std::string(path));
}

} // namespace vx::ui::gtk
