// The viewer's Shift move on screen: pick an object on the view, start
// moving it from the view's pop-up menu, drag it with Shift held, save the
// file under a new name through the file chooser and load it back.
#include "endtoend.h"

#include "mapeditor/lmfile.h"
#include "objectviewer/lofile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <numbers>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

using e2e::EndToEnd;
using e2e::intOf;
using e2e::xdotool;

namespace {

struct Pix {
    int x = 0, y = 0;
};

// The view as the state file describes it, with its arithmetic worked out
// from first principles: s feet per pixel (magzoom / 20), the landmark origin
// at the image's integer half size, and the view angle turning the vector
// (y, x) in feet onto the screen (so 270 degrees puts x to the right and y
// upward).
struct View {
    double s = 0;
    int cx = 0, cy = 0;
    double angle = 0;
    int hpos = 0, vpos = 0; // scroll positions: box pixel p shows image pixel pos + p
    e2e::Rect box;          // the scroll box in the viewer's client area

    // The image pixel at which an object at (x, y) feet is drawn.
    Pix drawnAt(double x, double y) const {
        const double c = std::cos(angle * std::numbers::pi / 180),
                     n = std::sin(angle * std::numbers::pi / 180);
        return {cx + int(std::lround((y * c - x * n) / s)),
                cy + int(std::lround((y * n + x * c) / s))};
    }
    // The position in feet under an image pixel: the inverse turn.
    std::pair<double, double> feetAt(Pix p) const {
        const double dx = s * (p.x - cx), dy = s * (p.y - cy);
        const double c = std::cos(angle * std::numbers::pi / 180),
                     n = std::sin(angle * std::numbers::pi / 180);
        return {-dx * n + dy * c, dx * c + dy * n};
    }
    bool inBox(Pix p, int margin) const {
        return p.x - hpos >= margin && p.y - vpos >= margin && p.x - hpos < box.w - margin &&
               p.y - vpos < box.h - margin;
    }
};

// A picked object is one within 10 pixels on both axes: keep a little more.
bool apart(Pix a, Pix b, int gap) {
    return std::max(std::abs(a.x - b.x), std::abs(a.y - b.y)) >= gap;
}

// Waits until the program has handled every event it was sent: its count of
// dispatched events stands still for a while.
void settle(const std::string& state) {
    std::string last;
    e2e::waitUntil(
        [&] {
            const std::string now = e2e::readState(state)["Application.dispatched"];
            const bool still = now == last;
            last = now;
            return still;
        },
        5s);
}

std::string fileBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// "x: <X> y:<Y> Ft: x <fx> Ft: y <fy> " as the pointer move shows it.
bool parseXyview(const std::string& text, Pix& at, long& fx, long& fy) {
    std::istringstream in(text);
    std::string x, y, ft1, x2, ft2, y2;
    in >> x >> at.x >> y;
    if (x != "x:" || y.rfind("y:", 0) != 0) return false;
    at.y = std::stoi(y.substr(2));
    in >> ft1 >> x2 >> fx >> ft2 >> y2 >> fy;
    return !in.fail() && ft1 == "Ft:" && x2 == "x" && ft2 == "Ft:" && y2 == "y";
}

} // namespace

