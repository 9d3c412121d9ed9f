#include "demo_maps.h"

#include "demo_rng.h"
#include "jpeg_out.h"
#include "mapeditor/calibration.h"
#include "paint.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <vector>

namespace vx::demo {

namespace {

constexpr double twoPi = 2 * std::numbers::pi;
constexpr MapSizes pictureSizes{mapWidth, mapHeight, mapWidth, mapHeight};

struct Pt {
    double x, y;
};

struct Rgb {
    double r, g, b;
};

void colour(cairo_t* cr, Rgb c, double alpha = 1) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

const Rgb water{0.36, 0.56, 0.84}, forest{0.2, 0.42, 0.2}, road{0.72, 0.56, 0.4},
    houses{0.45, 0.42, 0.42}, ink{0.12, 0.1, 0.08};

// One map being drawn: the calibration of map k at the picture's own size.
class Painter {
public:
    Painter(int k, const MapPlan& plan, cairo_t* cr) : k_(k), plan_(plan), cr_(cr) {
        const latlong& T = maptab[static_cast<size_t>(k)];
        pxPerKm_ = mapHeight / (static_cast<double>(T[latRange]) * 111.2);
    }

    Pt at(double lat, double lon) const {
        return {static_cast<double>(lonLatToPicX(k_, pictureSizes, lon, lat)),
                static_cast<double>(latToPicY(k_, pictureSizes, lat))};
    }
    Pt at(const LatLon& p) const { return at(p.lat, p.lon); }

    void draw() {
        terrain();
        for (const Forest& f : plan_.forests) woods(f);
        frontLine();
        for (const River& r : plan_.rivers) river(r);
        roads();
        railways();
        for (const Place& p : plan_.places) site(p);
        graticule();
        for (const Place& p : plan_.places) label(p.name, at(p.lat, p.lon), 22, 6, 20, ink);
        cartouche();
    }

private:
    // Farmland patchwork with a slow variation of tone over it.
    void terrain() {
        Rng rng(static_cast<uint32_t>(101 + k_));
        const Rgb fields[] = {{0.86, 0.84, 0.66},
                              {0.8, 0.84, 0.62},
                              {0.74, 0.8, 0.58},
                              {0.88, 0.8, 0.6},
                              {0.82, 0.78, 0.62}};
        paintNoise(
            160, 120, [&](Rgb& c) { c = fields[static_cast<int>(rng.uniform(0, 5))]; },
            CAIRO_FILTER_NEAREST, 1);
        paintNoise(
            40, 30,
            [&](Rgb& c) {
                c = {rng.uniform(0.6, 0.9), rng.uniform(0.7, 0.9), 0.5};
            },
            CAIRO_FILTER_BILINEAR, 0.25);
    }

    template <typename F>
    void paintNoise(int w, int h, F pick, cairo_filter_t filter, double alpha) {
        cairo_surface_t* small = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
        unsigned char* data = cairo_image_surface_get_data(small);
        const int stride = cairo_image_surface_get_stride(small);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                Rgb c{};
                pick(c);
                auto* px = reinterpret_cast<uint32_t*>(data + y * stride) + x;
                *px = (static_cast<uint32_t>(c.r * 255) << 16) |
                      (static_cast<uint32_t>(c.g * 255) << 8) | static_cast<uint32_t>(c.b * 255);
            }
        cairo_surface_mark_dirty(small);
        cairo_save(cr_);
        cairo_scale(cr_, static_cast<double>(mapWidth) / w, static_cast<double>(mapHeight) / h);
        cairo_set_source_surface(cr_, small, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr_), filter);
        cairo_pattern_set_extend(cairo_get_source(cr_), CAIRO_EXTEND_PAD);
        cairo_paint_with_alpha(cr_, alpha);
        cairo_restore(cr_);
        cairo_surface_destroy(small);
    }

