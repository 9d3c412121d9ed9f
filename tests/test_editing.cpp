#include "mainwindow_fixture.h"

#include "mapeditor/calibration.h"
#include "mapeditor/lmedit.h"
#include "mapeditor/mappick.h"
#include "ui/ui.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <tuple>

using namespace vx;
using vxtest::MainWindowTest;
using vxtest::makeLandmark;
namespace fs = std::filesystem;

namespace {

constexpr ui::TColor sentinel = 0xFE01FE;

std::string bytesOf(const landmark& r) {
    return {reinterpret_cast<const char*>(&r), sizeof r};
}

class EditingTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        std::tie(lat0, lon0) = vxtest::mapMiddle(4);
    }
    // Loads these records as lndmrks4.mlf, with two object files beside them.
    TForm1& loaded(const std::vector<landmark>& recs) {
        standardData(recs);
        vxtest::writeFile(prog / "LMdefault" / "lo020a1f.dat", "");
        vxtest::writeFile(prog / "LMdefault" / "lo02ff00.dat", "");
        TForm1& w = create();
        w.loadpic->click();
        return w;
    }
    std::vector<landmark> five() {
        std::vector<landmark> v;
        for (int i = 1; i <= 5; ++i)
            v.push_back(makeLandmark(("r" + std::to_string(i)).c_str(),
                                     lat0 + 0.01f * static_cast<float>(i), lon0));
        return v;
    }
    // A full redraw restores the clean picture over this mark.
    void markPicture() { f().Image1->Canvas().setPixels(0, 0, sentinel); }
    bool redrawn() { return f().Image1->Canvas().Pixels(0, 0) != sentinel; }
    int indexOf(const ui::TComboBox& c, const std::string& text) {
        for (int i = 0; i < c.Items().Count(); ++i)
            if (c.Items()[i] == text) return i;
        return -1;
    }
    std::vector<ui::TControl*> panel() {
        TForm1& w = f();
        return {w.undoLM,     w.side,   w.Lotype,   w.Lofile,   w.lndmrkname,
                w.LMrotation, w.LMElev, w.eastcord, w.northcord};
    }
    void expectEditing(bool on) {
        EXPECT_EQ(f().editing, on);
        EXPECT_EQ(f().edLM->Caption(), on ? "Commit changes" : "Edit Landmark");
        EXPECT_EQ(f().lmpicklist->Enabled(), !on);
        for (ui::TControl* c : panel()) EXPECT_EQ(c->Enabled(), on) << c->Name();
    }
    float lat0 = 0, lon0 = 0;
};

} // namespace

TEST_F(EditingTest, EditAndCommitWithoutChangeKeepTheRecordsAndTheMap) {
    TForm1& w = loaded(five());
    const std::string before(reinterpret_cast<const char*>(&lmfile), sizeof lmfile);
    w.lmpicklist->userClick(2);
    expectEditing(false);
    markPicture();
    w.edLM->click();
    expectEditing(true);
    EXPECT_EQ(w.editrec, 2);
    EXPECT_EQ(bytesOf(w.undobuf), bytesOf(lmfile.rec(3)));
    w.edLM->click();
    expectEditing(false);
    EXPECT_EQ(w.editrec, -1);
    EXPECT_FALSE(redrawn());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&lmfile), sizeof lmfile), before);
    EXPECT_EQ(w.lmpicklist->Items()[2], "3 r3") << "the short line form after a commit";
    EXPECT_EQ(w.lmpicklist->ItemIndex(), 2);

    // Outside edit mode the selectors change nothing, yet still redraw.
    w.side->setItemIndex(1);
    w.Lotype->setItemIndex(4);
    w.Lofile->setItemIndex(0);
    for (auto handler : {&TForm1::chgSide, &TForm1::chgLotype, &TForm1::chgLofile}) {
        markPicture();
        (w.*handler)();
        EXPECT_TRUE(redrawn());
    }
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&lmfile), sizeof lmfile), before);
}

TEST_F(EditingTest, EditWithNoRowSelectedIsRefused) {
    TForm1& w = loaded(five());
    w.lmpicklist->setItemIndex(-1);
    w.edLM->click();
    expectEditing(false);
    EXPECT_EQ(w.editrec, -1);
    EXPECT_EQ(dlg->messages, std::vector<std::string>{"Select Landmark first..."});
}

