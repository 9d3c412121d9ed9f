// The main window on a small and a large screen: every caption fits the room
// its control has, the landmark memo shows a whole record, and a larger
// screen gives its room to the map.
#include "endtoend.h"

#include "mapeditor/lmedit.h"
#include "mapeditor/lmfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

struct Screen {
    int width, height;
};

struct Box {
    int x = 0, y = 0, w = 0, h = 0;
};

Box boxOf(const std::map<std::string, std::string>& s, const std::string& control) {
    Box b;
    auto it = s.find("Form1." + control + ".bounds");
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

class Layout : public ::testing::TestWithParam<Screen> {
protected:
    Layout() : x(GetParam().width, GetParam().height) {}
    void SetUp() override {
        ASSERT_EQ(longName.size(), 39u);
        state = (layoutFolder() / ("state-layout-" + std::to_string(GetParam().width) + ".txt"))
                    .string();
        fs::remove(state);
        prog = std::make_unique<e2e::Program>((layoutFolder() / "vexton").string(),
                                              layoutFolder().string(), x.name(), state);
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
        std::vector<uint32_t> px = x.grab(wx, wy, ww, wh);
        e2e::writePng(
            (layoutFolder() / ("layout-" + std::to_string(GetParam().width) + ".png")).string(), px,
            ww, wh);
    }

    e2e::XServer x;
    std::string state;
    std::unique_ptr<e2e::Program> prog;
    e2e::Window win = 0;
    int wx = 0, wy = 0, ww = 0, wh = 0;
};

std::string screenName(const ::testing::TestParamInfo<Screen>& i) {
    return std::to_string(i.param.width) + "x" + std::to_string(i.param.height);
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Screens, Layout, ::testing::Values(Screen{1366, 768}, Screen{1920, 1080}),
                         screenName);

// "l r" of every caption the state file gives, by control name.
std::map<std::string, std::pair<int, int>>
captionSpans(const std::map<std::string, std::string>& s) {
    const std::string suffix = ".captionSpan";
    std::map<std::string, std::pair<int, int>> spans;
    for (const auto& [key, value] : s) {
        if (key.size() < suffix.size() ||
            key.compare(key.size() - suffix.size(), suffix.size(), suffix) != 0)
            continue;
        std::pair<int, int> lr;
        std::istringstream(value) >> lr.first >> lr.second;
        spans[key.substr(6, key.size() - 6 - suffix.size())] = lr;
    }
    return spans;
}

TEST_P(Layout, EveryCaptionFitsItsControlAndTheWindow) {
    // A caption changed by the load is laid out a moment later: until then its
    // text has no place inside the control.
    std::map<std::string, std::string> s;
    auto laidOut = [&] {
        s = e2e::readState(state);
        for (const auto& [control, lr] : captionSpans(s))
            if (lr.first < 0) return false;
        return true;
    };
    EXPECT_TRUE(e2e::waitUntil(laidOut, 10s)) << "a caption stays outside its control";
    const auto spans = captionSpans(s);
    for (const auto& [control, lr] : spans) {
        const Box b = boxOf(s, control);
        EXPECT_GE(lr.first, 0) << control << " starts left of its control";
        EXPECT_LE(lr.second, b.w) << control << " needs " << lr.second << " pixels, has " << b.w;
        EXPECT_LE(b.x + b.w, ww) << control << " reaches beyond the window";
        EXPECT_LE(b.y + b.h, wh) << control << " reaches below the window";
    }
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
    EXPECT_GE(list.h, wh - 460);
    EXPECT_GE(map.h, wh - 60);
}
