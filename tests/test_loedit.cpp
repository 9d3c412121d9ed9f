// The viewer's editing commands and its work list, through their handlers:
// picking, the Shift move, rotation, hiding, adding, pasting, re-typing, the
// edit snapshot, the work list's copies and deletes, and the group move.
#include "loview_fixture.h"

#include "objectviewer/loedittext.h"
#include "ui/ui.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>

using namespace vx;
using vxtest::makeObject;

namespace {

class LoEditTest : public vxtest::LoviewTest {
protected:
    // The viewer with objs as the loaded file, listed, and the first landmark selected.
    Tloview& with(const std::vector<LOobject>& objs) {
        TForm1& f = loaded();
        f.lmpicklist->setItemIndex(0);
        lotab = {};
        for (const LOobject& o : objs) addLoRec(lotab, o);
        v().updatelodata();
        v().snapshot.take(lotab);
        return v();
    }
    Tloview& withCount(int n) {
        std::vector<LOobject> objs;
        for (int i = 0; i < n; ++i) objs.push_back(makeObject(7, 1, float(i), float(2 * i)));
        return with(objs);
    }
    // A catalogue row chosen in lobjects.
    void chooseCatalogue(const std::string& row) {
        v().lobjects->Items().assign({row});
        v().lobjects->setItemIndex(0);
    }
    static void select(ui::TListBox& box, std::initializer_list<int> rows) {
        box.setItemIndex(-1);
        for (int r : rows) box.setSelected(r, true);
    }
    static float xOf(const TLOtab& t, int i) { return t.objs[i].x; }
    static float yOf(const TLOtab& t, int i) { return t.objs[i].y; }
};

TEST_F(LoEditTest, EditModeSwitchesTheBarAndTheTextButNotTheRotationCaption) {
    Tloview& w = withCount(2);
    w.allowrotobj->setCaption("Enable rotation");
    w.chgobj->click();
    EXPECT_TRUE(w.editAllowed);
    EXPECT_TRUE(w.rotaobj->Enabled());
    EXPECT_EQ(w.editOnOff->Caption(), editOnText);
    w.stopedit->click();
    EXPECT_FALSE(w.editAllowed);
    EXPECT_FALSE(w.rotaobj->Enabled());
    EXPECT_EQ(w.editOnOff->Caption(), editOffText);
    EXPECT_EQ(w.allowrotobj->Caption(), "Enable rotation");

    w.allowrotobj->click();
    EXPECT_TRUE(w.rotaobj->Enabled());
    EXPECT_EQ(w.allowrotobj->Caption(), "Disable rotation");
    w.allowrotobj->click();
    EXPECT_FALSE(w.rotaobj->Enabled());
    EXPECT_EQ(w.allowrotobj->Caption(), "Enable rotation");
}

// Every way into and out of edit mode sets the text and its colour together.
TEST_F(LoEditTest, EditModeTextIsRedWhileOnAndBlackOnceOff) {
    Tloview& w = withCount(2);
    const struct {
        const char* step;
        std::function<void()> act;
        const char* caption;
        ui::TColor colour; // $BBGGRR
    } steps[] = {
        {"start", [&] { w.chgobj->click(); }, "Editing / moving objects ON", 0x0000FF},
        {"stop", [&] { w.stopedit->click(); }, "Editing / moving objects OFF", 0x000000},
        {"stop again", [&] { w.stopedit->click(); }, "Editing / moving objects OFF", 0x000000},
        {"restart", [&] { w.chgobj->click(); }, "Editing / moving objects ON", 0x0000FF},
        {"cancel edit", [&] { w.canceledit->click(); }, "Editing / moving objects OFF", 0x000000},
        {"start once more", [&] { w.chgobj->click(); }, "Editing / moving objects ON", 0x0000FF},
        {"activation", [&] { w.userActivate(); }, "Editing / moving objects OFF", 0x000000},
    };
    for (const auto& s : steps) {
        s.act();
        EXPECT_EQ(w.editOnOff->Caption(), s.caption) << s.step;
        EXPECT_EQ(w.editOnOff->FontColor(), s.colour) << s.step;
    }
    EXPECT_TRUE(dlg->errors.empty());
}

TEST_F(LoEditTest, CancelEditRestoresTheFileAsLoaded) {
    TForm1& f = loaded();
    f.showloview->click();
    ASSERT_EQ(lotab.head.count, 2);
    const TLOtab asLoaded = lotab;
    chooseCatalogue("$07:$1A: Tree");
    v().Addobj->click(); // no edit started: the load's snapshot stands
    ASSERT_EQ(lotab.head.count, 3);
    v().canceledit->click();
    EXPECT_EQ(std::memcmp(&lotab, &asLoaded, sizeof lotab), 0);
    EXPECT_EQ(dlg->messages.back(), cancelEditMessage);
    EXPECT_FALSE(v().editAllowed);
    EXPECT_EQ(v().objlist->Items().Count(), 3); // the lists wait for the next refresh

    // After a start, "Cancel move selected" brings back the start, edit mode stays.
    v().chgobj->click();
    v().Addobj->click();
    v().Addobj->click();
    v().mvcancel->click();
    EXPECT_EQ(lotab.head.count, 2);
    EXPECT_TRUE(v().editAllowed);
    EXPECT_EQ(dlg->messages.size(), 1u);

    // A row the lists still show but the table no longer has: no record, no error.
    v().lolist->setItemIndex(3);
    ASSERT_TRUE(v().pointerFeet(10, 10));
    v().loimg->userMouseMove({.shift = true}, 10, 10);
    v().rotaobj->userSetPosition(90);
    EXPECT_EQ(lotab.head.count, 2);
    EXPECT_EQ(float(lotab.objs[3].x), 0);
    EXPECT_EQ(float(lotab.objs[3].rota), 0);
    EXPECT_TRUE(dlg->errors.empty());
}

// Each start takes a new snapshot: a cancel goes back to the latest start,
// keeping what an earlier, stopped edit added.
TEST_F(LoEditTest, CancelEditGoesBackToTheLatestStart) {
    Tloview& w = withCount(2);
    chooseCatalogue("$07:$1A: Tree");
    w.chgobj->click();
    w.Addobj->click();
    w.stopedit->click();
    w.chgobj->click();
    w.Addobj->click();
    ASSERT_EQ(lotab.head.count, 4);
    w.canceledit->click();
    EXPECT_EQ(lotab.head.count, 3);
    EXPECT_EQ(lotab.objs[2].loid.at(2), 0x1A);
}

// After "Cancel edit" the lists still show the added rows; the first of them,
// the row equal to the count, is past the table like any later one.
TEST_F(LoEditTest, TheRowAtTheCountAfterACancelIsNoObject) {
    Tloview& w = withCount(2);
    chooseCatalogue("$07:$1A: Tree");
    w.chgobj->click();
    w.Addobj->click();
    w.canceledit->click();
    ASSERT_EQ(lotab.head.count, 2);
    ASSERT_EQ(w.objlist->Items().Count(), 3);
    lotab.objs[2] = makeObject(9, 9, 5, 5, 12, 0); // what a slot past the count may hold
    const LOobject past = lotab.objs[2];
    w.objlist->setItemIndex(2);
    w.hideobj->click();
    w.paste2landmark->click();
    EXPECT_EQ(dlg->errors.size(), 2u) << "both refused";
    w.lolist->setItemIndex(2);
    w.chgobj->click();
    ASSERT_TRUE(w.pointerFeet(10, 10));
    w.loimg->userMouseMove({.shift = true}, 10, 10);
    w.rotaobj->userSetPosition(90);
    EXPECT_EQ(lotab.head.count, 2);
    EXPECT_EQ(std::memcmp(&lotab.objs[2], &past, sizeof past), 0);
}

TEST_F(LoEditTest, PickingTakesTheLowestObjectWithinNinePixels) {
    Tloview& w =
        with({makeObject(7, 1, 0, 0), makeObject(7, 2, 0, 0, 0, 3), makeObject(7, 3, 0, 0)});
    auto place = [&](int i, int x, int y) {
        w.scr.scrX.at(size_t(i)) = x;
        w.scr.scrY.at(size_t(i)) = y;
        w.scr.placed.at(size_t(i)) = true;
    };
    struct Case {
        int x, y, picked;
    } cases[] = {{91, 100, 1},  {90, 100, -1}, {100, 109, 1}, {100, 110, -1},
                 {113, 100, 2}, {109, 100, 1}, {300, 300, -1}};
    for (const Case& c : cases) {
        place(0, 500, 500); // the redraw of each click puts the real positions back
        place(1, 100, 100);
        place(2, 105, 100);
        w.lolist->setItemIndex(0);
        w.objlist->setItemIndex(0);
        w.hideobj->setCaption("Hide obj in game");
        w.loimg->userMouseDown(ui::mbLeft, {}, c.x, c.y);
        const int want = c.picked < 0 ? 0 : c.picked;
        EXPECT_EQ(w.lolist->ItemIndex(), want) << c.x << "," << c.y;
        EXPECT_EQ(w.objlist->ItemIndex(), want) << c.x << "," << c.y;
        if (c.picked < 0) {
            EXPECT_EQ(w.mdowninfo->Caption(), mdownText(c.x, c.y));
            EXPECT_EQ(w.hideobj->Caption(), "Hide obj in game");
        } else {
            const size_t i = size_t(c.picked);
            EXPECT_EQ(w.mdowninfo->Caption(),
                      mdownText(c.x, c.y) + mdownHitText(c.x, c.y, c.picked == 1 ? 100 : 105, 100,
                                                         w.lolist->Items()[c.picked]));
            EXPECT_EQ(w.hideobj->Caption(), hideCaption(lotab.objs[i]));
        }
    }
    EXPECT_EQ(mdownText(1, 2).substr(0, 4), " x y");
}

TEST_F(LoEditTest, PickingFindsAnObjectWhereItWasDrawn) {
    Tloview& w = with({makeObject(7, 1, -300, 0), makeObject(7, 2, 300, 200)});
    w.redraw(false, lotab);
    ASSERT_TRUE(w.scr.placed[1]);
    const int x = w.scr.scrX[1], y = w.scr.scrY[1];
    for (const auto& [dx, picked] : {std::pair{-9, 1}, {9, 1}, {-10, 0}, {10, 0}}) {
        w.lolist->setItemIndex(0);
        w.objlist->setItemIndex(-1);
        w.loimg->userMouseDown(ui::mbRight, {}, x + dx, y);
        EXPECT_EQ(w.lolist->ItemIndex(), picked) << dx;
        EXPECT_EQ(w.objlist->ItemIndex(), picked == 1 ? 1 : -1) << dx;
    }
    // The record moved since the drawing: still found where it was drawn, until redrawn.
    w.chgobj->click();
    w.redraw(false, lotab);
    const int ox = w.scr.scrX[0], oy = w.scr.scrY[0];
    lotab.objs[0].x = 2000;
    w.lolist->setItemIndex(1);
    w.loimg->userMouseDown(ui::mbLeft, {}, ox, oy);
    EXPECT_EQ(w.lolist->ItemIndex(), 0);
}

TEST_F(LoEditTest, ShiftMovesTheCurrentObjectOnlyInEditMode) {
    Tloview& w = withCount(3);
    const std::optional<txpoint> ft = w.pointerFeet(40, 60);
    ASSERT_TRUE(ft);
    w.lolist->setItemIndex(1);
    w.loimg->userMouseMove({.shift = true}, 40, 60);
    EXPECT_EQ(xOf(lotab, 1), 1); // edit mode off
    EXPECT_EQ(w.xyview->Caption(), xyviewText(40, 60, ft->x, ft->y));

    w.chgobj->click();
    const std::optional<txpoint> at = w.pointerFeet(40, 60); // with the options the drawing took
    ASSERT_TRUE(at);
    w.lolist->setItemIndex(1);
    w.loimg->userMouseMove({.ctrl = true}, 40, 60);
    EXPECT_EQ(xOf(lotab, 1), 1);
    w.loimg->userMouseMove({.shift = true}, 40, 60);
    EXPECT_EQ(xOf(lotab, 1), float(at->x));
    EXPECT_EQ(yOf(lotab, 1), float(at->y));
    EXPECT_EQ(xOf(lotab, 0), 0);

    w.lolist->setItemIndex(-1);
    const TLOtab before = lotab;
    w.loimg->userMouseMove({.shift = true}, 80, 90);
    EXPECT_EQ(std::memcmp(&lotab, &before, sizeof lotab), 0);
}

TEST_F(LoEditTest, RotationShownIsNoChangeAndTheUsersBarWritesAWholeNumber) {
    Tloview& w = with(
        {makeObject(7, 1, 0, 0, 45.6f), makeObject(7, 1, 0, 0, -30), makeObject(7, 1, 0, 0, 400)});
    const struct {
        int row, shown;
        float rota;
    } cases[] = {{0, 46, 45.6f}, {1, 0, -30}, {2, 360, 400}};
    w.chgobj->click();
    for (const auto& c : cases) {
        w.lolist->setItemIndex(c.row);
        w.lolistChange(); // the redraw shows the rotation
        EXPECT_EQ(w.rotaobj->Position(), c.shown);
        EXPECT_EQ(float(lotab.objs[size_t(c.row)].rota), c.rota);
    }
    // A click that leaves the bar where it is stores the whole number shown.
    w.lolist->setItemIndex(0);
    w.lolistChange();
    w.rotaobj->click();
    EXPECT_EQ(float(lotab.objs[0].rota), 46);
    w.rotaobj->userSetPosition(120);
    EXPECT_EQ(float(lotab.objs[0].rota), 120);
}

TEST_F(LoEditTest, HideTogglesThreeAndZero) {
    Tloview& w = with({makeObject(7, 1, 0, 0, 0, 1)});
    w.objlist->userClick(0);
    EXPECT_EQ(w.lolist->ItemIndex(), 0);
    for (int want : {3, 0, 3}) {
        w.hideobj->click();
        EXPECT_EQ(lotab.objs[0].hide, want);
    }
    // Without a row of objlist the command is refused and changes nothing.
    w.objlist->setItemIndex(-1);
    w.hideobj->click();
    w.paste2landmark->click();
    EXPECT_EQ(lotab.objs[0].hide, 3);
    EXPECT_EQ(lotab.head.count, 1);
    EXPECT_EQ(dlg->errors.size(), 2u);
}

TEST_F(LoEditTest, ChangeTypeRetypesTheSelectedRowsOnly) {
    Tloview& w = withCount(1000);
    const TLOtab before = lotab;
    chooseCatalogue("$09:$0A: Hangar ft:40x20");
    select(*w.objlist, {3, 700});
    w.chgobjtype->click(); // no current row in lolist: nothing
    EXPECT_EQ(std::memcmp(&lotab, &before, sizeof lotab), 0);
    w.lolist->setItemIndex(5);
    select(*w.objlist, {3, 700});
    w.chgobjtype->click();
    for (int i = 0; i < 1000; ++i) {
        const bool retyped = i == 3 || i == 700;
        EXPECT_EQ(lotab.objs[size_t(i)].loid.at(1), retyped ? 9 : 7) << i;
        EXPECT_EQ(lotab.objs[size_t(i)].loid.at(2), retyped ? 10 : 1) << i;
        EXPECT_EQ(float(lotab.objs[size_t(i)].x), float(i));
    }
    EXPECT_EQ(w.lolist->ItemIndex(), 5);
    EXPECT_EQ(w.lobjects->ItemIndex(), 0);
    EXPECT_EQ(w.objlist->Items()[3], objlistLines(lotab)[3]);
}

TEST_F(LoEditTest, AddAndPasteAppendAtTheOriginAndMakeTheRowCurrent) {
    Tloview& w = with({makeObject(8, 2, 30, 40, 90, 3)});
    w.Addobj->click(); // no catalogue row
    EXPECT_EQ(lotab.head.count, 1);
    chooseCatalogue("$07:$1A: Tree");
    w.Addobj->click();
    ASSERT_EQ(lotab.head.count, 2);
    EXPECT_EQ(lotab.objs[1].loid.at(1), 7);
    EXPECT_EQ(lotab.objs[1].loid.at(2), 0x1A);
    EXPECT_EQ(xOf(lotab, 1), 0);
    EXPECT_EQ(w.lolist->ItemIndex(), 1);
    EXPECT_EQ(w.objlist->ItemIndex(), 1);
    EXPECT_EQ(w.objlist->Items().Count(), 2);

    w.objlist->setItemIndex(0);
    w.paste2landmark->click();
    ASSERT_EQ(lotab.head.count, 3);
    EXPECT_EQ(xOf(lotab, 2), 0);
    EXPECT_EQ(yOf(lotab, 2), 0);
    EXPECT_EQ(float(lotab.objs[2].rota), 90);
    EXPECT_EQ(lotab.objs[2].hide, 3);
    EXPECT_EQ(w.lolist->ItemIndex(), 2);
}

TEST_F(LoEditTest, AFullTableRefusesTheAppendWithAMessage) {
    Tloview& w = withCount(loCapacity);
    chooseCatalogue("$07:$1A: Tree");
    w.Addobj->click();
    w.objlist->setItemIndex(3);
    w.paste2landmark->click();
    EXPECT_EQ(lotab.head.count, loCapacity);
    EXPECT_EQ(dlg->messages, (std::vector<std::string>{tableFullMessage, tableFullMessage}));
    EXPECT_EQ(w.objlist->Items().Count(), loCapacity);
    EXPECT_EQ(w.lolist->Items().Count(), loCapacity);
}

TEST_F(LoEditTest, WorkListCopiesDeletesAndPastes) {
    Tloview& w = withCount(5);
    ASSERT_EQ(w.loworklist->Items().Count(), 4);
    w.delsel->click(); // the form's lines stand for no record
    EXPECT_EQ(w.loworklist->Items().Count(), 4);

    select(*w.objlist, {0, 1, 2, 3, 4});
    w.cpobjs->click();
    ASSERT_EQ(lowork.head.count, 5);
    EXPECT_EQ(lowork.head.recsize, 20);
    EXPECT_EQ(w.loworklist->Items().texts(), workListLines(lowork));
    EXPECT_EQ(w.loworklist->SelCount(), 0);

    select(*w.loworklist, {1, 2});
    w.delsel->click();
    ASSERT_EQ(lowork.head.count, 3);
    const std::array<float, 3> kept{0, 3, 4};
    for (int i : {0, 1, 2}) EXPECT_EQ(xOf(lowork, i), kept[size_t(i)]);
    ASSERT_EQ(w.loworklist->Items().Count(), 3);
    const std::array<std::string, 3> starts{"  0", "  3", "  4"};
    for (int i : {0, 1, 2}) EXPECT_EQ(w.loworklist->Items()[i].substr(0, 3), starts[size_t(i)]);

    select(*w.loworklist, {0, 2});
    w.cpsel->click();
    ASSERT_EQ(lowork.head.count, 5);
    EXPECT_EQ(xOf(lowork, 3), 0);
    EXPECT_EQ(xOf(lowork, 4), 4);
    EXPECT_EQ(w.loworklist->Items().texts(), workListLines(lowork));
    EXPECT_EQ(w.loworklist->SelCount(), 0);

    w.loworklist->setItemIndex(1);
    w.add2lndmrk->click();
    ASSERT_EQ(lotab.head.count, 6);
    EXPECT_EQ(xOf(lotab, 5), 0);
    EXPECT_EQ(lotab.objs[5].loid.at(1), 7);
    EXPECT_EQ(w.lolist->ItemIndex(), 5);

    w.mvselected->click();
    EXPECT_EQ(dlg->messages.back(), moveSelectedMessage);
}

TEST_F(LoEditTest, AddToLandmarkBeforeTheFirstFillAppendsAnEmptyRecord) {
    Tloview& w = withCount(1);
    ASSERT_EQ(w.loworklist->ItemIndex(), 0);
    w.add2lndmrk->click();
    ASSERT_EQ(lotab.head.count, 2);
    EXPECT_EQ(lotab.objs[1].loid.at(1), 0);
    EXPECT_EQ(lotab.objs[1].loid.at(2), 0);
}

TEST_F(LoEditTest, GroupFollowsAltAndConfirmsOnceAtItsPlace) {
    Tloview& w = with({makeObject(7, 1, 100, 50, 45, 3), makeObject(8, 2, 130, 80, 10)});
    select(*w.objlist, {0, 1});
    w.cpobjs->click();
    lotab = {};
    addLoRec(lotab, makeObject(6, 0, 1, 1));
    w.updatelodata();

    select(*w.loworklist, {0, 1});
    w.mvmany->click();
    ASSERT_TRUE(w.group.moveManyMode);
    const std::optional<txpoint> ft = w.pointerFeet(30, 70);
    ASSERT_TRUE(ft);
    w.loimg->userMouseMove({.alt = true}, 30, 70);
    EXPECT_EQ(xOf(lomove, 1), float(ft->x));
    EXPECT_EQ(yOf(lomove, 1), float(ft->y));
    EXPECT_EQ(xOf(lomove, 2), float(ft->x + 30));
    EXPECT_EQ(yOf(lomove, 2), float(ft->y + 30));
    EXPECT_EQ(lotab.head.count, 1);

    w.mvmanyconfirm->click();
    EXPECT_FALSE(w.group.moveManyMode);
    ASSERT_EQ(lotab.head.count, 3);
    EXPECT_EQ(xOf(lotab, 1), float(ft->x));
    EXPECT_EQ(yOf(lotab, 2), float(ft->y + 30));
    EXPECT_EQ(float(lotab.objs[1].rota), 45);
    EXPECT_EQ(lotab.objs[1].hide, 3);
    EXPECT_EQ(lotab.objs[2].loid.at(1), 8);
    EXPECT_EQ(w.lolist->ItemIndex(), 2);
    EXPECT_EQ(w.objlist->Items().Count(), 3);

    // Again after the confirm: the same group, at the origin.
    w.mvmanyconfirm->click();
    ASSERT_EQ(lotab.head.count, 5);
    EXPECT_EQ(xOf(lotab, 3), 0);
    EXPECT_EQ(yOf(lotab, 4), 0);

    // After a cancel: nothing to append.
    w.mvmany->click();
    w.mvmanycancel->click();
    EXPECT_FALSE(w.group.moveManyMode);
    w.mvmanyconfirm->click();
    EXPECT_EQ(lotab.head.count, 5);
    EXPECT_TRUE(dlg->messages.empty());
}

TEST_F(LoEditTest, AGroupMoveStopsAtTheCapacityAndKeepsWhatFitted) {
    Tloview& w = withCount(loCapacity - 2);
    select(*w.objlist, {0, 1});
    w.cpobjs->click();
    select(*w.loworklist, {0, 1});
    w.mvmany->click();
    EXPECT_TRUE(dlg->messages.empty());
    chooseCatalogue("$07:$1A: Tree");
    w.Addobj->click(); // lotab now has room for one of the two
    w.mvmanyconfirm->click();
    EXPECT_EQ(lotab.head.count, loCapacity);
    EXPECT_TRUE(w.group.moveManyMode);
    EXPECT_EQ(dlg->messages, (std::vector<std::string>{tableFullMessage}));
    EXPECT_EQ(w.objlist->Items().Count(), loCapacity);
    EXPECT_EQ(w.lolist->ItemIndex(), loCapacity - 1);

    // A group that cannot all fit beside lotab is cut at the capacity.
    w.mvmany->click();
    EXPECT_EQ(dlg->messages.size(), 2u);
    EXPECT_EQ(lomove.head.count, loCapacity);
}

TEST_F(LoEditTest, WheelTurnsTheGroupOnlyWhileItMoves) {
    Tloview& w = with({makeObject(7, 1, 0, 0, 2)});
    select(*w.objlist, {0});
    w.cpobjs->click();
    ui::TShiftState alt;
    alt.alt = true;
    bool handled = false;
    w.loimgMouseWheel(alt, -120, handled);
    EXPECT_FALSE(handled);
    EXPECT_EQ(float(lowork.objs[0].rota), 2);
    select(*w.loworklist, {0});
    w.mvmany->click();
    w.loimgMouseWheel(alt, -120, handled);
    EXPECT_TRUE(handled);
    EXPECT_EQ(float(lomove.objs[1].rota), -3);
    w.rotaobj->userSetPosition(200); // the bar changes no record during a group move
    EXPECT_EQ(float(lotab.objs[0].rota), 2);
}

// While a group is being moved, only the pointer move and the wheel with Alt,
// the view's menu, the wheel and the confirm draw lomove; every other control
// draws the file, in which the group does not exist yet.
TEST_F(LoEditTest, DuringAGroupMoveOnlyItsOwnActionsDrawTheGroup) {
    Tloview& w = with({makeObject(7, 1, 100, 50), makeObject(8, 2, 130, 80)});
    select(*w.objlist, {0, 1});
    w.cpobjs->click();
    select(*w.loworklist, {0, 1});
    w.mvmany->click();
    ASSERT_TRUE(w.group.moveManyMode);
    const int file = 2, group = 4;
    const ui::TShiftState alt{.alt = true}, ctrl{.ctrl = true};
    const struct {
        const char* what;
        std::function<void()> act;
        int drawn;
    } cases[] = {
        {"Alt move", [&] { w.loimg->userMouseMove(alt, 30, 70); }, group},
        {"magzoom", [&] { w.magzoom->userSetPosition(70); }, file},
        {"Alt wheel", [&] { w.loimg->userWheel(120, 10, 10, alt); }, group},
        {"objcor", [&] { w.objcor->userSetPosition(-40); }, file},
        {"view menu", [&] { w.editmen->popup(w.loimg); }, group},
        {"imgsz", [&] { w.imgsz->userSetPosition(30); }, file},
        {"Ctrl wheel", [&] { w.loimg->userWheel(120, 10, 10, ctrl); }, group},
        {"showpics", [&] { w.showpics->userToggle(); }, file},
        {"Alt move", [&] { w.loimg->userMouseMove(alt, 40, 70); }, group},
        {"hack90180", [&] { w.hack90180->OnClick(); }, file},
        {"Alt move", [&] { w.loimg->userMouseMove(alt, 50, 70); }, group},
        {"debug1only", [&] { w.debug1only->OnClick(); }, file},
        {"Alt move", [&] { w.loimg->userMouseMove(alt, 60, 70); }, group},
        {"follow", [&] { w.follow->userToggle(); }, file},
        {"Alt move", [&] { w.loimg->userMouseMove(alt, 30, 80); }, group},
        {"rotdbg", [&] { w.rotdbg->userClick(3); }, file},
        {"Alt move", [&] { w.loimg->userMouseMove(alt, 30, 90); }, group},
        {"manrotlm", [&] { w.manrotlm->userToggle(); }, file},
        {"Alt move", [&] { w.loimg->userMouseMove(alt, 30, 60); }, group},
        {"rotlm", [&] { w.rotlm->userToggle(); }, file},
        {"Alt move", [&] { w.loimg->userMouseMove(alt, 30, 50); }, group},
        {"rotobj", [&] { w.rotobj->OnClick(); }, file},
        {"Alt move", [&] { w.loimg->userMouseMove(alt, 35, 70); }, group},
        {"magxyLab", [&] { w.magxyLab->userClick(); }, file},
        {"Alt move", [&] { w.loimg->userMouseMove(alt, 36, 70); }, group},
        {"Center", [&] { w.gocenter->click(); }, file},
        {"confirm", [&] { w.mvmanyconfirm->click(); }, group},
    };
    for (const auto& c : cases) {
        w.drawnCount = -1;
        c.act();
        EXPECT_EQ(w.drawnCount, c.drawn) << c.what;
    }
    EXPECT_EQ(lotab.head.count, group);
    EXPECT_TRUE(dlg->errors.empty()) << dlg->errors.front();
}

// The wheel's Ctrl step and its Alt step are independent: with both, both apply.
TEST_F(LoEditTest, CtrlAltWheelInAGroupMoveZoomsAndTurns) {
    Tloview& w = with({makeObject(7, 1, 0, 0, 2)});
    select(*w.objlist, {0});
    w.cpobjs->click();
    select(*w.loworklist, {0});
    w.mvmany->click();
    w.magzoom->setPosition(64);
    EXPECT_TRUE(w.loimg->userWheel(120, 10, 10, {.ctrl = true, .alt = true}));
    EXPECT_EQ(w.magzoom->Position(), 66);
    EXPECT_EQ(float(lomove.objs[1].rota), 7);
    EXPECT_EQ(w.drawnCount, 2) << "the group in view";
}

// Without the landmark rotation the feet need no landmark: the readout and the
// Shift move work with none selected; with the rotation on they do nothing.
TEST_F(LoEditTest, WithNoLandmarkThePointerWorksUnlessTheLandmarkRotationApplies) {
    Tloview& w = withCount(2);
    w.chgobj->click();
    w.lolist->setItemIndex(1);
    Form1->lmpicklist->setItemIndex(-1);
    w.rotlm->userToggle();
    ASSERT_FALSE(w.rotLmFlag);
    const txpoint ft = pixToFt(
        {w.magzoom->Position(), w.loimg->Width(), w.loimg->Height(), w.manRot, false, {}}, 40, 60);
    w.loimg->userMouseMove({.shift = true}, 40, 60);
    EXPECT_EQ(w.xyview->Caption(), xyviewText(40, 60, ft.x, ft.y));
    EXPECT_EQ(xOf(lotab, 1), float(ft.x));
    EXPECT_EQ(yOf(lotab, 1), float(ft.y));

    w.rotlm->userToggle();
    ASSERT_TRUE(w.rotLmFlag);
    const TLOtab before = lotab;
    w.loimg->userMouseMove({.shift = true}, 80, 90);
    EXPECT_EQ(w.xyview->Caption(), xyviewText(40, 60, ft.x, ft.y));
    EXPECT_EQ(std::memcmp(&lotab, &before, sizeof lotab), 0);
    EXPECT_TRUE(dlg->errors.empty()) << dlg->errors.front();
}

// An append that appends nothing (a full table, a confirm after a cancel)
// leaves the lists' rows and selection as they were.
TEST_F(LoEditTest, AnAppendOfNothingKeepsTheListsAndTheirSelection) {
    Tloview& w = withCount(2);
    select(*w.objlist, {0});
    w.cpobjs->click();
    select(*w.loworklist, {0});
    w.mvmany->click();
    w.mvmanycancel->click();
    w.loworklist->setItemIndex(0);
    auto withSelection = [&] {
        w.lolist->setItemIndex(1);
        w.objlist->setItemIndex(1);
        w.objlist->setSelected(0, true);
    };
    const struct {
        const char* what;
        int count; // objects loaded first
        std::function<void()> act;
    } cases[] = {
        {"confirm after a cancel", 2, [&] { w.mvmanyconfirm->click(); }},
        {"Add object", loCapacity, [&] { w.Addobj->click(); }},
        {"Paste 2 landmark", loCapacity, [&] { w.paste2landmark->click(); }},
        {"Add 2 landmark", loCapacity, [&] { w.add2lndmrk->click(); }},
    };
    for (const auto& c : cases) {
        lotab = {};
        for (int i = 0; i < c.count; ++i) addLoRec(lotab, makeObject(7, 1, float(i), 0));
        w.updatelodata();
        chooseCatalogue("$07:$1A: Tree");
        withSelection();
        w.objlist->Items().setString(0, "a row the table no longer says");
        const TLOtab before = lotab;
        c.act();
        EXPECT_EQ(std::memcmp(&lotab, &before, sizeof lotab), 0) << c.what;
        EXPECT_EQ(w.objlist->Items()[0], "a row the table no longer says") << c.what;
        EXPECT_EQ(w.lolist->ItemIndex(), 1) << c.what;
        EXPECT_EQ(w.objlist->ItemIndex(), 1) << c.what;
        EXPECT_TRUE(w.objlist->Selected(0)) << c.what;
        EXPECT_TRUE(w.objlist->Selected(1)) << c.what;
    }
    EXPECT_TRUE(dlg->errors.empty()) << dlg->errors.front();
}

// An image smaller than the view takes the pointer only over its own pixels:
// beside it nothing is picked, moved, zoomed or opened.
TEST_F(LoEditTest, TheImageTakesNoPointerBesideItsOwnBounds) {
    Tloview& w = withCount(2);
    w.Show();
    w.cvasz->setText("300");
    w.cvasz->userDblClick();
    w.lopick->userDblClick(0);
    ASSERT_EQ(w.loimg->Width(), 300);
    ASSERT_EQ(w.loimg->Height(), 300);
    select(*w.objlist, {0, 1});
    w.cpobjs->click();
    select(*w.loworklist, {0, 1});
    w.mvmany->click();
    w.chgobj->click();
    w.lolist->setItemIndex(1);
    const std::string info = w.mdowninfo->Caption(), xy = w.xyview->Caption();
    const TLOtab file = lotab, group = lomove;
    const int popups = w.editmen->popupCount(), mag = w.magzoom->Position();
    for (const TPoint p :
         {TPoint{450, 150}, TPoint{300, 150}, TPoint{150, 300}, TPoint{-1, 150}, TPoint{150, -1}}) {
        // Object 0 as if drawn there: a click that got through would pick it.
        w.scr.scrX[0] = p.X;
        w.scr.scrY[0] = p.Y;
        w.scr.placed[0] = true;
        w.loimg->userMouseDown(ui::mbLeft, {}, p.X, p.Y);
        w.loimg->userMouseDown(ui::mbRight, {}, p.X, p.Y);
        w.loimg->userMouseMove({.shift = true, .alt = true}, p.X, p.Y);
        EXPECT_FALSE(w.loimg->userWheel(120, p.X, p.Y, {.ctrl = true, .alt = true}));
        EXPECT_EQ(w.lolist->ItemIndex(), 1) << p.X << "," << p.Y;
        EXPECT_EQ(w.mdowninfo->Caption(), info) << p.X << "," << p.Y;
        EXPECT_EQ(w.xyview->Caption(), xy) << p.X << "," << p.Y;
        EXPECT_EQ(std::memcmp(&lotab, &file, sizeof lotab), 0) << p.X << "," << p.Y;
        EXPECT_EQ(std::memcmp(&lomove, &group, sizeof lomove), 0) << p.X << "," << p.Y;
        EXPECT_EQ(w.editmen->popupCount(), popups) << p.X << "," << p.Y;
        EXPECT_EQ(w.magzoom->Position(), mag) << p.X << "," << p.Y;
    }
    w.loimg->userMouseMove({}, 299, 299); // the image's last pixel
    EXPECT_EQ(w.xyview->Caption().rfind("x: 299 y:299 ", 0), 0u) << w.xyview->Caption();
}

} // namespace
