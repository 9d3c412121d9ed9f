// The viewer's view controls: what every activation resets, the
// magnification and its caption, the wheel, centring, the rotation list and
// the canvas size edit.
#include "loview_fixture.h"

#include "objectviewer/viewsettings.h"
#include "support/names.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vx;
using vxtest::LoviewTest;

namespace {

class LoviewControlsTest : public LoviewTest {
protected:
    // The viewer showing lo020201.dat of the first landmark.
    void shown() {
        TForm1& f = loaded();
        f.showloview->click();
        ASSERT_TRUE(dlg->errors.empty()) << dlg->errors.front();
        ASSERT_TRUE(v().Visible());
    }
    int horz() { return v().loscroll->HorzScrollBar().Position(); }
    int vert() { return v().loscroll->VertScrollBar().Position(); }
};

TEST(LoviewSettings, MagnificationCaption) {
    const struct {
        int position;
        const char* text;
    } cases[] = {{50, " 40.0 % "},  {64, " 31.3 % "}, {20, " 100.0 % "},
                 {1, " 2000.0 % "}, {400, " 5.0 % "}, {3, " 666.7 % "}};
    for (const auto& c : cases) EXPECT_EQ(magnifactText(c.position), c.text) << c.position;
}

TEST(LoviewSettings, CatalogueLeavesOutNamesHoldingTheClassDigits) {
    fillObjectNames();
    const std::vector<std::string> lines = lobjectsCatalogue();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front().rfind("$06:$", 0), 0u) << lines.front();
    EXPECT_EQ(lines.back().rfind("$14:$", 0), 0u) << lines.back();
    auto has = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(has("$13:$00: " + objNames[19][0]));
    EXPECT_FALSE(has("$13:$19: " + objNames[19][0x19]));
    EXPECT_FALSE(has("$14:$20: " + objNames[20][0x20]));
    for (int c : {6, 7, 8, 9, 19, 20})
        for (int t = 0; t <= 42; ++t) {
            const std::string& name = objNames[size_t(c)][size_t(t)];
            const bool left =
                name.find((c < 10 ? "0" : "") + std::to_string(c)) != std::string::npos;
            EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                                    [&](const std::string& l) {
                                        return l.size() > 9 && l.substr(9) == name &&
                                               l.substr(0, 9) == Format("$%2.2X:$%2.2X: ", {c, t});
                                    }),
                      left ? 0 : 1)
                << c << " " << t << " " << name;
        }
}

// The catalogue a second activation finds in place is left as a refill
// would leave it: the same lines, none selected, scrolled to the top.
TEST_F(LoviewControlsTest, ActivationLeavesTheCatalogueAsARefillWould) {
    shown();
    v().userActivate();
    v().lobjects->setItemIndex(5);
    v().lobjects->setTopIndex(3);
    v().userActivate();
    EXPECT_EQ(v().lobjects->Items().texts(), lobjectsCatalogue());
    EXPECT_EQ(v().lobjects->ItemIndex(), -1);
    EXPECT_EQ(v().lobjects->TopIndex(), 0);
}

