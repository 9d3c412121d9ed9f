#include "mainwindow_fixture.h"

#include "mapeditor/calibration.h"
#include "mapeditor/lmtext.h"
#include "ui/ui.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace vx;
using vxtest::MainWindowTest;

namespace {

// True when every opaque pixel of the image list's image shows at (x, y).
// Pixels painted red afterwards (the de-activation cross) are not compared.
bool iconAt(const ui::TImage& img, const ui::TImageList& list, int index, int x, int y,
            bool skipRed = false) {
    const ui::TBitmap& icon = list.image(index);
    auto& canvas = const_cast<ui::TImage&>(img).Canvas();
    int opaque = 0;
    for (int j = 0; j < icon.Height(); ++j)
        for (int i = 0; i < icon.Width(); ++i) {
            const uint32_t px = icon.scanLine(j)[i];
            if ((px >> 24) < 255) continue;
            ++opaque;
            const ui::TColor shown = canvas.Pixels(x + i, y + j);
            if (skipRed && shown == ui::clRed) continue;
            if (shown != ui::colorOf(px)) return false;
        }
    return opaque > 0;
}

bool untouched(const ui::TImage& img, int x, int y) {
    auto& canvas = const_cast<ui::TImage&>(img).Canvas();
    for (int j = 0; j < 16; ++j)
        for (int i = 0; i < 16; ++i) {
            const ui::TColor c = canvas.Pixels(x + i, y + j);
            // JPEG noise around the plain ground colour.
            if (std::abs(int(ui::redOf(c)) - 0x33) > 6 || std::abs(int(ui::greenOf(c)) - 0x66) > 6)
                return false;
        }
    return true;
}

class MapViewTest : public MainWindowTest {
protected:
    // Records spread over the map so their icons never overlap.
    landmark at(int n, uint8_t type, uint8_t side, bool active = true) {
        const latlong& m = maptab[4];
        const float lat = static_cast<float>(m[northLat] - (0.1 + 0.05 * n) * m[latRange]);
        const float lon = static_cast<float>(m[westLon] + 0.3 * m[lonRange]);
        landmark r = vxtest::makeLandmark("x", lat, lon, type, side);
        if (!active) {
            r.lat = -r.lat;
            r.lon = -r.lon;
        }
        return r;
    }
    TPoint pic(const landmark& r) {
        const MapSizes sz = f().sizes();
        return {lonLatToPicX(4, sz, std::fabs(r.lon), std::fabs(r.lat)),
                latToPicY(4, sz, std::fabs(r.lat))};
    }
};

} // namespace

TEST_F(MapViewTest, IconsFollowSideTypeModeAndSelection) {
    initMapTable();
    std::vector<landmark> recs = {at(0, 0, 0),  at(1, 3, 1),   at(2, 9, 0),
                                  at(3, 10, 1), at(4, 200, 0), at(5, 2, 2)};
    standardData(recs);
    TForm1& f = create();
    f.loadpic->click();
    ASSERT_TRUE(dlg->errors.empty());

    struct Expect {
        int rec;
        ui::TImageList* list;
        int image; // -1: no icon
    };
    const Expect landmarkMode[] = {
        {0, f.glist, 0},     // selected: bright
        {1, f.dimAllist, 3}, // Entente, dim
        {2, f.dimGlist, 9},  {3, nullptr, -1},
        {4, nullptr, -1},    {5, f.dimAllist, 2}, // side byte 2 draws as Entente
    };
    for (const auto& e : landmarkMode) {
        TPoint p = pic(recs[e.rec]);
        if (e.image < 0)
            EXPECT_TRUE(untouched(*f.Image1, p.X, p.Y)) << e.rec;
        else
            EXPECT_TRUE(iconAt(*f.Image1, *e.list, e.image, p.X, p.Y)) << e.rec;
    }

    f.hilite->userToggle(); // "Highlight all" redraws at once
    EXPECT_TRUE(iconAt(*f.Image1, *f.allist, 3, pic(recs[1]).X, pic(recs[1]).Y));

    f.mlfORmbf->userSelect(1); // brigade mode: every active landmark shows image 6
    f.redomap();
    EXPECT_TRUE(iconAt(*f.Image1, *f.allist, 6, pic(recs[3]).X, pic(recs[3]).Y));
    EXPECT_TRUE(iconAt(*f.Image1, *f.glist, 6, pic(recs[4]).X, pic(recs[4]).Y));
}