    void woods(const Forest& f) {
        const Pt c = at(f.centre);
        const double r = f.radiusKm * pxPerKm_;
        Rng rng(static_cast<uint32_t>(c.x * 7 + c.y));
        const int blobs = 30 + static_cast<int>(r / 6);
        for (int i = 0; i < blobs; ++i) {
            const double a = rng.uniform(0, twoPi), d = r * std::sqrt(rng.uniform(0, 1)) * 0.8;
            cairo_arc(cr_, c.x + d * std::cos(a), c.y + d * std::sin(a) * 0.8,
                      r * rng.uniform(0.12, 0.3), 0, twoPi);
            cairo_new_sub_path(cr_);
        }
        colour(cr_, forest, 0.75);
        cairo_fill(cr_);
        if (*f.name) label(f.name, c, -r * 0.5, -r * 0.55, 26, {0.1, 0.3, 0.1}, true);
    }

    // A smooth curve through the points (Catmull-Rom as cubic Beziers).
    void smoothPath(const std::vector<Pt>& p) {
        if (p.empty()) return;
        cairo_move_to(cr_, p[0].x, p[0].y);
        for (size_t i = 0; i + 1 < p.size(); ++i) {
            const Pt& p0 = p[i == 0 ? 0 : i - 1];
            const Pt& p1 = p[i];
            const Pt& p2 = p[i + 1];
            const Pt& p3 = p[std::min(i + 2, p.size() - 1)];
            cairo_curve_to(cr_, p1.x + (p2.x - p0.x) / 6, p1.y + (p2.y - p0.y) / 6,
                           p2.x - (p3.x - p1.x) / 6, p2.y - (p3.y - p1.y) / 6, p2.x, p2.y);
        }
    }

    std::vector<Pt> points(const std::vector<LatLon>& course) const {
        std::vector<Pt> out;
        for (const LatLon& c : course) out.push_back(at(c));
        return out;
    }

    void river(const River& r) {
        const std::vector<Pt> p = points(r.course);
        smoothPath(p);
        cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
        cairo_set_line_width(cr_, 12);
        colour(cr_, water);
        cairo_stroke(cr_);
        const Pt& mid = p[p.size() / 2 - 1];
        label(r.name, mid, 14, 34, 28, {0.15, 0.3, 0.6}, true);
    }

    void frontLine() {
        smoothPath(points(plan_.front));
        dashedOver(60, {0.62, 0.5, 0.36}, 0.55, 30, 14, 6, {0.55, 0.12, 0.08});
    }

    // Strokes the current path wide in `base`, then narrow and dashed on top.
    void dashedOver(double baseWidth, Rgb base, double baseAlpha, double dashLength, double gap,
                    double width, Rgb over) {
        cairo_set_line_width(cr_, baseWidth);
        colour(cr_, base, baseAlpha);
        cairo_stroke_preserve(cr_);
        const double dash[] = {dashLength, gap};
        cairo_set_dash(cr_, dash, 2, 0);
        cairo_set_line_width(cr_, width);
        colour(cr_, over);
        cairo_stroke(cr_);
        cairo_set_dash(cr_, nullptr, 0, 0);
    }

    // Links each chosen place to its nearest neighbours among the chosen.
    template <typename Keep, typename Stroke>
    void network(Keep keep, int neighbours, double maxPx, Stroke stroke) {
        std::vector<Pt> nodes;
        for (const Place& p : plan_.places)
            if (keep(p)) nodes.push_back(at(p.lat, p.lon));
        for (size_t i = 0; i < nodes.size(); ++i) {
            std::vector<std::pair<double, size_t>> near;
            for (size_t j = 0; j < nodes.size(); ++j)
                if (j != i)
                    near.push_back(
                        {std::hypot(nodes[j].x - nodes[i].x, nodes[j].y - nodes[i].y), j});
            std::sort(near.begin(), near.end());
            for (int n = 0; n < neighbours && n < static_cast<int>(near.size()); ++n) {
                if (near[static_cast<size_t>(n)].first > maxPx) break;
                const Pt& b = nodes[near[static_cast<size_t>(n)].second];
                cairo_move_to(cr_, nodes[i].x, nodes[i].y);
                cairo_line_to(cr_, b.x, b.y);
            }
        }
        stroke();
    }

    void roads() {
        network([](const Place& p) { return p.type != 4; }, 2, 900,
                [this] {
                    cairo_set_line_width(cr_, 5);
                    colour(cr_, road);
                    cairo_stroke(cr_);
                });
    }