TEST_F(LoviewControlsTest, ActivationResetsTheView) {
    shown();
    v().magzoom->setPosition(100);
    v().allowedit(true);
    v().lobjects->Items().Clear();
    v().allowrotobj->setCaption("Disable rotation");
    v().loscroll->HorzScrollBar().setPosition(0);
    v().loscroll->VertScrollBar().setPosition(0);
    v().rotobj->setVisible(true);
    v().xyinfo->setVisible(true);
    v().rotlm->setChecked(false);

    v().userActivate(); // back from the main window
    ASSERT_TRUE(dlg->errors.empty()) << dlg->errors.front();
    EXPECT_EQ(v().loimg->Width(), 10000);
    EXPECT_EQ(v().loimg->Height(), 10000);
    EXPECT_EQ(v().magzoom->Position(), 64);
    EXPECT_EQ(v().magnifact->Caption(), " 31.3 % ");
    EXPECT_EQ(v().Hint(), " 31.3 % ");
    EXPECT_FALSE(v().editAllowed);
    EXPECT_EQ(v().editOnOff->Caption(), "Editing / moving objects OFF");
    EXPECT_EQ(v().allowrotobj->Caption(), "Enable rotation");
    EXPECT_FALSE(v().rotLmFlag);
    EXPECT_TRUE(v().rotObjFlag);
    EXPECT_FALSE(v().rotobj->Visible());
    EXPECT_FALSE(v().xyinfo->Visible());
    EXPECT_EQ(v().lobjects->Items().Count(), int(lobjectsCatalogue().size()));
    EXPECT_EQ(horz(), 5000 - v().loscroll->Width() / 2);
    EXPECT_EQ(vert(), 5000 - v().loscroll->Height() / 2);
    EXPECT_EQ(v().scbarLab->Caption(),
              "SCbar pos x: " + std::to_string(horz()) + " y: " + std::to_string(vert()));
    EXPECT_EQ(v().amagxylab->Caption(), "draw   2 total   2 66.67 %");
}

// A pop-up menu holds the keyboard while it is open, so the window is inactive
// for that time: its choice must outlast the window's coming back.
TEST_F(LoviewControlsTest, TheWindowBackFromItsMenuIsNoActivation) {
    shown();
    v().magzoom->setPosition(100);
    v().peerActiveChanged(true, false); // the pointer came in from the main window
    ASSERT_EQ(v().magzoom->Position(), 64);
    v().magzoom->setPosition(100);
    v().peerActiveChanged(false, true);
    v().chgobj->click(); // "Start moving 1 object (shift key + mouse)"
    v().peerActiveChanged(true, false);
    EXPECT_TRUE(v().editAllowed);
    EXPECT_EQ(v().editOnOff->Caption(), "Editing / moving objects ON");
    EXPECT_EQ(v().magzoom->Position(), 100);

    v().peerActiveChanged(false, false); // to the main window and back
    v().peerActiveChanged(true, false);
    EXPECT_FALSE(v().editAllowed);
    EXPECT_EQ(v().magzoom->Position(), 64);

    // A click on the main window closes the menu and activates that window.
    v().magzoom->setPosition(100);
    v().peerActiveChanged(false, true);
    ui::Application().MainForm()->userActivate();
    v().peerActiveChanged(true, false);
    EXPECT_EQ(v().magzoom->Position(), 64);
    ASSERT_TRUE(dlg->errors.empty()) << dlg->errors.front();
}

TEST_F(LoviewControlsTest, ArrowStepsScrollTheViewBy124Across92Down) {
    shown();
    const int h0 = horz(), v0 = vert();
    ASSERT_GT(h0, 3 * 124);
    ASSERT_GT(v0, 3 * 92);
    v().loscroll->HorzScrollBar().userStep(1);
    v().loscroll->VertScrollBar().userStep(1);
    EXPECT_EQ(horz(), h0 + 124);
    EXPECT_EQ(vert(), v0 + 92);
    v().loscroll->HorzScrollBar().userStep(-3);
    v().loscroll->VertScrollBar().userStep(-3);
    EXPECT_EQ(horz(), h0 - 248);
    EXPECT_EQ(vert(), v0 - 184);
}

TEST_F(LoviewControlsTest, DrawNodrawLabelSetsMagnification50) {
    shown();
    v().magxyLab->userClick();
    EXPECT_EQ(v().magzoom->Position(), 50);
    EXPECT_EQ(v().magnifact->Caption(), " 40.0 % ");
}

