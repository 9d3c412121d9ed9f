// The real program on a private X server, driven by real X events.
#include "endtoend.h"

#include "mapeditor/calibration.h"
#include "mapeditor/lmfile.h"
#include "mapeditor/lmtext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

using e2e::bounds;
using e2e::demoFolder;
using e2e::EndToEnd;
using e2e::intOf;
using e2e::objectCount;
using e2e::Rect;
using e2e::rowObjectFile;
using e2e::waitUntil;
using e2e::xdotool;

TEST_F(EndToEnd, StartsShowsTheWindowAndQuits) {
    // Being mapped is not being painted: wait for the start picture.
    std::vector<uint32_t> px;
    auto painted = [&] {
        shot("startup", px);
        return e2e::distinctColours(px) > 50u;
    };
    EXPECT_TRUE(waitUntil(painted, 10s)) << "the window looks blank";
    clickControl("quitapp");
    EXPECT_EQ(prog->wait(10s), 0);
}

TEST_F(EndToEnd, LoadsTheMapAndPicksALandmarkByItsIcon) {
    clickControl("loadpic");
    ASSERT_TRUE(e2e::waitForState(state, "Form1.Image1.size", "4000 3000", 20s));
    ASSERT_TRUE(e2e::waitForState(state, "Form1.lmpicklist.ItemIndex", "0", 5s));
    // At full size the first landmark's icon shows its red corner mark on its point;
    // wait for the paint rather than guess how long it takes.
    auto s0 = e2e::readState(state);
    const Rect box0 = bounds(s0, "Form1.ScrollBox1");
    const vx::Tlm t0 = vx::readLandmarkFile((demoFolder() / "LMdefault" / "lndmrks4.mlf").string());
    vx::initMapTable();
    const vx::MapSizes full{4000, 3000, 4000, 3000};
    const int ix = vx::lonLatToX(4, full, t0.rec(1).lon, t0.rec(1).lat) -
                   intOf(s0, "Form1.ScrollBox1.HorzPos") + box0.x + 1;
    const int iy =
        vx::latToY(4, full, t0.rec(1).lat) - intOf(s0, "Form1.ScrollBox1.VertPos") + box0.y + 1;
    std::vector<uint32_t> px;
    uint32_t mark = 0;
    auto redMark = [&] {
        shot("loaded", px);
        mark = px[static_cast<size_t>(iy) * static_cast<size_t>(ww) + static_cast<size_t>(ix)];
        return (mark >> 16 & 0xFF) > 180 && (mark >> 8 & 0xFF) < 80 && (mark & 0xFF) < 80;
    };
    EXPECT_TRUE(waitUntil(redMark, 10s)) << "no icon mark, pixel " << std::hex << mark;
    EXPECT_GT(e2e::distinctColours(px), 500u) << "no map picture";

    // Zoom out with the wheel over the zoom bar until the whole map is in view.
    const Rect bar = bounds(e2e::readState(state), "Form1.zoombar");
    auto zoomedOut = [&] { return intOf(e2e::readState(state), "Form1.zoombar.Position") < 1500; };
    for (int button : {5, 4}) {
        x.wheel(wx + bar.x + bar.w / 2, wy + bar.y + bar.h / 2, button, 40);
        if (waitUntil(zoomedOut, 10s)) break;
    }
    // The last notch may still be on its way: wait until the state stands still.
    for (std::string last; last != e2e::readState(state)["Form1.Image1.size"];) {
        last = e2e::readState(state)["Form1.Image1.size"];
        std::this_thread::sleep_for(300ms);
    }
    auto s = e2e::readState(state);
    int W = 0, H = 0;
    std::istringstream(s["Form1.Image1.size"]) >> W >> H;
    ASSERT_LT(W, 1500) << "the wheel did not zoom out";
    shot("zoomed-out", px);

    // Click the icon of a landmark away from its neighbours.
    const Rect box = bounds(s, "Form1.ScrollBox1");
    const int hpos = intOf(s, "Form1.ScrollBox1.HorzPos"),
              vpos = intOf(s, "Form1.ScrollBox1.VertPos");
    const vx::Tlm t = vx::readLandmarkFile((demoFolder() / "LMdefault" / "lndmrks4.mlf").string());
    vx::initMapTable();
    const vx::MapSizes sz{W, H, 4000, 3000};
    auto at = [&](const vx::landmark& r) {
        return std::pair{vx::lonLatToX(4, sz, std::fabs(r.lon), std::fabs(r.lat)) - hpos,
                         vx::latToY(4, sz, std::fabs(r.lat)) - vpos};
    };
    int target = 0, tx = 0, ty = 0;
    for (int i = 2; i <= t.count() && !target; ++i) {
        if (vx::isDeactivated(t.rec(i))) continue;
        const auto [cx, cy] = at(t.rec(i));
        if (cx < 20 || cy < 20 || cx > box.w - 40 || cy > box.h - 40) continue;
        bool alone = true;
        for (int j = 1; j <= t.count() && alone; ++j) {
            const auto [ox, oy] = at(t.rec(j));
            alone = j == i || std::abs(ox - cx) > 40 || std::abs(oy - cy) > 40;
        }
        if (alone) target = i, tx = cx, ty = cy;
    }
    ASSERT_NE(target, 0) << "no landmark alone in view";
    // The icon's top-left corner sits on the point.
    x.click(wx + box.x + tx + 3, wy + box.y + ty + 3);
    ASSERT_TRUE(
        e2e::waitForState(state, "Form1.lmpicklist.ItemIndex", std::to_string(target - 1), 5s))
        << "record " << target << " not selected";
    const std::string name(vx::nameText(t.rec(target)));
    auto after = e2e::readState(state);
    EXPECT_NE(after["Form1.LMdata.Text"].find("Name :" + name), std::string::npos);

    // Once more at a place worked out by hand, checked against what GTK shows.
    // Record 8 is "Depot Guignes" at 48.633 N, 2.800 E (tools/demo_world.cpp).
    ASSERT_NE(target, 8);
    EXPECT_EQ(vx::nameText(t.rec(8)), "Depot Guignes");
    EXPECT_FLOAT_EQ(t.rec(8).lat, 48.633f);
    EXPECT_FLOAT_EQ(t.rec(8).lon, 2.800f);
    // Map 4's reference points on the 4000 x 3000 picture: A (48.7256317 N,
    // 2.9756718 E) at (3535, 495), B (48.5205193 N, 2.6909347 E) at (1957, 2223);
    // the longitude scale is 1 at 48.6272850 N.
    //   y = 495 + (48.7256317 - 48.633) / (48.7256317 - 48.5205193) * (2223 - 495)
    //     = 495 + 0.0926323 / 0.2051125 * 1728 = 1275.39
    //   x = 1957 + (2.800 - 2.6909347) / (2.9756718 - 2.6909347) * (3535 - 1957)
    //     = 1957 + 0.1090653 / 0.2847371 * 1578 = 2561.43,
    //   times cos 48.633 / cos 48.6272850 = 0.999887: 2561.14; the shift
    //   1000 * (1 - 0.999887) = 0.11 rounds to 0.
    // The picture is scaled to the size the drawing area asks of GTK, from
    // where GTK placed that area.
    std::map<std::string, std::string> g;
    ASSERT_TRUE(waitUntil(
        [&] {
            g = e2e::readState(gtkState);
            return g["Form1.Image1.request"] == s["Form1.Image1.size"];
        },
        5s))
        << "GTK's image asks " << g["Form1.Image1.request"] << ", the control is " << W << " x "
        << H;
    Rect img;
    std::istringstream(g["Form1.Image1.geom"]) >> img.x >> img.y >> img.w >> img.h;
    ASSERT_GE(img.w, W);
    ASSERT_GE(img.h, H);
    const long double gx = 2561.14L * W / 4000, gy = 1275.39L * H / 3000;
    x.click(wx + img.x + static_cast<int>(std::lround(gx)) + 3,
            wy + img.y + static_cast<int>(std::lround(gy)) + 3);
    ASSERT_TRUE(e2e::waitForState(state, "Form1.lmpicklist.ItemIndex", "7", 5s))
        << "Depot Guignes not picked at " << gx << " " << gy;

    // GTK's list has that one row selected and shows it; GTK's memo shows the record.
    const std::vector<std::string> memo = {
        "Rec# :   8", "Elev.:      471.00",           // 100 + (7 * 53) % 900
        "Rota.:      315.00", "Name :Depot Guignes"}; // the rotations' eighth
    auto showsRecord8 = [&](const std::string& text) {
        return std::all_of(memo.begin(), memo.end(), [&](const std::string& line) {
            return text.find(line) != std::string::npos;
        });
    };
    EXPECT_TRUE(waitUntil(
        [&] {
            g = e2e::readState(gtkState);
            return g["Form1.lmpicklist.selected"] == "7" &&
                   g["Form1.lmpicklist.selectedText"].ends_with(" 8 Depot Guignes") &&
                   showsRecord8(g["Form1.LMdata.text"]);
        },
        5s))
        << "GTK list: rows " << g["Form1.lmpicklist.selected"] << " \""
        << g["Form1.lmpicklist.selectedText"] << "\", memo \"" << g["Form1.LMdata.text"] << "\"";
    int first = -1, last = -1;
    std::istringstream(g["Form1.lmpicklist.visibleRows"]) >> first >> last;
    EXPECT_TRUE(first <= 7 && 7 <= last) << "row 7 out of view: " << first << " to " << last;
    EXPECT_EQ(g["Form1.LMdata.mapped"], "1");

    // The memo's text as a user gets it: all of it copied by keys.
    const Rect data = bounds(e2e::readState(state), "Form1.LMdata");
    std::string copied;
    for (int tries = 0; tries < 3 && !showsRecord8(copied); ++tries) {
        x.click(wx + data.x + data.w / 2, wy + data.y + data.h / 2);
        std::this_thread::sleep_for(200ms);
        xdotool(x, "key ctrl+a ctrl+c");
        waitUntil(
            [&] {
                copied = e2e::clipboardText(x.name());
                return showsRecord8(copied);
            },
            3s);
    }
    EXPECT_TRUE(showsRecord8(copied)) << "copied from the memo: \"" << copied << "\"";
    EXPECT_EQ(std::count(copied.begin(), copied.end(), '\n'), 7) << copied;
    clickControl("quitapp");
    EXPECT_EQ(prog->wait(10s), 0);
}

