// Each window's form is a table: every component and pop-up menu the window
// holds is one of its rows, in the state the row gives.
#include "loview_fixture.h"

#include "ui/formbuild.h"

#include <gtest/gtest.h>

namespace vxtest {

namespace {

std::string joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) out += l + "\n";
    return out;
}

} // namespace

// As built, before its create handler fills the lists.
TEST_F(LoviewTest, EveryMainWindowComponentIsARowOfItsTable) {
    vx::TForm1 form;
    const auto rows = form.componentRows();
    EXPECT_EQ(joined(vx::ui::differences(form, rows, form.menuRows())), "");
    for (const auto& r : rows) EXPECT_TRUE(r.fills) << r.name << " fills no member";
    EXPECT_EQ(form.Image1->Parent(), form.ScrollBox1);
    EXPECT_EQ(form.blankobjs, form.lmpickup->find("blankobjs"));
    EXPECT_EQ(form.erasobjs, form.lmpickup->find("erasobjs"));
}

TEST_F(LoviewTest, EveryViewerComponentIsARowOfItsTable) {
    create();
    const auto rows = v().componentRows();
    const auto menus = v().menuRows();
    EXPECT_EQ(joined(vx::ui::differences(v(), rows, menus)), "");
    for (const auto& r : rows) EXPECT_TRUE(r.fills) << r.name << " fills no member";
    EXPECT_EQ(v().FindComponent("loimg")->Parent(), v().loscroll);
    EXPECT_EQ(v().loimg->PopupMenu(), v().editmen);
}

// A component that strays from its row is named, with what differs.
TEST_F(LoviewTest, AComponentThatDiffersFromItsRowIsReported) {
    create();
    v().savelo->setCaption("Save");
    v().lobjects->setAnchors(true, true, true, true);
    v().rotdbg->setItemIndex(0);
    v().cpsel->setHint("");
    const std::string found = joined(vx::ui::differences(v(), v().componentRows(), v().menuRows()));
    EXPECT_EQ(found,
              "savelo: text\nlobjects: anchors\nrotdbg: item index\nworkmen.cpsel: differs\n");
    auto rows = v().componentRows();
    rows.erase(rows.begin()); // lolist
    EXPECT_NE(joined(vx::ui::differences(v(), rows, {})).find("lolist: no row"), std::string::npos);
}

} // namespace vxtest
