// Measures text the way the controls' widgets show it: a throwaway widget of
// the kind is asked for the size it wants, or the text is laid out in the
// widget's font and the widget's frame added.
#include "gtk_peer.h"
#include "textmetrics.h"

#include <algorithm>
#include <memory>

namespace vx::ui::gtk {

namespace {

struct Throwaway {
    explicit Throwaway(GtkWidget* w) : widget(w) { g_object_ref_sink(w); }
    ~Throwaway() {
        gtk_widget_destroy(widget);
        g_object_unref(widget);
    }
    Throwaway(const Throwaway&) = delete;
    Throwaway& operator=(const Throwaway&) = delete;
    TPoint request() const {
        GtkRequisition r{0, 0};
        gtk_widget_size_request(widget, &r);
        return {r.width, r.height};
    }
    GtkWidget* widget;
};

using Font = std::unique_ptr<PangoFontDescription, decltype(&pango_font_description_free)>;

Font fontOf(const std::string& name) {
    return Font(name.empty() ? nullptr : fontFor(name), pango_font_description_free);
}

// The text laid out in w's font, or in font when one is named.
TPoint textExtent(GtkWidget* w, const std::string& text, const std::string& font) {
    PangoLayout* layout = gtk_widget_create_pango_layout(w, toUtf8(text).c_str());
    if (const Font fd = fontOf(font); fd) pango_layout_set_font_description(layout, fd.get());
    int width = 0, height = 0;
    pango_layout_get_pixel_size(layout, &width, &height);
    g_object_unref(layout);
    return {width, height};
}

void setFont(GtkWidget* w, const std::string& font) {
    if (const Font fd = fontOf(font); fd) gtk_widget_modify_font(w, fd.get());
}

TPoint captioned(GtkWidget* w, const std::string& font) {
    Throwaway t(w);
    if (GtkWidget* child = gtk_bin_get_child(GTK_BIN(w))) setFont(child, font);
    return t.request();
}

TPoint combo(const std::string& text, const std::string& font) {
    Throwaway t(gtk_combo_box_text_new());
    gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(t.widget), toUtf8(text).c_str());
    gtk_combo_box_set_active(GTK_COMBO_BOX(t.widget), 0);
    if (const Font fd = fontOf(font); fd) {
        GList* cells = gtk_cell_layout_get_cells(GTK_CELL_LAYOUT(t.widget));
        for (GList* c = cells; c; c = c->next)
            g_object_set(c->data, "font-desc", fd.get(), nullptr);
        g_list_free(cells);
    }
    return t.request();
}

TPoint entryCombo(const std::string& text, const std::string& font) {
    // An entry asks for its width in characters; only its frame counts here.
    Throwaway t(gtk_combo_box_text_new_with_entry());
    GtkWidget* edit = gtk_bin_get_child(GTK_BIN(t.widget));
    gtk_entry_set_width_chars(GTK_ENTRY(edit), 0);
    const TPoint frame = t.request();
    const TPoint ext = textExtent(edit, text, font);
    return {frame.X + ext.X + 2, std::max(frame.Y, ext.Y)};
}

TPoint edit(const std::string& text, const std::string& font) {
    Throwaway t(gtk_entry_new());
    gtk_entry_set_width_chars(GTK_ENTRY(t.widget), 0);
    const TPoint frame = t.request();
    const TPoint ext = textExtent(t.widget, text, font);
    return {frame.X + ext.X + 2, frame.Y};
}

// A scrolled window's frame and a vertical scroll bar beside what it holds.
TPoint scrolledFrame() {
    Throwaway sw(gtk_scrolled_window_new(nullptr, nullptr));
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(sw.widget), GTK_POLICY_NEVER,
                                   GTK_POLICY_NEVER);
    gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(sw.widget), GTK_SHADOW_IN);
    // Empty and scrollable, as a scrolled window's child must be.
    GtkWidget* empty = gtk_layout_new(nullptr, nullptr);
    gtk_container_add(GTK_CONTAINER(sw.widget), empty);
    const TPoint frame = sw.request();
    GtkWidget* bar = gtk_scrolled_window_get_vscrollbar(GTK_SCROLLED_WINDOW(sw.widget));
    GtkRequisition b{0, 0};
    if (bar) gtk_widget_size_request(bar, &b);
    gint spacing = 0;
    gtk_widget_style_get(sw.widget, "scrollbar-spacing", &spacing, nullptr);
    return {frame.X + b.width + spacing, frame.Y};
}

TPoint list(const std::string& text, const std::string& font) {
    Throwaway view(gtk_tree_view_new());
    GtkCellRenderer* cell = gtk_cell_renderer_text_new();
    g_object_ref_sink(cell);
    if (const Font fd = fontOf(font); fd) g_object_set(cell, "font-desc", fd.get(), nullptr);
    gint hsep = 0, vsep = 0, focus = 0;
    gtk_widget_style_get(view.widget, "horizontal-separator", &hsep, "vertical-separator", &vsep,
                         "focus-line-width", &focus, nullptr);
    int widest = 0, height = 0;
    size_t start = 0;
    do {
        const size_t end = text.find('\n', start);
        const std::string row = text.substr(start, end == std::string::npos ? end : end - start);
        g_object_set(cell, "text", toUtf8(row).c_str(), nullptr);
        gint w = 0, h = 0;
        gtk_cell_renderer_get_size(cell, view.widget, nullptr, nullptr, nullptr, &w, &h);
        widest = std::max(widest, w + hsep + 2 * focus);
        height += h + vsep + 2 * focus;
        start = end == std::string::npos ? end : end + 1;
    } while (start != std::string::npos);
    g_object_unref(cell);
    const TPoint frame = scrolledFrame();
    return {widest + frame.X, height + frame.Y};
}

TPoint memo(const std::string& text, const std::string& font) {
    Throwaway view(gtk_text_view_new());
    const TPoint ext = textExtent(view.widget, text, font);
    const TPoint frame = scrolledFrame();
    // The text view's cursor takes a pixel beyond the widest line.
    return {ext.X + frame.X + 2, ext.Y + frame.Y};
}

} // namespace

TPoint measuredSize(TextBox kind, const std::string& text, const std::string& font) {
    switch (kind) {
    case TextBox::label: {
        Throwaway t(gtk_label_new(toUtf8(text).c_str()));
        setFont(t.widget, font);
        return t.request();
    }
    case TextBox::button:
        return captioned(gtk_button_new_with_label(toUtf8(text).c_str()), font);
    case TextBox::check:
        return captioned(gtk_check_button_new_with_label(toUtf8(text).c_str()), font);
    case TextBox::combo:
        return combo(text, font);
    case TextBox::entryCombo:
        return entryCombo(text, font);
    case TextBox::edit:
        return edit(text, font);
    case TextBox::list:
        return list(text, font);
    case TextBox::memo:
        return memo(text, font);
    }
    return {0, 0};
}

} // namespace vx::ui::gtk
