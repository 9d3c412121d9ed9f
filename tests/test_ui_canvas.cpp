// The raster canvas: exact pixels of the classic operations, clipping,
// transparency, image lists, bitmap copies and the scaled paint.
#include "support/errors.h"
#include "ui/ui.h"

#include <climits>
#include <cstring>

#include <cairo.h>
#include <gtest/gtest.h>

using namespace vx::ui;

namespace {

// One character per pixel: '#' for ink, 'o' for second, '.' for anything else.
std::vector<std::string> art(const TBitmap& bmp, TColor ink, TColor second = clInvalid) {
    std::vector<std::string> rows;
    auto& cv = const_cast<TBitmap&>(bmp).Canvas();
    for (int y = 0; y < bmp.Height(); ++y) {
        std::string r;
        for (int x = 0; x < bmp.Width(); ++x) {
            const TColor c = cv.Pixels(x, y);
            r += c == ink ? '#' : c == second ? 'o' : '.';
        }
        rows.push_back(r);
    }
    return rows;
}

struct Shape {
    const char* what;
    int w, h;
    std::function<void(TCanvas&)> draw;
    std::vector<std::string> expected;
};

} // namespace

TEST(UiCanvas, ClassicOperationsGiveExactPixels) {
    const Shape shapes[] = {
        {"FrameRect covers Left..Right-1, Top..Bottom-1 in the brush colour",
         6,
         5,
         [](TCanvas& c) {
             c.Brush().setColor(clRed);
             c.Pen().setColor(clBlue);
             c.FrameRect({1, 1, 5, 4});
         },
         {"......", ".####.", ".#..#.", ".####.", "......"}},
        {"LineTo leaves out its end point",
         6,
         4,
         [](TCanvas& c) {
             c.Pen().setColor(clRed);
             c.MoveTo(0, 0);
             c.LineTo(4, 2);
         },
         {"#.....", ".##...", "...#..", "......"}},
        {"LineTo upwards and to the left",
         5,
         5,
         [](TCanvas& c) {
             c.Pen().setColor(clRed);
             c.MoveTo(4, 4);
             c.LineTo(0, 0);
         },
         {".....", ".#...", "..#..", "...#.", "....#"}},
        {"Polyline closes a square whose last point repeats the first",
         6,
         6,
         [](TCanvas& c) {
             c.Pen().setColor(clRed);
             c.Polyline({{1, 1}, {4, 1}, {4, 4}, {1, 4}, {1, 1}});
         },
         {"......", ".####.", ".#..#.", ".#..#.", ".####.", "......"}},
        {"FillRect with the brush",
         4,
         4,
         [](TCanvas& c) {
             c.Brush().setColor(clRed);
             c.FillRect({1, 1, 3, 3});
         },
         {"....", ".##.", ".##.", "...."}},
        {"FillRect with a clear brush does nothing",
         3,
         2,
         [](TCanvas& c) {
             c.Brush().setColor(clRed);
             c.Brush().setStyle(bsClear);
             c.FillRect({0, 0, 3, 2});
         },
         {"...", "..."}},
        {"Rectangle: pen frame around a brush fill",
         5,
         4,
         [](TCanvas& c) {
             c.Pen().setColor(clRed);
             c.Brush().setColor(clYellow);
             c.Rectangle(0, 0, 5, 4);
         },
         {"#####", "#ooo#", "#ooo#", "#####"}},
        {"Ellipse: pen outline around a brush fill, inside the box",
         5,
         5,
         [](TCanvas& c) {
             c.Pen().setColor(clRed);
             c.Brush().setColor(clYellow);
             c.Ellipse(0, 0, 5, 5);
         },
         {".###.", "#ooo#", "#ooo#", "#ooo#", ".###."}},
        {"A clear pen draws no line",
         3,
         1,
         [](TCanvas& c) {
             c.Pen().setStyle(psClear);
             c.LineTo(3, 0);
         },
         {"..."}},
        {"Pen width 3 draws a band",
         4,
         5,
         [](TCanvas& c) {
             c.Pen().setColor(clRed);
             c.Pen().setWidth(3);
             c.MoveTo(0, 2);
             c.LineTo(2, 2);
         },
         {"....", "###.", "###.", "###.", "...."}},
        {"Lines far outside are clipped, the visible part is exact",
         4,
         4,
         [](TCanvas& c) {
             c.Pen().setColor(clRed);
             c.MoveTo(-2000000000, -2000000000);
             c.LineTo(2000000000, 2000000000);
             c.MoveTo(-100, 500);
             c.LineTo(500, -100); // misses the raster by one row
         },
         {"#...", ".#..", "..#.", "...#"}},
    };
    for (const auto& s : shapes) {
        TBitmap bmp;
        bmp.setSize(s.w, s.h);
        s.draw(bmp.Canvas());
        EXPECT_EQ(art(bmp, clRed, clYellow), s.expected) << s.what;
    }
}

