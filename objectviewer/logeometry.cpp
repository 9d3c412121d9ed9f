#include "logeometry.h"

#include "support/errors.h"
#include "support/rtlconv.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace vx {

namespace {

constexpr long double piL = 3.141592653589793238462643383279502884L;
constexpr long double degToRad = piL / 180.0L;

int32_t sum32(int64_t a, int64_t b) {
    const int64_t s = a + b;
    if (s < INT32_MIN || s > INT32_MAX)
        throw RangeError("Range check error: " + std::to_string(s) +
                         " does not fit a 32-bit integer");
    return static_cast<int32_t>(s);
}

} // namespace

double zoomScale(int magPosition) {
    return magPosition / zoomDiv;
}

int32_t imgCenter(int32_t size) {
    return size / 2;
}

double pixToFtAxis(int32_t coord, int32_t center, double scale) {
    return scale * (double(coord) - double(center));
}

double ptDistance(double a, double b) {
    return std::rint(std::sqrt(a * a + b * b)); // nearbyint's result, faster
}

long double sinDeg(long double angle, long double r) {
    return std::sin(angle * degToRad) * r;
}

long double cosDeg(long double angle, long double r) {
    return std::cos(angle * degToRad) * r;
}

long double angleDeg(double a, double b) {
    const long double a1 = a == 0.0 ? 0.001L : static_cast<long double>(a);
    return std::atan2(a1, static_cast<long double>(b)) * 180.0L / piL;
}

void rotatePtInPlace(TPoint& p, double angle, double a, double b) {
    const long double theta = angleDeg(a, b);
    const double r = ptDistance(a, b);
    const int32_t x = roundToInt(cosDeg(theta + angle, r));
    const int32_t y = roundToInt(sinDeg(theta + angle, r));
    p = {x, y};
}

TPoint rotatePt(double angle, double a, double b) {
    TPoint p{};
    rotatePtInPlace(p, angle, a, b);
    return p;
}

tmyrect makeRectPoly(int32_t a, int32_t b) {
    const int32_t na = sum32(0, -int64_t(a)), nb = sum32(0, -int64_t(b));
    return {{{na, b}, {a, b}, {a, nb}, {na, nb}, {na, b}}};
}

tmyrect rotatePoly(const tmyrect& poly, double angle) {
    tmyrect out = poly;
    for (int i = 0; i < 4; ++i) rotatePtInPlace(out.p[i], angle, poly.p[i].X, poly.p[i].Y);
    out.p[4] = out.p[0];
    return out;
}

tmyrect movePoly(int32_t dx, int32_t dy, const tmyrect& poly) {
    tmyrect out = poly;
    for (int i = 0; i < 4; ++i) out.p[i] = {sum32(poly.p[i].X, dx), sum32(poly.p[i].Y, dy)};
    out.p[4] = out.p[0];
    return out;
}

int iconHalfSize(int imgszPosition) {
    return imgszPosition / 2;
}

double lmRotOf(const LoViewState& v) {
    return v.rotLmFlag && v.lmRota ? *v.lmRota : 0.0;
}

int32_t viewAngle(double lmRot, double manRot) {
    return roundToInt(lmRot + manRot) % 360;
}

TPoint feetToScreen(const LoViewState& v, double x, double y) {
    const TPoint r = rotatePt(viewAngle(lmRotOf(v), v.manRot), x, y);
    const double s = zoomScale(v.magPosition);
    return {sum32(imgCenter(v.imgWidth), roundToInt(r.X / s)),
            sum32(imgCenter(v.imgHeight), roundToInt(r.Y / s))};
}

txpoint pixToFt(const LoViewState& v, int32_t X, int32_t Y) {
    const double s = zoomScale(v.magPosition);
    const int32_t a = roundToInt(pixToFtAxis(X, imgCenter(v.imgWidth), s));
    const int32_t b = roundToInt(pixToFtAxis(Y, imgCenter(v.imgHeight), s));
    const TPoint f = rotatePt(viewAngle(lmRotOf(v), v.manRot), a, b);
    return {f.X, f.Y};
}

namespace {

// The decimal number of text from pos on, blanks before it skipped: the
// digits up to the first that is not one.
long long leadingNumber(const std::string& text, size_t pos, const std::string& name) {
    while (pos < text.size() && text[pos] == ' ') ++pos;
    size_t end = pos;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
    if (end == pos) throw ConvertError("\"" + name + "\" has no footprint size");
    return StrToInt(text.substr(pos, end - pos));
}

} // namespace

std::pair<int32_t, int32_t> objFootprint(int cls, const std::string& name, int magPosition,
                                         int objcorPosition) {
    const double s = zoomScale(magPosition);
    if (cls < 6 || cls > 9) return {roundToInt(27 / (s * 1.5)), roundToInt(62 / (s * 1.5))};
    const std::string text = name.find("ft:") == std::string::npos ? name + " ft:13x13" : name;
    const size_t at = text.find("ft:") + 3;
    const size_t x = text.find('x', at);
    if (x == std::string::npos) throw ConvertError("\"" + name + "\" has no footprint size");
    const long double w = static_cast<long double>(leadingNumber(text, at, name));
    const long double h = static_cast<long double>(leadingNumber(text, x + 1, name));
    const long double factor = objcorPosition / 100.001L + 1;
    // At least 1, then within 3000 pixels: 3000 gives 0.
    auto half = [&](long double feet) {
        return std::max<int32_t>(roundToInt((feet / s) * factor), 1) % 3000;
    };
    return {half(w), half(h)};
}

} // namespace vx
