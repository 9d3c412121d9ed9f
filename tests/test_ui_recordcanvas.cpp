// The recording canvas against the raster canvas: one scene drawn on both
// gives the same pixels, wherever on a surface far larger than any raster it
// stands; a full clear keeps only what follows; the image paints what shows.
#include "support/errors.h"
#include "ui/ui.h"

#include <cairo.h>
#include <climits>
#include <gtest/gtest.h>
#include <memory>

using namespace vx::ui;

namespace {

// A scene with every operation the views use, drawn around (ox, oy).
void drawScene(TCanvas& c, const TBitmap& icon, int ox, int oy) {
    c.Brush().setColor(clGray);
    c.FillRect({ox, oy, ox + 300, oy + 200});
    c.Pen().setColor(clYellow);
    c.Polyline({{ox + 148, oy + 102},
                {ox + 152, oy + 102},
                {ox + 152, oy + 98},
                {ox + 148, oy + 98},
                {ox + 148, oy + 102}});
    c.Pen().setColor(clRed);
    c.Polyline({{ox + 20, oy + 30},
                {ox + 91, oy + 47},
                {ox + 70, oy + 120},
                {ox + 3, oy + 99},
                {ox + 20, oy + 30}});
    c.Pen().setColor(clGreen);
    c.MoveTo(ox + 200, oy + 10);
    c.LineTo(ox + 260, oy + 170);
    c.MoveTo(ox - 2000000, oy + 50); // from far outside into the scene
    c.LineTo(ox + 150, oy + 53);
    c.Pen().setWidth(3);
    c.MoveTo(ox + 10, oy + 180);
    c.LineTo(ox + 290, oy + 160);
    c.Pen().setWidth(1);
    c.Brush().setColor(clLime);
    c.Pen().setColor(clBlack);
    c.Ellipse(ox + 18, oy + 28, ox + 22, oy + 32);
    c.Pen().setColor(clWhite);
    c.Brush().setColor(clRed);
    c.Ellipse(ox + 89, oy + 45, ox + 93, oy + 49);
    c.Ellipse(ox + 120, oy + 130, ox + 181, oy + 171);
    c.Rectangle(ox + 230, oy + 20, ox + 280, oy + 60);
    c.FrameRect({ox + 100, oy + 5, ox + 140, oy + 25});
    c.StretchDraw({ox + 40, oy + 140, ox + 60, oy + 160}, icon);
    c.Draw(ox + 284, oy + 190, icon); // cut at the scene's edge
    c.setPixels(ox + 150, oy + 100, clYellow);
    c.setPixels(ox + 299, oy + 199, clBlue);
}

const TBitmap& sceneIcon() {
    static TBitmap icon;
    if (icon.empty()) {
        icon.setSize(16, 16);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                icon.scanLine(y)[x] = (x + y) % 5 == 0 ? 0 : pixelOf(rgb(uint8_t(x * 16), 40, 200));
        icon.changed();
        icon.setTransparentColor(rgb(0, 40, 200));
    }
    return icon;
}

} // namespace

TEST(UiRecordCanvas, DrawsTheSamePixelsAsTheRasterAnywhereOnTheSurface) {
    TBitmap raster;
    raster.setSize(300, 200);
    drawScene(raster.Canvas(), sceneIcon(), 0, 0);
    const struct {
        int w, h, ox, oy;
    } cases[] = {{300, 200, 0, 0}, {40000, 40000, 35000, 123}, {INT_MAX, INT_MAX, 2000000000, 7}};
    for (const auto& c : cases) {
        TRecordCanvas rec;
        rec.setSize(c.w, c.h);
        drawScene(rec, sceneIcon(), c.ox, c.oy);
        int differ = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 300; ++x)
                differ += rec.Pixels(c.ox + x, c.oy + y) != raster.Canvas().Pixels(x, y);
        EXPECT_EQ(differ, 0) << "surface " << c.w << " x " << c.h << " at " << c.ox;

        // One window over the middle of the scene, rendered at once.
        std::vector<uint32_t> px(120 * 90, 0);
        rec.render({px.data(), 120, 90, 120, int64_t(c.ox) + 100, int64_t(c.oy) + 60});
        differ = 0;
        for (int y = 0; y < 90; ++y)
            for (int x = 0; x < 120; ++x)
                differ += colorOf(px[size_t(y) * 120 + size_t(x)]) !=
                          raster.Canvas().Pixels(100 + x, 60 + y);
        EXPECT_EQ(differ, 0) << "window of surface " << c.w << " x " << c.h;
    }
}