TEST(UiCanvas, LineToMovesThePenAndEllipseIsSymmetric) {
    TBitmap bmp;
    bmp.setSize(40, 30);
    auto& c = bmp.Canvas();
    c.MoveTo(3, 4);
    c.LineTo(10, 20);
    EXPECT_EQ(c.PenPos().X, 10);
    EXPECT_EQ(c.PenPos().Y, 20);
    c.Brush().setColor(clRed);
    c.Pen().setColor(clRed);
    bmp.setSize(40, 30);
    c.Ellipse(2, 3, 33, 24);
    const auto a = art(bmp, clRed);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool inside = x >= 2 && x < 33 && y >= 3 && y < 24;
            if (!inside) {
                EXPECT_EQ(a[y][x], '.') << x << "," << y;
            } else {
                EXPECT_EQ(a[y][x], a[3 + 23 - y][2 + 32 - x]) << x << "," << y;
            }
        }
    EXPECT_EQ(a[13][2], '#'); // touches the box on the left, middle row
    EXPECT_EQ(a[13][32], '#');
    EXPECT_EQ(a[3][17], '#'); // and at the top, middle column
}

TEST(UiCanvas, OutsideTheRasterNothingHappens) {
    TBitmap bmp;
    bmp.setSize(4, 4);
    auto& c = bmp.Canvas();
    c.Brush().setColor(clRed);
    c.setPixels(-1, 0, clRed);
    c.setPixels(4, 0, clRed);
    c.FillRect({-1000000, -1000000, -10, 1000000});
    c.FrameRect({10, 10, 20, 20});
    c.Ellipse(-1000000000, 10, 1000000000, 20);
    EXPECT_EQ(art(bmp, clRed), std::vector<std::string>(4, "...."));
    EXPECT_EQ(c.Pixels(-1, 0), clInvalid);
    EXPECT_EQ(c.Pixels(0, 4), clInvalid);
    c.setPixels(1, 2, 0x123456);
    EXPECT_EQ(c.Pixels(1, 2), 0x123456u);

    TBitmap empty; // drawing on an empty picture is no error
    empty.Canvas().LineTo(100, 100);
    empty.Canvas().FillRect({0, 0, 10, 10});
    EXPECT_EQ(empty.Canvas().Pixels(0, 0), clInvalid);
}

// Edges at the ends of the int range: whatever shows is drawn, nothing
// overflows (the sanitizer build checks).
TEST(UiCanvas, ExtremeCoordinatesDrawOnlyWhatShows) {
    TBitmap icon;
    icon.setSize(4, 4);
    icon.Canvas().Brush().setColor(clRed);
    icon.Canvas().FillRect({0, 0, 4, 4});
    struct Case {
        const char* what;
        std::function<void(TCanvas&)> draw;
        std::vector<std::string> expected;
    } cases[] = {
        {"Draw at INT_MAX", [&](TCanvas& c) { c.Draw(INT_MAX, INT_MAX, icon); },
         std::vector<std::string>(4, "....")},
        {"Draw at INT_MAX - 1", [&](TCanvas& c) { c.Draw(INT_MAX - 1, 0, icon); },
         std::vector<std::string>(4, "....")},
        {"Draw at INT_MIN", [&](TCanvas& c) { c.Draw(INT_MIN, INT_MIN, icon); },
         std::vector<std::string>(4, "....")},
        {"Rectangle over the whole int range",
         [](TCanvas& c) {
             c.Pen().setWidth(INT_MAX);
             c.Pen().setColor(clRed);
             c.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
         },
         std::vector<std::string>(4, "####")},
        {"framed Rectangle over the whole int range",
         [](TCanvas& c) {
             c.Pen().setColor(clBlue);
             c.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
         },
         std::vector<std::string>(4, "####")},
        {"Rectangle at INT_MAX",
         [](TCanvas& c) { c.Rectangle(INT_MAX, INT_MAX, INT_MAX, INT_MAX); },
         std::vector<std::string>(4, "....")},
        {"Rectangle from INT_MIN to 2",
         [](TCanvas& c) {
             c.Pen().setColor(clRed);
             c.Rectangle(INT_MIN, INT_MIN, 2, 2);
         },
         {"##..", "##..", "....", "...."}},
        {"Ellipse over the whole int range",
         [](TCanvas& c) { c.Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX); },
         std::vector<std::string>(4, "####")},
    };
    for (const auto& c : cases) {
        TBitmap bmp;
        bmp.setSize(4, 4);
        bmp.Canvas().Brush().setColor(clRed);
        c.draw(bmp.Canvas());
        EXPECT_EQ(art(bmp, clRed, clBlue), c.expected) << c.what;
    }
}

