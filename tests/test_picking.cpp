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

// Map 4's reference points (full size 4000 x 3000): A at latitude 48.7256317,
// longitude 2.9756718 lies at (3535, 495); B at 48.5205193, 2.6909347 at
// (1957, 2223). At the middle latitude 48.6272850 the longitude scale is 1 and
// the shift 0, so x and y follow the references linearly:
//   y = 495 + (48.7256317 - 48.6272850) / 0.2051124 * 1728 = 1323.54
// and longitude 2.6909347 (B's) is at x = 1957. Scaled to the image shown:
//   4000 x 3000: (1957, 1324)
//   3000 x 2250: (1957 * 0.75, 1323.54 * 0.75) = (1467.75, 992.65) -> (1468, 993)
constexpr float midLat = 48.6272850036621094f, lonB = 2.69093465805053711f;
constexpr long double refLatA = 48.7256317138671875L, refLatB = 48.5205192565917969L;
constexpr long double refLonA = 2.97567176818847656L, refLonB = 2.69093465805053711L;
constexpr long double refYA = 495, refYB = 2223, refXA = 3535, refXB = 1957;

struct Zoom {
    int position; // zoom bar position = image width
    TPoint mid;   // where (midLat, lonB) is on the image
};
const Zoom zooms[] = {{4000, {1957, 1324}}, {3000, {1468, 993}}};

class PickingTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        std::tie(lat0, lon0) = vxtest::mapMiddle(4);
    }
    void click(int x, int y, ui::TMouseButton b = ui::mbLeft) {
        f().Image1->userMouseDown(b, {}, x, y);
    }
    float lat0 = 0, lon0 = 0;
};

// Cases that depend on where a landmark is on the image run at full size and
// at a smaller zoom, where image and picture co-ordinates differ.
class PickingAtZoom : public PickingTest, public ::testing::WithParamInterface<Zoom> {
protected:
    void SetUp() override {
        PickingTest::SetUp();
        lat0 = midLat;
        lon0 = lonB;
    }
    TForm1& open() {
        TForm1& w = create();
        w.loadpic->click();
        w.zoombar->userSetPosition(GetParam().position);
        EXPECT_EQ(w.Image1->Width(), GetParam().position);
        return w;
    }
    TPoint mid() const { return GetParam().mid; }
};

std::string zoomName(const ::testing::TestParamInfo<Zoom>& i) {
    return "at" + std::to_string(i.param.position);
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Zooms, PickingAtZoom, ::testing::ValuesIn(zooms), zoomName);

TEST_P(PickingAtZoom, ToleranceIsSeventeenPixelsInEachAxis) {
    standardData({vxtest::makeLandmark("Far", lat0 + 0.1f, lon0 + 0.2f),
                  vxtest::makeLandmark("Here", lat0, lon0)});
    TForm1& f = open();
    const TPoint p = mid();
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

TEST_P(PickingAtZoom, LowerRecordWinsAndEveryButtonPicks) {
    standardData({vxtest::makeLandmark("Other", lat0 + 0.1f, lon0),
                  vxtest::makeLandmark("First", lat0, lon0),
                  vxtest::makeLandmark("Second", lat0, lon0 + 0.0005f)});
    TForm1& f = open();
    const TPoint p = mid();
    for (auto b : {ui::mbLeft, ui::mbMiddle, ui::mbRight}) {
        f.lmpicklist->setItemIndex(0);
        click(p.X + 5, p.Y, b);
        EXPECT_EQ(f.lmpicklist->ItemIndex(), 1);
        EXPECT_EQ(f.lndmrkname->Text(), "First");
    }
}

TEST_P(PickingAtZoom, DeactivatedLandmarkIsPickedAtItsCross) {
    standardData(
        {vxtest::makeLandmark("A", lat0 + 0.1f, lon0), vxtest::makeLandmark("Off", -lat0, -lon0)});
    TForm1& f = open();
    const TPoint p = mid();
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

TEST_P(PickingAtZoom, WhileEditingAClickMovesTheEditedLandmark) {
    standardData(
        {vxtest::makeLandmark("A", lat0, lon0), vxtest::makeLandmark("B", lat0 + 0.1f, lon0)});
    TForm1& f = open();
    f.editing = true;
    f.editrec = 1;
    const std::string memo = f.LMdata->Text();
    // Near the middle latitude, so no shift; the click goes back to full size
    // and from there along the reference points.
    const int x = 1000, y = mid().Y;
    const long double s = 4000.0L / GetParam().position;
    const long double lat = refLatA - (y * s - refYA) * (refLatA - refLatB) / (refYB - refYA);
    const long double lon = refLonB + (x * s - refXB) * (refLonA - refLonB) / (refXA - refXB);
    click(x, y);
    const landmark& r = lmfile.rec(2);
    EXPECT_NEAR(r.lat, static_cast<double>(lat), 1e-5);
    EXPECT_NEAR(r.lon, static_cast<double>(lon), 1e-5);
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

TEST_P(PickingAtZoom, DamagedCoordinatesAreOffTheMapNotErrors) {
    landmark huge = vxtest::makeLandmark("Huge", 1e30f, 1e30f);
    landmark nan = vxtest::makeLandmark("NaN", std::nanf(""), 2.8f);
    standardData({huge, nan, vxtest::makeLandmark("Fine", lat0, lon0)});
    TForm1& f = open();
    EXPECT_TRUE(dlg->errors.empty()) << dlg->errors.front();
    EXPECT_EQ(f.LMdata->Lines()[7], "Name :Huge");
    const TPoint p = mid();
    click(p.X, p.Y);
    EXPECT_EQ(f.lmpicklist->ItemIndex(), 2);
    f.lmpicklist->userClick(1);
    EXPECT_EQ(f.LMdata->Lines()[7], "Name :NaN");
    EXPECT_TRUE(dlg->errors.empty());
}