// A wide line reaches past its end points by half its width: where that edge
// crosses into the next tile (of 64 pixels) it shows there too.
TEST(UiRecordCanvas, WideLinesAcrossATileEdgeDrawTheSamePixels) {
    const struct {
        TPoint a, b;
        int width;
    } lines[] = {{{10, 60}, {120, 60}, 9},   // its lower edge crosses y = 64
                 {{124, 5}, {124, 110}, 9},  // its right edge crosses x = 128
                 {{70, 125}, {190, 125}, 7}, // both ends inside one tile row
                 {{60, 140}, {61, 190}, 11}};
    TBitmap raster;
    raster.setSize(200, 200);
    TRecordCanvas rec;
    rec.setSize(200, 200);
    for (TCanvas* c : {static_cast<TCanvas*>(&raster.Canvas()), static_cast<TCanvas*>(&rec)}) {
        c->Brush().setColor(clGray);
        c->FillRect({0, 0, 200, 200});
        c->Pen().setColor(clRed);
        for (const auto& l : lines) {
            c->Pen().setWidth(l.width);
            c->MoveTo(l.a.X, l.a.Y);
            c->LineTo(l.b.X, l.b.Y);
        }
    }
    int differ = 0, red = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x) {
            differ += rec.Pixels(x, y) != raster.Canvas().Pixels(x, y);
            red += raster.Canvas().Pixels(x, y) == clRed;
        }
    EXPECT_EQ(differ, 0);
    EXPECT_EQ(raster.Canvas().Pixels(50, 64), clRed) << "the scene reaches the next tile";
    EXPECT_GT(red, 0);
}

TEST(UiRecordCanvas, FreshSurfaceIsWhiteAndOutsideIsInvalid) {
    TRecordCanvas rec;
    rec.setSize(30000, 30000);
    EXPECT_EQ(rec.Pixels(0, 0), clWhite);
    EXPECT_EQ(rec.Pixels(29999, 29999), clWhite);
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {30000, 0}, {0, 30000}, {INT_MIN, INT_MAX}})
        EXPECT_EQ(rec.Pixels(x, y), clInvalid) << x << "," << y;
    rec.setPixels(30000, 5, clRed); // off the surface: nothing
    rec.Brush().setColor(clRed);
    rec.FillRect({-100, -100, -1, 30000});
    EXPECT_EQ(rec.operationCount(), 0u);

    // A window reaching past the surface keeps its pixels there.
    rec.FillRect({0, 0, 10, 10});
    std::vector<uint32_t> px(4, 0x12345678);
    rec.render({px.data(), 2, 2, 2, -1, 9});
    EXPECT_EQ(px,
              (std::vector<uint32_t>{0x12345678, pixelOf(clRed), 0x12345678, pixelOf(clWhite)}));

    rec.setSize(-5, 10);
    EXPECT_EQ(rec.Width(), 0);
    EXPECT_EQ(rec.Pixels(0, 0), clInvalid);
}

TEST(UiRecordCanvas, ClearingTheWholeSurfaceDropsWhatItCovers) {
    TRecordCanvas rec;
    rec.setSize(10000, 10000);
    rec.Pen().setColor(clRed);
    for (int round = 0; round < 3; ++round) {
        rec.Brush().setColor(clGray);
        rec.FillRect({0, 0, 10000, 10000});
        for (int i = 0; i < 1024; ++i) {
            rec.MoveTo(i * 9, 0);
            rec.LineTo(i * 9, 50);
        }
    }
    EXPECT_EQ(rec.operationCount(), 1025u);
    rec.Brush().setColor(clBlue);
    rec.FillRect({0, 0, 9999, 10000}); // not all: the lines before it stay
    EXPECT_EQ(rec.operationCount(), 1026u);
    EXPECT_EQ(rec.Pixels(9999, 0), clGray);
    EXPECT_EQ(rec.Pixels(9, 10), clBlue);
    rec.setSize(10000, 10000);
    EXPECT_EQ(rec.operationCount(), 0u);
    EXPECT_EQ(rec.Pixels(9999, 0), clWhite);
}

