// Drawing the object view on a raster: the colours of the ground, markers,
// outlines and dots, icons only for classes 6 to 9, objects beyond 32 bits
// left out, and the count line.
#include "objectviewer/locanvas.h"
#include "support/names.h"
#include "ui/ui.h"

#include "testsupport.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace vx;
using ui::clBlack, ui::clBlue, ui::clGray, ui::clGreen, ui::clLime, ui::clRed, ui::clWhite,
    ui::clYellow;

namespace {

vx::LOobject object(int cls, int type, float x, float y, float rota = 0, uint8_t hide = 0,
                    float elev = 0) {
    return vxtest::makeObject(static_cast<uint8_t>(cls), static_cast<uint8_t>(type), x, y, rota,
                              hide, elev);
}

// A 400 x 300 view at one foot per pixel, north up.
struct Scene {
    std::unique_ptr<TLOtab> tab = std::make_unique<TLOtab>();
    LoDrawOptions opt;
    LoScreenPositions pos;
    ui::TBitmap bmp;
    ui::TBitmap icon;
    Scene() {
        fillObjectNames();
        *tab = TLOtab{};
        opt.view.magPosition = 20;
        opt.view.imgWidth = 400;
        opt.view.imgHeight = 300;
        opt.view.manRot = 270;
        bmp.setSize(400, 300);
        icon.setSize(4, 4);
        icon.Canvas().Brush().setColor(0xFF00FF);
        icon.Canvas().FillRect({0, 0, 4, 4});
    }
    void add(const LOobject& o) { tab->objs[tab->head.count++] = o; }
    LoViewDrawn draw() {
        TCanvasLoCanvas c(bmp.Canvas(), [this](int, int) { return &icon; });
        return drawLoView(c, opt, *tab, *tab, pos);
    }
    ui::TColor at(int x, int y) { return bmp.Canvas().Pixels(x, y); }
};

} // namespace

// Class 5 footprints at one foot per pixel reach 41 to the sides and 18 up
// and down from the object's position (at rotation 0 and north up).
TEST(LoDraw, ColoursOfASmallScene) {
    Scene s;
    s.add(object(5, 0, -100, 0, 90)); // 0: on the selected position, turned upright
    s.add(object(5, 0, -100, 0));     // 1: selected
    s.add(object(5, 0, 100, 0));      // 2: hidden
    s.add(object(5, 0, 0, 100));      // 3: after the selected one
    s.tab->objs[2].hide = 3;
    s.opt.selected = 1;
    const LoViewDrawn d = s.draw();
    EXPECT_EQ(d.drawnCount, 4);
    const struct {
        int x, y;
        ui::TColor colour;
        const char* what;
    } pixels[] = {
        {5, 5, clGray, "ground"},
        {198, 150, clYellow, "centre marker"},
        {200, 150, clGray, "inside the marker"},
        {100, 150, clYellow, "an object's centre pixel"},
        {141, 140, clRed, "selected outline"},
        {139, 131, clWhite, "selected corner 0: white dot"},
        {141, 131, clRed, "filled with the red brush"},
        {142, 167, clLime, "corner 1: lime dot"},
        {82, 180, clRed, "an object on the selected position is red too"},
        {116, 190, clBlack, "its corner 0 dot is black"},
        {117, 190, clLime, "filled lime before the selected object"},
        {341, 155, clGreen, "hidden outline"},
        {320, 141, clGreen, "hidden diagonal"},
        {300, 150, clYellow, ""},
        {241, 60, clBlue, "an object elsewhere"},
        {241, 31, clRed, "dots after the selected object are red"},
        {239, 31, clBlack, ""},
    };
    for (const auto& p : pixels)
        EXPECT_EQ(s.at(p.x, p.y), p.colour) << p.what << " " << p.x << "," << p.y;
    ASSERT_TRUE(d.selectedAt);
    EXPECT_EQ(d.selectedAt->X, 100);
    EXPECT_EQ(d.selectedAt->Y, 150);
    EXPECT_EQ(s.pos.scrX[3], 200);
    EXPECT_EQ(s.pos.scrY[3], 50);

    s.tab->objs[2].hide = 0;
    s.tab->objs[1].hide = 3;
    s.draw();
    EXPECT_EQ(s.at(141, 140), clGreen) << "a selected hidden object is still green";
    s.opt.selected = -1;
    s.draw();
    EXPECT_EQ(s.at(341, 155), clBlue) << "no selection: blue";
    EXPECT_EQ(s.at(82, 180), clBlue);
    EXPECT_EQ(s.at(241, 31), clLime) << "no selection: lime dots";
}

