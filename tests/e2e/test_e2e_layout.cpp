// Both windows on a small and a large screen, under a minimal and a desktop
// font set: every caption fits the room its control has, the landmark memo
// shows a whole record, the viewer's controls fit without overlaps, and a
// larger screen gives its room to the map.
#include "endtoend.h"
#include "fontsets.h"

#include "mapeditor/lmedit.h"
#include "mapeditor/lmfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <tuple>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

struct Screen {
    int width, height;
};

using e2e::FontSet;
using Setup = std::tuple<Screen, FontSet>;

struct Box {
    int x = 0, y = 0, w = 0, h = 0;
};

Box boxOf(const std::map<std::string, std::string>& s, const std::string& control,
          const std::string& form = "Form1") {
    Box b;
    auto it = s.find(form + "." + control + ".bounds");
    if (it == s.end()) throw std::runtime_error("no bounds for " + control);
    std::istringstream(it->second) >> b.x >> b.y >> b.w >> b.h;
    return b;
}

// The longest name a record holds.
const std::string longName = "Longest landmark name of all 39 letters";

// A demo folder whose first landmark on the default map has the longest name.
const fs::path& layoutFolder() {
    static const fs::path dir = [] {
        const fs::path d = e2e::makeTestDemoFolder("vx-e2e-layout");
        const std::string lm = (d / "LMdefault" / "lndmrks4.mlf").string();
        vx::Tlm t = vx::readLandmarkFile(lm);
        vx::setNameField(t.rec(1), longName);
        vx::saveLandmarkFile(lm, t);
        return d;
    }();
    return dir;
}

class Layout : public ::testing::TestWithParam<Setup> {
protected:
    Layout() : x(screen().width, screen().height) {}
    static Screen screen() { return std::get<0>(GetParam()); }
    static FontSet fonts() { return std::get<1>(GetParam()); }
    static std::string tag() {
        return std::to_string(screen().width) + "-" + e2e::fontSetName(fonts());
    }
    void SetUp() override {
        ASSERT_EQ(longName.size(), 39u);
        // The sets must give what they stand for, or the test proves nothing.
        const bool desktop = fonts() == FontSet::desktop;
        ASSERT_EQ(e2e::matchedFamily(fonts(), "monospace"),
                  desktop ? "Noto Sans Mono" : "DejaVu Sans Mono")
            << "font packages missing: run tools/deps.sh";
        ASSERT_EQ(e2e::matchedFamily(fonts(), "Sans"), desktop ? "Noto Sans" : "DejaVu Sans");
        state = (layoutFolder() / ("state-layout-" + tag() + ".txt")).string();
        gtkState = state + ".gtk";
        fs::remove(state);
        fs::remove(gtkState);
        prog = std::make_unique<e2e::Program>(
            (layoutFolder() / "vexton").string(), layoutFolder().string(), x.name(), state,
            gtkState,
            std::map<std::string, std::string>{{"FONTCONFIG_FILE", e2e::fontConfigFile(fonts())}});
        win = x.findWindow("Vexton", 20s);
        ASSERT_NE(win, 0u) << "no window titled Vexton";
        ASSERT_TRUE(e2e::waitForState(state, "Form1.visible", "1", 10s));
        x.origin(win, wx, wy, ww, wh);
        const Box load = boxOf(e2e::readState(state), "loadpic");
        x.click(wx + load.x + load.w / 2, wy + load.y + load.h / 2);
        ASSERT_TRUE(e2e::waitForState(state, "Form1.Image1.size", "4000 3000", 20s));
    }
    void TearDown() override {
        if (ww <= 0 || wh <= 0) return;
        const std::vector<uint32_t> px = x.grab(wx, wy, ww, wh);
        e2e::writePng((layoutFolder() / ("layout-" + tag() + ".png")).string(), px, ww, wh);
        // The memo on its own, to look at under each font set.
        const Box m = boxOf(e2e::readState(state), "LMdata");
        if (m.w <= 0 || m.h <= 0 || m.x + m.w > ww || m.y + m.h > wh) return;
        std::vector<uint32_t> memo;
        for (int y = m.y; y < m.y + m.h; ++y)
            memo.insert(memo.end(), px.begin() + y * ww + m.x, px.begin() + y * ww + m.x + m.w);
        e2e::writePng((layoutFolder() / ("memo-" + tag() + ".png")).string(), memo, m.w, m.h);
    }

    e2e::XServer x;
    std::string state, gtkState;
    std::unique_ptr<e2e::Program> prog;
    e2e::Window win = 0;
    int wx = 0, wy = 0, ww = 0, wh = 0;
};

