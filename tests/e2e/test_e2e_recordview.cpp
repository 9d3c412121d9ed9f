// The recorded image's peers on a private X server: a 40000 x 40000 image
// shows its far corner and counts its paints, presses reach it in image coordinates, the arrows of
// the scroll bars step by their increments, and the wheel scrolls the box.
#include "xsession.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

bool near(uint32_t px, uint32_t rgb) {
    for (int shift : {0, 8, 16})
        if (std::abs(int(px >> shift & 0xFF) - int(rgb >> shift & 0xFF)) > 8) return false;
    return true;
}

} // namespace

TEST(EndToEndRecordView, ShowsScrollsAndPicksFarBeyondAnXWindow) {
    e2e::XServer x;
    const fs::path dir = fs::temp_directory_path() / ("vx-e2e-rv-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const std::string state = (dir / "state.txt").string();
    e2e::Program prog(VX_RECORDVIEW_EXE, dir.string(), x.name(), state);
    const e2e::Window win = x.findWindow("Record view", 20s);
    ASSERT_NE(win, 0u);
    ASSERT_TRUE(e2e::waitForState(state, "RecordView.visible", "1", 10s));
    int wx, wy, ww, wh;
    x.origin(win, wx, wy, ww, wh);
    int bx = 0, by = 0;
    std::istringstream(e2e::readState(state)["RecordView.box.bounds"]) >> bx >> by;
    bx += wx;
    by += wy;

    // Box pixel p shows image pixel 34950 + p.
    uint32_t red = 0, grey = 0, blue = 0;
    EXPECT_TRUE(e2e::waitUntil(
        [&] {
            red = x.grab(bx + 100, by + 100, 1, 1)[0];
            grey = x.grab(bx + 20, by + 20, 1, 1)[0];
            blue = x.grab(bx + 100, by + 250, 1, 1)[0];
            return near(red, 0xFF0000) && near(grey, 0x808080) && near(blue, 0x0000FF);
        },
        10s))
        << std::hex << red << " " << grey << " " << blue;
    // The image counts the paints it shows, as any image does, and has none queued.
    std::map<std::string, std::string> st;
    EXPECT_TRUE(e2e::waitUntil(
        [&] {
            st = e2e::readState(state);
            return st["RecordView.img.paints"] != "0" && st["RecordView.img.paints"] != "" &&
                   st["RecordView.img.repaintPending"] == "0";
        },
        10s))
        << "paints=" << st["RecordView.img.paints"]
        << " repaintPending=" << st["RecordView.img.repaintPending"];

    x.click(bx + 60, by + 60);
    EXPECT_TRUE(e2e::waitForState(state, "RecordView.where.Caption", "35010 35010", 10s));

    // One click on an arrow steps by the bar's increment. The bars of GTK 2's
    // default theme are 16 pixels thick, the arrows at their far ends.
    x.click(bx + 640 - 16 - 8, by + 480 - 8); // right arrow of the bottom bar
    EXPECT_TRUE(e2e::waitForState(state, "RecordView.box.HorzPos", "35074", 10s));
    x.click(bx + 640 - 8, by + 480 - 16 - 8); // down arrow of the right bar
    EXPECT_TRUE(e2e::waitForState(state, "RecordView.box.VertPos", "35042", 10s));
    x.click(bx + 640 - 8, by + 8); // up arrow
    EXPECT_TRUE(e2e::waitForState(state, "RecordView.box.VertPos", "34950", 10s));
    x.click(bx + 8, by + 480 - 8); // left arrow
    EXPECT_TRUE(e2e::waitForState(state, "RecordView.box.HorzPos", "34950", 10s));

    x.wheel(bx + 300, by + 300, 5, 1); // towards the user: down
    std::this_thread::sleep_for(300ms);
    x.click(bx + 60, by + 60);
    int vert = 0, py = 0;
    EXPECT_TRUE(e2e::waitUntil(
        [&] {
            auto s = e2e::readState(state);
            vert = std::stoi(s["RecordView.box.VertPos"]);
            int px = 0;
            std::istringstream(s["RecordView.where.Caption"]) >> px >> py;
            return vert > 34950 && py == 35010 + (vert - 34950);
        },
        10s))
        << vert << " " << py;
    prog.wait(0ms);
    std::error_code ec;
    fs::remove_all(dir, ec);
}
