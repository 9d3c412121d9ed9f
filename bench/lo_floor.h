// The floor of the object view's goals, written apart from the program: the
// scene of an object table drawn with plain loops into a raster of the shown
// area, with the same 80-bit arithmetic per object as the view (for the
// position and for each corner of the footprint: an angle, a square root, a
// turn and its roundings). The footprint sizes come from a table made before
// timing: reading them from the names is no part of drawing.
#pragma once

#include "objectviewer/logeometry.h"
#include "objectviewer/lotable.h"
#include "support/names.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace vxbench {

struct LoFloorScene {
    int magPosition = 64;
    int imgWidth = 0, imgHeight = 0; // the whole image; its centre is the origin
    double viewAngle = 0;            // the turn of every position
    double objectAngleAdd = 0;       // added to each object's own rotation
    int left = 0, top = 0;           // the shown area's place on the image
    int width = 0, height = 0;       // and its size
    int objcorPosition = -51;
};

class LoFloor {
public:
    explicit LoFloor(const LoFloorScene& s) : s_(s), px_(size_t(s.width) * size_t(s.height)) {
        for (int c = 0; c < 256; ++c)
            for (int t = 0; t < 256; ++t) {
                const bool icon = c >= 6 && c <= 9;
                try {
                    size_[size_t(c)][size_t(t)] =
                        vx::objFootprint(c, icon ? vx::objName(c, t) : std::string(), s.magPosition,
                                         s.objcorPosition);
                } catch (...) {
                    size_[size_t(c)][size_t(t)] = {13, 13};
                }
            }
    }

    void draw(const vx::TLOtab& t) {
        std::fill(px_.begin(), px_.end(), 0xFF808080u);
        const long double sc = s_.magPosition / 20.0L;
        const int64_t cx = s_.imgWidth / 2, cy = s_.imgHeight / 2;
        line(cx - 2, cy + 2, cx + 2, cy + 2, 0xFFFFFF00u);
        line(cx + 2, cy + 2, cx + 2, cy - 2, 0xFFFFFF00u);
        line(cx + 2, cy - 2, cx - 2, cy - 2, 0xFFFFFF00u);
        line(cx - 2, cy - 2, cx - 2, cy + 2, 0xFFFFFF00u);
        const int n = std::min<int>(t.head.count, vx::loDrawMax);
        for (int i = 0; i < n; ++i) {
            const vx::LOobject& o = t.objs[size_t(i)];
            int64_t x = 0, y = 0;
            turn(s_.viewAngle, o.x, o.y, x, y);
            const int64_t sx = cx + int64_t(std::rint(x / sc)),
                          sy = cy + int64_t(std::rint(y / sc));
            const auto [a, b] = size_[o.loid.b[0]][o.loid.b[1]];
            const double angle = o.rota + s_.objectAngleAdd;
            const int64_t ca[4][2] = {{-a, b}, {a, b}, {a, -b}, {-a, -b}};
            int64_t p[4][2];
            for (int k = 0; k < 4; ++k) {
                turn(angle, double(ca[k][0]), double(ca[k][1]), p[k][0], p[k][1]);
                p[k][0] += sx;
                p[k][1] += sy;
            }
            for (int k = 0; k < 4; ++k)
                line(p[k][0], p[k][1], p[(k + 1) % 4][0], p[(k + 1) % 4][1], 0xFF0000FFu);
            if (o.hide == 3) line(p[0][0], p[0][1], p[2][0], p[2][1], 0xFF008000u);
            put(sx, sy, 0xFFFFFF00u);
            dot(p[0][0], p[0][1], 0xFF000000u);
            dot(p[1][0], p[1][1], 0xFF00FF00u);
        }
    }
    const uint32_t* pixels() const { return px_.data(); }

private:
    // The vector (b, a) turned by angle degrees, as the view turns it.
    static void turn(double angle, double a, double b, int64_t& x, int64_t& y) {
        constexpr long double pi = 3.141592653589793238462643383279502884L;
        const long double a1 = a == 0.0 ? 0.001L : static_cast<long double>(a);
        const long double theta = std::atan2(a1, static_cast<long double>(b)) * 180.0L / pi;
        const double r = std::rint(std::sqrt(a * a + b * b));
        const long double t = (theta + angle) * (pi / 180.0L);
        x = int64_t(std::rint(std::cos(t) * r));
        y = int64_t(std::rint(std::sin(t) * r));
    }
    void put(int64_t x, int64_t y, uint32_t c) {
        x -= s_.left;
        y -= s_.top;
        if (x >= 0 && y >= 0 && x < s_.width && y < s_.height)
            px_[size_t(y) * size_t(s_.width) + size_t(x)] = c;
    }
    // Bresenham, the end point left out; only what falls in the shown area.
    void line(int64_t x0, int64_t y0, int64_t x1, int64_t y1, uint32_t c) {
        const int64_t l = s_.left, r = s_.left + s_.width, t = s_.top, b = s_.top + s_.height;
        if ((x0 < l && x1 < l) || (x0 >= r && x1 >= r) || (y0 < t && y1 < t) ||
            (y0 >= b && y1 >= b))
            return;
        const int64_t dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
        const int64_t stepX = x0 < x1 ? 1 : -1, stepY = y0 < y1 ? 1 : -1;
        int64_t err = dx + dy;
        while (x0 != x1 || y0 != y1) {
            put(x0, y0, c);
            const int64_t e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x0 += stepX;
            }
            if (e2 <= dx) {
                err += dx;
                y0 += stepY;
            }
        }
    }
    // The 5 x 5 dot at a corner: its outline.
    void dot(int64_t x, int64_t y, uint32_t c) {
        for (int64_t k = -1; k <= 1; ++k) {
            put(x + k, y - 2, c);
            put(x + k, y + 2, c);
            put(x - 2, y + k, c);
            put(x + 2, y + k, c);
        }
    }

    LoFloorScene s_;
    std::vector<uint32_t> px_;
    std::array<std::array<std::pair<int32_t, int32_t>, 256>, 256> size_{};
};

} // namespace vxbench