TEST_F(EditingTest, SettersWriteTheirBytesAndDrawOnlyWhereTheyShould) {
    TForm1& w = loaded(five());
    w.lmpicklist->userClick(1);
    w.edLM->click();
    landmark& r = lmfile.rec(2);
    const std::string line = w.lmpicklist->Items()[1];
    struct Case {
        const char* what;
        std::function<void()> act;
        std::function<void(landmark&)> expect;
        bool draws;
    };
    const Case cases[] = {
        {"side", [&] { w.side->userSelect(1); }, [](landmark& e) { setSide(e, 1); }, true},
        {"type", [&] { w.Lotype->userSelect(3); }, [](landmark& e) { setTypeCode(e, 3); }, true},
        {"object file", [&] { w.Lofile->userSelect(indexOf(*w.Lofile, "lo020a1f.dat")); },
         [](landmark& e) { setFromLofileName(e, "lo020a1f.dat"); }, true},
        {"elevation",
         [&] {
             w.LMElev->userSetText("   350");
             w.LMElev->userExit();
         },
         [](landmark& e) { e.elev = 350; }, false},
        {"rotation", [&] { w.LMrotation->userSelect(indexOf(*w.LMrotation, "45")); },
         [](landmark& e) { e.rota = 45; }, false},
        {"typed rotation",
         [&] {
             // Each keystroke's text: "3" and "36" read as entries, and are none.
             for (const char* typed : {"3", "36", "365", "7x"}) w.LMrotation->userSetText(typed);
         },
         [](landmark&) {}, false},
        {"name",
         [&] {
             w.lndmrkname->userSetText("Renamed");
             w.lndmrkname->userExit();
         },
         [](landmark& e) { setName(e, "Renamed"); }, false},
        {"east",
         [&] {
             w.eastcord->userSetText(" 2.5");
             w.eastcord->userKeyPress('\r');
         },
         [](landmark& e) { e.lon = 2.5f; }, false},
        {"north",
         [&] {
             w.northcord->userSetText("49.25 ");
             w.northcord->userKeyPress('\r');
         },
         [](landmark& e) { e.lat = 49.25f; }, false},
        {"east without Enter",
         [&] {
             w.eastcord->userSetText("3.5");
             w.eastcord->userKeyPress('1');
         },
         [](landmark&) {}, false},
    };
    for (const auto& c : cases) {
        landmark want = r;
        c.expect(want);
        markPicture();
        c.act();
        EXPECT_EQ(bytesOf(r), bytesOf(want)) << c.what;
        EXPECT_EQ(redrawn(), c.draws) << c.what;
        EXPECT_EQ(bytesOf(lmfile.rec(1)), bytesOf(five()[0])) << c.what;
    }
    EXPECT_TRUE(dlg->messages.empty());
    EXPECT_EQ(w.lmpicklist->Items()[1], line) << "no list refresh before the commit";
}

TEST_F(EditingTest, BadNumbersAreReported) {
    TForm1& w = loaded(five());
    w.lmpicklist->userClick(0);
    w.edLM->click();
    landmark& r = lmfile.rec(1);
    for (const char* bad : {"350 ", "12a"}) {
        r.elev = 5;
        w.LMElev->userSetText(bad);
        w.LMElev->userExit();
        EXPECT_EQ(+r.elev, -1.0f) << bad;
    }
    const float lon = r.lon;
    w.eastcord->userSetText("1,5");
    w.eastcord->userKeyPress('\r');
    EXPECT_EQ(+r.lon, lon);
    EXPECT_EQ(dlg->messages,
              (std::vector<std::string>{"Not a number, try again...", "Not a number, try again...",
                                        "not a number...."}));
    // A name whose pairs are not hexadecimal ends the handler with the error.
    w.Lofile->Items().Add("lo02zz00.dat");
    w.Lofile->userSelect(indexOf(*w.Lofile, "lo02zz00.dat"));
    EXPECT_EQ(dlg->errors.size(), 1u);
}

TEST_F(EditingTest, UndoRestoresAllBytesAndStaysInEditMode) {
    TForm1& w = loaded(five());
    w.lmpicklist->userClick(3);
    const std::string original = bytesOf(lmfile.rec(4));
    w.edLM->click();
    for (int round = 0; round < 2; ++round) {
        w.side->userSelect(1);
        w.Lotype->userSelect(5);
        w.lndmrkname->userSetText("Changed");
        w.lndmrkname->userExit();
        w.LMElev->userSetText("77");
        w.LMElev->userExit();
        w.Image1->userMouseDown(ui::mbLeft, {}, 1000, 700);
        ASSERT_NE(bytesOf(lmfile.rec(4)), original);
        w.undoLM->click();
        EXPECT_EQ(bytesOf(lmfile.rec(4)), original) << "round " << round;
        expectEditing(true);
        EXPECT_EQ(w.lndmrkname->Text(), "r4") << "the display shows the record again";
    }
}