namespace {

// Object files of the template folder as both windows list them.
std::vector<std::string> objectFiles() {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(demoFolder() / "LMdefault")) {
        std::string n = e.path().filename().string();
        for (char& c : n) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (n.size() == 12 && n.rfind("lo", 0) == 0 && n.ends_with(".dat")) names.push_back(n);
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

// Copy and paste through the list menu, and the text export.

// The load has sized the map and selected the first landmark.
bool mapLoaded(const std::string& state) {
    return e2e::waitForState(state, "Form1.Image1.size", "4000 3000", 20s) &&
           e2e::waitForState(state, "Form1.lmpicklist.ItemIndex", "0", 5s);
}

} // namespace

TEST_F(EndToEnd, ViewLoFileOpensTheViewerAndADoubleClickLoadsAnotherFile) {
    ASSERT_NO_FATAL_FAILURE(openViewerOnFirstRow());
    const std::string first = rowObjectFile(0);
    auto s = e2e::readState(state);
    EXPECT_EQ(s["loview.lolist.ItemIndex"], "0");
    EXPECT_EQ(s["loview.locfile.Checked"], "0");
    EXPECT_EQ(s["loview.lopick.Count"], std::to_string(objectFiles().size()));

    // Find a row of the file list that names another file: single clicks only
    // select, so probe downwards until the selection moves off row 0.
    const std::vector<std::string> names = objectFiles();
    const Rect pick = bounds(s, "loview.lopick");
    int row = -1, rowY = 0;
    for (int dy = 6; dy < pick.h - 6 && row < 1; dy += 4) {
        x.click(vx0 + pick.x + 40, vy0 + pick.y + dy);
        std::this_thread::sleep_for(150ms);
        row = intOf(e2e::readState(state), "loview.lopick.ItemIndex");
        rowY = dy;
    }
    ASSERT_GE(row, 1) << "no second row in the file list";
    // Row 0 when the probed row names the file already in view.
    const bool takeFirst = names[static_cast<size_t>(row)] == first;
    const std::string other = names[takeFirst ? 0 : static_cast<size_t>(row)];
    x.doubleClick(vx0 + pick.x + 40, vy0 + pick.y + (takeFirst ? 6 : rowY));
    ASSERT_TRUE(e2e::waitForState(state, "Form1.Lofile.Text", other, 10s));
    EXPECT_TRUE(
        e2e::waitForState(state, "loview.objlist.Count", std::to_string(objectCount(other)), 10s));
    EXPECT_EQ(e2e::readState(state)["loview.lolist.ItemIndex"],
              objectCount(other) > 0 ? "0" : "-1");
    e2e::writePng((demoFolder() / "viewer.png").string(), x.grab(vx0, vy0, vw, vh), vw, vh);
}

TEST_F(EndToEnd, ReloadMapKeepsTheSelectedRow) {
    clickControl("loadpic");
    ASSERT_TRUE(e2e::waitForState(state, "Form1.Image1.size", "4000 3000", 20s));
    ASSERT_TRUE(e2e::waitForState(state, "Form1.lmpicklist.ItemIndex", "0", 5s));
    const vx::Tlm t = vx::readLandmarkFile((demoFolder() / "LMdefault" / "lndmrks4.mlf").string());
    const Rect list = bounds(e2e::readState(state), "Form1.lmpicklist");
    x.click(wx + list.x + 40, wy + list.y + 60);
    ASSERT_TRUE(waitUntil(
        [&] { return intOf(e2e::readState(state), "Form1.lmpicklist.ItemIndex") > 0; }, 5s));
    const int row = intOf(e2e::readState(state), "Form1.lmpicklist.ItemIndex");
    const std::string picked = "Name :" + std::string(vx::nameText(t.rec(row + 1)));
    ASSERT_TRUE(waitUntil(
        [&] {
            return e2e::readState(state)["Form1.LMdata.Text"].find(picked) != std::string::npos;
        },
        5s));

    clickControl("remap");
    // The reload shows record 1 again, and the row comes back selected.
    const std::string firstName = "Name :" + std::string(vx::nameText(t.rec(1)));
    ASSERT_TRUE(waitUntil(
        [&] {
            return e2e::readState(state)["Form1.LMdata.Text"].find(firstName) != std::string::npos;
        },
        20s));
    EXPECT_TRUE(e2e::waitForState(state, "Form1.lmpicklist.ItemIndex", std::to_string(row), 5s));
}

TEST_F(EndToEnd, CopiesAndPastesRecordsThroughTheListMenu) {
    clickControl("loadpic");
    ASSERT_TRUE(mapLoaded(state));
    const int n = intOf(e2e::readState(state), "Form1.lmpicklist.Count");
    ASSERT_LT(n, 512);
    const Rect list = bounds(e2e::readState(state), "Form1.lmpicklist");
    auto count = [&](const char* box) {
        return intOf(e2e::readState(state), std::string("Form1.") + box + ".Count");
    };
    // Right-click on the first row, which the load selected, then pick an item
    // by keys; a busy program may open the menu after the keys, so a choice
    // without effect is closed with Escape and made once more.
    auto choose = [&](const char* keys, const std::function<bool()>& done) {
        for (int tries = 0; tries < 2; ++tries) {
            x.click(wx + list.x + list.w / 2, wy + list.y + 8, 3);
            std::this_thread::sleep_for(800ms);
            // The menu opens under the pointer, which may rest on an item: move
            // it off the menu, and count the items from Home, the first.
            xdotool(x, "mousemove " + std::to_string(wx + 20) + " " + std::to_string(wy + 20));
            std::this_thread::sleep_for(200ms);
            xdotool(x, std::string("key --delay 120 ") + keys);
            if (waitUntil(done, 8s)) return true;
            xdotool(x, "key Escape");
        }
        std::vector<uint32_t> px;
        shot(std::string("menu-choice-failed-") + keys, px);
        return false;
    };
    ASSERT_TRUE(choose("Home Return", [&] { return count("cpyListBox") >= 2; }))
        << "\"Copy Object(s)\" did not reach the copy list";
    ASSERT_TRUE(choose("Home Down Return", [&] { return count("lmpicklist") > n; }))
        << "\"Paste Object(s) as new\" did not grow the list";
    EXPECT_EQ(intOf(e2e::readState(state), "Form1.lmpicklist.ItemIndex"), 0);
    clickControl("quitapp");
    EXPECT_EQ(prog->wait(10s), 0);
}

TEST_F(EndToEnd, ExportsTheTickedColumnsToATypedPath) {
    // Three landmarks of known names in place of the demo's, the last one
    // de-activated; the demo file is put back afterwards.
    const fs::path lmPath = demoFolder() / "LMdefault" / "lndmrks4.mlf";
    struct Restore {
        fs::path path;
        vx::Tlm saved;
        ~Restore() { vx::saveLandmarkFile(path.string(), saved); }
    } restore{lmPath, vx::readLandmarkFile(lmPath.string())};
    vx::Tlm three = restore.saved;
    three.head.count = 3;
    const char* names[] = {"Ypres", "Verdun", "Somme"};
    for (int i = 1; i <= 3; ++i) vx::setName(three.rec(i), names[i - 1]);
    three.rec(3).lat = -std::fabs(three.rec(3).lat);
    three.rec(3).lon = -std::fabs(three.rec(3).lon);
    vx::saveLandmarkFile(lmPath.string(), three);
    clickControl("loadpic");
    ASSERT_TRUE(mapLoaded(state));
    for (const char* box : {"inc_recnr", "inc_LM_name", "csv"}) clickControl(box);
    const fs::path out = demoFolder() / "zz-lmexport.txt";
    fs::remove(out);
    // A second press is harmless: once the modal dialog is up it takes no clicks.
    e2e::Window dlg = 0;
    for (int tries = 0; tries < 2 && !dlg; ++tries) {
        clickControl("savelminfo");
        dlg = x.findWindow("Save to a Lndmrks#.dat / mlf file", 15s);
    }
    if (!dlg) {
        std::vector<uint32_t> px;
        shot("export-no-dialog", px);
    }
    ASSERT_NE(dlg, 0u) << "no save dialog";
    std::this_thread::sleep_for(500ms);
    ASSERT_TRUE(xdotool(x, "windowfocus " + std::to_string(dlg)));
    std::this_thread::sleep_for(300ms);
    // The name box holds the proposed name: replace it by the whole path.
    ASSERT_TRUE(xdotool(x, "key ctrl+a"));
    ASSERT_TRUE(xdotool(x, "type --delay 30 '" + out.string() + "'"));
    std::this_thread::sleep_for(300ms);
    ASSERT_TRUE(xdotool(x, "key Return"));
    ASSERT_TRUE(waitUntil([&] { return fs::exists(out); }, 10s)) << "nothing written";
    std::this_thread::sleep_for(300ms);

    std::ifstream in(out, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "  1 , , , , , Ypres\n"
                    "  2 , , , , , Verdun\n"
                    "  3 , , , , , Somme\n");
    clickControl("quitapp");
    EXPECT_EQ(prog->wait(10s), 0);
}

TEST_F(EndToEnd, ViewerZoomsWithCtrlWheelAndCentresOnTheOrigin) {
    ASSERT_NO_FATAL_FAILURE(openViewerOnFirstRow());
    ASSERT_TRUE(e2e::waitForState(state, "loview.magzoom.Position", "64", 10s));
    EXPECT_EQ(e2e::readState(state)["loview.magnifact.Caption"], " 31.3 % ");
    auto s = e2e::readState(state);
    const Rect box = bounds(s, "loview.loscroll");
    // What the view shows: the grey ground, the yellow centre marker and the
    // objects' blue and red outlines.
    std::vector<uint32_t> px;
    const auto drawn = [&] {
        px = x.grab(vx0 + box.x, vy0 + box.y, box.w, box.h);
        bool grey = false, yellow = false, blue = false, red = false;
        for (uint32_t p : px) {
            const uint32_t r = p >> 16 & 0xFF, g = p >> 8 & 0xFF, b = p & 0xFF;
            grey = grey || (r == 0x80 && g == 0x80 && b == 0x80);
            yellow = yellow || (r > 200 && g > 200 && b < 60);
            blue = blue || (b > 200 && r < 60 && g < 60);
            red = red || (r > 200 && g < 60 && b < 60);
        }
        return grey && yellow && blue && red;
    };
    EXPECT_TRUE(waitUntil(drawn, 10s)) << "the view shows no objects";
    e2e::writePng((demoFolder() / "viewer-drawn.png").string(), px, box.w, box.h);
    // The image's middle in the middle of the box, whatever size the image has
    // then (a click may activate the window, which sizes it anew).
    const auto centred = [&] {
        auto st = e2e::readState(state);
        int w = 0, h = 0;
        std::istringstream(st["loview.loimg.size"]) >> w >> h;
        const std::string hp = std::to_string(w / 2 - box.w / 2),
                          vp = std::to_string(h / 2 - box.h / 2);
        return st["loview.loscroll.HorzPos"] == hp && st["loview.loscroll.VertPos"] == vp &&
               st["loview.scbarLab.Caption"] == "SCbar pos x: " + hp + " y: " + vp;
    };

    // One notch towards the user with Ctrl: two positions less, timed to the new caption.
    const auto wheelAt = [&](int button, bool ctrl) {
        x.wheel(vx0 + box.x + box.w / 2, vy0 + box.y + box.h / 2, button, 1, ctrl);
    };
    auto t0 = std::chrono::steady_clock::now();
    wheelAt(5, true);
    ASSERT_TRUE(e2e::waitForState(state, "loview.magzoom.Position", "62", 5s));
    const auto cold = std::chrono::steady_clock::now() - t0;
    EXPECT_EQ(e2e::readState(state)["loview.magnifact.Caption"], " 32.3 % ");
    t0 = std::chrono::steady_clock::now();
    wheelAt(4, true);
    ASSERT_TRUE(e2e::waitForState(state, "loview.magzoom.Position", "64", 5s));
    const auto warm = std::chrono::steady_clock::now() - t0;
    std::printf(
        "ctrl + wheel notch to the new caption: cold %lld ms, warm %lld ms\n",
        static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(cold).count()),
        static_cast<long long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(warm).count()));

    // Without Ctrl the wheel scrolls the view (the next zoom reports it);
    // "Center" brings the origin back.
    wheelAt(5, false);
    wheelAt(5, true);
    ASSERT_TRUE(e2e::waitForState(state, "loview.magzoom.Position", "62", 5s));
    EXPECT_FALSE(centred());
    const Rect centre = bounds(e2e::readState(state), "loview.gocenter");
    x.click(vx0 + centre.x + centre.w / 2, vy0 + centre.y + centre.h / 2);
    EXPECT_TRUE(waitUntil(centred, 5s)) << e2e::readState(state)["loview.scbarLab.Caption"];

    // The "draw/nodraw" label takes a click on screen too.
    const Rect lab = bounds(e2e::readState(state), "loview.magxyLab");
    x.click(vx0 + lab.x + 4, vy0 + lab.y + lab.h / 2);
    EXPECT_TRUE(e2e::waitForState(state, "loview.magzoom.Position", "50", 5s));
}

