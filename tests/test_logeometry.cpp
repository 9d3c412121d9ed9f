// The object view's arithmetic: positions both ways, the rotation's swap and
// rounding, the view angle, the polygons and the footprint sizes.
#include "objectviewer/logeometry.h"
#include "support/errors.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace vx;

namespace {

LoViewState view(int mag, double manRot, int w = 10000, int h = 10000) {
    LoViewState v;
    v.magPosition = mag;
    v.imgWidth = w;
    v.imgHeight = h;
    v.manRot = manRot;
    return v;
}

} // namespace

TEST(LoGeometry, ObjectsAreDrawnAroundTheImageCentre) {
    const struct {
        int mag;
        double manRot, x, y;
        int sx, sy;
    } cases[] = {
        {20, 270, 100, 0, 5100, 5000},                                // x to the right
        {20, 270, 0, 100, 5000, 4900},                                // y upward
        {20, 0, 100, 0, 5000, 5100},                                  // at 0, x downward
        {20, 0, 0, 100, 5100, 5000},                                  // and y to the right
        {64, 270, 100, 0, 5031, 5000},                                // 3.2 feet per pixel
        {64, 270, 0, 0, 5000, 5000},   {20, 270, 0.5, 0, 5000, 5000}, // its radius rounds to 0
        {1, 270, 10, -10, 5200, 5200},                                // 0.05 feet per pixel
    };
    for (const auto& c : cases) {
        const TPoint p = feetToScreen(view(c.mag, c.manRot), c.x, c.y);
        EXPECT_EQ(p.X, c.sx) << c.mag << " " << c.manRot << " (" << c.x << ", " << c.y << ")";
        EXPECT_EQ(p.Y, c.sy) << c.mag << " " << c.manRot << " (" << c.x << ", " << c.y << ")";
    }
    EXPECT_EQ(feetToScreen(view(20, 270, 8801, 11001), 0, 0).X, 4400) << "div 2 truncates";
}

TEST(LoGeometry, PointerPositionsComeBackInWholeFeet) {
    const txpoint back = pixToFt(view(64, 270), 5031, 5000);
    EXPECT_EQ(back.x, 99);
    EXPECT_EQ(back.y, 0);
    for (int mag : {1, 20, 64, 400})
        for (double rot : {0.0, 45.0, 270.0, 315.0, -90.0}) {
            const txpoint c = pixToFt(view(mag, rot, 8800, 11000), 4400, 5500);
            EXPECT_EQ(c.x, 0) << mag << " " << rot;
            EXPECT_EQ(c.y, 0) << mag << " " << rot;
        }
    // 20 pixels right of the centre at one foot per pixel, north up: x = 20.
    const txpoint r = pixToFt(view(20, 270), 5020, 5000);
    EXPECT_EQ(r.x, 20);
    EXPECT_EQ(r.y, 0);
    const txpoint u = pixToFt(view(20, 270), 5000, 4980);
    EXPECT_EQ(u.x, 0);
    EXPECT_EQ(u.y, 20);
}

TEST(LoGeometry, ViewAngleRoundsToEvenAndKeepsTheSign) {
    const struct {
        double lmRot, manRot;
        int angle;
    } cases[] = {{45.5, 270, 316}, {44.5, 270, 314}, {-90, 0, -90}, {0, 360, 0},
                 {100, 270, 10},   {-400, 0, -40},   {0.5, 0, 0},   {1.5, 0, 2}};
    for (const auto& c : cases) EXPECT_EQ(viewAngle(c.lmRot, c.manRot), c.angle) << c.lmRot;

    LoViewState v = view(20, 270);
    v.lmRota = 45.5;
    EXPECT_EQ(lmRotOf(v), 0) << "the landmark rotation is off";
    v.rotLmFlag = true;
    EXPECT_EQ(lmRotOf(v), 45.5);
    v.lmRota.reset();
    EXPECT_EQ(lmRotOf(v), 0) << "no landmark selected: no rotation";
    const txpoint p = pixToFt(v, 5020, 5000);
    EXPECT_EQ(p.x, 20);
    EXPECT_EQ(p.y, 0);
}