namespace {

// Pixels given as premultiplied ARGB values, one row.
void rowOf(TBitmap& bmp, std::initializer_list<uint32_t> px) {
    bmp.setSize(static_cast<int>(px.size()), 1);
    int x = 0;
    for (uint32_t p : px) bmp.scanLine(0)[x++] = p;
}

} // namespace

TEST(UiCanvas, DrawSkipsTransparentPixels) {
    const TColor halfRedOnWhite = rgb(0xFF, 0x7F, 0x7F);
    TBitmap icon; // red, alpha 0, blue, half-transparent red (premultiplied)
    rowOf(icon, {pixelOf(clRed), 0x00000000, pixelOf(clBlue), 0x80800000});
    TBitmap dst;
    auto drawAt = [&](int x) {
        dst.setSize(6, 1);
        dst.Canvas().Draw(x, 0, icon);
        std::vector<TColor> out;
        for (int i = 0; i < 6; ++i) out.push_back(dst.Canvas().Pixels(i, 0));
        return out;
    };
    EXPECT_EQ(drawAt(1),
              (std::vector<TColor>{clWhite, clRed, clWhite, clBlue, halfRedOnWhite, clWhite}));
    EXPECT_EQ(drawAt(-1),
              (std::vector<TColor>{clWhite, clBlue, halfRedOnWhite, clWhite, clWhite, clWhite}));
    EXPECT_EQ(drawAt(4), (std::vector<TColor>{clWhite, clWhite, clWhite, clWhite, clRed, clWhite}));
    icon.setTransparentColor(clBlue);
    EXPECT_EQ(drawAt(1),
              (std::vector<TColor>{clWhite, clRed, clWhite, clWhite, halfRedOnWhite, clWhite}));
}

TEST(UiCanvas, StretchDrawScalesByNearestPixel) {
    TBitmap src;
    src.setSize(2, 2);
    src.Canvas().setPixels(0, 0, clRed);
    src.Canvas().setPixels(1, 1, clRed);
    TBitmap dst;
    dst.setSize(5, 5);
    dst.Canvas().StretchDraw({1, 1, 5, 5}, src);
    EXPECT_EQ(art(dst, clRed),
              (std::vector<std::string>{".....", ".##..", ".##..", "...##", "...##"}));
}

TEST(UiCanvas, ImageListDrawsOnlyValidIndexes) {
    TImageList list;
    TBitmap icon;
    icon.setSize(16, 16);
    icon.Canvas().Brush().setColor(clRed);
    icon.Canvas().FillRect({0, 0, 16, 16});
    EXPECT_EQ(list.Add(icon), 0);
    icon.Canvas().Brush().setColor(clBlue);
    icon.Canvas().FillRect({0, 0, 16, 16});
    EXPECT_EQ(list.Add(icon), 1);
    ASSERT_EQ(list.Count(), 2);

    TBitmap map;
    map.setSize(40, 20);
    for (int bad : {-1, 2, 10}) list.Draw(map.Canvas(), 0, 0, bad);
    EXPECT_EQ(art(map, clWhite), std::vector<std::string>(20, std::string(40, '#')));
    list.Draw(map.Canvas(), 2, 3, 0);
    list.Draw(map.Canvas(), 30, 10, 1);
    EXPECT_EQ(map.Canvas().Pixels(2, 3), clRed);
    EXPECT_EQ(map.Canvas().Pixels(17, 18), clRed);
    EXPECT_EQ(map.Canvas().Pixels(18, 3), clWhite);
    EXPECT_EQ(map.Canvas().Pixels(39, 19), clBlue); // cut at the edge
    EXPECT_THROW(list.image(2), vx::RangeError);
}

