#include "xsession.h"

#include <X11/Xlib.h>

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <gdk-pixbuf/gdk-pixbuf.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace e2e {

struct Connection {
    Display* dpy;
};

using namespace std::chrono_literals;

std::string makeDemoFolder(const std::string& tag, const std::string& generator,
                           const std::string& program) {
    namespace fs = std::filesystem;
    const fs::path d = fs::temp_directory_path() / (tag + "-" + std::to_string(getpid()));
    fs::create_directories(d);
    const std::string cmd = generator + " " + d.string() + " > /dev/null";
    if (std::system(cmd.c_str()) != 0) throw std::runtime_error("demo data failed");
    fs::copy_file(program, d / "vexton", fs::copy_options::overwrite_existing);
    return d.string();
}

XServer::XServer(int width, int height) : width_(width), height_(height) {
    // Servers started at the same moment (other test runs on the machine) can
    // race for one display number; the loser exits, so start another.
    for (int attempt = 0; attempt < 5 && !conn_; ++attempt) {
        if (attempt > 0) stop();
        start();
    }
    if (!conn_) throw std::runtime_error("cannot connect to " + name_);
}

void XServer::start() {
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe");
    pid_ = fork();
    if (pid_ == 0) {
        close(fds[0]);
        std::string fd = std::to_string(fds[1]);
        const std::string screen = std::to_string(width_) + "x" + std::to_string(height_) + "x24";
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(),
               "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    char buf[32] = {};
    ssize_t n = read(fds[0], buf, sizeof buf - 1);
    close(fds[0]);
    if (n <= 0) return;
    name_ = ":" + std::string(buf, static_cast<size_t>(n));
    while (!name_.empty() && (name_.back() == '\n' || name_.back() == ' ')) name_.pop_back();
    Display* d = nullptr;
    for (int i = 0; i < 100 && !d; ++i) {
        if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
            pid_ = -1; // the server gave up
            return;
        }
        d = XOpenDisplay(name_.c_str());
        if (!d) std::this_thread::sleep_for(50ms);
    }
    if (!d) return;
    conn_ = new Connection{d};
    // A server that lost the race may still have let us reach the winner.
    std::this_thread::sleep_for(100ms);
    if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
        pid_ = -1;
        stop();
    }
}

void XServer::stop() {
    if (conn_) {
        XCloseDisplay(conn_->dpy);
        delete conn_;
        conn_ = nullptr;
    }
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
}

XServer::~XServer() {
    stop();
}

namespace {
Window search(Display* d, Window w, const std::string& title, Window except) {
    char* name = nullptr;
    if (XFetchName(d, w, &name) && name) {
        bool hit = title == name && w != except;
        XFree(name);
        if (hit) {
            XWindowAttributes a;
            if (XGetWindowAttributes(d, w, &a) && a.map_state == IsViewable) return w;
        }
    }
    Window root, parent, *kids = nullptr;
    unsigned n = 0;
    if (!XQueryTree(d, w, &root, &parent, &kids, &n)) return 0;
    Window found = 0;
    for (unsigned i = 0; i < n && !found; ++i) found = search(d, kids[i], title, except);
    if (kids) XFree(kids);
    return found;
}
} // namespace

Window XServer::findWindow(const std::string& title, std::chrono::milliseconds wait,
                           Window except) {
    auto end = std::chrono::steady_clock::now() + wait;
    do {
        if (Window w = search(conn_->dpy, DefaultRootWindow(conn_->dpy), title, except)) return w;
        std::this_thread::sleep_for(50ms);
    } while (std::chrono::steady_clock::now() < end);
    return 0;
}

std::vector<std::vector<int>> XServer::popups() {
    std::vector<std::vector<int>> out;
    Window root, parent, *kids = nullptr;
    unsigned n = 0;
    if (!XQueryTree(conn_->dpy, DefaultRootWindow(conn_->dpy), &root, &parent, &kids, &n))
        return out;
    for (unsigned i = n; i-- > 0;) {
        XWindowAttributes a;
        if (XGetWindowAttributes(conn_->dpy, kids[i], &a) && a.map_state == IsViewable &&
            a.override_redirect)
            out.push_back({a.x, a.y, a.width, a.height});
    }
    if (kids) XFree(kids);
    return out;
}