TEST(LoGeometry, RotationSwapsItsInputsAndRoundsTheRadiusFirst) {
    EXPECT_EQ(ptDistance(1.5, 2.0), 2) << "2.5 rounds to even";
    EXPECT_EQ(ptDistance(0.5, 0), 0);
    EXPECT_EQ(ptDistance(3, 4), 5);
    const struct {
        double angle, a, b;
        int x, y;
    } cases[] = {
        {0, 3, 5, 5, 3},        // swapped; the radius 5.83 becomes 6
        {0, 100, 0, 0, 100},    // the first input ends on the vertical axis
        {90, 100, 0, -100, 0},  // turned clockwise on the screen
        {270, 100, 0, 100, 0},  // north up: x stays
        {270, 0, 100, 0, -100}, // and y turns upward
        {0, 0.5, 0, 0, 0},      {45, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const TPoint p = rotatePt(c.angle, c.a, c.b);
        EXPECT_EQ(p.X, c.x) << c.angle << " (" << c.a << ", " << c.b << ")";
        EXPECT_EQ(p.Y, c.y) << c.angle << " (" << c.a << ", " << c.b << ")";
    }
    // Twice with the same angle gives the start back (a reflection).
    for (double angle : {0.0, 30.0, 270.0, 316.0}) {
        const TPoint p = rotatePt(angle, 120, -45);
        const TPoint q = rotatePt(angle, p.X, p.Y);
        EXPECT_NEAR(q.X, 120, 1) << angle;
        EXPECT_NEAR(q.Y, -45, 1) << angle;
    }
    EXPECT_NEAR(static_cast<double>(angleDeg(0, 1)), 0.0573, 1e-4) << "0 counts as 0.001";
    EXPECT_NEAR(static_cast<double>(sinDeg(30, 2)), 1.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(cosDeg(60, 2)), 1.0, 1e-15);
}

TEST(LoGeometry, PolygonsAreClosedAndChecked) {
    const tmyrect r = makeRectPoly(3, 5);
    const int want[5][2] = {{-3, 5}, {3, 5}, {3, -5}, {-3, -5}, {-3, 5}};
    const tmyrect m = movePoly(10, 20, r);
    const int moved[5][2] = {{7, 25}, {13, 25}, {13, 15}, {7, 15}, {7, 25}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(r.p[i].X, want[i][0]) << i;
        EXPECT_EQ(r.p[i].Y, want[i][1]) << i;
        EXPECT_EQ(m.p[i].X, moved[i][0]) << i;
        EXPECT_EQ(m.p[i].Y, moved[i][1]) << i;
    }
    const tmyrect t = rotatePoly(r, 0);
    EXPECT_EQ(t.p[1].X, 5) << "about 2b wide at angle 0";
    EXPECT_EQ(t.p[1].Y, 3);
    EXPECT_EQ(t.p[4].X, t.p[0].X);
    EXPECT_EQ(t.p[4].Y, t.p[0].Y);

    EXPECT_EQ(iconHalfSize(20), 10);
    EXPECT_EQ(iconHalfSize(8), 4);
    EXPECT_EQ(iconHalfSize(63), 31);

    EXPECT_THROW(movePoly(INT32_MAX, 0, r), RangeError);
    EXPECT_THROW(makeRectPoly(INT32_MIN, 0), RangeError);
    EXPECT_THROW(feetToScreen(view(1, 270), 1e9f, 0), RangeError);
    EXPECT_THROW(feetToScreen(view(20, 270), std::numeric_limits<float>::quiet_NaN(), 0),
                 RangeError);
}

TEST(LoGeometry, FootprintHalfSizes) {
    const struct {
        int cls;
        const char* name;
        int mag, objcor, a, b;
    } cases[] = {
        {9, " Hangar ft:175x117", 64, -51, 27, 18}, // about half the named size: true size
        {9, " Hangar ft:175x117", 64, 0, 55, 37},
        {5, "", 64, -51, 6, 13},                 // not an icon class: fixed
        {5, "", 64, 150, 6, 13},                 // and no objcor
        {7, " Tent", 64, -51, 2, 2},             // no "ft:": 13 x 13 feet
        {6, " Truck ft:227x5", 1, 0, 1540, 100}, // 4540 modulo 3000
        {6, " ft:150x150", 1, 0, 0, 0},          // 3000 gives 0
        {8, " Gun ft:40x20", 64, -100, 1, 1},    // shrunk below 1: 1
        {8, " Gun ft:40x20", 64, -150, 1, 1},
        {9, " ft:10x20 (x2)", 20, 0, 10, 20},
    };
    for (const auto& c : cases) {
        const auto [a, b] = objFootprint(c.cls, c.name, c.mag, c.objcor);
        EXPECT_EQ(a, c.a) << c.cls << " \"" << c.name << "\" " << c.mag << " " << c.objcor;
        EXPECT_EQ(b, c.b) << c.cls << " \"" << c.name << "\" " << c.mag << " " << c.objcor;
    }
    // 100.001, not 100: at -100 the factor is just above 0.
    EXPECT_EQ(objFootprint(9, "ft:200000x20", 20, -100).first, 2);
    EXPECT_THROW(objFootprint(9, "ft:axb", 20, 0), ConvertError);
    EXPECT_THROW(objFootprint(9, "ft:20", 20, 0), ConvertError);
}