TEST(UiBitmap, AssignCopiesBytesAndReusesTheBuffer) {
    TBitmap a, b;
    a.setSize(300, 200);
    a.Canvas().setPixels(299, 199, 0x345678);
    a.setTransparentColor(clLime);
    int changes = 0;
    b.OnChange = [&] { ++changes; };
    b.assign(a);
    EXPECT_EQ(b.Width(), 300);
    EXPECT_EQ(b.Height(), 200);
    EXPECT_EQ(0, std::memcmp(a.data(), b.data(), size_t(300) * 200 * 4));
    EXPECT_TRUE(b.Transparent());
    EXPECT_EQ(b.TransparentColor(), clLime);
    EXPECT_EQ(changes, 1);

    const uint8_t* buffer = b.data();
    TBitmap small;
    small.setSize(20, 10);
    b.assign(small);
    EXPECT_EQ(b.data(), buffer) << "a smaller picture reuses the buffer";
    b.assign(a);
    EXPECT_EQ(b.data(), buffer);
    EXPECT_EQ(b.Canvas().Pixels(299, 199), 0x345678u);

    TBitmap none;
    b.assign(none);
    EXPECT_TRUE(b.empty());
    EXPECT_EQ(b.surface(), nullptr);
}

TEST(UiBitmap, SizesItCannotHoldLeaveItAsItWas) {
    TBitmap bmp;
    bmp.setSize(3, 2);
    bmp.Canvas().setPixels(2, 1, clRed);
    const struct {
        int w, h;
    } cases[] = {{1 << 20, 1 << 20}, {INT_MAX, 1}, {INT_MAX / 4 + 1, 1},
                 {INT_MAX, INT_MAX}, {4097, 4097}, {30000, 30000}};
    for (const auto& c : cases) {
        try {
            bmp.setSize(c.w, c.h);
            ADD_FAILURE() << c.w << " x " << c.h << " accepted";
        } catch (const vx::RangeError& e) {
            EXPECT_NE(std::string(e.what()).find(std::to_string(c.w) + " x " + std::to_string(c.h)),
                      std::string::npos)
                << e.what();
        }
        ASSERT_EQ(bmp.Width(), 3);
        ASSERT_EQ(bmp.Height(), 2);
        ASSERT_NE(bmp.data(), nullptr);
        EXPECT_EQ(bmp.Canvas().Pixels(2, 1), clRed);
        bmp.Canvas().FillRect({0, 0, 3, 2});
        EXPECT_EQ(bmp.Canvas().Pixels(2, 1), clWhite);
        bmp.Canvas().setPixels(2, 1, clRed);
    }
    EXPECT_NE(bmp.surface(), nullptr);
    EXPECT_EQ(bmp.rowBytes(), 12u);
    // What the program needs: the map picture.
    bmp.setSize(4000, 3000);
    EXPECT_EQ(bmp.Canvas().Pixels(3999, 2999), clWhite);
}

TEST(UiPaint, PlacementFollowsStretchProportionalCenter) {
    struct Case {
        int pw, ph, cw, ch;
        bool stretch, prop, center;
        PicturePlacement want;
    } cases[] = {
        {4000, 3000, 4000, 3000, true, true, true, {0, 0, 1, 1}},
        {4000, 3000, 1345, 1009, true, true, true, {0, 0, 0.33625, 0.33625}},
        {4000, 3000, 8000, 6000, true, true, true, {0, 0, 2, 2}},
        {100, 50, 200, 200, true, true, true, {0, 50, 2, 2}},
        {100, 50, 200, 200, true, false, false, {0, 0, 2, 4}},
        {100, 50, 200, 200, false, false, true, {50, 75, 1, 1}},
        {100, 50, 200, 200, false, false, false, {0, 0, 1, 1}},
    };
    for (const auto& c : cases) {
        const auto p = placePicture(c.pw, c.ph, c.cw, c.ch, c.stretch, c.prop, c.center);
        EXPECT_DOUBLE_EQ(p.offsetX, c.want.offsetX) << c.cw << "x" << c.ch;
        EXPECT_DOUBLE_EQ(p.offsetY, c.want.offsetY) << c.cw << "x" << c.ch;
        EXPECT_DOUBLE_EQ(p.scaleX, c.want.scaleX) << c.cw << "x" << c.ch;
        EXPECT_DOUBLE_EQ(p.scaleY, c.want.scaleY) << c.cw << "x" << c.ch;
    }
}

