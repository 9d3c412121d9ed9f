// Draws the embedded pictures kept in resources/: the four landmark marker
// strips (ten 16 x 16 images side by side) and the start picture of the map.
// The PNGs are committed; run this after changing a drawing:
//   vx_make_icons <source>/resources
#include "paint.h"
#include "support/errors.h"
#include "support/fileio.h"

#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

namespace {

constexpr int iconSize = 16;
constexpr int iconCount = 10;

using vx::demo::Rgb;

enum class Side { Central, Entente };

void setColour(cairo_t* cr, Rgb c) {
    cairo_set_source_rgb(cr, c.r, c.g, c.b);
}

const Rgb black{0.08, 0.08, 0.08};
const Rgb white{1, 1, 1};
const Rgb red{1, 0, 0};
const Rgb frenchBlue{0.1, 0.2, 0.7};
const Rgb roundelRed{0.85, 0.1, 0.1};

Rgb outlineOf(Side s) {
    return s == Side::Central ? black : Rgb{0.05, 0.12, 0.45};
}

// Cross pattee: four flared arms around a small square, centred on (cx, cy).
void crossPattee(cairo_t* cr, double cx, double cy, double R) {
    const double a = R * 0.2, c = R * 0.6;
    const double pts[][2] = {{-a, -a}, {-c, -R}, {c, -R}, {a, -a}, {R, -c}, {R, c},
                             {a, a},   {c, R},   {-c, R}, {-a, a}, {-R, c}, {-R, -c}};
    cairo_new_path(cr);
    for (const auto& p : pts) cairo_line_to(cr, cx + p[0], cy + p[1]);
    cairo_close_path(cr);
    setColour(cr, white);
    cairo_set_line_width(cr, 2);
    cairo_stroke_preserve(cr);
    setColour(cr, black);
    cairo_fill(cr);
}

void roundel(cairo_t* cr, double cx, double cy, double R) {
    const struct {
        double f;
        Rgb c;
    } rings[] = {{1.0, frenchBlue}, {0.66, white}, {0.33, roundelRed}};
    for (const auto& ring : rings) {
        cairo_arc(cr, cx, cy, R * ring.f, 0, 2 * M_PI);
        setColour(cr, ring.c);
        cairo_fill(cr);
    }
}

void nationalMarking(cairo_t* cr, Side s, double cx, double cy, double R) {
    if (s == Side::Central)
        crossPattee(cr, cx, cy, R);
    else
        roundel(cr, cx, cy, R);
}

void fillRect(cairo_t* cr, double x0, double y0, double x1, double y1, Rgb fill, Rgb edge) {
    cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
    setColour(cr, fill);
    cairo_fill_preserve(cr);
    setColour(cr, edge);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void supplyBuilding(cairo_t* cr, Side s) {
    fillRect(cr, 3.5, 8.5, 13.5, 14.5, {0.72, 0.55, 0.35}, outlineOf(s));
    cairo_move_to(cr, 2, 9);
    cairo_line_to(cr, 8.5, 3.5);
    cairo_line_to(cr, 15, 9);
    cairo_close_path(cr);
    setColour(cr, {0.6, 0.15, 0.1});
    cairo_fill(cr);
    fillRect(cr, 7.5, 10.5, 9.5, 14.5, {0.3, 0.2, 0.1}, {0.3, 0.2, 0.1});
}

void locomotive(cairo_t* cr, Side s) {
    const Rgb body = outlineOf(s);
    fillRect(cr, 3.5, 6.5, 11.5, 10.5, body, body);
    fillRect(cr, 10.5, 3.5, 14.5, 10.5, body, body);
    fillRect(cr, 4.5, 3.5, 6.5, 6.5, body, body);
    for (double x : {5.0, 8.5, 12.0}) {
        cairo_arc(cr, x, 12, 1.8, 0, 2 * M_PI);
        setColour(cr, {0.45, 0.45, 0.45});
        cairo_fill(cr);
    }
    setColour(cr, {0.4, 0.25, 0.1});
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, 1, 14.5);
    cairo_line_to(cr, 16, 14.5);
    cairo_stroke(cr);
}

void railbridge(cairo_t* cr, Side s) {
    cairo_rectangle(cr, 0, 13, 16, 3);
    setColour(cr, {0.45, 0.65, 0.95});
    cairo_fill(cr);
    setColour(cr, outlineOf(s));
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, 1, 11.5);
    cairo_line_to(cr, 15.5, 11.5); // deck
    cairo_move_to(cr, 3.5, 5.5);
    cairo_line_to(cr, 13.5, 5.5); // top chord
    const double xs[] = {1, 3.5, 6, 8.5, 11, 13.5, 15.5};
    for (int i = 0; i + 1 < 7; ++i) {
        cairo_move_to(cr, xs[i], i % 2 == 0 ? 11.5 : 5.5);
        cairo_line_to(cr, xs[i + 1], i % 2 == 0 ? 5.5 : 11.5);
    }
    cairo_stroke(cr);
    for (double x : {4.5, 12.5})
        fillRect(cr, x - 1, 11.5, x + 1, 15.5, {0.5, 0.5, 0.5}, {0.5, 0.5, 0.5});
}

