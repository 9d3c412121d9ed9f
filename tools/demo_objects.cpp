#include "demo_objects.h"

#include "demo_rng.h"
#include "support/errors.h"

#include <cmath>
#include <cstring>
#include <numbers>

namespace vx::demo {

namespace {

// Builds one site; every position and rotation is turned by the site's angle.
class Site {
public:
    Site(uint8_t side, uint32_t seed, double angle) : side_(side), rng_(seed), angle_(angle) {}

    bool isCentral() const { return side_ == 0; }
    // German or Allied variant of a type pair.
    int sided(int german, int allied) const { return isCentral() ? german : allied; }
    double jitter(double amount) { return rng_.uniform(-amount, amount); }

    void put(int cls, int type, double x, double y, double rota, uint8_t hide = 0,
             double elev = 0) {
        const double a = angle_ * std::numbers::pi / 180;
        LOobject o{};
        o.loid.at(1) = static_cast<uint8_t>(cls);
        o.loid.at(2) = static_cast<uint8_t>(type);
        o.x = static_cast<float>(std::round(x * std::cos(a) - y * std::sin(a)));
        o.y = static_cast<float>(std::round(x * std::sin(a) + y * std::cos(a)));
        o.elev = static_cast<float>(elev);
        o.rota = static_cast<float>(std::fmod(rota + angle_ + 360, 360));
        o.hide = hide;
        objs.push_back(o);
    }
    // n objects from (x0, y0) in steps of (dx, dy).
    void row(int cls, int type, int n, double x0, double y0, double dx, double dy, double rota) {
        for (int i = 0; i < n; ++i) put(cls, type, x0 + i * dx, y0 + i * dy, rota);
    }
    // n objects on a circle of radius r, each facing outward.
    void ring(int cls, int type, int n, double r) {
        for (int i = 0; i < n; ++i) {
            const double deg = 360.0 * i / n + 15;
            const double a = deg * std::numbers::pi / 180;
            put(cls, type, r * std::cos(a), r * std::sin(a), deg);
        }
    }
    void scatter(int cls, int type, int n, double cx, double cy, double radius) {
        for (int i = 0; i < n; ++i)
            put(cls, type, cx + jitter(radius), cy + jitter(radius), std::round(jitter(180) + 180));
    }

    std::vector<LOobject> objs;

private:
    uint8_t side_;
    Rng rng_;
    double angle_;
};

void airfield(Site& s) {
    s.row(9, 2, 3, -450, 700, 230, 0, 90); // large hangars
    s.row(9, 3, 2, 300, 700, 110, 0, 90);  // small hangars
    // Aircraft lined up in front of the hangars.
    const int first = s.isCentral() ? 6 : 21;
    for (int i = 0; i < 5; ++i) s.put(3, first + (i % 3) * 3, -500 + i * 160, 450, 270);
    for (int i = 0; i < 6; ++i) s.put(9, 1, 650 + (i % 2) * 45, 650 + (i / 2) * 45, 0);
    s.put(9, 4, -850, 760, 0);
    s.row(9, 13, 2, 560, 520, 40, 0, 0);
    s.put(7, 4, -650, 450, 0);
    const int flak = s.sided(7, 6);
    for (int i = 0; i < 4; ++i) s.put(7, flak, i % 2 ? 1100 : -1100, i / 2 ? 650 : -650, i * 90);
    s.ring(8, s.sided(5, 1), 6, 1350);
    s.row(6, 1, 2, -300, 920, 40, 0, 90);
    s.row(6, 2, 2, -220, 920, 40, 0, 90);
    s.put(6, 3, 200, 920, 90);
    s.put(6, 3, 240, 920, 90, 3); // hidden in the game
    s.put(6, 4, 350, 920, 90);
    s.put(6, 0, -1000, 0, 45);
    s.scatter(4, s.sided(0, 1), 3, 0, 560, 120);
}

void frontPosition(Site& s) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 5; ++c) {
            if (r == 1 && c == 2) continue; // the church's place
            s.put(9, 7 + (r + c) % 3, -240 + c * 120 + s.jitter(8), -150 + r * 100 + s.jitter(8),
                  r % 2 ? 90 : 0);
        }
    s.put(9, 6, 0, -50, 90);
    s.put(9, 29, -420, 320, 30);
    for (int i = 0; i < 6; ++i) s.put(8, 4, -600 + i * 200, -900 + s.jitter(30), s.jitter(12));
    s.row(8, s.sided(5, 1), 4, -500, -850, 300, 0, 180);
    s.row(8, s.sided(9, 2), 4, -300, -1400, 200, 0, 180);
    s.put(8, 6, 300, -1000, 0);
    s.put(8, s.sided(8, 7), 0, -2000, 0, 0, 1200);
    s.row(9, s.sided(30, 31), 3, -400, -960, 400, 0, 0);
    s.put(20, 3, -650, 0, 0);
    s.put(20, 4, 650, 0, 0);
}

