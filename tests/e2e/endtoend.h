// The fixture of the suites that drive the whole program: one demo folder,
// the program started on a private X server for each test, and the few
// helpers that read its state file and act on its controls.
#pragma once

#include "xsession.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace e2e {

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
};

// A control's place in its window, from the state file's "<key>.bounds".
Rect bounds(const std::map<std::string, std::string>& s, const std::string& key);
int intOf(const std::map<std::string, std::string>& s, const std::string& key);

// One demo folder for the whole run: generating the maps takes a moment.
// A demo folder of this test process, removed once its tests have passed.
std::filesystem::path makeTestDemoFolder(const std::string& tag);
const std::filesystem::path& demoFolder();

// Keys and pointer moves through xdotool (XTest), to whatever holds the
// keyboard: an open pop-up menu grabs it, a dialog gets it once focused.
bool xdotool(const XServer& x, const std::string& args);

// Landmark row r's object file (r from 0), as the main window names it.
std::string rowObjectFile(int r);
// The number of records an object file of the template folder counts.
int objectCount(const std::string& name);

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override;
    void clickControl(const std::string& name);
    // A click on a control of the open viewer.
    void clickViewerControl(const std::string& name);
    // Puts the pointer on a dialog and focuses it: without a window manager
    // the keys go to the window under the pointer.
    void pointAtDialog(Window dlg);
    // Types path over the proposed name of the save dialog of that title and
    // waits for the file.
    void saveThroughDialog(const std::string& title, const std::filesystem::path& path);
    // The viewer's "Save LO object" to path, typed over the proposed name;
    // its message is answered with Return.
    void saveObjectFileAs(const std::filesystem::path& path);
    // Loads the map and picks the first landmark by a click on its row.
    void loadMapAndPickFirstRow();
    // ... then "View Lo file": the viewer shows the first landmark's objects.
    void openViewerOnFirstRow();
    void shot(const std::string& name, std::vector<uint32_t>& px);

    XServer x;
    std::string state, gtkState; // what the controls hold, what the GTK widgets show
    std::unique_ptr<Program> prog;
    Window win = 0;
    int wx = 0, wy = 0, ww = 0, wh = 0;
    // The viewer's client area once it is open.
    Window viewer = 0;
    int vx0 = 0, vy0 = 0, vw = 0, vh = 0;
};

} // namespace e2e