// At full size image and picture pixels coincide; at half size they do not.
TEST_F(EditingTest, MapClickWhileEditingMovesTheEditedRecordAtAnyZoom) {
    TForm1& w = loaded(five());
    const latlong& m = maptab[4];
    struct Case {
        int position, W, H; // zoom bar and the image size it gives
    };
    for (const Case c : {Case{4000, 4000, 3000}, Case{2000, 2000, 1500}}) {
        w.zoombar->userSetPosition(c.position);
        ASSERT_EQ(w.Image1->Width(), c.W);
        ASSERT_EQ(w.Image1->Height(), c.H);
        w.lmpicklist->userClick(1);
        w.edLM->click();
        const std::string memo = w.LMdata->Text();
        const int X = 700, Y = 400;
        w.Image1->userMouseDown(ui::mbLeft, {}, X, Y);
        const double lat = static_cast<double>(m[northLat] - Y * (m[latRange] / c.H));
        const double lon = static_cast<double>(m[westLon] + X * (m[lonRange] / c.W));
        const long double cosRatio = std::cos(lat * M_PI / 180) / std::cos(m[midLat] * M_PI / 180);
        const int shift = static_cast<int>(std::nearbyint(1000 - 1000 * cosRatio));
        EXPECT_FLOAT_EQ(lmfile.rec(2).lat, static_cast<float>(lat)) << c.W;
        EXPECT_FLOAT_EQ(lmfile.rec(2).lon, static_cast<float>(lon + shift * m[lonRange] / c.W))
            << c.W;
        EXPECT_EQ(w.lmpicklist->ItemIndex(), 1);
        EXPECT_EQ(w.LMdata->Text(), memo);
        w.edLM->click();
        // Picked again where it now lies: its point is the click moved by the shift.
        w.lmpicklist->userClick(4);
        w.Image1->userMouseDown(ui::mbLeft, {}, X + 2, Y);
        EXPECT_EQ(w.lmpicklist->ItemIndex(), 1) << c.W;
    }
}

TEST_F(EditingTest, ActivationOnMixedSelectionsAndTheCaptionRule) {
    std::vector<landmark> recs = {makeLandmark("on", lat0, lon0),
                                  makeLandmark("off", -(lat0 + 0.1f), -lon0),
                                  makeLandmark("blank", 0, 0)};
    TForm1& w = loaded(recs);
    EXPECT_EQ(w.remLM->Caption(), "De-activate Landmark") << "the load sets the caption";
    auto select = [&](std::initializer_list<int> rows) {
        bool first = true;
        for (int row : rows) {
            w.lmpicklist->userClick(row, first ? ui::TShiftState{} : ui::TShiftState{.ctrl = true});
            first = false;
        }
    };
    auto active = [](int i) { return !isDeactivated(lmfile.rec(i)); };

    select({0, 1}); // the current row is the de-activated one
    markPicture();
    w.deactobjs->click();
    EXPECT_FALSE(active(1));
    EXPECT_TRUE(active(2));
    EXPECT_EQ(w.remLM->Caption(), "De-activate Landmark");
    EXPECT_TRUE(redrawn());

    select({1, 0}); // current row 0 is de-activated now: the toggle re-activates both
    w.remLM->click();
    EXPECT_TRUE(active(1));
    EXPECT_TRUE(active(2));
    EXPECT_EQ(+lmfile.rec(2).lat, lat0 + 0.1f);
    EXPECT_EQ(w.remLM->Caption(), "De-activate Landmark");

    w.reactobjs->click();
    EXPECT_TRUE(active(1) && active(2));
    lmfile.rec(2).lat = -lmfile.rec(2).lat;
    lmfile.rec(2).lon = -lmfile.rec(2).lon;
    select({1, 0}); // current row active: the toggle flips both
    w.remLM->click();
    EXPECT_FALSE(active(1));
    EXPECT_TRUE(active(2));
    select({1});
    w.remLM->click();
    EXPECT_FALSE(active(2));
    EXPECT_EQ(w.remLM->Caption(), "Activate Landmark");

    select({2}); // the blank record stays at 0 and leaves the caption alone
    w.deactobjs->click();
    EXPECT_EQ(+lmfile.rec(3).lat, 0.f);
    EXPECT_EQ(w.remLM->Caption(), "Activate Landmark");

    // A map pick sets the caption from the record it finds.
    const MapSizes sz = w.sizes();
    lmfile.rec(1).lat = lat0;
    lmfile.rec(1).lon = lon0;
    w.Image1->userMouseDown(ui::mbLeft, {}, lonLatToX(4, sz, lon0, lat0), latToY(4, sz, lat0));
    EXPECT_EQ(w.lmpicklist->ItemIndex(), 0);
    EXPECT_EQ(w.remLM->Caption(), "De-activate Landmark");

    w.lmpicklist->setItemIndex(-1);
    const std::string before(reinterpret_cast<const char*>(&lmfile), sizeof lmfile);
    dlg->messages.clear();
    w.remLM->click();
    w.deactobjs->click();
    w.reactobjs->click();
    EXPECT_EQ(dlg->messages, std::vector<std::string>(3, "Select Landmark first..."));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&lmfile), sizeof lmfile), before);
}

