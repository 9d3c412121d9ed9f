// What GTK shows of the landmark list after the program rebuilds or scrolls
// it: the rows in view, the scroll bar and the selection must agree. Text
// typed into a combo box, which selects none of its entries. A click on a
// track bar that leaves it where it is.
#include "endtoend.h"

#include "objectviewer/lofile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

using e2e::bounds;
using e2e::EndToEnd;
using e2e::intOf;
using e2e::Rect;
using e2e::waitUntil;
using e2e::xdotool;

namespace {

// The list as the GTK widget dump describes it.
struct ListView {
    int first = -1, last = -1;                         // rows in view
    int value = 0, upper = 0, page = 0, rowHeight = 0; // the scroll bar, one row's height
    std::string selected;

    // The row at the scroll bar's place is the first row shown.
    bool agrees() const { return rowHeight > 0 && first >= 0 && value / rowHeight == first; }
    bool shows(int row) const { return first <= row && row <= last; }
};

std::ostream& operator<<(std::ostream& os, const ListView& v) {
    return os << "rows " << v.first << " to " << v.last << ", scroll bar " << v.value << " of "
              << v.upper << " (page " << v.page << ", row " << v.rowHeight << "), selected \""
              << v.selected << "\"";
}

ListView listView(const std::string& gtkState) {
    auto g = e2e::readState(gtkState);
    ListView v;
    std::istringstream(g["Form1.lmpicklist.visibleRows"]) >> v.first >> v.last;
    std::istringstream(g["Form1.lmpicklist.scroll"]) >> v.value >> v.upper >> v.page >> v.rowHeight;
    v.selected = g["Form1.lmpicklist.selected"];
    return v;
}

} // namespace

class ListOnScreen : public EndToEnd {
protected:
    // Waits until GTK's list has row selected and settled; returns what it shows.
    ListView settled(int row) {
        ListView v;
        waitUntil(
            [&] {
                v = listView(gtkState);
                return v.selected == std::to_string(row) && v.agrees() && v.shows(row);
            },
            5s);
        std::this_thread::sleep_for(300ms); // nothing moves after that
        return listView(gtkState);
    }
    void wheelOverList(int button) {
        const Rect list = bounds(e2e::readState(state), "Form1.lmpicklist");
        x.wheel(wx + list.x + list.w / 2, wy + list.y + list.h / 2, button, 1);
    }
};

TEST_F(ListOnScreen, AfterCommitTheListShowsTheSelectedRowAndScrolls) {
    ASSERT_NO_FATAL_FAILURE(loadMapAndPickFirstRow());
    const int n = intOf(e2e::readState(state), "Form1.lmpicklist.Count");
    // The last row, by key: the list scrolls to the bottom.
    ASSERT_TRUE(xdotool(x, "key End"));
    const int last = n - 1;
    ASSERT_TRUE(e2e::waitForState(state, "Form1.lmpicklist.ItemIndex", std::to_string(last), 5s));
    ListView before = settled(last);
    ASSERT_TRUE(before.agrees() && before.shows(last) && before.first > 0)
        << "the list must be longer than its view: " << before;

    clickControl("edLM");
    ASSERT_TRUE(e2e::waitForState(state, "Form1.edLM.Caption", "Commit changes", 5s));
    clickControl("edLM");
    ASSERT_TRUE(e2e::waitForState(state, "Form1.edLM.Caption", "Edit Landmark", 5s));
    const ListView after = settled(last);
    EXPECT_TRUE(after.agrees()) << after;
    EXPECT_TRUE(after.shows(last)) << after;
    EXPECT_EQ(after.selected, std::to_string(last)) << after;

    // The wheel scrolls the rows and the bar together, up and back down.
    wheelOverList(4);
    ListView up;
    EXPECT_TRUE(waitUntil(
        [&] {
            up = listView(gtkState);
            return up.first < after.first && up.agrees();
        },
        5s))
        << up;
    wheelOverList(5);
    ListView down;
    EXPECT_TRUE(waitUntil(
        [&] {
            down = listView(gtkState);
            return down.first > up.first && down.agrees();
        },
        5s))
        << down;
    clickControl("quitapp");
    EXPECT_EQ(prog->wait(10s), 0);
}

TEST_F(ListOnScreen, ReloadMapPutsTheSelectedRowAtTheTop) {
    ASSERT_NO_FATAL_FAILURE(loadMapAndPickFirstRow());
    const int n = intOf(e2e::readState(state), "Form1.lmpicklist.Count");
    // A row in view below the top, then the last row (which cannot go to the top).
    for (const int row : {5, n - 1}) {
        const Rect list = bounds(e2e::readState(state), "Form1.lmpicklist");
        x.click(wx + list.x + 40, wy + list.y + 8); // the keys go to the list
        std::string keys = "key --delay 50 Home";
        for (int i = 0; i < row; ++i) keys += " Down";
        ASSERT_TRUE(xdotool(x, keys));
        ASSERT_TRUE(
            e2e::waitForState(state, "Form1.lmpicklist.ItemIndex", std::to_string(row), 5s));
        ASSERT_TRUE(settled(row).agrees());

        clickControl("remap");
        const ListView v = settled(row);
        EXPECT_TRUE(v.agrees()) << v;
        EXPECT_EQ(v.selected, std::to_string(row)) << v;
        if (row < n - (v.last - v.first + 1))
            EXPECT_EQ(v.first, row) << v;
        else
            EXPECT_EQ(v.last, n - 1) << v;
        EXPECT_EQ(e2e::readState(state)["Form1.lmpicklist.ItemIndex"], std::to_string(row));
    }
    clickControl("quitapp");
    EXPECT_EQ(prog->wait(10s), 0);
}