void supply(Site& s) {
    for (int i = 0; i < 6; ++i) s.put(9, 0, -200 + (i % 3) * 200, i < 3 ? -150 : 150, 0);
    for (int i = 0; i < 6; ++i) s.put(6, 1 + i % 2, -250 + i * 40, -380, 0);
    s.put(6, 4, 200, -380, 0);
    s.put(6, 3, 260, -380, 0);
    for (int i = 0; i < 4; ++i) s.put(9, 1, 420 + (i % 2) * 40, 120 + (i / 2) * 40, 0);
    s.put(7, s.sided(7, 6), -500, 500, 0);
    s.put(7, s.sided(7, 6), 500, -500, 180);
    s.row(9, 13, 2, -420, 40, 0, 40, 90);
}

// A train along the x axis: one engine and its cars.
void train(Site& s, double y, int engine, int cars) {
    s.put(6, engine, -300, y, 90);
    const int carTypes[] = {7, 8, 9, 10, 12};
    for (int i = 0; i < cars; ++i) s.put(6, carTypes[(i + cars) % 5], -240 + i * 50, y, 90);
}

void railyard(Site& s) {
    s.put(9, 18, 0, 260, 0);
    train(s, 0, 6, 7);
    train(s, -40, 5, 5);
    train(s, -80, 6, 9);
    s.row(9, 0, 2, -150, -260, 300, 0, 90);
    s.put(7, s.sided(7, 6), 450, 120, 0);
    s.put(9, 13, -380, 200, 0);
    s.put(6, 12, 380, -40, 90, 3); // hidden flat car on a siding
}

void railbridge(Site& s) {
    s.put(9, 38, -370, 0, 90);
    for (int i = 0; i < 4; ++i) {
        const double x = -192 + i * 128;
        s.put(9, 37, x, 0, 90);
        s.put(9, 35, x, 22, 90);
        s.put(9, 35, x, -22, 90);
        s.put(9, 36, x + 64, 0, 0, i == 3 ? 3 : 0);
    }
    s.put(9, 38, 370, 0, 270);
    s.put(7, s.sided(7, 6), 0, 400, 0);
    s.put(7, s.sided(7, 6), 0, -400, 180);
    s.put(8, s.sided(5, 1), -520, 60, 270);
    s.put(8, s.sided(5, 1), 520, -60, 90);
}

void factory(Site& s) {
    s.put(9, 27, -200, 0, 0);
    s.put(9, 27, 200, 0, 0);
    s.put(9, 0, 0, 300, 90);
    s.row(6, 2, 3, -100, -220, 40, 0, 0);
    s.put(7, s.sided(7, 6), -500, -400, 0);
    s.put(7, s.sided(7, 6), 500, 400, 0);
    s.put(9, 13, 380, -200, 0);
    s.put(13, 0, -200, 120, 0); // chimney smoke
    s.put(13, 0, 200, 120, 0);
}

void camp(Site& s) {
    for (int i = 0; i < 9; ++i) s.put(9, 1, -60 + (i % 3) * 60, -60 + (i / 3) * 60, 0);
    s.put(6, 3, 150, 0, 90);
    s.row(6, 1, 4, -120, 180, 40, 0, 0);
    s.row(8, s.sided(9, 2), 3, -150, -250, 150, 0, 180);
    s.put(8, s.sided(5, 1), -300, -350, 180);
    s.put(8, s.sided(5, 1), 300, -350, 180);
    s.scatter(4, s.sided(0, 1), 6, 0, -120, 80);
}

void town(Site& s, int blocks) {
    for (int i = 0; i < blocks; ++i)
        s.put(9, 7 + i % 3, -140 + (i % 3) * 140 + s.jitter(10), -120 + (i / 3) * 90,
              i % 2 ? 0 : 90);
    s.put(9, 6, 0, 200, 0);
    s.row(9, 10, 2, -350, 150, 0, 90, 20);
    s.put(9, 11, 380, -150, 0);
    s.put(9, 13, 300, 180, 45);
}

void village(Site& s) {
    for (int i = 0; i < 3; ++i) s.put(9, 10, -200 + i * 180, s.jitter(60), s.jitter(30));
    s.row(9, 11, 2, -150, 220, 300, 0, 0);
    s.put(9, 6, 0, -180, 90);
    s.row(9, 13, 2, 260, -100, 30, 30, 15);
    s.put(6, 3, 60, 60, 0);
}

