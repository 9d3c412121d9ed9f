#include "application.h"

#include "gtk_peer.h"
#include "support/dialogs.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

namespace vx::ui {

TApplication& Application() {
    static TApplication app;
    return app;
}

bool TApplication::Initialize(int& argc, char**& argv) {
    if (initialized_) return true;
    initialized_ = true;
    headless_ = true;
    const char* env = std::getenv("VX_HEADLESS");
    if (env && std::strcmp(env, "1") == 0) return true;
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) {
        std::fprintf(stderr, "No display could be opened: DISPLAY is not set.\n");
        return false;
    }
    if (!gtk::openDisplay(argc, argv)) {
        std::fprintf(stderr, "No display could be opened at \"%s\".\n", display);
        return false;
    }
    headless_ = false;
    gtk::installDialogs();
    gtk::startWidgetDumpIfAsked();
    return true;
}

void TApplication::adopt(std::unique_ptr<TForm> form) {
    TForm* p = form.get();
    forms_.push_back(std::move(form));
    if (!mainForm_) mainForm_ = p;
    p->doCreate();
}

int TApplication::Run() {
    flushPeers();
    if (headless_ || terminated_ || !mainForm_) return exitCode_;
    mainForm_->Show();
    if (terminated_) return exitCode_;
    writeStateIfAsked();
    inLoop_ = true;
    gtk::runLoop();
    inLoop_ = false;
    return exitCode_;
}

TPoint TApplication::screenSize() const {
    return headless_ ? TPoint{0, 0} : gtk::screenSize();
}

void TApplication::ProcessMessages() {
    flushPeers();
    if (!headless_) gtk::processPending();
    runIdleWork();
}

void TApplication::Terminate() {
    terminated_ = true;
    if (inLoop_) gtk::quitLoop();
}

std::string TApplication::errorText(const std::string& message) {
    return message + "\n\nPress Continue to ignore the error and risk data corruption.\n"
                     "Press End program to kill the program.";
}

void TApplication::reportError(const std::string& message) {
    bool end = false;
    try {
        end = vx::dialogs().showError(errorText(message));
    } catch (...) {
        std::fprintf(stderr, "%s\n", message.c_str());
    }
    if (end) {
        exitCode_ = 1;
        Terminate();
    }
}

bool TApplication::dispatch(const std::function<void()>& handler) {
    if (!handler) return true;
    // A copy runs: a handler may assign its own event, which destroys the original.
    const std::function<void()> run = handler;
    ++dispatchDepth_;
    bool ok = false;
    try {
        run();
        ok = true;
    } catch (const std::exception& e) {
        reportError(e.what());
    } catch (...) {
        reportError("Unknown error");
    }
    if (--dispatchDepth_ == 0) {
        ++dispatched_;
        flushPeers();
        // Done here, the queued flush would be one more event that does nothing.
        if (flushQueued_) {
            flushQueued_ = false;
            gtk::cancelIdle(flushIdle_);
        }
        writeStateIfAsked();
    }
    return ok;
}

void TApplication::schedulePeerFlush(TControl* control) {
    if (std::find(pendingFlush_.begin(), pendingFlush_.end(), control) != pendingFlush_.end())
        return;
    pendingFlush_.push_back(control);
    if (!flushQueued_ && !headless_) {
        flushQueued_ = true;
        flushIdle_ = gtk::atIdle([] {
            Application().flushQueued_ = false;
            Application().flushPeers();
        });
    }
}

void TApplication::cancelPeerFlush(TControl* control) {
    std::erase(pendingFlush_, control);
    std::erase_if(idleWork_, [control](const auto& w) { return w.first == control; });
}

void TApplication::atIdleFor(TControl* control, std::function<void()> fn) {
    idleWork_.emplace_back(control, std::move(fn));
    if (!idleQueued_ && !headless_) {
        idleQueued_ = true;
        gtk::atIdle([] {
            Application().idleQueued_ = false;
            Application().runIdleWork();
        });
    }
}

void TApplication::runIdleWork() {
    while (!idleWork_.empty()) {
        const std::function<void()> fn = std::move(idleWork_.front().second);
        idleWork_.erase(idleWork_.begin());
        dispatch(fn);
    }
}

void TApplication::flushPeers() {
    while (!pendingFlush_.empty()) {
        std::vector<TControl*> now;
        now.swap(pendingFlush_);
        for (TControl* c : now) c->flushPeer();
    }
}

void TApplication::resetForTesting() {
    forms_.clear();
    mainForm_ = nullptr;
    lastActivated_ = nullptr;
    terminated_ = false;
    exitCode_ = 0;
    pendingFlush_.clear();
    idleWork_.clear();
    writtenState_.clear();
    writtenStatePath_.clear();
}

} // namespace vx::ui