void factory(cairo_t* cr, Side s) {
    fillRect(cr, 1.5, 9.5, 14.5, 14.5, {0.7, 0.35, 0.25}, outlineOf(s));
    cairo_move_to(cr, 1.5, 9.5);
    for (int i = 0; i < 3; ++i) {
        cairo_line_to(cr, 1.5 + i * 3.5, 6);
        cairo_line_to(cr, 1.5 + (i + 1) * 3.5, 9.5);
    }
    cairo_close_path(cr);
    setColour(cr, {0.35, 0.35, 0.4});
    cairo_fill(cr);
    fillRect(cr, 11.5, 3.5, 13.5, 9.5, {0.35, 0.2, 0.15}, {0.35, 0.2, 0.15});
    cairo_arc(cr, 13.5, 2.5, 1.6, 0, 2 * M_PI);
    setColour(cr, {0.6, 0.6, 0.6});
    cairo_fill(cr);
}

// Flag in the side's colours; `pennant` gives the swallow-tailed variant.
void swordsFlag(cairo_t* cr, Side s, bool pennant) {
    const double x0 = 3.5, x1 = 15, y0 = 3, y1 = 11;
    cairo_save(cr);
    cairo_new_path(cr);
    if (pennant) {
        cairo_move_to(cr, x0, y0);
        cairo_line_to(cr, x1, y0);
        cairo_line_to(cr, x1 - 3.5, (y0 + y1) / 2);
        cairo_line_to(cr, x1, y1);
        cairo_line_to(cr, x0, y1);
        cairo_close_path(cr);
    } else {
        cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
    }
    cairo_clip(cr);
    const Rgb central[] = {black, white, roundelRed};
    const Rgb entente[] = {frenchBlue, white, roundelRed};
    for (int i = 0; i < 3; ++i) {
        if (s == Side::Central)
            cairo_rectangle(cr, x0, y0 + i * (y1 - y0) / 3, x1 - x0, (y1 - y0) / 3);
        else
            cairo_rectangle(cr, x0 + i * (x1 - x0) / 3, y0, (x1 - x0) / 3, y1 - y0);
        setColour(cr, s == Side::Central ? central[i] : entente[i]);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    // Two crossed swords with their guards.
    const Rgb steel{0.85, 0.7, 0.1};
    cairo_set_line_width(cr, 1.3);
    setColour(cr, steel);
    cairo_move_to(cr, 5.5, 4.5);
    cairo_line_to(cr, 12, 10);
    cairo_move_to(cr, 12, 4.5);
    cairo_line_to(cr, 5.5, 10);
    cairo_stroke(cr);
    setColour(cr, black);
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, 9, 8);
    cairo_line_to(cr, 11.5, 7.5);
    cairo_move_to(cr, 8.5, 8);
    cairo_line_to(cr, 6, 7.5);
    cairo_stroke(cr);
    // The pole.
    fillRect(cr, 2.5, 2, 3.5, 15.5, {0.4, 0.25, 0.1}, {0.4, 0.25, 0.1});
}

void disc(cairo_t* cr, Side s, double R, Rgb fill) {
    cairo_arc(cr, 9, 9, R, 0, 2 * M_PI);
    setColour(cr, fill);
    cairo_fill_preserve(cr);
    setColour(cr, outlineOf(s));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

// The anchor: the corner of the icon that sits on the landmark's point.
void redMark(cairo_t* cr) {
    cairo_rectangle(cr, 0, 0, 3, 3);
    setColour(cr, red);
    cairo_fill(cr);
}

void drawIcon(cairo_t* cr, Side s, int k) {
    switch (k) {
    case 0:
        nationalMarking(cr, s, 8.5, 8.5, 7);
        break;
    case 1:
        nationalMarking(cr, s, 9, 9, 4.5);
        break;
    case 2:
        supplyBuilding(cr, s);
        break;
    case 3:
        locomotive(cr, s);
        break;
    case 4:
        railbridge(cr, s);
        break;
    case 5:
        factory(cr, s);
        break;
    case 6:
        swordsFlag(cr, s, false);
        break;
    case 7:
        disc(cr, s, 5.5, {0.55, 0.55, 0.55});
        break;
    case 8:
        disc(cr, s, 4.5, {1.0, 0.55, 0.1});
        break;
    case 9:
        swordsFlag(cr, s, true);
        break;
    }
}

// Runs draw for each image of a strip, clipped to its 16 x 16 square.
void eachImage(cairo_surface_t* surf, const std::function<void(cairo_t*, int)>& draw) {
    cairo_t* cr = cairo_create(surf);
    for (int k = 0; k < iconCount; ++k) {
        cairo_save(cr);
        cairo_translate(cr, k * iconSize, 0);
        cairo_rectangle(cr, 0, 0, iconSize, iconSize);
        cairo_clip(cr);
        draw(cr, k);
        cairo_restore(cr);
    }
    cairo_destroy(cr);
}

cairo_surface_t* markerStrip(Side s) {
    cairo_surface_t* surf =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, iconSize * iconCount, iconSize);
    eachImage(surf, [s](cairo_t* cr, int k) {
        drawIcon(cr, s, k);
        redMark(cr);
    });
    cairo_surface_flush(surf);
    return surf;
}