TEST(LoDraw, IconsOnlyForClassesSixToNine) {
    Scene s;
    s.add(object(7, 0, -100, 0));
    s.add(object(5, 0, 100, 0));
    s.add(object(10, 0, 0, 100));
    s.opt.iconHalf = 10;
    s.draw();
    EXPECT_NE(s.at(105, 155), 0xFF00FFu) << "icons are off";
    s.opt.showPics = true;
    s.draw();
    EXPECT_EQ(s.at(105, 155), 0xFF00FFu);
    EXPECT_EQ(s.at(90, 140), 0xFF00FFu) << "a square of 2 x iconHalf";
    EXPECT_NE(s.at(89, 140), 0xFF00FFu);
    EXPECT_EQ(s.at(100, 150), clYellow) << "the centre pixel on top";
    EXPECT_NE(s.at(305, 155), 0xFF00FFu);
    EXPECT_NE(s.at(205, 55), 0xFF00FFu);
}

TEST(LoDraw, ObjectsBeyond32BitsAreLeftOut) {
    Scene s;
    s.opt.view.magPosition = 1;
    s.add(object(5, 0, 10, 0));
    s.add(object(5, 0, 2e8f, 0)); // 4e9 pixels away
    s.add(object(5, 0, std::numeric_limits<float>::quiet_NaN(), 0));
    s.add(object(9, 5, 0, -10));
    s.pos.placed.fill(true);
    s.pos.scrX[1] = 77;
    const LoViewDrawn d = s.draw();
    EXPECT_EQ(d.drawnCount, 2);
    EXPECT_EQ(d.count, 4);
    EXPECT_TRUE(s.pos.placed[0]);
    EXPECT_FALSE(s.pos.placed[1]) << "cannot be picked";
    EXPECT_FALSE(s.pos.placed[2]);
    EXPECT_TRUE(s.pos.placed[3]);
    EXPECT_EQ(s.pos.scrX[0], 400);
    EXPECT_EQ(s.pos.scrY[3], 350);
}

TEST(LoDraw, AtMost1024ObjectsAndTheCountLine) {
    Scene s;
    for (int i = 0; i < loCapacity; ++i) s.add(object(5, 0, float(i % 40), float(i / 40)));
    s.pos.scrX[1023] = -1;
    const LoViewDrawn d = s.draw();
    EXPECT_EQ(d.drawnCount, 1024);
    EXPECT_EQ(d.count, 1025);
    EXPECT_NE(s.pos.scrX[1023], -1);
    EXPECT_EQ(loCountCaption(1024, 1025), "draw 1024 total 1025 99.81 %");
    EXPECT_EQ(loCountCaption(0, 0), "draw   0 total   0 0.00 %");
    EXPECT_EQ(loCountCaption(10, 10), "draw  10 total  10 90.91 %");

    Scene empty;
    const LoViewDrawn e = empty.draw();
    EXPECT_EQ(e.drawnCount, 0);
    EXPECT_EQ(empty.at(0, 0), clGray);
    EXPECT_EQ(empty.at(202, 151), clYellow);
}

namespace {

// Keeps the outlines drawn; nothing else.
struct OutlineCanvas : LoCanvas {
    std::vector<tmyrect> outlines;
    void setPenColor(uint32_t) override {}
    void setBrushColor(uint32_t) override {}
    void fillRect(const TRect&) override {}
    void polyline(const tmyrect& poly) override { outlines.push_back(poly); }
    void line(TPoint, TPoint) override {}
    void pixel(TPoint, uint32_t) override {}
    void ellipse(const TRect&) override {}
    void icon(int, int, const TRect&) override {}
};

std::vector<std::pair<int, int>> footprint(bool rotObj, bool rotLm, float rota, double lmRota,
                                           double manRot) {
    LoDrawOptions o;
    o.view = {20, 400, 300, manRot, rotLm, lmRota};
    o.rotObjFlag = rotObj;
    OutlineCanvas c;
    drawLoObject(c, o, object(5, 0, 0, 0, rota), false, false, nullptr);
    std::vector<std::pair<int, int>> out;
    if (!c.outlines.empty())
        for (const TPoint& p : c.outlines[0].p) out.emplace_back(p.X, p.Y);
    return out;
}

} // namespace