// "Start moving 1 object" from the view's menu turns the edit-mode text red
// on screen, and closing the menu does not activate the window again (which
// would switch editing off); the viewer opens with the text black.
TEST_F(EndToEnd, ViewerShowsTheEditModeTextRedWhileEditing) {
    ASSERT_NO_FATAL_FAILURE(openViewerOnFirstRow());
    ASSERT_TRUE(
        e2e::waitForState(state, "loview.editOnOff.Caption", "Editing / moving objects OFF", 10s));
    auto s = e2e::readState(state);
    EXPECT_EQ(s["loview.editOnOff.FontColor"], "$000000");
    const Rect lab = bounds(s, "loview.editOnOff");
    // Pixels of the caption's text: red ones, and dark ones that are not red.
    const auto inks = [&](int& red, int& black) {
        int l = 0, r = 0;
        std::istringstream(e2e::readState(state)["loview.editOnOff.captionSpan"]) >> l >> r;
        red = black = 0;
        if (r <= l) return;
        for (uint32_t p : x.grab(vx0 + lab.x + l, vy0 + lab.y, r - l, lab.h)) {
            const int cr = p >> 16 & 0xFF, cg = p >> 8 & 0xFF, cb = p & 0xFF;
            red += cr > 200 && cg < 60 && cb < 60;
            black += cr < 60 && cg < 60 && cb < 60;
        }
    };
    int red = 0, black = 0;
    EXPECT_TRUE(waitUntil([&] { return inks(red, black), black > 20 && red == 0; }, 5s))
        << red << " " << black;

    // A zoom that only a new activation of the window would undo.
    const Rect box = bounds(s, "loview.loscroll");
    const int cx = vx0 + box.x + box.w / 2, cy = vy0 + box.y + box.h / 2;
    x.wheel(cx, cy, 5, 1, true);
    ASSERT_TRUE(e2e::waitForState(state, "loview.magzoom.Position", "62", 5s));
    // The menu opens with its corner at the pointer, its first item
    // ("Start moving 1 object (shift key + mouse)") just below.
    x.click(cx, cy, 3);
    std::this_thread::sleep_for(300ms);
    x.click(cx + 60, cy + 10);
    ASSERT_TRUE(
        e2e::waitForState(state, "loview.editOnOff.Caption", "Editing / moving objects ON", 5s));
    EXPECT_EQ(e2e::readState(state)["loview.editOnOff.FontColor"], "$0000FF");
    EXPECT_TRUE(waitUntil([&] { return inks(red, black), red > 20 && black == 0; }, 5s))
        << red << " " << black;
    EXPECT_EQ(e2e::readState(state)["loview.magzoom.Position"], "62")
        << "closing the menu activated the window again";
    e2e::writePng((demoFolder() / "viewer-editing.png").string(), x.grab(vx0, vy0, vw, vh), vw, vh);
}

