#include "mainwindow_fixture.h"

#include "mapeditor/calibration.h"
#include "mapeditor/mappick.h"
#include "ui/ui.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

using namespace vx;
using vxtest::MainWindowTest;

namespace {

class PickingTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        std::tie(lat0, lon0) = vxtest::mapMiddle(4);
    }
    TPoint screen(float lat, float lon) {
        const MapSizes sz = f().sizes();
        return {lonLatToX(4, sz, std::fabs(lon), std::fabs(lat)), latToY(4, sz, std::fabs(lat))};
    }
    void click(int x, int y, ui::TMouseButton b = ui::mbLeft) {
        f().Image1->userMouseDown(b, {}, x, y);
    }
    float lat0 = 0, lon0 = 0;
};

} // namespace

TEST_F(PickingTest, ToleranceIsSeventeenPixelsInEachAxis) {
    standardData({vxtest::makeLandmark("Far", lat0 + 0.1f, lon0 + 0.2f),
                  vxtest::makeLandmark("Here", lat0, lon0)});
    TForm1& f = create();
    f.loadpic->click();
    const TPoint p = screen(lat0, lon0);
    struct Case {
        int dx, dy, row;
    };
    const Case cases[] = {{17, 0, 1}, {0, -17, 1}, {-17, 17, 1},
                          {18, 0, 0}, {0, 18, 0},  {-18, -3, 0}};
    for (const auto& c : cases) {
        f.lmpicklist->setItemIndex(0);
        click(p.X + c.dx, p.Y + c.dy);
        EXPECT_EQ(f.lmpicklist->ItemIndex(), c.row) << c.dx << "," << c.dy;
    }
}

TEST_F(PickingTest, LowerRecordWinsAndEveryButtonPicks) {
    standardData({vxtest::makeLandmark("Other", lat0 + 0.1f, lon0),
                  vxtest::makeLandmark("First", lat0, lon0),
                  vxtest::makeLandmark("Second", lat0, lon0 + 0.0005f)});
    TForm1& f = create();
    f.loadpic->click();
    const TPoint p = screen(lat0, lon0);
    for (auto b : {ui::mbLeft, ui::mbMiddle, ui::mbRight}) {
        f.lmpicklist->setItemIndex(0);
        click(p.X + 5, p.Y, b);
        EXPECT_EQ(f.lmpicklist->ItemIndex(), 1);
        EXPECT_EQ(f.lndmrkname->Text(), "First");
    }
}

TEST_F(PickingTest, DeactivatedLandmarkIsPickedAtItsCross) {
    standardData(
        {vxtest::makeLandmark("A", lat0 + 0.1f, lon0), vxtest::makeLandmark("Off", -lat0, -lon0)});
    TForm1& f = create();
    f.loadpic->click();
    const TPoint p = screen(lat0, lon0);
    click(p.X, p.Y);
    EXPECT_EQ(f.lmpicklist->ItemIndex(), 1);
    EXPECT_EQ(f.LMdata->Lines()[7], "Name :Off");
}

TEST_F(PickingTest, ClickOnEmptyMapKeepsTheSelectionAndScrollsBack) {
    standardData(
        {vxtest::makeLandmark("A", lat0, lon0), vxtest::makeLandmark("B", lat0, lon0 + 0.1f)});
    TForm1& f = create();
    f.loadpic->click();
    f.lmpicklist->userClick(1);
    const int h = f.ScrollBox1->HorzScrollBar().Position();
    f.ScrollBox1->userScroll(0, 0);
    click(5, 5);
    EXPECT_EQ(f.lmpicklist->ItemIndex(), 1);
    EXPECT_EQ(f.ScrollBox1->HorzScrollBar().Position(), h);
    // The first click measures from latitude 0, longitude 0; the next from the first.
    EXPECT_EQ(f.distinm1->Caption().rfind("Dist in m1:", 0), 0u);
    click(5, 5);
    EXPECT_EQ(f.distinm1->Caption().rfind("Dist in m1:           0.00 clnt:", 0), 0u);
}

TEST_F(PickingTest, WhileEditingAClickMovesTheEditedLandmark) {
    standardData(
        {vxtest::makeLandmark("A", lat0, lon0), vxtest::makeLandmark("B", lat0 + 0.1f, lon0)});
    TForm1& f = create();
    f.loadpic->click();
    f.editing = true;
    f.editrec = 1;
    const std::string memo = f.LMdata->Text();
    click(1000, 700);
    const auto [lat, lon] = xyToLatLon(1000, 700, 4, f.sizes());
    const int shift = xShiftForLat(4, lat);
    const landmark& r = lmfile.rec(2);
    EXPECT_FLOAT_EQ(r.lat, static_cast<float>(lat));
    EXPECT_FLOAT_EQ(r.lon, static_cast<float>(lon + shift * maptab[4][lonRange] / 4000));
    EXPECT_EQ(f.lmpicklist->ItemIndex(), 0);
    EXPECT_EQ(f.LMdata->Text(), memo);
}

