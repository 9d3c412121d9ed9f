// The event loop and small helpers of the GTK binding.
#include "application.h"
#include "gtk_peer.h"

#include <exception>
#include <memory>
#include <unordered_set>

namespace vx::ui::gtk {

namespace {

// A hint window passes the pointer through to what lies under it: shown
// beside the pointer, it would otherwise take the moves of a drag on the view
// (the view then sees the pointer leave, and the object stops following).
gboolean hintTakesNoPointer(GSignalInvocationHint*, guint, const GValue* params, gpointer) {
    GtkWidget* w = GTK_WIDGET(g_value_get_object(&params[0]));
    if (GTK_IS_WINDOW(w) && g_strcmp0(gtk_widget_get_name(w), "gtk-tooltip") == 0)
        if (GdkWindow* win = gtk_widget_get_window(w)) {
            GdkRegion* none = gdk_region_new();
            gdk_window_input_shape_combine_region(win, none, 0, 0);
            gdk_region_destroy(none);
        }
    return TRUE; // for every hint that maps
}

} // namespace

bool openDisplay(int& argc, char**& argv) {
    if (!gtk_init_check(&argc, &argv)) return false;
    gpointer widgetClass = g_type_class_ref(GTK_TYPE_WIDGET); // makes its signals known
    g_signal_add_emission_hook(g_signal_lookup("map", GTK_TYPE_WIDGET), 0, hintTakesNoPointer,
                               nullptr, nullptr);
    g_type_class_unref(widgetClass);
    return true;
}

void runLoop() {
    gtk_main();
}

void quitLoop() {
    if (gtk_main_level() > 0) gtk_main_quit();
}

void processPending() {
    while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
}

TPoint screenSize() {
    return {gdk_screen_width(), gdk_screen_height()};
}

unsigned atIdle(std::function<void()> fn) {
    auto* heap = new std::function<void()>(std::move(fn));
    return g_idle_add_full(
        G_PRIORITY_HIGH_IDLE,
        [](gpointer data) -> gboolean {
            // No exception may cross GTK's C frames.
            Application().dispatch(*static_cast<std::function<void()>*>(data));
            return G_SOURCE_REMOVE;
        },
        heap, [](gpointer data) { delete static_cast<std::function<void()>*>(data); });
}

void cancelIdle(unsigned id) {
    g_source_remove(id);
}

GtkWindow* activeWindow() {
    GList* all = gtk_window_list_toplevels();
    GtkWindow* found = nullptr;
    for (GList* l = all; l; l = l->next) {
        auto* w = GTK_WINDOW(l->data);
        if (gtk_window_is_active(w) && gtk_widget_get_visible(GTK_WIDGET(w))) found = w;
    }
    g_list_free(all);
    return found;
}

TShiftState shiftOf(guint state) {
    TShiftState s;
    s.shift = state & GDK_SHIFT_MASK;
    s.ctrl = state & GDK_CONTROL_MASK;
    s.alt = state & GDK_MOD1_MASK;
    s.left = state & GDK_BUTTON1_MASK;
    s.middle = state & GDK_BUTTON2_MASK;
    s.right = state & GDK_BUTTON3_MASK;
    return s;
}

PangoFontDescription* fontFor(const std::string& name) {
    // Courier New is often missing; fontconfig then takes the monospace family.
    const size_t space = name.find(" Bold");
    std::string family = space == std::string::npos ? name : name.substr(0, space);
    const std::string style = space == std::string::npos ? "" : " Bold";
    if (family.rfind("Courier", 0) == 0) family += ", monospace";
    return pango_font_description_from_string((family + style + " 10").c_str());
}

TMouseButton buttonOf(guint button) {
    return button == 3 ? mbRight : button == 2 ? mbMiddle : mbLeft;
}

Blocker::Blocker(gpointer instance, const void* control)
    : instance_(instance), data_(const_cast<void*>(control)) {
    if (instance_)
        g_signal_handlers_block_matched(instance_, G_SIGNAL_MATCH_DATA, 0, 0, nullptr, nullptr,
                                        data_);
}

Blocker::~Blocker() {
    if (instance_)
        g_signal_handlers_unblock_matched(instance_, G_SIGNAL_MATCH_DATA, 0, 0, nullptr, nullptr,
                                          data_);
}

bool focusMovedWithinWindow(GtkWidget* w, bool in, const void* control) {
    static std::unordered_set<const void*> leftWithWindow;
    GtkWidget* top = gtk_widget_get_toplevel(w);
    const bool active = GTK_IS_WINDOW(top) && gtk_window_is_active(GTK_WINDOW(top));
    if (!in) {
        if (active) return true;
        leftWithWindow.insert(control);
        return false;
    }
    return leftWithWindow.erase(control) == 0;
}

void reportingLater(TControl* control, const std::function<void()>& fn) {
    try {
        fn();
    } catch (...) {
        Application().atIdleFor(control,
                                [e = std::current_exception()] { std::rethrow_exception(e); });
    }
}

void textChangedInPeer(TControl* control, bool& queued, const std::string& text,
                       std::string& reported, const std::function<void()>& handler) {
    if (queued) return;
    queued = true;
    Application().atIdleFor(control, [&queued, &text, &reported, &handler] {
        queued = false;
        if (text == reported) return;
        reported = text;
        Application().dispatch(handler);
    });
}

void disconnect(gpointer instance, const void* data) {
    if (instance)
        g_signal_handlers_disconnect_matched(instance, G_SIGNAL_MATCH_DATA, 0, 0, nullptr, nullptr,
                                             const_cast<void*>(data));
}

} // namespace vx::ui::gtk