TEST_F(LoviewControlsTest, WheelZoomsWithCtrlWithinTheBar) {
    shown();
    const struct {
        int from, delta;
        bool ctrl, alt;
        int to;
        bool handled;
    } cases[] = {
        {399, 120, true, false, 400, true}, {400, 120, true, false, 400, true},
        {64, -120, true, false, 62, true},  {2, -120, true, false, 1, true},
        {64, 59, true, false, 64, true},    {64, -61, true, false, 63, true},
        {64, 120, false, false, 64, false}, {64, 120, false, true, 64, false},
    };
    for (const auto& c : cases) {
        v().magzoom->setPosition(c.from);
        ui::TShiftState shift;
        shift.ctrl = c.ctrl;
        shift.alt = c.alt;
        EXPECT_EQ(v().loimg->userWheel(c.delta, 10, 10, shift), c.handled)
            << c.from << " " << c.delta;
        EXPECT_EQ(v().magzoom->Position(), c.to) << c.from << " " << c.delta;
        EXPECT_EQ(v().magnifact->Caption(), magnifactText(c.to));
    }
    ASSERT_TRUE(dlg->errors.empty()) << dlg->errors.front();
}

TEST_F(LoviewControlsTest, CenterScrollsToTheOriginAndKeepCenterNamesTheFollowing) {
    shown();
    const int h0 = 4400 - v().loscroll->Width() / 2, v0 = 5500 - v().loscroll->Height() / 2;
    EXPECT_EQ(horz(), h0);
    EXPECT_EQ(vert(), v0);
    v().loscroll->userScroll(10, 20);
    v().gocenter->click();
    EXPECT_EQ(horz(), h0);
    EXPECT_EQ(vert(), v0);
    EXPECT_EQ(v().scbarLab->Caption(),
              "SCbar pos x: " + std::to_string(h0) + " y: " + std::to_string(v0));

    v().loscroll->userScroll(10, 20);
    v().keepcenter->click();
    EXPECT_EQ(horz(), h0);
    EXPECT_EQ(v().keepcenter->Caption(), "start following");
    EXPECT_FALSE(v().follow->Checked());
    v().follow->setChecked(true);
    v().keepcenter->click();
    EXPECT_EQ(v().keepcenter->Caption(), "stop following");
    EXPECT_TRUE(v().followFlag);
}

TEST_F(LoviewControlsTest, RotationListTurnsTheViewAndShowsNorth) {
    shown();
    const auto at = [&](int i) { return TPoint{v().scr.scrX[size_t(i)], v().scr.scrY[size_t(i)]}; };
    const TPoint north = at(0);
    EXPECT_TRUE(v().northlab->Visible());

    v().rotdbg->userClick(8); // "360"
    EXPECT_EQ(v().manRot, 360);
    EXPECT_FALSE(v().northlab->Visible());
    const TPoint turned = at(0);
    EXPECT_FALSE(turned.X == north.X && turned.Y == north.Y);
    v().rotdbg->userClick(0); // "0" draws like "360"
    EXPECT_EQ(at(0).X, turned.X);
    EXPECT_EQ(at(0).Y, turned.Y);
    v().rotdbg->userClick(6);
    EXPECT_TRUE(v().northlab->Visible());
    EXPECT_EQ(at(0).X, north.X);
    EXPECT_EQ(at(0).Y, north.Y);

    // Manual rotation off: the list is disabled and the view drawn as for 0.
    v().manrotlm->userToggle();
    EXPECT_FALSE(v().rotdbg->Enabled());
    EXPECT_EQ(v().manRot, 0);
    EXPECT_EQ(at(0).X, turned.X);
    v().manrotlm->userToggle();
    EXPECT_TRUE(v().rotdbg->Enabled());
    EXPECT_EQ(v().manRot, 270);

    v().rotlm->userToggle();
    EXPECT_FALSE(v().rotLmFlag);
    v().rotlm->userToggle();
    EXPECT_TRUE(v().rotLmFlag);
}