TEST_F(EndToEnd, ViewerMovesAnObjectWithShiftAndSavesItUnderANewName) {
    const fs::path saved = e2e::demoFolder() / "moved-by-shift.dat";
    fs::remove(saved);
    ASSERT_NO_FATAL_FAILURE(openViewerOnFirstRow());
    const fs::path original = e2e::demoFolder() / "LMdefault" / e2e::rowObjectFile(0);
    const std::string originalBytes = fileBytes(original);
    const auto before = std::make_unique<vx::TLOtab>();
    vx::readObjectFile(original.string(), *before);
    const int count = before->head.count;
    ASSERT_GE(count, 2) << "the first landmark needs two objects";
    const double lmRota =
        vx::readLandmarkFile((e2e::demoFolder() / "LMdefault" / "lndmrks4.mlf").string())
            .rec(1)
            .rota;

    // Rest the pointer on the viewer, which activates it, and let that settle.
    ASSERT_TRUE(xdotool(x, "mousemove " + std::to_string(vx0 + 5) + " " + std::to_string(vy0 + 5)));
    settle(state);
    auto s = e2e::readState(state);
    // The view as it opens: manual rotation 270 plus the landmark's own.
    ASSERT_EQ(s["loview.manrotlm.Checked"], "1");
    ASSERT_EQ(s["loview.rotlm.Checked"], "1");
    ASSERT_EQ(s["loview.rotdbg.ItemIndex"], "6"); // "270"
    ASSERT_EQ(s["loview.follow.Checked"], "0");
    View v;
    v.s = intOf(s, "loview.magzoom.Position") / 20.0;
    int W = 0, H = 0;
    std::istringstream(s["loview.loimg.size"]) >> W >> H;
    v.cx = W / 2;
    v.cy = H / 2;
    v.angle = std::fmod(std::nearbyint(270 + lmRota), 360.0);
    v.hpos = intOf(s, "loview.loscroll.HorzPos");
    v.vpos = intOf(s, "loview.loscroll.VertPos");
    v.box = e2e::bounds(s, "loview.loscroll");
    std::vector<Pix> drawn;
    for (int i = 0; i < count; ++i) {
        const float ox = before->objs[i].x, oy = before->objs[i].y;
        drawn.push_back(v.drawnAt(ox, oy));
    }
    auto onScreen = [&](Pix p) {
        return std::pair{vx0 + v.box.x + p.x - v.hpos, vy0 + v.box.y + p.y - v.vpos};
    };
    auto clearOfAll = [&](Pix p, int gap) {
        for (Pix d : drawn)
            if (!apart(p, d, gap)) return false;
        return true;
    };

    // The object to move: one in view that no object before it hides.
    int k = -1;
    for (int i = 1; i < count && k < 0; ++i) {
        bool clear = v.inBox(drawn[size_t(i)], 20);
        for (int j = 0; j < i && clear; ++j) clear = apart(drawn[size_t(i)], drawn[size_t(j)], 12);
        if (clear) k = i;
    }
    ASSERT_GE(k, 1) << "no object of the file stands clear in view";
    // Spots on empty ground near the middle: the pop-up's and the move's end.
    Pix menuAt, end;
    bool haveMenu = false, haveEnd = false;
    for (int r = 40; r < std::min(v.box.w, v.box.h) / 2 && !(haveMenu && haveEnd); r += 7)
        for (int a = 0; a < 360 && !(haveMenu && haveEnd); a += 15) {
            const Pix p{v.hpos + v.box.w / 2 + int(r * std::cos(a * std::numbers::pi / 180)),
                        v.vpos + v.box.h / 2 + int(r * std::sin(a * std::numbers::pi / 180))};
            if (!v.inBox(p, 80)) continue;
            if (!haveMenu && clearOfAll(p, 16)) menuAt = p, haveMenu = true;
            if (!haveEnd && clearOfAll(p, 30) && apart(p, menuAt, 30) && p.x != v.cx && p.y != v.cy)
                end = p, haveEnd = true;
        }
    ASSERT_TRUE(haveMenu && haveEnd) << "no empty ground in view";

    // Pick the object on the view.
    auto [kx, ky] = onScreen(drawn[size_t(k)]);
    x.click(kx, ky);
    ASSERT_TRUE(e2e::waitForState(state, "loview.lolist.ItemIndex", std::to_string(k), 5s))
        << e2e::readState(state)["loview.mdowninfo.Caption"];
    EXPECT_EQ(e2e::readState(state)["loview.objlist.ItemIndex"], std::to_string(k));
    EXPECT_NE(e2e::readState(state)["loview.mdowninfo.Caption"].find(" got "), std::string::npos);

    // "Start moving 1 object (shift key + mouse)", the menu's first item, by
    // keys. The menu opens under the pointer: move it off before counting from
    // Home. A busy program may open the menu after the keys; then once more.
    const auto [mx, my] = onScreen(menuAt);
    bool on = false;
    for (int tries = 0; tries < 2 && !on; ++tries) {
        x.click(mx, my, 3);
        std::this_thread::sleep_for(500ms);
        xdotool(x, "mousemove " + std::to_string(vx0 + 5) + " " + std::to_string(vy0 + 5));
        std::this_thread::sleep_for(200ms);
        xdotool(x, "key --delay 100 Home Return");
        on =
            e2e::waitForState(state, "loview.editOnOff.Caption", "Editing / moving objects ON", 5s);
        if (!on) xdotool(x, "key Escape");
    }
    ASSERT_TRUE(on) << "edit mode did not come on";
    EXPECT_EQ(e2e::readState(state)["loview.lolist.ItemIndex"], std::to_string(k))
        << "the right click on empty ground changed the current object";

    // Drag with Shift held and no button, in steps, ending on `end`.
    const auto [ex, ey] = onScreen(end);
    std::string drag = "keydown shift";
    for (int step = 6; step >= 0; --step)
        drag += " mousemove " + std::to_string(ex - 9 * step) + " " +
                std::to_string(ey - 6 * step) + " sleep 0.05";
    ASSERT_TRUE(xdotool(x, drag + " keyup shift"));
    const std::string at = "x: " + std::to_string(end.x) + " y:" + std::to_string(end.y) + " ";
    std::string xy;
    ASSERT_TRUE(e2e::waitUntil(
        [&] {
            xy = e2e::readState(state)["loview.xyview.Caption"];
            return xy.rfind(at, 0) == 0;
        },
        5s))
        << xy << " instead of " << at;
    Pix shown;
    long fx = 0, fy = 0;
    ASSERT_TRUE(parseXyview(xy, shown, fx, fy)) << xy;
    const auto [hx, hy] = v.feetAt(end);
    EXPECT_NEAR(double(fx), hx, v.s) << xy;
    EXPECT_NEAR(double(fy), hy, v.s) << xy;
    // Without Shift the pointer only shows where it is.
    x.moveTo(mx, my);
    const std::string atMenu =
        "x: " + std::to_string(menuAt.x) + " y:" + std::to_string(menuAt.y) + " ";
    ASSERT_TRUE(e2e::waitUntil(
        [&] { return e2e::readState(state)["loview.xyview.Caption"].rfind(atMenu, 0) == 0; }, 5s));
    s = e2e::readState(state);
    ASSERT_EQ(intOf(s, "loview.magzoom.Position"), int(std::lround(v.s * 20)));
    ASSERT_EQ(s["loview.loimg.size"], std::to_string(W) + " " + std::to_string(H));
    e2e::writePng((e2e::demoFolder() / "viewer-moved.png").string(), x.grab(vx0, vy0, vw, vh), vw,
                  vh);

    ASSERT_NO_FATAL_FAILURE(saveObjectFileAs(saved));
    EXPECT_EQ(e2e::readState(state)["loview.editOnOff.Caption"], "Editing / moving objects OFF");

    // The file read back: object k where the pointer left it, all else as it was.
    EXPECT_EQ(fileBytes(original), originalBytes) << "the template's file changed";
    const auto after = std::make_unique<vx::TLOtab>();
    vx::readObjectFile(saved.string(), *after);
    ASSERT_EQ(after->head.count, count);
    for (int i = 0; i < count; ++i) {
        // Object k keeps all but its place, which is the feet the move showed.
        vx::LOobject want = before->objs[i];
        if (i == k) {
            want.x = float(fx);
            want.y = float(fy);
        }
        EXPECT_EQ(std::memcmp(&after->objs[i], &want, sizeof want), 0) << "object " << i;
    }
    const float ax = after->objs[k].x, ay = after->objs[k].y;
    EXPECT_NEAR(ax, hx, v.s);
    EXPECT_NEAR(ay, hy, v.s);

    // And in the viewer: "Choose lo file manually", the path typed into the chooser.
    clickViewerControl("customload");
    const e2e::Window open = x.findWindow("Open", 10s);
    ASSERT_NE(open, 0u) << "no open dialog";
    ASSERT_NO_FATAL_FAILURE(pointAtDialog(open));
    // A leading "/" opens the chooser's location box.
    ASSERT_TRUE(xdotool(x, "type --delay 20 '" + saved.string() + "'"));
    ASSERT_TRUE(xdotool(x, "key Return"));
    ASSERT_TRUE(e2e::waitUntil(
        [&] {
            auto st = e2e::readState(state);
            return st["loview.locfile.Checked"] == "1" &&
                   st["loview.LMname.Caption"].find(saved.filename().string()) != std::string::npos;
        },
        10s))
        << e2e::readState(state)["loview.LMname.Caption"];
    ASSERT_TRUE(xdotool(x, "mousemove " + std::to_string(vx0 + 5) + " " + std::to_string(vy0 + 5)));
    settle(state);
    s = e2e::readState(state);
    ASSERT_EQ(intOf(s, "loview.objlist.Count"), count);
    // The view may have been sized and scrolled anew: work the place out again.
    const Pix endFromOrigin{end.x - v.cx, end.y - v.cy};
    v.s = intOf(s, "loview.magzoom.Position") / 20.0;
    std::istringstream(s["loview.loimg.size"]) >> W >> H;
    v.cx = W / 2;
    v.cy = H / 2;
    v.hpos = intOf(s, "loview.loscroll.HorzPos");
    v.vpos = intOf(s, "loview.loscroll.VertPos");
    const Pix moved = v.drawnAt(ax, ay);
    ASSERT_TRUE(v.inBox(moved, 10));
    const auto [px, py] = onScreen(moved);
    x.click(px, py);
    ASSERT_TRUE(e2e::waitForState(state, "loview.lolist.ItemIndex", std::to_string(k), 5s))
        << e2e::readState(state)["loview.mdowninfo.Caption"];
    s = e2e::readState(state);
    char line[64];
    std::snprintf(line, sizeof line, " x: %4.0f y: %4.0f ", double(ax), double(ay));
    EXPECT_NE(s["loview.lolist.Text"].find(line), std::string::npos) << s["loview.lolist.Text"];
    // Drawn where the pointer left it, within a pixel.
    std::istringstream info(
        s["loview.mdowninfo.Caption"].substr(s["loview.mdowninfo.Caption"].find(" cox: ") + 6));
    int cox = 0, coy = 0;
    std::string coyLabel;
    info >> cox >> coyLabel;
    coy = std::stoi(coyLabel.substr(4));
    EXPECT_NEAR(cox - v.cx, endFromOrigin.x, 1) << s["loview.mdowninfo.Caption"];
    EXPECT_NEAR(coy - v.cy, endFromOrigin.y, 1) << s["loview.mdowninfo.Caption"];
}