TEST_F(PickingTest, ClickOnAnEmptyListDoesNothing) {
    standardData({});
    TForm1& f = create();
    f.loadpic->click();
    click(10, 10);
    EXPECT_EQ(f.distinm1->Caption(), "distinm1");
    EXPECT_TRUE(dlg->errors.empty());
}

TEST_F(PickingTest, DisplaySetsTheEditControlsWithoutRunningTheirHandlers) {
    auto rec = [&](const char* n, float rota) {
        landmark r = vxtest::makeLandmark(n, lat0, lon0, 20, 1, 5);
        r.rota = rota;
        r.elev = 123.4f;
        return r;
    };
    standardData({rec("a", 45.5f), rec("b", 44.5f), rec("c", 359.7f), rec("d", 1e30f)});
    TForm1& f = create();
    f.loadpic->click();
    const char* expect[] = {"46", "44", "360", nullptr};
    for (int row = 0; row < 4; ++row) {
        f.lmpicklist->userClick(row);
        const int i = f.LMrotation->ItemIndex();
        if (expect[row])
            EXPECT_EQ(f.LMrotation->Items()[i], expect[row]);
        else
            EXPECT_EQ(i, -1);
    }
    EXPECT_EQ(f.side->ItemIndex(), 1);
    EXPECT_EQ(f.Lotype->ItemIndex(), -1) << "type 20 is beyond the entries: selection kept";
    EXPECT_EQ(f.LMElev->Text(), "       123");
    EXPECT_EQ(f.eastcord->Text(), Format("%3.15F", {static_cast<long double>(lon0)}));
    EXPECT_EQ(f.LMdata->Lines()[2], "Type :0f ?");
    EXPECT_EQ(f.lofname->Caption(), "!not fnd: lo021405.dat");
    EXPECT_EQ(f.Lofile->ItemIndex(), -1);
}

TEST_F(PickingTest, PointerReadouts) {
    standardData({vxtest::makeLandmark("A", lat0, lon0)});
    TForm1& f = create();
    f.loadpic->click();
    const int W = 4000, H = 3000;
    f.Image1->userMouseMove({}, W - H, H);
    EXPECT_EQ(f.XY_xy->Caption(), "XY      :1000 3000");
    EXPECT_EQ(f.tedxylab->Caption(), "TED XY :0 0");
    f.Image1->userMouseMove({}, W - H, 0);
    EXPECT_EQ(f.tedxylab->Caption(), "TED XY :0 " + std::to_string(3000LL * (4194304 / 3000)));
    f.Image1->userMouseMove({}, 0, 0);
    const latlong& m = maptab[4];
    EXPECT_EQ(f.lolat->Caption(),
              " Long / Latt : " + floatStr(static_cast<double>(m[westLon]), 10, 6) +
                  floatStr(static_cast<double>(m[northLat]), 10, 6));
}

TEST_F(PickingTest, HiddenButtonsRememberARecord) {
    standardData({vxtest::makeLandmark("A", lat0, lon0), vxtest::makeLandmark("Bee", lat0, lon0)});
    TForm1& f = create();
    f.loadpic->click();
    f.lmpicklist->userClick(1);
    f.loc_BClick();
    EXPECT_EQ(f.locB, 2);
    EXPECT_EQ(f.loc_B->Caption(), "Bee");
}

TEST_F(PickingTest, DamagedCoordinatesAreOffTheMapNotErrors) {
    landmark huge = vxtest::makeLandmark("Huge", 1e30f, 1e30f);
    landmark nan = vxtest::makeLandmark("NaN", std::nanf(""), 2.8f);
    standardData({huge, nan, vxtest::makeLandmark("Fine", lat0, lon0)});
    TForm1& f = create();
    f.loadpic->click();
    EXPECT_TRUE(dlg->errors.empty()) << dlg->errors.front();
    EXPECT_EQ(f.LMdata->Lines()[7], "Name :Huge");
    const TPoint p = screen(lat0, lon0);
    click(p.X, p.Y);
    EXPECT_EQ(f.lmpicklist->ItemIndex(), 2);
    f.lmpicklist->userClick(1);
    EXPECT_EQ(f.LMdata->Lines()[7], "Name :NaN");
    EXPECT_TRUE(dlg->errors.empty());
}