void strongpoint(Site& s) {
    s.row(6, s.sided(14, 13), 2, -200, 0, 100, 0, 0);
    s.row(6, s.sided(16, 15), 2, 0, 0, 100, 0, 0);
    s.row(8, 4, 3, -250, -300, 200, 0, 0);
    s.row(8, s.sided(5, 1), 2, -150, -260, 300, 0, 180);
    s.put(9, 31, 0, -200, 0);
    s.put(7, 4, 250, 150, 0);
}

void infantry(Site& s) {
    s.row(8, 10, 6, -250, 0, 100, 0, 0);
    s.row(8, 4, 2, -110, -80, 220, 0, 0);
    s.put(8, s.sided(5, 1), 0, -160, 180);
    s.put(19, 0, 0, 0, 0);
}

void brigadeSite(Site& s, uint8_t variant) {
    s.scatter(4, s.sided(0, 1), 8, 0, 0, 150);
    for (int i = 0; i < 4; ++i) s.put(9, 1, 250 + (i % 2) * 40, -40 + (i / 2) * 40, 0);
    s.row(6, 1, 3, -300, 250, 40, 0, 0);
    s.row(8, s.sided(9, 2), 4, -240, -300, 160, 0, 180);
    s.put(6, 3, 300, 250, 90);
    if (variant % 3 == 0) s.row(6, s.sided(14, 13), 2, -100, 450, 120, 0, 0);
    s.row(8, s.sided(5, 1), 2, -400, -450, 800, 0, 180);
}

} // namespace

std::vector<LOobject> siteObjects(uint8_t type, uint8_t side, uint8_t variant, bool brigade) {
    Site s(side, uint32_t{type} * 977u + variant * 131u + (brigade ? 7u : 0u) + side,
           (variant * 23) % 360);
    if (brigade) {
        brigadeSite(s, variant);
        return s.objs;
    }
    switch (type) {
    case 0:
        airfield(s);
        break;
    case 1:
        frontPosition(s);
        break;
    case 2:
        supply(s);
        break;
    case 3:
        railyard(s);
        break;
    case 4:
        railbridge(s);
        break;
    case 5:
        factory(s);
        break;
    case 6:
        camp(s);
        break;
    case 7:
        town(s, 9);
        break;
    case 8:
        village(s);
        break;
    case 9:
        strongpoint(s);
        break;
    default:
        infantry(s);
        break;
    }
    return s.objs;
}

namespace {

// The header, then the records as they stand, whatever the header says.
std::string rawObjectFile(const std::vector<LOobject>& objs, uint16_t count, uint16_t recsize) {
    landmarkhead h{};
    std::memcpy(h.hchars1, "VXDEMO01", sizeof h.hchars1);
    h.count = count;
    h.recsize = recsize;
    std::string out(reinterpret_cast<const char*>(&h), sizeof h);
    if (!objs.empty())
        out.append(reinterpret_cast<const char*>(objs.data()), objs.size() * sizeof(LOobject));
    return out;
}

} // namespace

std::string objectFileBytes(const std::vector<LOobject>& objs) {
    if (objs.size() > loCapacity) throw RangeError("demo object file over 1025 records");
    return rawObjectFile(objs, static_cast<uint16_t>(objs.size()), sizeof(LOobject));
}

std::vector<OddObjectFile> oddObjectFiles() {
    const std::vector<LOobject> town = siteObjects(7, 0, 3, false);
    const std::vector<LOobject> eight(town.begin(), town.begin() + 8);
    // A whole camp site repeated past the table's capacity.
    std::vector<LOobject> crowd;
    while (crowd.size() < 1100) {
        const std::vector<LOobject> camp =
            siteObjects(6, 1, static_cast<uint8_t>(crowd.size()), false);
        crowd.insert(crowd.end(), camp.begin(), camp.end());
    }
    crowd.resize(1100);
    std::vector<LOobject> unnamed(eight);
    const uint8_t classes[] = {21, 9, 255, 6};
    const uint8_t types[] = {0, 43, 255, 42};
    for (size_t i = 0; i < 4; ++i) {
        unnamed[i].loid.at(1) = classes[i];
        unnamed[i].loid.at(2) = types[i];
    }
    return {
        {"lo020fe0.dat", rawObjectFile({}, 0, sizeof(LOobject))},
        {"lo020fe1.dat", rawObjectFile({eight.begin(), eight.begin() + 5}, 8, sizeof(LOobject))},
        {"lo020fe2.dat", rawObjectFile(eight, 8, 63)},
        {"lo020fe3.dat", rawObjectFile(crowd, 1100, sizeof(LOobject))},
        {"lo020fe4.dat", rawObjectFile(unnamed, 8, sizeof(LOobject))},
    };
}

} // namespace vx::demo
