// Internal to the GTK binding: helpers the gtk_*.cpp files share.
#pragma once

#include "ui/textcodec.h"
#include "ui/textmetrics.h"
#include "ui/types.h"

#include <functional>
#include <gtk/gtk.h>
#include <string>

namespace vx::ui {
class TControl;
}

namespace vx::ui::gtk {

bool openDisplay(int& argc, char**& argv);
void runLoop();
void quitLoop();
void processPending();
// Size of the default screen in pixels.
TPoint screenSize();
// Runs fn once when the loop is idle, before repainting; the id cancels it.
unsigned atIdle(std::function<void()> fn);
void cancelIdle(unsigned id);
void installDialogs();
// Test support: with VX_GTK_STATE_FILE set, writes what the widgets hold there.
void startWidgetDumpIfAsked();
// The window of the visible form that has the focus, or nullptr.
GtkWindow* activeWindow();

TShiftState shiftOf(guint state);
TMouseButton buttonOf(guint button);
// What a control of that kind needs to show text in font (see neededSize).
TPoint measuredSize(TextBox kind, const std::string& text, const std::string& font);

// A Pango font description for a family name such as "Courier New" or
// "Courier New Bold" at 10 points; Courier families fall back to monospace.
// The caller frees it with pango_font_description_free.
PangoFontDescription* fontFor(const std::string& name);

// Blocks every handler the control connected on instance (with the control as
// data) while the program mirrors its state into the widget.
class Blocker {
public:
    Blocker(gpointer instance, const void* control);
    ~Blocker();
    Blocker(const Blocker&) = delete;
    Blocker& operator=(const Blocker&) = delete;

private:
    gpointer instance_;
    gpointer data_;
};

// Whether a focus change of w is one between controls (OnEnter / OnExit), and
// not the window losing or regaining the focus as a whole (a dialog, another
// program). control keys the memory of a focus that left with its window.
bool focusMovedWithinWindow(GtkWidget* w, bool in, const void* control);

// Runs fn; what it throws is shown in the error dialog once the loop is idle
// (for exposes and allocations: a dialog run inside them is never painted).
void reportingLater(TControl* control, const std::function<void()>& fn);

// Paints an exposed area of w through a client-side surface, sent to the
// window in one upload (painting straight onto the window would send whole
// pictures to the X server). paint gets a context cleared to w's background
// and clipped to the area, whose origin is the area's top-left corner.
void paintExposedArea(GtkWidget* w, const GdkEventExpose* ev,
                      const std::function<void(cairo_t*, const GdkRectangle&)>& paint);

// A text changed in the widget. GTK may change it in steps (typing over a
// selection deletes, then inserts): once it is done, handler runs if text then
// differs from reported, the text the last handler saw. queued, text, reported
// and handler belong to control.
void textChangedInPeer(TControl* control, bool& queued, const std::string& text,
                       std::string& reported, const std::function<void()>& handler);

// Disconnects every handler with data on instance.
void disconnect(gpointer instance, const void* data);

// Connects a signal with the control as data.
template <class F>
gulong connect(gpointer instance, const char* signal, F fn, const void* control) {
    return g_signal_connect(instance, signal, G_CALLBACK(fn), const_cast<void*>(control));
}

} // namespace vx::ui::gtk
