// Internal to the GTK binding: helpers the gtk_*.cpp files share.
#pragma once

#include "ui/types.h"

#include <functional>
#include <gtk/gtk.h>
#include <string>

namespace vx::ui::gtk {

bool openDisplay(int& argc, char**& argv);
void runLoop();
void quitLoop();
void processPending();
// Size of the default screen in pixels.
TPoint screenSize();
// Runs fn once when the loop is idle, before repainting.
void atIdle(std::function<void()> fn);
void installDialogs();
// The window of the visible form that has the focus, or nullptr.
GtkWindow* activeWindow();

TShiftState shiftOf(guint state);
// Texts of the program are 8-bit (Latin-1); GTK wants UTF-8.
std::string toUtf8(const std::string& text);
std::string fromUtf8(const char* text);
TMouseButton buttonOf(guint button);

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

// Disconnects every handler with data on instance.
void disconnect(gpointer instance, const void* data);

// Connects a signal with the control as data.
template <class F>
gulong connect(gpointer instance, const char* signal, F fn, const void* control) {
    return g_signal_connect(instance, signal, G_CALLBACK(fn), const_cast<void*>(control));
}

} // namespace vx::ui::gtk