// The object-file setter draws the map before it changes the record: right
// after it the map still shows the old type's icon; the next redraw the new.
TEST_F(MapViewTest, ObjectFileSetterDrawsTheMapBeforeTheRecordChanges) {
    initMapTable();
    std::vector<landmark> recs = {at(0, 0, 0), at(1, 3, 0)};
    standardData(recs);
    vxtest::writeFile(prog / "LMdefault" / "lo020a1f.dat", ""); // type $0A: no icon
    TForm1& f = create();
    f.loadpic->click();
    f.lmpicklist->userClick(1);
    f.edLM->click();
    const TPoint p = pic(recs[1]);
    ASSERT_TRUE(iconAt(*f.Image1, *f.glist, 3, p.X, p.Y));
    int row = -1;
    for (int i = 0; i < f.Lofile->Items().Count(); ++i)
        if (f.Lofile->Items()[i] == "lo020a1f.dat") row = i;
    ASSERT_GE(row, 0);
    const ui::TBitmap& icon = f.glist->image(3);
    for (int j = 0; j < icon.Height(); ++j) // gone only where the map is drawn again
        for (int i = 0; i < icon.Width(); ++i)
            f.Image1->Canvas().setPixels(p.X + i, p.Y + j, 0xFE01FE);
    f.Lofile->userSelect(row);
    EXPECT_EQ(lmfile.rec(2).lmid.at(1), 0x0A);
    EXPECT_TRUE(iconAt(*f.Image1, *f.glist, 3, p.X, p.Y)) << "the old type's icon";
    f.draw(-1);
    EXPECT_TRUE(untouched(*f.Image1, p.X, p.Y)) << "type $0A has no icon";
}

TEST_F(MapViewTest, DeactivatedLandmarksShowDimWithARedBoxedCross) {
    initMapTable();
    std::vector<landmark> recs = {at(0, 5, 1, false), at(1, 0, 0), at(2, 12, 0, false)};
    standardData(recs);
    TForm1& f = create();
    f.loadpic->click();
    f.lmpicklist->userClick(0); // selected, still dim
    const TPoint p = pic(recs[0]);
    EXPECT_TRUE(iconAt(*f.Image1, *f.dimAllist, 5, p.X, p.Y, true));
    auto& c = f.Image1->Canvas();
    // Frame corners and both diagonals, centred on the point.
    for (TPoint q :
         {TPoint{p.X - 10, p.Y - 10}, TPoint{p.X + 9, p.Y - 10}, TPoint{p.X - 10, p.Y + 9},
          TPoint{p.X - 5, p.Y + 5}, TPoint{p.X + 5, p.Y + 5}, TPoint{p.X - 8, p.Y - 8}})
        EXPECT_EQ(c.Pixels(q.X, q.Y), ui::clRed) << q.X - p.X << "," << q.Y - p.Y;
    // Type code 12 has no image: only the cross.
    const TPoint q = pic(recs[2]);
    EXPECT_EQ(c.Pixels(q.X + 5, q.Y + 5), ui::clRed);
    EXPECT_NE(c.Pixels(q.X + 3, q.Y + 12), ui::clRed);
}

TEST_F(MapViewTest, HalfNegativeCoordinatesAreNotDeactivated) {
    initMapTable();
    landmark r = at(0, 0, 0);
    r.lat = -r.lat;
    standardData({at(1, 0, 0), r});
    TForm1& f = create();
    f.loadpic->click();
    const TPoint p = pic(r);
    EXPECT_NE(f.Image1->Canvas().Pixels(p.X + 5, p.Y + 5), ui::clRed);
}

TEST_F(MapViewTest, RedrawBeforeAnyLoadBlanksTheMap) {
    TForm1& f = create();
    EXPECT_FALSE(f.Image1->Picture().empty()); // the start picture
    f.redomap();
    EXPECT_TRUE(f.Image1->Picture().empty());
    EXPECT_TRUE(dlg->errors.empty());
}

TEST_F(MapViewTest, DrawOutsideTheRecordTableIsARangeError) {
    TForm1& f = create();
    EXPECT_THROW(f.drawLMs(0), RangeError);
    EXPECT_THROW(f.drawLMs(513), RangeError);
    EXPECT_NO_THROW(f.drawLMs(-1));
}

