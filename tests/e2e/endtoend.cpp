#include "endtoend.h"

#include "mapeditor/lmfile.h"
#include "mapeditor/lmtext.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace e2e {

Rect bounds(const std::map<std::string, std::string>& s, const std::string& key) {
    Rect r;
    auto it = s.find(key + ".bounds");
    if (it == s.end()) throw std::runtime_error("no bounds for " + key);
    std::istringstream(it->second) >> r.x >> r.y >> r.w >> r.h;
    return r;
}

int intOf(const std::map<std::string, std::string>& s, const std::string& key) {
    auto it = s.find(key);
    if (it == s.end()) throw std::runtime_error("no state " + key);
    return std::stoi(it->second);
}

namespace {

// Each test process makes its own demo folders (some 40 MB each); they go
// when its tests have passed, and stay after a failure (or with
// VX_E2E_KEEP set) for a look at the state files and screenshots.
class DemoFolders : public ::testing::Environment {
public:
    void add(const fs::path& d) { folders_.push_back(d); }
    void TearDown() override {
        if (!::testing::UnitTest::GetInstance()->Passed() || std::getenv("VX_E2E_KEEP")) return;
        for (const auto& d : folders_) {
            std::error_code ec;
            fs::remove_all(d, ec);
        }
    }

private:
    std::vector<fs::path> folders_;
};

DemoFolders* const demoFolders =
    static_cast<DemoFolders*>(::testing::AddGlobalTestEnvironment(new DemoFolders));

} // namespace

fs::path makeTestDemoFolder(const std::string& tag) {
    const fs::path d = makeDemoFolder(tag, VX_DEMODATA_EXE, VX_VEXTON_EXE);
    demoFolders->add(d);
    return d;
}

const fs::path& demoFolder() {
    static const fs::path dir = makeTestDemoFolder("vx-e2e");
    return dir;
}

bool xdotool(const XServer& x, const std::string& args) {
    const std::string cmd = "DISPLAY=" + x.name() + " xdotool " + args + " > /dev/null 2>&1";
    return std::system(cmd.c_str()) == 0;
}

std::string rowObjectFile(int r) {
    const vx::Tlm t = vx::readLandmarkFile((demoFolder() / "LMdefault" / "lndmrks4.mlf").string());
    return vx::loFileName(0, t.rec(r + 1));
}

int objectCount(const std::string& name) {
    std::ifstream in(demoFolder() / "LMdefault" / name, std::ios::binary);
    unsigned char h[22] = {};
    in.read(reinterpret_cast<char*>(h), sizeof h);
    return h[20] | h[21] << 8;
}

void EndToEnd::SetUp() {
    state =
        (demoFolder() /
         ("state-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
          ".txt"))
            .string();
    gtkState = state + ".gtk";
    fs::remove(state);
    fs::remove(gtkState);
    prog = std::make_unique<Program>((demoFolder() / "vexton").string(), demoFolder().string(),
                                     x.name(), state, gtkState);
    win = x.findWindow("Vexton", 20s);
    ASSERT_NE(win, 0u) << "no window titled Vexton";
    ASSERT_TRUE(waitForState(state, "Form1.visible", "1", 10s));
    x.origin(win, wx, wy, ww, wh);
}

void EndToEnd::clickControl(const std::string& name) {
    Rect r = bounds(readState(state), "Form1." + name);
    x.click(wx + r.x + r.w / 2, wy + r.y + r.h / 2);
}

void EndToEnd::clickViewerControl(const std::string& name) {
    Rect r = bounds(readState(state), "loview." + name);
    x.click(vx0 + r.x + r.w / 2, vy0 + r.y + r.h / 2);
}

void EndToEnd::pointAtDialog(Window dlg) {
    int dx = 0, dy = 0, dw = 0, dh = 0;
    x.origin(dlg, dx, dy, dw, dh);
    ASSERT_TRUE(
        xdotool(x, "mousemove " + std::to_string(dx + dw / 2) + " " + std::to_string(dy + 8)));
    std::this_thread::sleep_for(500ms);
    ASSERT_TRUE(xdotool(x, "windowfocus " + std::to_string(dlg)));
}

void EndToEnd::saveThroughDialog(const std::string& title, const fs::path& path) {
    const Window dlg = x.findWindow(title, 10s);
    ASSERT_NE(dlg, 0u) << "no dialog " << title;
    ASSERT_NO_FATAL_FAILURE(pointAtDialog(dlg));
    ASSERT_TRUE(xdotool(x, "key ctrl+a"));
    ASSERT_TRUE(xdotool(x, "type --delay 30 '" + path.string() + "'"));
    ASSERT_TRUE(xdotool(x, "key Return"));
    ASSERT_TRUE(waitUntil([&] { return fs::exists(path); }, 10s)) << "nothing saved";
}

void EndToEnd::saveObjectFileAs(const fs::path& path) {
    clickViewerControl("savelo");
    ASSERT_NO_FATAL_FAILURE(saveThroughDialog("Save LO02xxxx.dat file as", path));
    const Window msg = x.findWindow("Vexton", 10s, win);
    ASSERT_NE(msg, 0u) << "no message after the save";
    ASSERT_NO_FATAL_FAILURE(pointAtDialog(msg));
    ASSERT_TRUE(xdotool(x, "key Return"));
    ASSERT_TRUE(waitUntil([&] { return x.findWindow("Vexton", 0ms, win) == 0; }, 5s));
}

void EndToEnd::loadMapAndPickFirstRow() {
    clickControl("loadpic");
    ASSERT_TRUE(waitForState(state, "Form1.Image1.size", "4000 3000", 20s));
    const Rect list = bounds(readState(state), "Form1.lmpicklist");
    x.click(wx + list.x + 40, wy + list.y + 8);
    ASSERT_TRUE(waitForState(state, "Form1.lmpicklist.ItemIndex", "0", 5s));
}

void EndToEnd::openViewerOnFirstRow() {
    ASSERT_NO_FATAL_FAILURE(loadMapAndPickFirstRow());
    const std::string first = rowObjectFile(0);
    ASSERT_TRUE(waitForState(state, "Form1.Lofile.Text", first, 5s));
    clickControl("showloview");
    ASSERT_TRUE(waitForState(state, "loview.visible", "1", 10s));
    ASSERT_TRUE(
        waitForState(state, "loview.objlist.Count", std::to_string(objectCount(first)), 10s));
    viewer = x.findWindow("loview", 10s);
    ASSERT_NE(viewer, 0u) << "no window titled loview";
    x.origin(viewer, vx0, vy0, vw, vh);
    // The view has painted what it shows, as the state file counts it.
    ASSERT_TRUE(waitUntil(
        [&] {
            const std::string p = readState(state)["loview.loimg.paints"];
            return !p.empty() && p != "0";
        },
        10s))
        << "loview.loimg.paints=" << readState(state)["loview.loimg.paints"];
}

void EndToEnd::shot(const std::string& name, std::vector<uint32_t>& px) {
    px = x.grab(wx, wy, ww, wh);
    writePng((demoFolder() / (name + ".png")).string(), px, ww, wh);
}

} // namespace e2e