void XServer::origin(Window w, int& x, int& y, int& width, int& height) {
    XWindowAttributes a;
    XGetWindowAttributes(conn_->dpy, w, &a);
    Window child;
    XTranslateCoordinates(conn_->dpy, w, DefaultRootWindow(conn_->dpy), 0, 0, &x, &y, &child);
    width = a.width;
    height = a.height;
}

std::vector<uint32_t> XServer::grab(int x, int y, int width, int height) {
    XImage* img =
        XGetImage(conn_->dpy, DefaultRootWindow(conn_->dpy), x, y, static_cast<unsigned>(width),
                  static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (!img) throw std::runtime_error("XGetImage failed");
    std::vector<uint32_t> px(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int j = 0; j < height; ++j)
        for (int i = 0; i < width; ++i)
            px[static_cast<size_t>(j) * static_cast<size_t>(width) + static_cast<size_t>(i)] =
                static_cast<uint32_t>(XGetPixel(img, i, j) & 0xFFFFFF);
    XDestroyImage(img);
    return px;
}

void XServer::click(int x, int y, int button) {
    XTestFakeMotionEvent(conn_->dpy, -1, x, y, CurrentTime);
    XSync(conn_->dpy, False);
    std::this_thread::sleep_for(80ms);
    XTestFakeButtonEvent(conn_->dpy, static_cast<unsigned>(button), True, CurrentTime);
    XSync(conn_->dpy, False);
    std::this_thread::sleep_for(40ms);
    XTestFakeButtonEvent(conn_->dpy, static_cast<unsigned>(button), False, CurrentTime);
    XSync(conn_->dpy, False);
}

void XServer::moveTo(int x, int y) {
    XTestFakeMotionEvent(conn_->dpy, -1, x, y, CurrentTime);
    XSync(conn_->dpy, False);
    std::this_thread::sleep_for(80ms);
}

void XServer::clickHere(int button) {
    XTestFakeButtonEvent(conn_->dpy, static_cast<unsigned>(button), True, CurrentTime);
    XTestFakeButtonEvent(conn_->dpy, static_cast<unsigned>(button), False, CurrentTime);
    XFlush(conn_->dpy);
}

void XServer::key(const std::string& keysym) {
    const KeyCode code = XKeysymToKeycode(conn_->dpy, XStringToKeysym(keysym.c_str()));
    if (!code) throw std::runtime_error("no key " + keysym);
    XTestFakeKeyEvent(conn_->dpy, code, True, CurrentTime);
    XTestFakeKeyEvent(conn_->dpy, code, False, CurrentTime);
    XFlush(conn_->dpy);
}

void XServer::doubleClick(int x, int y) {
    XTestFakeMotionEvent(conn_->dpy, -1, x, y, CurrentTime);
    XSync(conn_->dpy, False);
    std::this_thread::sleep_for(80ms);
    for (int i = 0; i < 2; ++i) {
        XTestFakeButtonEvent(conn_->dpy, 1, True, CurrentTime);
        XSync(conn_->dpy, False);
        std::this_thread::sleep_for(20ms);
        XTestFakeButtonEvent(conn_->dpy, 1, False, CurrentTime);
        XSync(conn_->dpy, False);
        std::this_thread::sleep_for(40ms);
    }
}

void XServer::wheel(int x, int y, int button, int notches, bool ctrl) {
    XTestFakeMotionEvent(conn_->dpy, -1, x, y, CurrentTime);
    const KeyCode control = ctrl ? XKeysymToKeycode(conn_->dpy, XK_Control_L) : 0;
    if (control) XTestFakeKeyEvent(conn_->dpy, control, True, CurrentTime);
    XSync(conn_->dpy, False);
    std::this_thread::sleep_for(80ms);
    for (int i = 0; i < notches; ++i) {
        XTestFakeButtonEvent(conn_->dpy, static_cast<unsigned>(button), True, CurrentTime);
        XTestFakeButtonEvent(conn_->dpy, static_cast<unsigned>(button), False, CurrentTime);
        XSync(conn_->dpy, False);
        std::this_thread::sleep_for(30ms);
    }
    if (control) XTestFakeKeyEvent(conn_->dpy, control, False, CurrentTime);
    XSync(conn_->dpy, False);
}

Program::Program(const std::string& exe, const std::string& folder, const std::string& display,
                 const std::string& stateFile, const std::string& gtkStateFile,
                 const std::map<std::string, std::string>& env) {
    pid_ = fork();
    if (pid_ == 0) {
        if (chdir(folder.c_str()) != 0) _exit(126);
        setenv("DISPLAY", display.c_str(), 1);
        unsetenv("VX_HEADLESS");
        setenv("VX_STATE_FILE", stateFile.c_str(), 1);
        if (gtkStateFile.empty())
            unsetenv("VX_GTK_STATE_FILE");
        else
            setenv("VX_GTK_STATE_FILE", gtkStateFile.c_str(), 1);
        setenv("NO_AT_BRIDGE", "1", 1);
        for (const auto& [name, value] : env) setenv(name.c_str(), value.c_str(), 1);
        execl(exe.c_str(), exe.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
}

bool Program::running() {
    if (pid_ <= 0) return false;
    int st;
    if (waitpid(pid_, &st, WNOHANG) == pid_) {
        status_ = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
        pid_ = -1;
        return false;
    }
    return true;
}

int Program::wait(std::chrono::milliseconds limit) {
    auto end = std::chrono::steady_clock::now() + limit;
    while (running()) {
        if (std::chrono::steady_clock::now() > end) return -1;
        std::this_thread::sleep_for(50ms);
    }
    return status_;
}

Program::~Program() {
    if (running()) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

std::map<std::string, std::string> readState(const std::string& path) {
    std::map<std::string, std::string> out;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        auto eq = line.find('=');
        if (eq != std::string::npos) out[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return out;
}

bool waitForState(const std::string& path, const std::string& key, const std::string& value,
                  std::chrono::milliseconds limit) {
    auto end = std::chrono::steady_clock::now() + limit;
    do {
        auto s = readState(path);
        auto it = s.find(key);
        if (it != s.end() && (value.empty() || it->second == value)) return true;
        std::this_thread::sleep_for(50ms);
    } while (std::chrono::steady_clock::now() < end);
    return false;
}

std::string clipboardText(const std::string& display) {
    // A program that owns the clipboard but does not answer must not hang the test.
    const std::string cmd =
        "DISPLAY=" + display + " timeout 5 xclip -o -selection clipboard 2> /dev/null";
    std::string out;
    if (FILE* p = popen(cmd.c_str(), "r")) {
        char buf[4096];
        for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
        pclose(p);
    }
    return out;
}

bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(100ms);
    }
    return true;
}

void writePng(const std::string& path, const std::vector<uint32_t>& px, int w, int h) {
    GdkPixbuf* pb = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, w, h);
    guchar* d = gdk_pixbuf_get_pixels(pb);
    const int rs = gdk_pixbuf_get_rowstride(pb);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            uint32_t p =
                px[static_cast<size_t>(j) * static_cast<size_t>(w) + static_cast<size_t>(i)];
            guchar* q = d + j * rs + i * 3;
            q[0] = static_cast<guchar>(p >> 16);
            q[1] = static_cast<guchar>(p >> 8);
            q[2] = static_cast<guchar>(p);
        }
    gdk_pixbuf_save(pb, path.c_str(), "png", nullptr, nullptr);
    g_object_unref(pb);
}

size_t distinctColours(const std::vector<uint32_t>& px) {
    std::set<uint32_t> s(px.begin(), px.end());
    return s.size();
}

} // namespace e2e