TEST_F(LoviewControlsTest, CanvasSizeEditSetsTheLimitForTheNextLoad) {
    shown();
    EXPECT_EQ(v().canvasLimit, 30000) << "the edit's 5000 counts only once double-clicked";
    const struct {
        const char* text;
        int limit; // after the double click
        bool error;
        int width, height; // after the next load
    } cases[] = {
        {"4000", 4000, false, 4000, 4000},
        {"abc", 4000, true, 4000, 4000},
        {"12.5", 4000, true, 4000, 4000},
        {"99999999999", 4000, true, 4000, 4000},
        {"0", 0, false, 0, 0},
        {"-5", -5, false, 0, 0},
        {"30000", 30000, false, 8800, 11000},
    };
    for (const auto& c : cases) {
        dlg->errors.clear();
        v().cvasz->setText(c.text);
        const int before = v().loimg->Width();
        v().cvasz->userDblClick();
        EXPECT_EQ(v().loimg->Width(), before) << "nothing resized before the next load";
        EXPECT_EQ(v().canvasLimit, c.limit) << c.text;
        if (c.error) {
            ASSERT_EQ(dlg->errors.size(), 1u) << c.text;
            EXPECT_NE(dlg->errors[0].find("\"" + std::string(c.text) + "\" is an invalid integer"),
                      std::string::npos)
                << dlg->errors[0];
        } else {
            EXPECT_TRUE(dlg->errors.empty()) << c.text << ": " << dlg->errors.front();
        }
        v().lopick->userDblClick(0); // the viewer's own load
        EXPECT_EQ(v().loimg->Width(), c.width) << c.text;
        EXPECT_EQ(v().loimg->Height(), c.height) << c.text;
    }
    // The next activation brings back 10000 x 10000.
    v().userActivate();
    EXPECT_EQ(v().loimg->Width(), 10000);
}

// The activation's centred redraw draws the objects again over the whole
// redraw that centring made, with the brush that one left: red once the
// current object was drawn, so with row 2 current the corner dots of objects
// 0 and 1 are red-filled as well. A plain redraw fills them lime.
TEST_F(LoviewControlsTest, TheCentredRedrawFillsEveryDotRedOnceAnObjectIsCurrent) {
    TForm1& f = loaded();
    vxtest::writeFile(
        prog / "LMdefault" / "lo020201.dat",
        vxtest::objectFile({vxtest::makeObject(5, 0, -600, 0), vxtest::makeObject(5, 0, 0, 600),
                            vxtest::makeObject(5, 0, 600, 0), vxtest::makeObject(5, 0, 0, -600)}));
    f.showloview->click();
    ASSERT_TRUE(dlg->errors.empty()) << dlg->errors.front();
    const ui::TCanvas& c = v().loimg->Canvas();
    auto redNear = [&](int i) {
        int red = 0;
        for (int dy = -20; dy <= 20; ++dy)
            for (int dx = -20; dx <= 20; ++dx)
                red += c.Pixels(v().scr.scrX[size_t(i)] + dx, v().scr.scrY[size_t(i)] + dy) ==
                       ui::clRed;
        return red;
    };
    v().objlist->userClick(2);
    ASSERT_EQ(v().lolist->ItemIndex(), 2);
    for (int i : {0, 1}) EXPECT_EQ(redNear(i), 0) << "plain redraw, object " << i;
    EXPECT_GT(redNear(3), 0);

    v().userActivate();
    ASSERT_EQ(v().lolist->ItemIndex(), 2);
    for (int i : {0, 1, 3}) EXPECT_GT(redNear(i), 0) << "centred redraw, object " << i;
    EXPECT_EQ(v().amagxylab->Caption(), "draw   4 total   4 80.00 %");

    // With no object current the brush stays lime: the same picture either way.
    v().lolist->setItemIndex(-1);
    v().userActivate();
    for (int i : {0, 1, 2, 3}) EXPECT_EQ(redNear(i), 0) << "no current object, " << i;
}

} // namespace