// With both rotation boxes ticked a footprint turns by the sum of the
// object's, the landmark's and the manual rotation: each split of 90 degrees
// gives the outline of an object turned by 90 alone.
TEST(LoDraw, BothRotationBoxesAddTheObjectLandmarkAndManualRotations) {
    const auto turned90 = footprint(true, false, 90, 0, 0);
    ASSERT_NE(turned90, footprint(true, false, 0, 0, 0)) << "a footprint that shows turning";
    const struct {
        float rota;
        double lm, man;
    } splits[] = {{30, 20, 40}, {0, 50, 40}, {60, 30, 0}, {10, 0, 80}, {120, -10, -20}};
    for (const auto& c : splits)
        EXPECT_EQ(footprint(true, true, c.rota, c.lm, c.man), turned90)
            << c.rota << " + " << c.lm << " + " << c.man;
}

// While the group is drawn from lomove, the hidden flag of each index is
// lotab's: a flag only lomove has draws nothing green, one only lotab has does.
TEST(LoDraw, HiddenFlagsComeFromLotabWhileAnotherTableIsDrawn) {
    Scene s;
    s.add(object(5, 0, 100, 0));  // drawn at (300, 150), outline at x = 341
    s.add(object(5, 0, -100, 0)); // at (100, 150), outline at x = 141
    auto lomove = std::make_unique<TLOtab>(*s.tab);
    lomove->objs[0].hide = 3;
    s.tab->objs[1].hide = 3;
    TCanvasLoCanvas c(s.bmp.Canvas(), [&s](int, int) { return &s.icon; });
    drawLoView(c, s.opt, *lomove, *s.tab, s.pos);
    EXPECT_EQ(s.at(341, 155), clBlue) << "hidden only in lomove";
    EXPECT_EQ(s.at(141, 155), clGreen) << "hidden in lotab";
}

// A redraw places again what changed since the last one: the object moved,
// turned or renamed, and everything once the view settings change. Each
// redraw must show what the same scene drawn afresh shows.
TEST(LoDraw, RedrawAfterChangesShowsWhatAFreshDrawingShows) {
    Scene s;
    for (int i = 0; i < 12; ++i)
        s.add(object(5 + i % 5, i % 3, float(-150 + 25 * i), float(10 * i), float(15 * i)));
    const std::string oldName = objNames[6][1];
    const struct Step {
        const char* what;
        std::function<void()> change;
    } steps[] = {
        {"nothing", [] {}},
        {"one object moved", [&] { s.tab->objs[3].x += 40; }},
        {"one object turned", [&] { s.tab->objs[4].rota += 33; }},
        {"another class", [&] { s.tab->objs[5].loid.at(1) = 7; }},
        {"a name with another size", [&] { objNames[6][1] = "wide ft:90x20"; }},
        {"zoom", [&] { s.opt.view.magPosition = 35; }},
        {"view turned", [&] { s.opt.view.manRot = 90; }},
        {"object footprints grown", [&] { s.opt.objcorPosition = 40; }},
        {"objects no longer turned", [&] { s.opt.rotObjFlag = false; }},
    };
    for (const Step& st : steps) {
        Scene fresh; // before the change: a scene fills the object names afresh
        st.change();
        s.draw();
        std::vector<uint32_t> redrawn(s.bmp.scanLine(0), s.bmp.scanLine(0) + 400 * 300);
        *fresh.tab = *s.tab;
        fresh.opt = s.opt;
        // A drawing of its own, object by object, keeps nothing from earlier redraws.
        TCanvasLoCanvas c(fresh.bmp.Canvas(), [&](int, int) { return &fresh.icon; });
        c.setBrushColor(lodraw::clGray);
        c.fillRect({0, 0, 400, 300});
        c.setBrushColor(lodraw::clLime);
        c.setPenColor(lodraw::clYellow);
        c.polyline(movePoly(200, 150, makeRectPoly(2, 2)));
        for (int i = 0; i < fresh.tab->head.count; ++i)
            drawLoObject(c, fresh.opt, fresh.tab->objs[i], false, false, nullptr);
        EXPECT_TRUE(std::equal(redrawn.begin(), redrawn.end(), fresh.bmp.scanLine(0))) << st.what;
    }
    objNames[6][1] = oldName;
}
