#include "demo_icons.h"

#include "jpeg_out.h"
#include "objectviewer/iconmasks.h"
#include "paint.h"
#include "support/helpers.h"

#include <cairo.h>

#include <cmath>
#include <functional>
#include <numbers>

namespace vx::demo {

namespace {

enum class Look {
    Truck,
    Car,
    Ambulance,
    Engine,
    RailCar,
    Tank,
    Tower,
    FlakGun,
    MgNest,
    Artillery,
    Trench,
    Balloon,
    Infantry,
    Roof,
    Tent,
    Hangar,
    Church,
    Factory,
    Bunker,
    Bridge,
    Column,
};

struct Entry {
    IconKind kind;
    Look look;
    Rgb colour;
};

const Rgb olive{0.42, 0.45, 0.25}, fieldGrey{0.45, 0.5, 0.48}, khaki{0.6, 0.55, 0.35},
    coal{0.15, 0.15, 0.15}, brick{0.7, 0.25, 0.18}, slate{0.35, 0.38, 0.45}, wood{0.5, 0.35, 0.2},
    concrete{0.62, 0.62, 0.6}, canvas{0.35, 0.5, 0.3};

const std::vector<Entry>& entries() {
    static const std::vector<Entry> table{
        {{6, 0, "aatruck"}, Look::Truck, olive},
        {{6, 1, "truck1"}, Look::Truck, olive},
        {{6, 2, "truck2"}, Look::Truck, fieldGrey},
        {{6, 3, "staffcar"}, Look::Car, coal},
        {{6, 4, "ambulance"}, Look::Ambulance, {0.92, 0.92, 0.88}},
        {{6, 5, "train_2engines"}, Look::Engine, coal},
        {{6, 6, "train_engine"}, Look::Engine, coal},
        {{6, 7, "boxcar_gray"}, Look::RailCar, {0.55, 0.55, 0.55}},
        {{6, 8, "boxcar_brown"}, Look::RailCar, {0.5, 0.28, 0.15}},
        {{6, 9, "coalcar"}, Look::RailCar, coal},
        {{6, 10, "passenger"}, Look::RailCar, {0.2, 0.4, 0.25}},
        {{6, 12, "flatcar"}, Look::RailCar, wood},
        {{6, 13, "tank_large_allied"}, Look::Tank, khaki},
        {{6, 14, "tank_large_german"}, Look::Tank, fieldGrey},
        {{6, 15, "tank_small_allied"}, Look::Tank, khaki},
        {{6, 16, "tank_small_german"}, Look::Tank, fieldGrey},
        {{7, 4, "obstower"}, Look::Tower, wood},
        {{7, 6, "flak_allied"}, Look::FlakGun, khaki},
        {{7, 7, "flak_german"}, Look::FlakGun, fieldGrey},
        {{8, 1, "mgnest_allied"}, Look::MgNest, khaki},
        {{8, 2, "artillery_allied"}, Look::Artillery, khaki},
        {{8, 4, "slittrench"}, Look::Trench, {0.45, 0.35, 0.25}},
        {{8, 5, "mgnest_german"}, Look::MgNest, fieldGrey},
        {{8, 6, "obspoint"}, Look::MgNest, wood},
        {{8, 7, "balloon_allied"}, Look::Balloon, {0.8, 0.75, 0.6}},
        {{8, 8, "balloon_german"}, Look::Balloon, {0.7, 0.7, 0.68}},
        {{8, 9, "artillery_german"}, Look::Artillery, fieldGrey},
        {{8, 10, "infantry"}, Look::Infantry, fieldGrey},
        {{9, 0, "warehouse"}, Look::Roof, slate},
        {{9, 1, "greentent"}, Look::Tent, canvas},
        {{9, 2, "hangar_large"}, Look::Hangar, {0.8, 0.78, 0.7}},
        {{9, 3, "hangar_small"}, Look::Hangar, {0.7, 0.65, 0.5}},
        {{9, 4, "barracks"}, Look::Roof, wood},
        {{9, 6, "church"}, Look::Church, slate},
        {{9, 7, "townbuilding1"}, Look::Roof, brick},
        {{9, 8, "townbuilding2"}, Look::Roof, {0.55, 0.2, 0.15}},
        {{9, 9, "townbuilding3"}, Look::Roof, slate},
        {{9, 10, "farmhouse"}, Look::Roof, {0.8, 0.45, 0.2}},
        {{9, 11, "barn"}, Look::Roof, {0.55, 0.4, 0.25}},
        {{9, 13, "shack"}, Look::Roof, wood},
        {{9, 16, "bridge_road_ramp"}, Look::Bridge, concrete},
        {{9, 18, "trainstation"}, Look::Roof, {0.6, 0.3, 0.2}},
        {{9, 27, "factory"}, Look::Factory, brick},
        {{9, 29, "manorhouse"}, Look::Roof, slate},
        {{9, 30, "cementbunker"}, Look::Bunker, concrete},
        {{9, 31, "woodbunker"}, Look::Bunker, wood},
        {{9, 34, "bridge_road_center"}, Look::Bridge, concrete},
        {{9, 35, "bridge_steel_sides"}, Look::Bridge, {0.3, 0.3, 0.35}},
        {{9, 36, "bridge_column"}, Look::Column, concrete},
        {{9, 37, "bridge_rail_center"}, Look::Bridge, {0.4, 0.35, 0.3}},
        {{9, 38, "bridge_rail_ramp"}, Look::Bridge, {0.4, 0.35, 0.3}},
    };
    return table;
}

void box(cairo_t* cr, double x, double y, double w, double h, Rgb c, double k = 1) {
    cairo_rectangle(cr, x, y, w, h);
    colour(cr, shade(c, k));
    cairo_fill(cr);
}

void disc(cairo_t* cr, double x, double y, double r, Rgb c, double k = 1) {
    cairo_arc(cr, x, y, r, 0, 2 * std::numbers::pi);
    colour(cr, shade(c, k));
    cairo_fill(cr);
}

void line(cairo_t* cr, double x0, double y0, double x1, double y1, double w, Rgb c) {
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_set_line_width(cr, w);
    colour(cr, c);
    cairo_stroke(cr);
}

// Gabled roof seen from above: two halves split by the ridge.
void roof(cairo_t* cr, double x, double y, double w, double h, Rgb c) {
    box(cr, x, y, w / 2, h, c, 1.1);
    box(cr, x + w / 2, y, w / 2, h, c, 0.8);
    line(cr, x + w / 2, y, x + w / 2, y + h, 1.5, {0.1, 0.1, 0.1});
}

void draw(cairo_t* cr, const Entry& e) {
    const Rgb c = e.colour;
    const Rgb dark{0.1, 0.1, 0.1};
    switch (e.look) {
    case Look::Truck:
        box(cr, 22, 8, 20, 12, c, 0.8); // cab
        box(cr, 20, 21, 24, 36, c);     // load bed
        if (e.kind.type == 0) line(cr, 32, 40, 32, 18, 3, dark);
        break;
    case Look::Car:
        box(cr, 24, 14, 16, 36, c);
        box(cr, 26, 26, 12, 10, {0.6, 0.7, 0.8});
        break;
    case Look::Ambulance:
        box(cr, 21, 10, 22, 44, c);
        box(cr, 29, 22, 6, 18, {0.85, 0.1, 0.1});
        box(cr, 23, 28, 18, 6, {0.85, 0.1, 0.1});
        break;
    case Look::Engine:
        box(cr, 23, 4, 18, 56, c);
        disc(cr, 32, 14, 4, {0.3, 0.3, 0.3});
        box(cr, 23, 44, 18, 14, {0.3, 0.1, 0.1});
        break;
    case Look::RailCar:
        box(cr, 22, 6, 20, 52, c);
        for (double y : {20.0, 32.0, 44.0}) line(cr, 22, y, 42, y, 1, dark);
        break;
    case Look::Tank:
        box(cr, 16, 8, 8, 48, dark);
        box(cr, 40, 8, 8, 48, dark);
        box(cr, 22, 10, 20, 44, c);
        if (e.kind.type >= 15) disc(cr, 32, 30, 7, c, 0.7);
        break;
    case Look::Tower:
        box(cr, 18, 18, 28, 28, c);
        line(cr, 18, 18, 46, 46, 2, dark);
        line(cr, 46, 18, 18, 46, 2, dark);
        break;
    case Look::FlakGun:
        disc(cr, 32, 32, 22, {0.55, 0.5, 0.4});
        disc(cr, 32, 32, 10, c);
        line(cr, 32, 32, 50, 10, 4, dark);
        break;
    case Look::MgNest:
        cairo_arc(cr, 32, 34, 18, 0, 2 * std::numbers::pi);
        cairo_set_line_width(cr, 8);
        colour(cr, {0.65, 0.58, 0.4});
        cairo_stroke(cr);
        box(cr, 29, 14, 6, 18, c);
        break;
    case Look::Artillery:
        line(cr, 32, 6, 32, 34, 4, dark);
        disc(cr, 32, 36, 7, c);
        line(cr, 32, 40, 20, 60, 3, c);
        line(cr, 32, 40, 44, 60, 3, c);
        break;
    case Look::Trench:
        cairo_move_to(cr, 8, 24);
        for (int i = 0; i < 6; ++i) cairo_line_to(cr, 8 + i * 10, i % 2 ? 40 : 24);
        cairo_set_line_width(cr, 7);
        colour(cr, c);
        cairo_stroke(cr);
        break;
    case Look::Balloon:
        cairo_save(cr);
        cairo_translate(cr, 32, 30);
        cairo_scale(cr, 0.55, 1);
        cairo_arc(cr, 0, 0, 26, 0, 2 * std::numbers::pi);
        cairo_restore(cr);
        colour(cr, c);
        cairo_fill(cr);
        line(cr, 32, 56, 32, 63, 1, dark);
        break;
    case Look::Infantry:
        for (int i = 0; i < 5; ++i) disc(cr, 12 + i * 10, 28 + (i % 2) * 8, 3.5, c);
        break;
    case Look::Roof:
        roof(cr, 14, 6, 36, 52, c);
        break;
    case Look::Tent:
        box(cr, 12, 12, 40, 40, c);
        line(cr, 12, 12, 52, 52, 1.5, dark);
        line(cr, 52, 12, 12, 52, 1.5, dark);
        break;
    case Look::Hangar:
        box(cr, 8, 10, 48, 44, c);
        for (int i = 1; i < 6; ++i) line(cr, 8 + i * 8, 10, 8 + i * 8, 54, 1, {0.4, 0.4, 0.35});
        break;
    case Look::Church:
        roof(cr, 22, 4, 20, 56, c);
        roof(cr, 8, 18, 48, 14, c);
        box(cr, 26, 50, 12, 12, {0.5, 0.5, 0.55});
        break;
    case Look::Factory:
        for (int i = 0; i < 4; ++i) roof(cr, 8 + i * 12, 8, 12, 48, c);
        disc(cr, 50, 12, 5, coal);
        break;
    case Look::Bunker:
        box(cr, 10, 22, 44, 20, c);
        box(cr, 14, 30, 36, 3, dark);
        break;
    case Look::Bridge:
        box(cr, 0, 0, 64, 64, {0.45, 0.62, 0.85});
        box(cr, 16, 0, 32, 64, c);
        if (e.kind.type == 37 || e.kind.type == 38) {
            line(cr, 27, 0, 27, 64, 1.5, dark);
            line(cr, 37, 0, 37, 64, 1.5, dark);
        }
        if (e.kind.type == 35) {
            line(cr, 17, 0, 17, 64, 3, dark);
            line(cr, 47, 0, 47, 64, 3, dark);
        }
        break;
    case Look::Column:
        box(cr, 0, 0, 64, 64, {0.45, 0.62, 0.85});
        box(cr, 26, 6, 12, 52, c);
        break;
    }
}

std::string render(const std::function<void(cairo_t*)>& paint, Rgb background) {
    cairo_surface_t* surf = cairo_image_surface_create(CAIRO_FORMAT_RGB24, iconPixels, iconPixels);
    cairo_t* cr = cairo_create(surf);
    colour(cr, background);
    cairo_paint(cr);
    paint(cr);
    cairo_destroy(cr);
    std::string bytes = encodeJpeg(surf, 90);
    cairo_surface_destroy(surf);
    return bytes;
}

} // namespace

const std::vector<IconKind>& iconKinds() {
    static const std::vector<IconKind> specs = [] {
        std::vector<IconKind> out;
        for (const Entry& e : entries()) out.push_back(e.kind);
        return out;
    }();
    return specs;
}

std::string iconFileName(const IconKind& kind) {
    // The mask's four digits, then the label in place of its "*".
    return iconMask(kind.cls, kind.type).substr(0, 5) + kind.label + ".jpg";
}

std::string iconJpeg(const IconKind& kind, bool winter) {
    for (const Entry& e : entries()) {
        if (e.kind.cls != kind.cls || e.kind.type != kind.type) continue;
        return render(
            [&](cairo_t* cr) {
                draw(cr, e);
                if (winter) {
                    // Snow on everything: a pale veil and a few flakes.
                    cairo_set_source_rgba(cr, 1, 1, 1, 0.45);
                    cairo_paint(cr);
                    for (int i = 0; i < 12; ++i)
                        disc(cr, (i * 23) % 64, (i * 37) % 64, 1.5, {1, 1, 1});
                }
            },
            winter ? Rgb{0.86, 0.9, 0.97} : Rgb{1, 1, 1});
    }
    return {};
}

std::string fallbackJpeg() {
    return render(
        [](cairo_t* cr) {
            cairo_rectangle(cr, 6, 6, 52, 52);
            cairo_set_source_rgb(cr, 0.55, 0.1, 0.55);
            cairo_set_line_width(cr, 4);
            cairo_stroke(cr);
            line(cr, 12, 12, 52, 52, 4, {0.55, 0.1, 0.55});
            line(cr, 52, 12, 12, 52, 4, {0.55, 0.1, 0.55});
        },
        {1, 1, 1});
}

} // namespace vx::demo
