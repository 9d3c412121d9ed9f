// What GTK shows of the landmark list after the program rebuilds or scrolls
// it: the rows in view, the scroll bar and the selection must agree. And
// text typed into a combo box, which selects none of its entries.
#include "endtoend.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <thread>

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