std::string setupName(const ::testing::TestParamInfo<Setup>& i) {
    const Screen s = std::get<0>(i.param);
    return std::to_string(s.width) + "x" + std::to_string(s.height) + "_" +
           e2e::fontSetName(std::get<1>(i.param));
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Screens, Layout,
                         ::testing::Combine(::testing::Values(Screen{1366, 768},
                                                              Screen{1920, 1080}),
                                            ::testing::Values(FontSet::minimal, FontSet::desktop)),
                         setupName);

namespace {

// "l r" of every caption of the form's controls the state file gives, by control name.
std::map<std::string, std::pair<int, int>> captionSpans(const std::map<std::string, std::string>& s,
                                                        const std::string& form = "Form1") {
    const std::string suffix = ".captionSpan", prefix = form + ".";
    std::map<std::string, std::pair<int, int>> spans;
    for (const auto& [key, value] : s) {
        if (!key.starts_with(prefix) || !key.ends_with(suffix)) continue;
        std::pair<int, int> lr;
        std::istringstream(value) >> lr.first >> lr.second;
        spans[key.substr(prefix.size(), key.size() - prefix.size() - suffix.size())] = lr;
    }
    return spans;
}

// The state once every caption of the form has its place: a caption changed
// by a handler is laid out a moment later.
std::map<std::string, std::string> laidOutState(const std::string& state,
                                                const std::string& form = "Form1") {
    std::map<std::string, std::string> s;
    auto laidOut = [&] {
        s = e2e::readState(state);
        for (const auto& [control, lr] : captionSpans(s, form))
            if (lr.first < 0) return false;
        return true;
    };
    EXPECT_TRUE(e2e::waitUntil(laidOut, 10s)) << "a caption stays outside its control";
    return s;
}

// Every caption of the form within its control, every control within the window.
void expectCaptionsFit(const std::map<std::string, std::string>& s, const std::string& form, int ww,
                       int wh) {
    for (const auto& [control, lr] : captionSpans(s, form)) {
        const Box b = boxOf(s, control, form);
        EXPECT_GE(lr.first, 0) << control << " starts left of its control";
        EXPECT_LE(lr.second, b.w) << control << " needs " << lr.second << " pixels, has " << b.w;
        EXPECT_LE(b.x + b.w, ww) << control << " reaches beyond the window";
        EXPECT_LE(b.y + b.h, wh) << control << " reaches below the window";
    }
}

// No two controls GTK shows on the form cover each other (the image lies
// inside its scroll box).
void expectNoOverlaps(const std::string& gtkState, const std::string& form,
                      const std::string& inner) {
    std::map<std::string, std::string> g;
    const std::string prefix = form + ".";
    EXPECT_TRUE(e2e::waitUntil(
        [&] { return (g = e2e::readState(gtkState))[prefix + inner + ".mapped"] == "1"; }, 5s));
    std::map<std::string, Box> shown;
    for (const auto& [key, value] : g) {
        if (!key.starts_with(prefix) || !key.ends_with(".geom")) continue;
        const std::string name = key.substr(prefix.size(), key.size() - prefix.size() - 5);
        if (g[prefix + name + ".mapped"] != "1" || name == inner) continue;
        Box b;
        std::istringstream(value) >> b.x >> b.y >> b.w >> b.h;
        shown[name] = b;
    }
    EXPECT_GT(shown.size(), 30u);
    for (auto a = shown.begin(); a != shown.end(); ++a)
        for (auto b = std::next(a); b != shown.end(); ++b) {
            const Box &p = a->second, &q = b->second;
            const bool apart =
                p.x + p.w <= q.x || q.x + q.w <= p.x || p.y + p.h <= q.y || q.y + q.h <= p.y;
            EXPECT_TRUE(apart) << a->first << " covers " << b->first;
        }
}

} // namespace

TEST_P(Layout, EveryCaptionFitsItsControlAndTheWindow) {
    const auto s = laidOutState(state);
    expectCaptionsFit(s, "Form1", ww, wh);
    const auto spans = captionSpans(s);
    EXPECT_GT(spans.size(), 30u) << "the state file names too few captions";
    for (const char* named : {"zoomio", "zoomfact", "inc_coords", "inc_actonly", "remLM"})
        EXPECT_TRUE(spans.count(named)) << named;
}

TEST_P(Layout, TheMemoShowsAWholeRecordWithTheLongestName) {
    ASSERT_TRUE(e2e::waitForState(state, "Form1.LMdata.showsAll", "1", 10s))
        << e2e::readState(state)["Form1.LMdata.Text"];
    const std::string text = e2e::readState(state)["Form1.LMdata.Text"];
    EXPECT_NE(text.find("\\nName :" + longName), std::string::npos) << text;
}