TEST_F(MapViewTest, ZoomBarSetsTheMapSize) {
    standardData({at(0, 0, 0)});
    TForm1& f = create();
    f.loadpic->click();
    const std::pair<int, int> cases[] = {{8000, 6000}, {1350, 1013}, {4002, 3002}, {4000, 3000}};
    for (auto [p, h] : cases) {
        f.zoombar->userSetPosition(p);
        EXPECT_EQ(f.Image1->Width(), p);
        EXPECT_EQ(f.Image1->Height(), h);
        EXPECT_EQ(f.zoomfact->Caption(), std::to_string(p));
    }
    EXPECT_EQ(f.WxHLabel->Caption(), "WxH / ratio :4000 3000  1.333333333333");
    EXPECT_EQ(f.zoomlabel->Caption(), "Zoom    : 1.00");
    EXPECT_EQ(f.sbarXlabel->Caption().rfind(" SBx pos:", 0), 0u);
    EXPECT_NE(f.sbarXlabel->Caption().find("  Xsb: 50 lmX: "), std::string::npos);
}

TEST_F(MapViewTest, ActivationKeepsTheMapAtLeastAsWideAsItsBox) {
    TForm1& f = create();
    f.ScrollBox1->setWidth(2000);
    f.userActivate();
    EXPECT_EQ(f.zoombar->Min(), 2000);
    EXPECT_EQ(f.zoombar->Position(), 4000);
}

TEST_F(MapViewTest, StepZoomStopsAtItsLimits) {
    TForm1& f = create();
    f.zoom = 8192;
    f.ZoomIn1Click();
    f.zoom = 128;
    f.ZoomOut1Click();
    EXPECT_EQ(dlg->messages,
              (std::vector<std::string>{"Can not zoom in more..", "Can not zoom out more.."}));
    f.zoom = 1024;
    f.ZoomIn1Click();
    EXPECT_EQ(f.zoom, 2048);
    EXPECT_EQ(f.Image1->Width(), 2690);
}

TEST_F(MapViewTest, WheelOverTheZoomBarShowsTheStep) {
    TForm1& f = create();
    bool handled = false;
    f.zoombarupdn({}, 120, {3, 7}, handled);
    EXPECT_EQ(f.zoomfact->Caption(), "120 x/y : 3/7");
    EXPECT_FALSE(handled);
}

namespace {

// What the picture and its half-size copy hold now.
struct Shown {
    std::vector<uint32_t> full, half;
};
Shown shownNow(const ui::TBitmap& bmp) {
    Shown s;
    const auto* p = bmp.scanLine(0);
    s.full.assign(p, p + size_t(bmp.Width()) * size_t(bmp.Height()));
    const ui::TBitmap& h = bmp.halfSize();
    if (!h.empty()) s.half.assign(h.scanLine(0), h.scanLine(0) + size_t(h.Width()) * h.Height());
    return s;
}

} // namespace