    void railways() {
        network([](const Place& p) { return p.type >= 1 && p.type <= 5; }, 2, 1400,
                [this] {
                    dashedOver(5, ink, 1, 12, 12, 2.5, {1, 1, 1});
                });
    }

    // A cluster of house blocks around c.
    void built(Pt c, double radius, int blocks, uint32_t seed) {
        Rng rng(seed);
        for (int i = 0; i < blocks; ++i) {
            const double a = rng.uniform(0, twoPi), d = radius * std::sqrt(rng.uniform(0, 1));
            const double w = rng.uniform(6, 16), h = rng.uniform(6, 16);
            cairo_rectangle(cr_, c.x + d * std::cos(a) - w / 2, c.y + d * std::sin(a) - h / 2, w,
                            h);
        }
        colour(cr_, houses);
        cairo_fill(cr_);
    }

    void site(const Place& p) {
        const Pt c = at(p.lat, p.lon);
        const auto seed = static_cast<uint32_t>(c.x * 31 + c.y);
        switch (p.type) {
        case 0: // aerodrome: a mown field with its hangars
            cairo_rectangle(cr_, c.x - 70, c.y - 40, 140, 80);
            colour(cr_, {0.6, 0.78, 0.45});
            cairo_fill(cr_);
            for (int i = 0; i < 3; ++i) cairo_rectangle(cr_, c.x - 50 + i * 22, c.y - 52, 16, 10);
            colour(cr_, houses);
            cairo_fill(cr_);
            break;
        case 1:
            built(c, 70, 140, seed);
            break;
        case 2:
        case 5:
            for (int i = 0; i < 4; ++i)
                cairo_rectangle(cr_, c.x - 30 + (i % 2) * 34, c.y - 24 + (i / 2) * 26, 26, 18);
            colour(cr_, p.type == 2 ? Rgb{0.55, 0.42, 0.3} : Rgb{0.6, 0.25, 0.2});
            cairo_fill(cr_);
            break;
        case 3:
            for (int i = 0; i < 5; ++i) {
                cairo_move_to(cr_, c.x - 80, c.y - 16 + i * 8);
                cairo_line_to(cr_, c.x + 80, c.y - 16 + i * 8);
            }
            cairo_set_line_width(cr_, 2);
            colour(cr_, ink);
            cairo_stroke(cr_);
            break;
        case 4:
            cairo_rectangle(cr_, c.x - 10, c.y - 24, 20, 48);
            colour(cr_, ink);
            cairo_fill(cr_);
            break;
        case 7:
            built(c, 38, 45, seed);
            break;
        case 8:
            built(c, 18, 12, seed);
            break;
        default:
            break; // positions of troops: nothing on the ground
        }
    }

    // Text with a light halo so that it reads on any ground.
    void label(const char* text, Pt at, double dx, double dy, double size, Rgb c,
               bool italic = false) {
        cairo_select_font_face(cr_, "DejaVu Sans",
                               italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                               CAIRO_FONT_WEIGHT_BOLD);
        cairo_set_font_size(cr_, size);
        cairo_text_extents_t ext;
        cairo_text_extents(cr_, text, &ext);
        double x = at.x + dx;
        if (x + ext.x_advance > mapWidth - 8) x = at.x - std::abs(dx) - ext.x_advance; // keep it in
        cairo_move_to(cr_, x, at.y + dy);
        cairo_text_path(cr_, text);
        cairo_set_line_width(cr_, 4);
        colour(cr_, {1, 1, 0.94}, 0.8);
        cairo_stroke_preserve(cr_);
        colour(cr_, c);
        cairo_fill(cr_);
    }