TEST_P(Layout, TheMapTakesTheRoomOfALargerScreen) {
    const auto s = e2e::readState(state);
    const Box map = boxOf(s, "ScrollBox1"), memo = boxOf(s, "LMdata");
    const Box list = boxOf(s, "lmpicklist"), quit = boxOf(s, "quitapp");
    // The panel right of the map is as wide on every screen.
    EXPECT_LE(ww - (map.x + map.w), 600);
    // Lists and memo reach down to the bottom whatever the height.
    EXPECT_GE(memo.y + memo.h, wh - 12);
    EXPECT_GE(quit.y + quit.h, wh - 12);
    if (fonts() == FontSet::minimal) {
        EXPECT_GE(list.h, wh - 460);
    }
    EXPECT_GE(map.h, wh - 60);
    // Taller fonts take rows from the list, yet it shows a good part of a file.
    auto rowsShown = [&] {
        int first = 0, last = -1;
        std::istringstream(e2e::readState(gtkState)["Form1.lmpicklist.visibleRows"]) >> first >>
            last;
        return last - first + 1;
    };
    const int atLeast = 7 + (wh - 690) / 30;
    EXPECT_TRUE(e2e::waitUntil([&] { return rowsShown() >= atLeast; }, 5s))
        << rowsShown() << " rows shown, " << atLeast << " wanted";
}

// The viewer opened on the first landmark and clicked: its captions fit, and
// no control GTK shows covers another.
TEST_P(Layout, TheViewersControlsFitWithoutOverlaps) {
    const Box view = boxOf(e2e::readState(state), "showloview");
    x.click(wx + view.x + view.w / 2, wy + view.y + view.h / 2);
    ASSERT_TRUE(e2e::waitForState(state, "loview.visible", "1", 10s));
    const e2e::Window viewer = x.findWindow("loview", 10s);
    ASSERT_NE(viewer, 0u) << "no window titled loview";
    int vx0 = 0, vy0 = 0, vw = 0, vh = 0;
    x.origin(viewer, vx0, vy0, vw, vh);
    // A click in the view reports itself under everything.
    const Box area = boxOf(e2e::readState(state), "loscroll", "loview");
    x.click(vx0 + area.x + area.w / 2, vy0 + area.y + area.h / 2);
    ASSERT_TRUE(e2e::waitUntil(
        [&] { return e2e::readState(state)["loview.mdowninfo.Caption"].starts_with(" x y"); }, 5s));
    const auto s = laidOutState(state, "loview");
    expectCaptionsFit(s, "loview", vw, vh);
    EXPECT_GT(captionSpans(s, "loview").size(), 15u) << "the state file names too few captions";

    expectNoOverlaps(gtkState, "loview", "loimg");
    e2e::writePng((layoutFolder() / ("viewer-" + tag() + ".png")).string(),
                  x.grab(vx0, vy0, vw, vh), vw, vh);
    // The rotation list shows its nine angles whole, with no scroll bar.
    EXPECT_TRUE(e2e::waitUntil(
        [&] { return e2e::readState(gtkState)["loview.rotdbg.scrollBars"] == "0 0"; }, 5s))
        << e2e::readState(gtkState)["loview.rotdbg.scrollBars"];
    // The object line the file list shows is not cut.
    int need = 0, has = 0;
    std::istringstream(e2e::readState(gtkState)["loview.lolist.textRoom"]) >> need >> has;
    EXPECT_GT(need, 0);
    EXPECT_LE(need, has) << "lolist cuts its line";
}

// Captions the handlers set: a click on the map and the pointer over it fill
// the readouts under it, the zoom bar's wheel its readout, editing renames
// the edit button. Each fits its
// control, and none runs into another.
TEST_P(Layout, CaptionsSetByHandlersFitTheirControls) {
    const Box map = boxOf(e2e::readState(state), "ScrollBox1");
    x.click(wx + map.x + map.w / 2, wy + map.y + map.h / 2);
    x.moveTo(wx + map.x + map.w / 3, wy + map.y + map.h / 3);
    ASSERT_TRUE(e2e::waitUntil(
        [&] {
            auto s = e2e::readState(state);
            return s["Form1.XY_xy.Caption"].starts_with("XY ") &&
                   s["Form1.distinm1.Caption"].starts_with("Dist in m1:");
        },
        5s));
    // The wheel over the zoom bar reports itself beside the zoom.
    const Box bar = boxOf(e2e::readState(state), "zoombar");
    x.wheel(wx + bar.x + bar.w / 2, wy + bar.y + bar.h / 2, 4, 1);
    ASSERT_TRUE(e2e::waitUntil(
        [&] { return e2e::readState(state)["Form1.zoomfact.Caption"] != "zoomfact"; }, 5s));
    const Box edit = boxOf(e2e::readState(state), "edLM");
    x.click(wx + edit.x + edit.w / 2, wy + edit.y + edit.h / 2);
    ASSERT_TRUE(e2e::waitForState(state, "Form1.edLM.Caption", "Commit changes", 5s));
    expectCaptionsFit(laidOutState(state), "Form1", ww, wh);
    expectNoOverlaps(gtkState, "Form1", "Image1");
}