// The toggle follows the selected record: at latitude 0 (a blank record) it
// is not de-activated, so the toggle de-activates the other marked rows.
TEST_F(EditingTest, ToggleOnARecordAtLatitudeZeroDeactivatesTheOthers) {
    TForm1& w = loaded({makeLandmark("on", lat0, lon0), makeLandmark("also on", lat0, lon0 + 0.1f),
                        makeLandmark("blank", 0, 0)});
    w.lmpicklist->userClick(0);
    w.lmpicklist->userClick(1, {.ctrl = true});
    w.lmpicklist->userClick(2, {.ctrl = true}); // the current row: lat 0
    w.remLM->click();
    EXPECT_TRUE(isDeactivated(lmfile.rec(1)));
    EXPECT_TRUE(isDeactivated(lmfile.rec(2)));
    EXPECT_EQ(+lmfile.rec(3).lat, 0.f);
}

TEST_F(EditingTest, StartCaptionOfTheActivationButton) {
    TForm1& w = create();
    EXPECT_EQ(w.remLM->Caption(), "activate / deactivate LM's");
}

TEST_F(EditingTest, PhysicalDeleteClosesUpAndDumps) {
    TForm1& w = loaded(five());
    w.lmpicklist->userClick(1);
    w.lmpicklist->userClick(3, {.ctrl = true});
    markPicture();
    w.erasobjs->click();
    EXPECT_FALSE(redrawn());
    EXPECT_TRUE(dlg->messages.empty());
    ASSERT_EQ(lmfile.count(), 3);
    const auto recs = five();
    EXPECT_EQ(bytesOf(lmfile.rec(2)), bytesOf(recs[2]));
    EXPECT_EQ(bytesOf(lmfile.rec(4)), bytesOf(landmark{}));
    EXPECT_EQ(w.lmpicklist->Items().Count(), 3);
    EXPECT_EQ(w.lmpicklist->ItemIndex(), 0);
    const std::string dump = vxtest::readFile(cwd / "lndmrks5.dat");
    EXPECT_EQ(dump, vxtest::landmarkFile({recs[0], recs[2], recs[4]}));
    EXPECT_EQ(dump.size(), 289u);
    EXPECT_EQ(std::distance(fs::directory_iterator(cwd), fs::directory_iterator{}), 2)
        << "the map picture and the dump, no temporary file";

    // Nothing selected: the records stay and the dump is written all the same.
    fs::remove(cwd / "lndmrks5.dat");
    w.lmpicklist->setItemIndex(-1);
    w.erasobjs->click();
    EXPECT_EQ(lmfile.count(), 3);
    EXPECT_EQ(vxtest::readFile(cwd / "lndmrks5.dat"), dump);
}

TEST_F(EditingTest, FailedDumpIsReportedAndMemoryKeepsTheDelete) {
    TForm1& w = loaded(five());
    fs::create_directory(cwd / "lndmrks5.dat"); // nothing can be renamed over a folder
    w.lmpicklist->userClick(0);
    w.erasobjs->click();
    EXPECT_EQ(dlg->errors.size(), 1u);
    EXPECT_EQ(lmfile.count(), 4);
    EXPECT_EQ(w.lmpicklist->Items().Count(), 4);
    EXPECT_TRUE(fs::is_directory(cwd / "lndmrks5.dat"));
    EXPECT_EQ(std::distance(fs::directory_iterator(cwd), fs::directory_iterator{}), 2);
}