// A redraw restores only what the last one drew; after each step it must show
// exactly what a redraw from the clean copy shows, in the half-size copy too.
TEST_F(MapViewTest, RedrawOfChangedIconsShowsWhatAFullRedrawShows) {
    initMapTable();
    // Records 1 and 2 overlap; 3 starts de-activated.
    landmark near = at(0, 1, 1);
    near.lon += 0.0004f;
    std::vector<landmark> recs = {at(0, 0, 0), near, at(2, 5, 1, false), at(3, 6, 2)};
    standardData(recs);
    TForm1& f = create();
    f.loadpic->click();
    ui::TBitmap& pic = f.Image1->Picture().Bitmap();
    const struct Step {
        const char* what;
        std::function<void()> act;
    } steps[] = {
        {"load", [] {}},
        {"list click", [&] { f.lmpicklist->userClick(2); }},
        {"another list click", [&] { f.lmpicklist->userClick(1); }},
        {"click on the overlapped record", [&] { f.lmpicklist->userClick(0); }},
        {"de-activation",
         [&] {
             lmfile.rec(1).lat = -lmfile.rec(1).lat;
             lmfile.rec(1).lon = -lmfile.rec(1).lon;
             f.draw(-1);
         }},
        {"re-activation",
         [&] {
             lmfile.rec(3).lat = -lmfile.rec(3).lat;
             lmfile.rec(3).lon = -lmfile.rec(3).lon;
             f.draw(-1);
         }},
        {"moved landmark",
         [&] {
             lmfile.rec(4).lat = lmfile.rec(2).lat;
             lmfile.rec(4).lon = lmfile.rec(2).lon;
             f.draw(-1);
         }},
        {"single-record draw, then a redraw",
         [&] {
             lmfile.rec(2).lat = recs[3].lat;
             f.draw(2);
             f.draw(-1);
         }},
        {"highlight on", [&] { f.hilite->userToggle(); }},
        {"highlight off", [&] { f.hilite->userToggle(); }},
        {"zoom bar", [&] { f.zoombar->userSetPosition(1500); }},
        {"new load of another picture",
         [&] {
             vxtest::writeJpeg(cwd / mapfiles[4], 4000, 3000, 0x664433);
             f.loadpic->click();
         }},
        {"redraw that changes nothing", [&] { f.redomap(); }},
    };
    for (const Step& s : steps) {
        s.act();
        ASSERT_TRUE(dlg->errors.empty()) << s.what;
        const Shown redrawn = shownNow(pic);
        pic.changed(); // a write outside the redraw: the next one starts from the clean copy
        f.draw(-1);
        const Shown full = shownNow(pic);
        EXPECT_TRUE(redrawn.full == full.full) << s.what;
        EXPECT_TRUE(redrawn.half == full.half) << s.what;
    }
}

TEST_F(MapViewTest, RedrawLeavesPixelsAwayFromTheIconsAlone) {
    initMapTable();
    const std::vector<landmark> recs = {at(0, 0, 0), at(1, 3, 1, false), at(2, 2, 1)};
    standardData(recs);
    TForm1& f = create();
    f.loadpic->click();
    ui::TBitmap& bmp = f.Image1->Picture().Bitmap();
    // Written without telling the bitmap, so only a whole restore would undo it.
    bmp.scanLine(5)[5] = 0xFF0000FFu;
    f.lmpicklist->userClick(2);
    EXPECT_EQ(bmp.scanLine(5)[5], 0xFF0000FFu);
    EXPECT_TRUE(iconAt(*f.Image1, *f.allist, 2, pic(recs[2]).X, pic(recs[2]).Y));
    EXPECT_TRUE(iconAt(*f.Image1, *f.dimGlist, 0, pic(recs[0]).X, pic(recs[0]).Y));
}

// A redraw whose marks are what the picture shows writes no pixel (a zoom
// step, "Redraw Map"), and a new selection rewrites only where the two
// records concerned lie.
TEST_F(MapViewTest, RedrawWritesOnlyWhereMarksChanged) {
    initMapTable();
    const std::vector<landmark> recs = {at(0, 0, 0), at(1, 3, 1, false), at(2, 2, 1), at(3, 5, 0)};
    standardData(recs);
    TForm1& f = create();
    f.loadpic->click();
    ui::TBitmap& bmp = f.Image1->Picture().Bitmap();
    const uint64_t loaded = bmp.version();
    f.zoombar->userSetPosition(1500);
    f.zoombar->userSetPosition(7900);
    f.redomap();
    EXPECT_EQ(bmp.version(), loaded);
    // Written without telling the bitmap, on the icons of records 2 and 4,
    // which the selection moving from record 1 to record 3 does not concern.
    const TPoint two = pic(recs[1]), four = pic(recs[3]);
    bmp.scanLine(two.Y + 2)[two.X + 2] = 0xFF0000FFu;
    bmp.scanLine(four.Y + 2)[four.X + 2] = 0xFF0000FFu;
    f.lmpicklist->userClick(2);
    EXPECT_NE(bmp.version(), loaded);
    EXPECT_EQ(bmp.scanLine(two.Y + 2)[two.X + 2], 0xFF0000FFu);
    EXPECT_EQ(bmp.scanLine(four.Y + 2)[four.X + 2], 0xFF0000FFu);
    EXPECT_TRUE(iconAt(*f.Image1, *f.allist, 2, pic(recs[2]).X, pic(recs[2]).Y));
    EXPECT_TRUE(iconAt(*f.Image1, *f.dimGlist, 0, pic(recs[0]).X, pic(recs[0]).Y));
}