TEST(UiPaint, PaintsOnlyTheExposedRectangle) {
    TBitmap pic;
    pic.setSize(4, 4);
    pic.Canvas().Brush().setColor(clRed);
    pic.Canvas().FillRect({0, 0, 2, 2});
    cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8);
    cairo_t* cr = cairo_create(out);
    const auto where = placePicture(4, 4, 8, 8, true, true, true);
    paintPicture(cr, pic, where, {0, 0, 8, 6}); // the bottom two rows are not exposed
    cairo_destroy(cr);
    cairo_surface_flush(out);
    auto at = [&](int x, int y) {
        const auto* row = reinterpret_cast<const uint32_t*>(
            cairo_image_surface_get_data(out) + y * cairo_image_surface_get_stride(out));
        return row[x];
    };
    EXPECT_EQ(at(0, 0), pixelOf(clRed));
    EXPECT_EQ(at(3, 3), pixelOf(clRed)); // 2 x 2 blocks, nearest pixel
    EXPECT_EQ(at(4, 3), pixelOf(clWhite));
    EXPECT_EQ(at(7, 5), pixelOf(clWhite));
    EXPECT_EQ(at(7, 6), 0u) << "outside the exposed rectangle";
    cairo_surface_destroy(out);
}

TEST(UiPaint, ThinLinesStayVisibleWhenShrunkToAThird) {
    for (int line = 140; line <= 152; ++line) {
        TBitmap pic;
        pic.setSize(300, 300);
        pic.Canvas().Pen().setColor(clRed);
        pic.Canvas().MoveTo(line, 0);
        pic.Canvas().LineTo(line, 300);
        cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 101, 101);
        cairo_t* cr = cairo_create(out);
        paintPicture(cr, pic, placePicture(300, 300, 101, 101, true, true, true), {0, 0, 101, 101});
        cairo_destroy(cr);
        cairo_surface_flush(out);
        const auto* row = reinterpret_cast<const uint32_t*>(
            cairo_image_surface_get_data(out) + 50 * cairo_image_surface_get_stride(out));
        int strongest = 255;
        for (int x = 0; x < 101; ++x) strongest = std::min(strongest, int((row[x] >> 8) & 0xFF));
        EXPECT_LT(strongest, 200) << "line at x = " << line << " vanished";
        cairo_surface_destroy(out);
    }
}

TEST(UiBitmap, HalfSizeAveragesBlocksAndFollowsChanges) {
    TBitmap bmp;
    bmp.setSize(5, 2); // the odd last column is dropped
    bmp.scanLine(0)[0] = 0xFF000000;
    bmp.scanLine(0)[1] = 0xFFFFFFFF;
    bmp.scanLine(1)[0] = 0xFF102030;
    bmp.scanLine(1)[1] = 0xFF000004;
    bmp.changed();
    const TBitmap& half = bmp.halfSize();
    ASSERT_EQ(half.Width(), 2);
    ASSERT_EQ(half.Height(), 1);
    EXPECT_EQ(half.scanLine(0)[0], 0xFF44484Du); // red (0 + 255 + 16 + 0 + 2) / 4 = 0x44
    EXPECT_EQ(half.scanLine(0)[1], 0xFFFFFFFFu);
    bmp.Canvas().setPixels(2, 0, clBlack);
    EXPECT_NE(bmp.halfSize().scanLine(0)[1], 0xFFFFFFFFu);
}

TEST(UiBitmap, HalfSizeUpdatedInPlacesMatchesARebuild) {
    TBitmap bmp;
    bmp.setSize(37, 23);
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x) bmp.scanLine(y)[x] = 0xFF000000u | uint32_t(x * 7 + y * 131);
    bmp.changed();
    (void)bmp.halfSize();
    TCanvas& c = bmp.Canvas();
    c.Pen().setColor(clRed);
    c.MoveTo(3, 20);
    c.LineTo(30, 1); // odd start and end, across block edges
    c.Brush().setColor(clBlue);
    c.FillRect({35, 21, 40, 30}); // reaches past the odd edge
    c.Ellipse(9, 9, 16, 14);
    c.setPixels(0, 0, clLime);
    TBitmap icon;
    icon.setSize(5, 5);
    c.Draw(-2, 19, icon);
    TBitmap copy;
    copy.assign(bmp);
    bmp.assignRect(copy, {10, 10, 11, 11});
    const TBitmap& half = bmp.halfSize();
    const TBitmap& rebuilt = copy.halfSize();
    ASSERT_EQ(half.Width(), rebuilt.Width());
    ASSERT_EQ(half.Height(), rebuilt.Height());
    for (int y = 0; y < half.Height(); ++y)
        for (int x = 0; x < half.Width(); ++x)
            ASSERT_EQ(half.scanLine(y)[x], rebuilt.scanLine(y)[x]) << x << "," << y;
}