TEST(UiRecordCanvas, PicturesAreKeptAsTheyWereWhenDrawn) {
    TBitmap pic;
    pic.setSize(4, 4);
    pic.Canvas().Brush().setColor(clRed);
    pic.Canvas().FillRect({0, 0, 4, 4});
    TRecordCanvas rec;
    rec.setSize(50000, 50);
    rec.Draw(45000, 10, pic);
    rec.StretchDraw({45010, 10, 45018, 18}, pic);
    pic.Canvas().Brush().setColor(clBlue);
    pic.Canvas().FillRect({0, 0, 4, 4});
    rec.Draw(45020, 10, pic);
    EXPECT_EQ(rec.Pixels(45003, 13), clRed);
    EXPECT_EQ(rec.Pixels(45017, 17), clRed);
    EXPECT_EQ(rec.Pixels(45020, 10), clBlue);
    EXPECT_EQ(rec.Pixels(45004, 13), clWhite);
}

TEST(UiRecordImage, SizeFollowsTheControlAndPaintShowsTheExposedPart) {
    TRecordImage img;
    img.setBounds(0, 0, 30000, 30000);
    EXPECT_EQ(img.Canvas().Width(), 30000);
    TCanvas& asImage = static_cast<TImage&>(img).Canvas();
    EXPECT_EQ(&asImage, &img.Canvas()) << "the image's canvas is the recording";
    EXPECT_TRUE(img.Picture().empty()) << "no raster behind it";
    drawScene(img.Canvas(), sceneIcon(), 20000, 25000);

    // Painted 1:1 onto a surface whose origin shows control pixel (20100, 25060).
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 120, 90);
    cairo_t* cr = cairo_create(s);
    cairo_translate(cr, -20100, -25060);
    img.paint(cr, {20100, 25060, 20220, 25150});
    cairo_destroy(cr);
    cairo_surface_flush(s);
    const auto* data = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(s));
    const size_t stride = size_t(cairo_image_surface_get_stride(s)) / 4;
    int differ = 0;
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 120; ++x)
            differ += colorOf(data[size_t(y) * stride + size_t(x)]) !=
                      img.Canvas().Pixels(20100 + x, 25060 + y);
    EXPECT_EQ(differ, 0);
    cairo_surface_destroy(s);

    img.setBounds(0, 0, 8800, 11000);
    EXPECT_EQ(img.Canvas().Height(), 11000);
    EXPECT_EQ(img.Canvas().Pixels(5000, 5000), clWhite) << "a new size is a new surface";
}

TEST(UiPaintedScrollBox, ScrollsOverAChildLargerThanAnyWindow) {
    TPaintedScrollBox box;
    box.setBounds(0, 0, 1264, 948);
    TRecordImage img;
    img.setParent(&box);
    img.setBounds(0, 0, 40000, 40000);
    EXPECT_EQ(box.HorzScrollBar().Max(), 40000 - box.ClientWidth());
    box.HorzScrollBar().setPosition(39000);
    box.VertScrollBar().setPosition(1 << 30);
    EXPECT_EQ(box.HorzScrollBar().Position(), 40000 - box.ClientWidth());
    EXPECT_EQ(box.VertScrollBar().Position(), 40000 - box.ClientHeight());
    EXPECT_EQ(img.viewOrigin().X, -box.HorzScrollBar().Position());
    img.setBounds(0, 0, 10000, 10000);
    EXPECT_EQ(box.VertScrollBar().Position(), 10000 - box.ClientHeight());
}