// Greyed copy: each pixel moved half way to a light grey of its own
// brightness; the red anchor marks are drawn again at full strength.
cairo_surface_t* dimCopy(cairo_surface_t* bright) {
    const int w = cairo_image_surface_get_width(bright);
    const int h = cairo_image_surface_get_height(bright);
    cairo_surface_t* surf = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    const int sstride = cairo_image_surface_get_stride(bright);
    const int dstride = cairo_image_surface_get_stride(surf);
    const unsigned char* src = cairo_image_surface_get_data(bright);
    unsigned char* dst = cairo_image_surface_get_data(surf);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            // Premultiplied BGRA in memory on little-endian machines.
            const unsigned char* p = src + y * sstride + 4 * x;
            unsigned char* q = dst + y * dstride + 4 * x;
            const double a = p[3];
            const double lum = 0.11 * p[0] + 0.59 * p[1] + 0.3 * p[2];
            const double grey = 0.45 * lum + 0.55 * a * 0.78;
            for (int c = 0; c < 3; ++c) q[c] = static_cast<unsigned char>(std::lround(grey));
            q[3] = p[3];
        }
    }
    cairo_surface_mark_dirty(surf);
    eachImage(surf, [](cairo_t* cr, int) { redMark(cr); });
    cairo_surface_flush(surf);
    return surf;
}

cairo_surface_t* startPicture() {
    const int w = 1345, h = 888;
    cairo_surface_t* surf = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_t* cr = cairo_create(surf);
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, h);
    cairo_pattern_add_color_stop_rgb(sky, 0, 0.93, 0.89, 0.78);
    cairo_pattern_add_color_stop_rgb(sky, 1, 0.78, 0.72, 0.58);
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);
    // A faint graticule, as on the maps.
    cairo_set_source_rgba(cr, 0.35, 0.3, 0.2, 0.25);
    cairo_set_line_width(cr, 1);
    for (int x = 45; x < w; x += 90) {
        cairo_move_to(cr, x + 0.5, 0);
        cairo_line_to(cr, x + 0.5, h);
    }
    for (int y = 24; y < h; y += 90) {
        cairo_move_to(cr, 0, y + 0.5);
        cairo_line_to(cr, w, y + 0.5);
    }
    cairo_stroke(cr);
    // The text sits top left: a small window shows only that corner of the picture.
    cairo_set_source_rgb(cr, 0.25, 0.18, 0.1);
    cairo_select_font_face(cr, "DejaVu Serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 80);
    cairo_move_to(cr, 60, 170);
    cairo_show_text(cr, "Vexton");
    cairo_select_font_face(cr, "DejaVu Serif", CAIRO_FONT_SLANT_ITALIC, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 26);
    cairo_move_to(cr, 64, 224);
    cairo_show_text(cr, "Choose a map and press \u201cLoad this map\u201d");
    cairo_destroy(cr);
    cairo_surface_flush(surf);
    return surf;
}

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

void writePng(cairo_surface_t* surf, const std::string& path) {
    std::string bytes;
    if (cairo_surface_write_to_png_stream(surf, appendBytes, &bytes) != CAIRO_STATUS_SUCCESS)
        throw vx::FileError("Unable to encode " + path);
    vx::writeFileAtomic(path, bytes);
    cairo_surface_destroy(surf);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <resources folder>\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    try {
        std::filesystem::create_directories(dir + "/icons");
        cairo_surface_t* central = markerStrip(Side::Central);
        cairo_surface_t* entente = markerStrip(Side::Entente);
        writePng(dimCopy(central), dir + "/icons/dimGlist.png");
        writePng(dimCopy(entente), dir + "/icons/dimAllist.png");
        writePng(central, dir + "/icons/glist.png");
        writePng(entente, dir + "/icons/allist.png");
        writePng(startPicture(), dir + "/startpic.png");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