TEST_F(EndToEnd, EditsANameSavesItAndLoadsItBack) {
    // A second template folder to save into; it has no map 4 file yet.
    const fs::path folder = demoFolder() / "LMedited";
    fs::create_directories(folder);
    fs::copy_file(demoFolder() / "LMdefault" / "lndmrks1.mlf", folder / "lndmrks1.mlf",
                  fs::copy_options::overwrite_existing);
    const fs::path saved = folder / "lndmrks4.mlf";
    fs::remove(saved);
    const std::string newName = "Edited on screen";

    clickControl("loadpic");
    ASSERT_TRUE(e2e::waitForState(state, "Form1.Image1.size", "4000 3000", 20s));
    const Rect list = bounds(e2e::readState(state), "Form1.lmpicklist");
    x.click(wx + list.x + 20, wy + list.y + 6);
    ASSERT_TRUE(e2e::waitForState(state, "Form1.lmpicklist.ItemIndex", "0", 5s));
    clickControl("edLM");
    ASSERT_TRUE(e2e::waitForState(state, "Form1.edLM.Caption", "Commit changes", 5s));

    clickControl("lndmrkname");
    ASSERT_TRUE(xdotool(x, "key ctrl+a"));
    ASSERT_TRUE(xdotool(x, "type --delay 30 '" + newName + "'"));
    ASSERT_TRUE(xdotool(x, "key Tab")); // leaving the box stores the name
    ASSERT_TRUE(e2e::waitForState(state, "Form1.lndmrkname.Text", newName, 5s));
    clickControl("edLM");
    ASSERT_TRUE(e2e::waitForState(state, "Form1.edLM.Caption", "Edit Landmark", 5s));

    clickControl("savelms");
    ASSERT_NO_FATAL_FAILURE(saveThroughDialog("Save to a Lndmrks#.dat / mlf file", saved));
    EXPECT_EQ(vx::nameText(vx::readLandmarkFile(saved.string()).rec(1)), newName);

    // Choose the folder saved into and load map 4 from it. Typed text selects
    // no entry: the arrow keys step through the entries.
    const Rect tpl = bounds(e2e::readState(state), "Form1.LMtemplate");
    x.click(wx + tpl.x + 20, wy + tpl.y + tpl.h / 2);
    for (int i = 0; i < 10 && e2e::readState(state)["Form1.LMtemplate.Text"] != "LMedited"; ++i) {
        ASSERT_TRUE(xdotool(x, "key Down"));
        std::this_thread::sleep_for(200ms);
    }
    ASSERT_TRUE(e2e::waitForState(state, "Form1.LMtemplate.Text", "LMedited", 5s));
    ASSERT_NE(e2e::readState(state)["Form1.LMtemplate.ItemIndex"], "-1");
    clickControl("loadpic");
    auto shown = [&] {
        return e2e::readState(state)["Form1.LMdata.Text"].find("Name :" + newName) !=
               std::string::npos;
    };
    EXPECT_TRUE(waitUntil(shown, 20s)) << e2e::readState(state)["Form1.LMdata.Text"];
    EXPECT_EQ(e2e::readState(state)["Form1.lndmrkname.Text"], newName);
    clickControl("quitapp");
    EXPECT_EQ(prog->wait(10s), 0);
}