namespace {

std::string rotationLine(const std::string& memo) {
    const auto at = memo.find("Rota.:");
    // The state file writes line breaks as "\\n".
    return at == std::string::npos ? std::string() : memo.substr(at, memo.find('\\', at) - at);
}

} // namespace

TEST_F(ListOnScreen, TypedRotationStoresNothing) {
    ASSERT_NO_FATAL_FAILURE(loadMapAndPickFirstRow());
    const std::string before = rotationLine(e2e::readState(state)["Form1.LMdata.Text"]);
    ASSERT_FALSE(before.empty());
    clickControl("edLM");
    ASSERT_TRUE(e2e::waitForState(state, "Form1.edLM.Caption", "Commit changes", 5s));

    // Key by key, "3" and "36" read as entries of the box on the way to "365".
    const Rect box = bounds(e2e::readState(state), "Form1.LMrotation");
    x.click(wx + box.x + 12, wy + box.y + box.h / 2);
    ASSERT_TRUE(xdotool(x, "key ctrl+a"));
    ASSERT_TRUE(xdotool(x, "type --delay 250 365"));
    ASSERT_TRUE(e2e::waitForState(state, "Form1.LMrotation.Text", "365", 5s));
    EXPECT_EQ(e2e::readState(state)["Form1.LMrotation.ItemIndex"], "-1");
    EXPECT_TRUE(waitUntil(
        [&] {
            auto g = e2e::readState(gtkState);
            return g["Form1.LMrotation.active"] == "-1";
        },
        5s));

    clickControl("edLM");
    ASSERT_TRUE(e2e::waitForState(state, "Form1.edLM.Caption", "Edit Landmark", 5s));
    // Showing the row again shows its record as it is now.
    const Rect list = bounds(e2e::readState(state), "Form1.lmpicklist");
    x.click(wx + list.x + 40, wy + list.y + 8);
    std::string after;
    EXPECT_TRUE(waitUntil(
        [&] {
            after = rotationLine(e2e::readState(state)["Form1.LMdata.Text"]);
            return after == before;
        },
        5s))
        << "before \"" << before << "\", after \"" << after << "\"";
    clickControl("quitapp");
    EXPECT_EQ(prog->wait(10s), 0);
}

// The viewer's rotation bar shows the current object's rotation rounded; a
// click on its slider runs the same handler as a move, which stores that
// whole number.
TEST_F(EndToEnd, AClickOnTheRotationBarStoresTheRotationItShows) {
    const fs::path saved = e2e::demoFolder() / "rotated-by-click.dat";
    fs::remove(saved);
    // Object 0 (the current one once the viewer opens) gets a rotation with
    // a fraction; the file goes back as it was afterwards.
    const fs::path file = e2e::demoFolder() / "LMdefault" / e2e::rowObjectFile(0);
    const auto table = std::make_unique<vx::TLOtab>();
    vx::readObjectFile(file.string(), *table);
    const vx::TLOtab original = *table;
    const float rota = std::floor(float(table->objs[0].rota)) + 0.6f;
    table->objs[0].rota = rota;
    vx::saveObjectFile(file.string(), *table);
    struct Restore {
        fs::path file;
        vx::TLOtab table;
        ~Restore() { vx::saveObjectFile(file.string(), table); }
    } const restore{file, original};
    ASSERT_NO_FATAL_FAILURE(openViewerOnFirstRow());
    ASSERT_TRUE(e2e::waitForState(state, "loview.lolist.ItemIndex", "0", 5s));

    // Editing on (the view's menu, its first item) enables the bar.
    auto s = e2e::readState(state);
    const Rect view = bounds(s, "loview.loscroll");
    const int cx = vx0 + view.x + view.w / 2, cy = vy0 + view.y + view.h / 2;
    x.click(cx, cy, 3);
    std::this_thread::sleep_for(300ms);
    x.click(cx + 60, cy + 10);
    ASSERT_TRUE(
        e2e::waitForState(state, "loview.editOnOff.Caption", "Editing / moving objects ON", 5s));
    s = e2e::readState(state);
    const int shown = intOf(s, "loview.rotaobj.Position");
    ASSERT_EQ(shown, int(std::lround(rota)));

    // The slider's middle: GTK's scale slider is 31 pixels long, Min at the top.
    const Rect bar = bounds(s, "loview.rotaobj");
    const int slider = 31;
    x.click(vx0 + bar.x + bar.w / 2, vy0 + bar.y + slider / 2 + (bar.h - slider) * shown / 360);
    std::this_thread::sleep_for(300ms);
    ASSERT_EQ(intOf(e2e::readState(state), "loview.rotaobj.Position"), shown)
        << "the click moved the bar";

    ASSERT_NO_FATAL_FAILURE(saveObjectFileAs(saved));
    const auto after = std::make_unique<vx::TLOtab>();
    vx::readObjectFile(saved.string(), *after);
    const float stored = after->objs[0].rota; // a packed field: read by value
    EXPECT_EQ(stored, float(shown)) << "was " << rota;
}