// The magnification hint pops up over the view while the pointer rests there.
// A Shift move onto the hint still reaches the view: the hint takes no
// pointer events from it.
TEST_F(EndToEnd, ViewerHintTakesNoPointerFromTheView) {
    ASSERT_NO_FATAL_FAILURE(openViewerOnFirstRow());
    ASSERT_TRUE(xdotool(x, "mousemove " + std::to_string(vx0 + 5) + " " + std::to_string(vy0 + 5)));
    settle(state);
    auto s = e2e::readState(state);
    const e2e::Rect box = e2e::bounds(s, "loview.loscroll");
    const int hpos = intOf(s, "loview.loscroll.HorzPos"),
              vpos = intOf(s, "loview.loscroll.VertPos");
    const int px = vx0 + box.x + box.w / 3, py = vy0 + box.y + box.h / 3;

    // Shift held, the pointer rests on the view until the hint shows beside it.
    ASSERT_TRUE(xdotool(x, "keydown shift"));
    x.moveTo(px, py);
    x.moveTo(px + 1, py);
    std::vector<int> hint;
    const bool shown = e2e::waitUntil(
        [&] {
            for (const auto& p : x.popups())
                if (std::abs(p[0] + p[2] / 2 - px) < 200 && std::abs(p[1] + p[3] / 2 - py) < 200)
                    hint = p;
            return !hint.empty();
        },
        5s);
    if (!shown) xdotool(x, "keyup shift");
    ASSERT_TRUE(shown) << "no hint showed over the view";

    // One move onto the hint's middle: the view sees the pointer arrive there.
    const int hx = hint[0] + hint[2] / 2, hy = hint[1] + hint[3] / 2;
    x.moveTo(hx, hy);
    const std::string at = "x: " + std::to_string(hpos + hx - vx0 - box.x) +
                           " y:" + std::to_string(vpos + hy - vy0 - box.y) + " ";
    std::string xy;
    const bool seen = e2e::waitUntil(
        [&] {
            xy = e2e::readState(state)["loview.xyview.Caption"];
            return xy.rfind(at, 0) == 0;
        },
        3s);
    xdotool(x, "keyup shift");
    EXPECT_TRUE(seen) << xy << " instead of " << at;
}
