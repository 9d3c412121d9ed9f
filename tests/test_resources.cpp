#include "resources/resources.h"
#include "support/errors.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

struct PixbufUnref {
    void operator()(GdkPixbuf* p) const { g_object_unref(p); }
};
using Pixbuf = std::unique_ptr<GdkPixbuf, PixbufUnref>;

Pixbuf load(const char* path) {
    vx::registerResources();
    GError* err = nullptr;
    GdkPixbuf* p = gdk_pixbuf_new_from_resource(path, &err);
    if (err) g_error_free(err);
    return Pixbuf(p);
}

struct Px {
    int r, g, b, a;
};

Px pixel(GdkPixbuf* p, int x, int y) {
    const guchar* row = gdk_pixbuf_get_pixels(p) + y * gdk_pixbuf_get_rowstride(p);
    const guchar* q = row + x * gdk_pixbuf_get_n_channels(p);
    return {q[0], q[1], q[2], gdk_pixbuf_get_has_alpha(p) ? q[3] : 255};
}

bool inMark(int x, int y) {
    return x < 3 && y < 3;
}

} // namespace

TEST(Resources, MarkerStripsHoldTenAnchoredImages) {
    for (const char* path : {vx::resGlist, vx::resAllist, vx::resDimGlist, vx::resDimAllist}) {
        SCOPED_TRACE(path);
        Pixbuf p = load(path);
        ASSERT_TRUE(p);
        ASSERT_EQ(gdk_pixbuf_get_width(p.get()), vx::markerSize * vx::markerCount);
        ASSERT_EQ(gdk_pixbuf_get_height(p.get()), vx::markerSize);
        ASSERT_TRUE(gdk_pixbuf_get_has_alpha(p.get()));
        const bool dim = std::string(path).find("dim") != std::string::npos;
        for (int k = 0; k < vx::markerCount; ++k) {
            SCOPED_TRACE("image " + std::to_string(k));
            const int x0 = k * vx::markerSize;
            const Px m = pixel(p.get(), x0, 0);
            EXPECT_TRUE(m.r == 255 && m.g == 0 && m.b == 0 && m.a == 255) << "red anchor";
            int drawn = 0, transparent = 0, coloured = 0;
            for (int y = 0; y < vx::markerSize; ++y)
                for (int x = 0; x < vx::markerSize; ++x) {
                    if (inMark(x, y)) continue;
                    const Px q = pixel(p.get(), x0 + x, y);
                    (q.a == 0 ? transparent : drawn)++;
                    if (q.a > 0 && (q.r != q.g || q.g != q.b)) ++coloured;
                }
            EXPECT_GT(drawn, 20);
            EXPECT_GE(transparent, 6) << "background must stay transparent";
            if (dim) {
                EXPECT_EQ(coloured, 0) << "dim images are grey";
            }
        }
    }
}

TEST(Resources, SidesDifferInTheirMarkings) {
    Pixbuf g = load(vx::resGlist), a = load(vx::resAllist);
    ASSERT_TRUE(g && a);
    // The middle of image 0: a black cross for Central, the roundel's red for Entente.
    const Px cross = pixel(g.get(), 8, 8), roundel = pixel(a.get(), 8, 8);
    EXPECT_LT(cross.r + cross.g + cross.b, 100);
    EXPECT_GT(roundel.r, 150);
    EXPECT_LT(roundel.g, 80);
}

TEST(Resources, StartPictureAndMissingPath) {
    Pixbuf p = load(vx::resStartpic);
    ASSERT_TRUE(p);
    EXPECT_EQ(gdk_pixbuf_get_width(p.get()), 1345);
    EXPECT_EQ(gdk_pixbuf_get_height(p.get()), 888);
    EXPECT_EQ(vx::resourceBytes(vx::resGlist).substr(1, 3), "PNG");
    EXPECT_THROW(vx::resourceBytes("/vexton/none.png"), vx::FileError);
}
