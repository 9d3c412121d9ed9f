// A private X server with the real program running on it, and the few X
// operations the end-to-end tests need: find a window, look at it, click.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace e2e {

// Kept opaque so the X headers' macros stay out of the tests.
using Window = unsigned long;
struct Connection;

class XServer {
public:
    // Starts Xvfb on a free display with a screen of that size and connects to it.
    explicit XServer(int width = 1600, int height = 1000);
    ~XServer(); // disconnects and stops the server
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    const std::string& name() const { return name_; }
    int pid() const { return pid_; }

    // The first top-level window whose title is `title` other than `except`,
    // waiting up to `wait`.
    Window findWindow(const std::string& title, std::chrono::milliseconds wait, Window except = 0);
    // Screen rectangles {x, y, width, height} of the mapped pop-up windows
    // (override-redirect: menus, hints), topmost first.
    std::vector<std::vector<int>> popups();
    // Position of a window's client area on the screen.
    void origin(Window w, int& x, int& y, int& width, int& height);
    // A screenshot of a screen rectangle as 0xRRGGBB pixels.
    std::vector<uint32_t> grab(int x, int y, int width, int height);
    // Moves the pointer there and clicks the button (1 left, 2 middle, 3 right).
    void click(int x, int y, int button = 1);
    // Moves the pointer there and lets the program see it arrive.
    void moveTo(int x, int y);
    // Presses and releases the button where the pointer is, at once.
    void clickHere(int button = 1);
    // Presses and releases the key of an X key symbol name ("Up", "Page_Down").
    void key(const std::string& keysym);
    // Two left clicks there, close enough together for a double click.
    void doubleClick(int x, int y);
    // Turns the wheel there by `notches` (button 4 away from the user, 5 towards),
    // holding Ctrl when asked.
    void wheel(int x, int y, int button, int notches, bool ctrl = false);

private:
    void start(); // one Xvfb; conn_ set when it could be reached
    void stop();
    int width_, height_;
    int pid_ = -1;
    std::string name_;
    Connection* conn_ = nullptr;
};

// The program under test, started in `folder` on the given display. With
// gtkStateFile it also writes there what its GTK widgets hold (VX_GTK_STATE_FILE);
// env adds variables (such as FONTCONFIG_FILE) to its environment.
class Program {
public:
    Program(const std::string& exe, const std::string& folder, const std::string& display,
            const std::string& stateFile, const std::string& gtkStateFile = "",
            const std::map<std::string, std::string>& env = {});
    ~Program(); // kills it if still running
    // Waits for the exit; returns its status code, or -1 on timeout or a signal.
    int wait(std::chrono::milliseconds limit);
    bool running();
    int pid() const { return pid_; }

private:
    void start(); // one Xvfb; conn_ set when it could be reached
    void stop();
    int width_, height_;
    int pid_ = -1;
    int status_ = -1;
};

// Lines "form.control.property=value" that the program writes after each event
// when VX_STATE_FILE names a file.
std::map<std::string, std::string> readState(const std::string& path);
// Waits until the state file holds key (optionally with that value).
bool waitForState(const std::string& path, const std::string& key, const std::string& value,
                  std::chrono::milliseconds limit);

// The X clipboard's text, or "" when nobody offers one within a few seconds.
std::string clipboardText(const std::string& display);

// Polls done until it holds or the limit passes.
bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit);

// A new folder named after tag with the demo data the generator makes and a
// copy of the program.
std::string makeDemoFolder(const std::string& tag, const std::string& generator,
                           const std::string& program);

void writePng(const std::string& path, const std::vector<uint32_t>& px, int w, int h);
// Number of distinct colours, a cheap test that a picture is not blank.
size_t distinctColours(const std::vector<uint32_t>& px);

} // namespace e2e