    void graticule() {
        const latlong& T = maptab[static_cast<size_t>(k_)];
        const double south = static_cast<double>(T[southLat]),
                     north = static_cast<double>(T[northLat]);
        const double west = static_cast<double>(T[westLon]), east = static_cast<double>(T[eastLon]);
        const double step = north - south < 1 ? 0.02 : 0.1;
        const int majorEvery = 5;
        char text[32];
        // Parallels are straight rows; meridians bend with the cosine shift.
        for (int i = static_cast<int>(std::ceil(south / step)); i * step <= north; ++i) {
            const double lat = i * step;
            const double y = at(lat, west).y + 0.5;
            gridStroke(i % majorEvery == 0, [&] {
                cairo_move_to(cr_, 0, y);
                cairo_line_to(cr_, mapWidth, y);
            });
            std::snprintf(text, sizeof text, "%.*f\u00b0N", step < 0.1 ? 2 : 1, lat);
            label(text, {0, y}, 8, -6, 22, {0.25, 0.2, 0.4});
        }
        for (int i = static_cast<int>(std::floor((west - 0.2) / step)); i * step <= east + 0.2;
             ++i) {
            const double lon = i * step;
            gridStroke(i % majorEvery == 0, [&] {
                for (int s = 0; s <= 24; ++s) {
                    const double lat = south - 0.05 + (north - south + 0.1) * s / 24;
                    const Pt p = at(lat, lon);
                    cairo_line_to(cr_, p.x + 0.5, p.y);
                }
            });
            const Pt top = at(north - 0.02 * (north - south), lon);
            std::snprintf(text, sizeof text, "%.*f\u00b0E", step < 0.1 ? 2 : 1, lon);
            if (top.x > 10 && top.x < mapWidth - 100) label(text, top, 6, 0, 22, {0.25, 0.2, 0.4});
        }
    }

    template <typename Path> void gridStroke(bool major, Path path) {
        cairo_new_path(cr_);
        path();
        cairo_set_line_width(cr_, major ? 2.5 : 1);
        colour(cr_, {0.3, 0.25, 0.5}, major ? 0.6 : 0.35);
        cairo_stroke(cr_);
    }

    // The title box goes into the corner that covers the fewest places.
    void cartouche() {
        const Pt corners[] = {{mapWidth - 720.0, mapHeight - 260.0},
                              {60, mapHeight - 260.0},
                              {mapWidth - 720.0, 60},
                              {60, 60}};
        Pt best = corners[0];
        int fewest = INT32_MAX;
        for (const Pt& c : corners) {
            int covered = 0;
            for (const Place& p : plan_.places) {
                const Pt q = at(p.lat, p.lon);
                covered += q.x > c.x - 250 && q.x < c.x + 700 && q.y > c.y - 60 && q.y < c.y + 240;
            }
            if (covered < fewest) fewest = covered, best = c;
        }
        const double x = best.x, y = best.y;
        cairo_rectangle(cr_, x, y, 680, 220);
        colour(cr_, {0.98, 0.96, 0.88}, 0.9);
        cairo_fill_preserve(cr_);
        cairo_set_line_width(cr_, 3);
        colour(cr_, ink);
        cairo_stroke(cr_);
        label(plan_.title, {x, y}, 30, 70, 60, ink);
        label("Vexton demo map, 4000 x 3000", {x, y}, 30, 115, 26, ink);
        // A scale bar measured on the calibration itself.
        const latlong& T = maptab[static_cast<size_t>(k_)];
        const long double mid = T[midLat];
        const double km = T[latRange] > 1 ? 20 : 5;
        const double bar = km * pxPerKm_;
        cairo_rectangle(cr_, x + 30, y + 150, bar, 16);
        colour(cr_, ink);
        cairo_fill(cr_);
        char text[48];
        std::snprintf(text, sizeof text, "%.0f km (%.3Lf km per degree of latitude)", km,
                      gcDistKm(mid, T[westLon], mid + 1, T[westLon]));
        label(text, {x + 30, y + 150}, 0, 50, 20, ink);
    }

    int k_;
    const MapPlan& plan_;
    cairo_t* cr_;
    double pxPerKm_;
};

} // namespace

std::string mapJpeg(int k, const MapPlan& plan) {
    cairo_surface_t* surf = cairo_image_surface_create(CAIRO_FORMAT_RGB24, mapWidth, mapHeight);
    cairo_t* cr = cairo_create(surf);
    Painter(k, plan, cr).draw();
    cairo_destroy(cr);
    std::string bytes = encodeJpeg(surf, 85);
    cairo_surface_destroy(surf);
    return bytes;
}

} // namespace vx::demo