TEST_F(EditingTest, AddAppendsANewEntry) {
    std::vector<landmark> ten;
    for (int i = 0; i < 10; ++i) ten.push_back(makeLandmark("x", lat0, lon0));
    TForm1& w = loaded(ten);
    w.lmpicklist->userClick(4);
    w.edLM->click();
    markPicture();
    w.addLM->click();
    EXPECT_FALSE(redrawn());
    EXPECT_EQ(lmfile.count(), 11);
    EXPECT_EQ(nameText(lmfile.rec(11)), "New entry");
    EXPECT_EQ(w.lmpicklist->Items()[10], "10 New entry");
    EXPECT_EQ(w.lmpicklist->ItemIndex(), 10);
    EXPECT_EQ(dlg->messages.back(), "Click Edit and then on the map to re-locate..");
    expectEditing(true);
    EXPECT_EQ(w.editrec, 4) << "the edit stays with its record";
}

// "Add Landmark" during an edit selects the new row: the setters of the
// selected record (rotation, east, north) write into the new record, the
// edited one keeps its values.
TEST_F(EditingTest, AfterAnAddTheSelectedRecordSettersWriteTheNewRecord) {
    TForm1& w = loaded(five());
    w.lmpicklist->userClick(1);
    w.edLM->click();
    w.addLM->click();
    ASSERT_EQ(w.lmpicklist->ItemIndex(), 5);
    const landmark edited = lmfile.rec(2);
    w.LMrotation->userSelect(indexOf(*w.LMrotation, "45"));
    w.eastcord->userSetText(" 2.5");
    w.eastcord->userKeyPress('\r');
    w.northcord->userSetText("49.25");
    w.northcord->userKeyPress('\r');
    EXPECT_EQ(+lmfile.rec(6).rota, 45.f);
    EXPECT_EQ(+lmfile.rec(6).lon, 2.5f);
    EXPECT_EQ(+lmfile.rec(6).lat, 49.25f);
    EXPECT_EQ(bytesOf(lmfile.rec(2)), bytesOf(edited));
}

TEST_F(EditingTest, AddToAnEmptyList) {
    TForm1& w = loaded({});
    w.addLM->click();
    EXPECT_EQ(lmfile.count(), 1);
    EXPECT_EQ(w.lmpicklist->Items()[0], "0 New entry");
}

TEST_F(EditingTest, AddIsRefusedWhenFullOrWithoutAMap) {
    TForm1& w = loaded(std::vector<landmark>(512, makeLandmark("x", lat0, lon0)));
    ASSERT_EQ(w.lmpicklist->Items().Count(), 512);
    const std::string before(reinterpret_cast<const char*>(&lmfile), sizeof lmfile);
    w.addLM->click();
    lmfile.head.count = 511; // one slot free, but no map to place the entry by
    w.lmpicklist->Items().Delete(511);
    w.mapchoice->setItemIndex(-1);
    w.addLM->click();
    ASSERT_EQ(dlg->messages.size(), 2u);
    EXPECT_NE(dlg->messages[0].find("full"), std::string::npos) << dlg->messages[0];
    EXPECT_NE(dlg->messages[1].find("map"), std::string::npos) << dlg->messages[1];
    EXPECT_EQ(lmfile.count(), 511);
    EXPECT_EQ(w.lmpicklist->Items().Count(), 511);
    EXPECT_EQ(bytesOf(lmfile.rec(512)), bytesOf(makeLandmark("x", lat0, lon0)));
    EXPECT_TRUE(dlg->errors.empty());
}

// Undo must never carry a record of the file edited before into the file loaded since.
TEST_F(EditingTest, LoadingOrReloadingEndsEditMode) {
    TForm1& w = loaded(five());
    w.lmpicklist->userClick(1);
    w.edLM->click();
    w.lndmrkname->userSetText("Mine");
    w.lndmrkname->userExit();
    const std::vector<landmark> other = {makeLandmark("o1", lat0, lon0),
                                         makeLandmark("o2", lat0, lon0)};
    vxtest::writeFile(prog / "LMdefault" / "lndmrks4.mlf", vxtest::landmarkFile(other));
    w.loadpic->click();
    expectEditing(false);
    EXPECT_EQ(w.editrec, -1);
    w.undoLM->click();
    w.undoVexton();
    EXPECT_EQ(bytesOf(lmfile.rec(2)), bytesOf(other[1]));
    // Editing starts afresh on the new file.
    w.lmpicklist->userClick(0);
    w.edLM->click();
    EXPECT_EQ(bytesOf(w.undobuf), bytesOf(other[0]));
    // "reload map" loads the file again: the same holds.
    w.remap->click();
    expectEditing(false);
    EXPECT_EQ(w.editrec, -1);
}
