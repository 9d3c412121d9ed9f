// The object view's arithmetic: scale, centre, the rotation shared by both
// directions, the footprint polygons, the pointer to feet conversion and the
// footprint sizing. Plain functions of the control values they read. Every
// integer result is 32 bits; a value that does not fit raises RangeError.
#pragma once

#include "support/records.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace vx {

constexpr double zoomDiv = 20.0;

// A position in whole feet from the landmark origin.
struct txpoint {
    int64_t x;
    int64_t y;
};
static_assert(sizeof(txpoint) == 16);

// What the view reads from its controls at the moment of a call.
struct LoViewState {
    int magPosition = 64;            // magzoom.Position, 1 to 400
    int imgWidth = 0, imgHeight = 0; // loimg's size
    double manRot = 0;               // manual view rotation (0 while it is off)
    bool rotLmFlag = false;          // add the landmark's rotation
    std::optional<double> lmRota;    // rota of the selected landmark; none selected: nullopt
};

// Feet per pixel: magPosition / zoomDiv (zoomScaleX and zoomScaleY are this one).
double zoomScale(int magPosition);
// size div 2: the screen coordinate of the landmark origin.
int32_t imgCenter(int32_t size);
// Unrotated offset in feet of a screen coordinate.
double pixToFtAxis(int32_t coord, int32_t center, double scale);
// round(sqrt(a a + b b)), ties to even.
double ptDistance(double a, double b);
long double sinDeg(long double angle, long double r);
long double cosDeg(long double angle, long double r);
// atan2(a, b) in degrees; a of exactly 0 counts as 0.001.
long double angleDeg(double a, double b);

// The vector (b, a) turned by angle degrees: the inputs are swapped first.
TPoint rotatePt(double angle, double a, double b);
void rotatePtInPlace(TPoint& p, double angle, double a, double b);

tmyrect makeRectPoly(int32_t a, int32_t b);
tmyrect rotatePoly(const tmyrect& poly, double angle);
tmyrect movePoly(int32_t dx, int32_t dy, const tmyrect& poly);

// imgsz.Position div 2.
int iconHalfSize(int imgszPosition);

// The landmark rotation the view applies: the selected landmark's rota while
// rotLmFlag is set, else 0; with no landmark selected, 0.
double lmRotOf(const LoViewState& v);
// round(lmRot + manRot) mod 360, truncating (keeps the sign of the sum).
int32_t viewAngle(double lmRot, double manRot);

// The screen point of an object at (x, y) feet.
TPoint feetToScreen(const LoViewState& v, double x, double y);
// The position in feet under a screen point.
txpoint pixToFt(const LoViewState& v, int32_t X, int32_t Y);

// Half sizes (a, b) in pixels of an object's footprint. Classes 6 to 9 take
// "ft:<w>x<h>" from name (13 x 13 feet without one) scaled by objcor;
// ConvertError for a name whose numbers cannot be read.
std::pair<int32_t, int32_t> objFootprint(int cls, const std::string& name, int magPosition,
                                         int objcorPosition);

} // namespace vx
