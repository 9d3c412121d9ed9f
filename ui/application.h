// The application object: display or headless, the forms, the event loop and
// the one dispatcher through which every event handler runs.
#pragma once

#include "ui/form.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vx::ui {

class TApplication {
public:
    // Opens the display unless VX_HEADLESS=1 asks for none; with a display it
    // also installs the GTK dialogs. False, said on stderr, when windows were
    // expected and no display could be opened (DISPLAY unset or wrong): the
    // program then has nothing to show. Tests never initialise and so stay
    // headless.
    bool Initialize(int& argc, char**& argv);
    bool headless() const { return headless_; }

    // Size of the screen, {0, 0} when headless.
    TPoint screenSize() const;

    const std::string& Title() const { return title_; }
    void setTitle(const std::string& t) { title_ = t; }

    // Builds the form (its constructor creates its components), makes the
    // first one the main form, and runs its OnCreate.
    template <class T, class... Args> T* CreateForm(Args&&... args) {
        auto f = std::make_unique<T>(std::forward<Args>(args)...);
        T* p = f.get();
        adopt(std::move(f));
        return p;
    }
    // The same, setting ref before OnCreate runs (handlers may read it).
    template <class T> T* CreateForm(T*& ref) {
        auto f = std::make_unique<T>();
        ref = f.get();
        adopt(std::move(f));
        return ref;
    }
    TForm* MainForm() const { return mainForm_; }
    // The form whose OnActivate ran last (nullptr when none, or it is gone).
    const TForm* lastActivated() const { return lastActivated_; }
    void setLastActivated(const TForm* f) { lastActivated_ = f; }

    // Shows the main form and runs the event loop until it closes or
    // Terminate is called. Headless: returns at once. Returns the exit code.
    int Run();
    // Handles pending events once (headless: only brings peers up to date).
    void ProcessMessages();
    // Ends the event loop.
    void Terminate();
    bool Terminated() const { return terminated_; }
    int ExitCode() const { return exitCode_; }

    // Runs an event handler. Any exception it throws ends that handler only and
    // is shown in the standard error dialog; choosing "End program" there
    // terminates the application with exit code 1. False when the handler failed.
    bool dispatch(const std::function<void()>& handler);
    // The text of the standard error dialog for an error message.
    static std::string errorText(const std::string& message);

    // Peers whose widgets wait for a rebuild (list contents) are brought up to
    // date after the handler that changed them and before any repaint.
    void schedulePeerFlush(TControl* control);
    // Also drops the control's work queued with atIdleFor (its destructor calls it).
    void cancelPeerFlush(TControl* control);
    void flushPeers();
    // Runs fn through the dispatcher once the pending events are handled (with
    // a display: when the loop is idle; headless: at the next ProcessMessages),
    // unless the control is destroyed first. Peers use it to report what GTK
    // does in several steps as one change.
    void atIdleFor(TControl* control, std::function<void()> fn);

    // With VX_STATE_FILE set, writes what every control holds to that file
    // (after each event; the end-to-end tests read it). Not from inside a
    // handler, and not again while nothing changed.
    void writeStateIfAsked() const;
    // What that file holds: one "form.control.property=value" line each.
    std::string stateText() const;

    // Forgets forms and the terminated state (tests).
    void resetForTesting();

private:
    void adopt(std::unique_ptr<TForm> form);
    void reportError(const std::string& message);
    bool headless_ = true;
    bool initialized_ = false;
    bool terminated_ = false;
    bool inLoop_ = false;
    int exitCode_ = 0;
    int dispatchDepth_ = 0;
    // Outermost handler runs that have ended, failed ones too: a handler run
    // from within another counts with it. The state dump reports it.
    uint64_t dispatched_ = 0;
    mutable std::string writtenState_, writtenStatePath_; // what the state file holds
    void runIdleWork();
    std::string title_ = "Vexton";
    TForm* mainForm_ = nullptr;
    const TForm* lastActivated_ = nullptr;
    std::vector<TControl*> pendingFlush_;
    unsigned flushIdle_ = 0; // the queued flush, while flushQueued_
    bool flushQueued_ = false;
    std::vector<std::pair<TControl*, std::function<void()>>> idleWork_;
    bool idleQueued_ = false;
    // Last, so destroyed first: the controls' destructors still reach the lists above.
    std::vector<std::unique_ptr<TForm>> forms_;
    friend struct AppPeer;
};

TApplication& Application();

} // namespace vx::ui
