// Pictures: JPEG files through libjpeg, embedded PNGs through GdkPixbuf's PNG
// reader, every other format refused; failures keep the picture as it was.
#include "support/errors.h"
#include "test_jpegfixture.h"
#include "testsupport.h"
#include "ui/imagelist.h"
#include "ui/picture.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <functional>
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <sys/resource.h>
#include <zlib.h>

using namespace vx::ui;
using vxtest::encodeJpeg;

namespace {

// One colour all over.
std::string makeJpeg(int w, int h, uint8_t r, uint8_t g, uint8_t b, bool gray = false,
                     int scans = 0) {
    return encodeJpeg(w, h, gray, scans, [&](unsigned, unsigned char* row) {
        for (int x = 0; x < w; ++x) {
            if (gray) {
                row[x] = r;
            } else {
                row[3 * x] = r;
                row[3 * x + 1] = g;
                row[3 * x + 2] = b;
            }
        }
    });
}

std::string makePng(int w, int h) {
    GdkPixbuf* pb = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, w, h);
    gdk_pixbuf_fill(pb, 0xFF000080); // red, half transparent
    gchar* buf = nullptr;
    gsize size = 0;
    gdk_pixbuf_save_to_buffer(pb, &buf, &size, "png", nullptr, nullptr);
    std::string out(buf, size);
    g_free(buf);
    g_object_unref(pb);
    return out;
}

// Sets the size in the frame header (baseline or progressive).
void claimJpegSize(std::string& jpeg, int w, int h) {
    size_t sof = jpeg.find("\xFF\xC0", 0, 2);
    if (sof == std::string::npos) sof = jpeg.find("\xFF\xC2", 0, 2);
    ASSERT_NE(sof, std::string::npos);
    jpeg[sof + 5] = char(h >> 8);
    jpeg[sof + 6] = char(h);
    jpeg[sof + 7] = char(w >> 8);
    jpeg[sof + 8] = char(w);
}

void appendBigEndian(std::string& s, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) s += char(v >> shift);
}

void appendPngChunk(std::string& png, const char* type, const std::string& body) {
    appendBigEndian(png, static_cast<uint32_t>(body.size()));
    const std::string typed = type + body;
    png += typed;
    appendBigEndian(png,
                    static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(typed.data()),
                                                static_cast<uInt>(typed.size()))));
}

// A valid one-bit grey PNG, all black: 50 MB of rows that deflate to a few
// hundred kilobytes.
std::string makeHugeBlackPng(uint32_t w, uint32_t h) {
    std::string png = "\x89PNG\r\n\x1A\n";
    std::string ihdr;
    appendBigEndian(ihdr, w);
    appendBigEndian(ihdr, h);
    ihdr += std::string("\x01\x00\x00\x00\x00", 5); // 1 bit grey, no interlace
    appendPngChunk(png, "IHDR", ihdr);
    z_stream z{};
    deflateInit(&z, Z_BEST_COMPRESSION);
    const std::string row(1 + (w + 7) / 8, '\0');
    std::string idat;
    std::vector<unsigned char> out(1 << 16);
    for (uint32_t y = 0; y <= h; ++y) {
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(row.data()));
        z.avail_in = y < h ? static_cast<uInt>(row.size()) : 0;
        int rc;
        do {
            z.next_out = out.data();
            z.avail_out = static_cast<uInt>(out.size());
            rc = deflate(&z, y < h ? Z_NO_FLUSH : Z_FINISH);
            idat.append(reinterpret_cast<char*>(out.data()), out.size() - z.avail_out);
        } while (z.avail_out == 0 || (y == h && rc != Z_STREAM_END));
    }
    deflateEnd(&z);
    appendPngChunk(png, "IDAT", idat);
    appendPngChunk(png, "IEND", "");
    return png;
}

// Peak memory of the process since the last reset, in megabytes. Without the
// reset (not every kernel allows it) the peak of the whole run.
void resetPeakMemory() {
    if (FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", f);
        std::fclose(f);
    }
}
long peakMegabytes() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024;
}

bool near(TColor a, TColor b) {
    return std::abs(redOf(a) - redOf(b)) <= 3 && std::abs(greenOf(a) - greenOf(b)) <= 3 &&
           std::abs(blueOf(a) - blueOf(b)) <= 3;
}

} // namespace

TEST(UiPicture, LoadsJpegOfAnyCaseIntoOpaquePixels) {
    vxtest::TempDir dir;
    dir.write("map.jpg", makeJpeg(64, 48, 200, 40, 10));
    dir.write("MAP.JPEG", makeJpeg(20, 10, 0, 0, 250));
    dir.write("gray.Jpg", makeJpeg(8, 8, 90, 0, 0, true));
    struct Case {
        const char* file;
        int w, h;
        TColor color;
    } cases[] = {{"map.jpg", 64, 48, rgb(200, 40, 10)},
                 {"MAP.JPEG", 20, 10, rgb(0, 0, 250)},
                 {"gray.Jpg", 8, 8, rgb(90, 90, 90)}};
    TPicture pic;
    for (const auto& c : cases) {
        pic.LoadFromFile((dir / c.file).string());
        EXPECT_EQ(pic.Width(), c.w) << c.file;
        EXPECT_EQ(pic.Height(), c.h) << c.file;
        const uint32_t px = pic.Bitmap().scanLine(c.h - 1)[c.w - 1];
        EXPECT_EQ(px >> 24, 0xFFu) << c.file;
        EXPECT_TRUE(near(colorOf(px), c.color)) << c.file << " " << std::hex << px;
    }
}

TEST(UiPicture, ReloadReusesBuffers) {
    vxtest::TempDir dir;
    dir.write("a.jpg", makeJpeg(64, 48, 10, 20, 30));
    TPicture pic;
    pic.LoadFromFile((dir / "a.jpg").string());
    pic.LoadFromFile((dir / "a.jpg").string());
    const uint8_t* second = pic.Bitmap().data();
    pic.LoadFromFile((dir / "a.jpg").string());
    pic.LoadFromFile((dir / "a.jpg").string());
    EXPECT_EQ(pic.Bitmap().data(), second) << "two buffers take turns";
}

TEST(UiPicture, EmbeddedPngDecodesPremultiplied) {
    const std::string png = makePng(3, 2);
    TPicture pic;
    decodePng("icon.png", png.data(), png.size(), pic.Bitmap());
    ASSERT_EQ(pic.Width(), 3);
    ASSERT_EQ(pic.Height(), 2);
    EXPECT_EQ(pic.Bitmap().scanLine(1)[2], 0x80800000u);
    TPicture copy;
    copy.Assign(pic);
    EXPECT_EQ(copy.Bitmap().scanLine(0)[0], 0x80800000u);
}

TEST(UiPicture, FailuresKeepThePicture) {
    vxtest::TempDir dir;
    const std::string good = makeJpeg(16, 16, 0, 255, 0);
    // The frame header claims 60000 x 60000 pixels in a file of a few hundred bytes.
    std::string huge = good;
    const size_t sof = huge.find("\xFF\xC0", 0, 2);
    ASSERT_NE(sof, std::string::npos);
    huge[sof + 5] = huge[sof + 7] = char(0xEA);
    huge[sof + 6] = huge[sof + 8] = char(0x60);
    dir.write("huge.jpg", huge);
    dir.write("text.jpg", "this is no picture");
    dir.write("text.png", "this is no picture either");
    dir.write("empty.jpeg", "");
    dir.write("cut.png", makePng(4, 4).substr(0, 30));
    std::filesystem::create_directory(dir / "folder.jpg");

    TPicture pic;
    pic.LoadFromBytes("good.jpg", good.data(), good.size());
    const uint8_t* before = pic.Bitmap().data();
    struct Case {
        const char* file;
        bool fileError;
    } cases[] = {{"huge.jpg", false},   {"text.jpg", false}, {"text.png", false},
                 {"empty.jpeg", false}, {"cut.png", false},  {"missing.jpg", true},
                 {"folder.jpg", true}};
    for (const auto& c : cases) {
        const std::string path = (dir / c.file).string();
        if (c.fileError)
            EXPECT_THROW(pic.LoadFromFile(path), vx::FileError) << c.file;
        else
            EXPECT_THROW(pic.LoadFromFile(path), vx::PictureError) << c.file;
        EXPECT_EQ(pic.Width(), 16) << c.file;
        EXPECT_EQ(pic.Bitmap().data(), before) << c.file;
        EXPECT_TRUE(near(colorOf(pic.Bitmap().scanLine(8)[8]), rgb(0, 255, 0))) << c.file;
    }
    EXPECT_THROW(pic.LoadFromResource("/no/such/picture.png"), vx::FileError);
}

TEST(UiPicture, ProgressiveJpegLoads) {
    const std::string jpeg = makeJpeg(64, 48, 30, 200, 90, false, 1);
    ASSERT_NE(jpeg.find("\xFF\xC2", 0, 2), std::string::npos) << "a progressive frame";
    TPicture pic;
    pic.LoadFromBytes("p.jpg", jpeg.data(), jpeg.size());
    EXPECT_EQ(pic.Width(), 64);
    EXPECT_TRUE(near(colorOf(pic.Bitmap().scanLine(47)[63]), rgb(30, 200, 90)));
}

// Each hostile file is refused before the decoder builds the picture it
// claims: the process grows by a few megabytes at most.
TEST(UiPicture, HostilePicturesAreRefusedBeforeTheyAreDecoded) {
    std::string claims30k = makeJpeg(16, 16, 1, 2, 3, false, 1);
    claimJpegSize(claims30k, 30000, 30000);
    // Big enough a file for 16000 x 16000 pixels, whose coefficients alone
    // would take 768 MB: more than a raster may hold, refused before decoding.
    std::string claims16k = makeJpeg(16, 16, 1, 2, 3, false, 1);
    claimJpegSize(claims16k, 16000, 16000);
    const std::string comment = "\xFF\xFE\xFF\xF0" + std::string(0xFFF0 - 2, 'c');
    claims16k.insert(2, comment);
    const std::string manyScans = makeJpeg(16, 16, 1, 2, 3, false, 190);
    const std::string png = makeHugeBlackPng(20000, 20000);
    struct Case {
        const char* name;
        const std::string& bytes;
        const char* why;
    } cases[] = {{"claims30k.jpg", claims30k, "too large"},
                 {"claims16k.jpg", claims16k, "too large"},
                 {"scans.jpg", manyScans, "too many scans"},
                 {"huge.png", png, "only JPEG"}};
    for (const auto& c : cases) {
        TPicture pic;
        resetPeakMemory();
        const long before = peakMegabytes();
        try {
            pic.LoadFromBytes(c.name, c.bytes.data(), c.bytes.size());
            ADD_FAILURE() << c.name << " was loaded";
        } catch (const vx::PictureError& e) {
            EXPECT_NE(std::string(e.what()).find(c.why), std::string::npos)
                << c.name << ": " << e.what();
        }
        EXPECT_LT(peakMegabytes() - before, 64) << c.name;
        EXPECT_TRUE(pic.empty()) << c.name;
    }
}

// A sound picture over the pixel limit is refused for that reason, not as a
// file that claims more than it holds.
TEST(UiPicture, AValidPictureOverThePixelLimitNamesTheLimit) {
    const std::string big = makeJpeg(8000, 8000, 90, 0, 0, true);
    TPicture pic;
    try {
        pic.LoadFromBytes("big.jpg", big.data(), big.size());
        ADD_FAILURE() << "an 8000 x 8000 picture was loaded";
    } catch (const vx::PictureError& e) {
        EXPECT_NE(std::string(e.what()).find("4096 x 4096 pixel limit"), std::string::npos)
            << e.what();
        EXPECT_EQ(std::string(e.what()).find("for its file"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(pic.empty());
}

// The embedded-picture reader keeps its own size check.
TEST(UiPicture, EmbeddedPngReaderRefusesHugeSizesBeforeDecoding) {
    const std::string png = makeHugeBlackPng(20000, 20000);
    TBitmap bmp;
    resetPeakMemory();
    const long before = peakMegabytes();
    try {
        decodePng("huge.png", png.data(), png.size(), bmp);
        ADD_FAILURE() << "huge.png was decoded";
    } catch (const vx::PictureError& e) {
        EXPECT_NE(std::string(e.what()).find("too large"), std::string::npos) << e.what();
    }
    EXPECT_LT(peakMegabytes() - before, 64);
    const std::string jpeg = makeJpeg(4, 4, 1, 2, 3);
    EXPECT_THROW(decodePng("a.png", jpeg.data(), jpeg.size(), bmp), vx::PictureError);
}

namespace {
// A BMP header claiming 30000 x 30000 pixels: 359 bytes.
std::string hostileBmp() {
    std::string b = "BM";
    auto le32 = [&b](uint32_t v) {
        for (int i = 0; i < 4; ++i) b += char(v >> (8 * i));
    };
    le32(359);
    le32(0);
    le32(54);
    le32(40);
    le32(30000);
    le32(30000);
    b += std::string("\x01\x00\x20\x00", 4); // one plane, 32 bits a pixel
    le32(0);
    b.resize(359, '\0');
    return b;
}
} // namespace

// Files of other formats are refused by name or by content before any
// decoder sees them, whatever size they claim.
TEST(UiPicture, OtherFormatsAreRefusedBeforeDecoding) {
    vxtest::TempDir dir;
    const std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100000\" "
                            "height=\"100000\"><rect width=\"100%\" height=\"100%\"/></svg>";
    dir.write("map.svg", svg);
    dir.write("svg.jpg", svg);
    dir.write("map.bmp", hostileBmp());
    dir.write("bmp.jpg", hostileBmp());
    dir.write("icon.png", makePng(3, 2));
    dir.write("png.jpg", makePng(3, 2));
    dir.write("gif.gif", "GIF89a\x01\x00\x01\x00\x00\x00\x00;");
    dir.write("jpeg.png", makeJpeg(4, 4, 1, 2, 3));
    dir.write("noext", makeJpeg(4, 4, 1, 2, 3));
    const struct {
        const char* file;
        const char* why;
    } cases[] = {{"map.svg", "only JPEG"},   {"svg.jpg", "not a JPEG"}, {"map.bmp", "only JPEG"},
                 {"bmp.jpg", "not a JPEG"},  {"icon.png", "only JPEG"}, {"png.jpg", "not a JPEG"},
                 {"gif.gif", "only JPEG"},   {"jpeg.png", "only JPEG"}, {"noext", "only JPEG"},
                 {"absent.bmp", "only JPEG"}};
    for (const auto& c : cases) {
        TPicture pic;
        resetPeakMemory();
        const long before = peakMegabytes();
        const std::string path = (dir / c.file).string();
        try {
            pic.LoadFromFile(path);
            ADD_FAILURE() << c.file << " was loaded";
        } catch (const vx::PictureError& e) {
            const std::string what = e.what();
            EXPECT_NE(what.find(c.why), std::string::npos) << c.file << ": " << what;
            EXPECT_NE(what.find(path), std::string::npos) << what;
        }
        EXPECT_LT(peakMegabytes() - before, 16) << c.file;
        EXPECT_TRUE(pic.empty()) << c.file;
    }
}

// Rows a damaged JPEG holds are shown; the load tells which file it was.
TEST(UiPicture, PartlyDecodableJpegIsShownAndReported) {
    vxtest::TempDir dir;
    const int w = 64, h = 256;
    const std::string whole = makeJpeg(w, h, 200, 40, 10);
    const size_t sos = whole.find("\xFF\xDA", 0, 2);
    ASSERT_NE(sos, std::string::npos);
    // Cut in the middle of the data, and damaged by a marker in the data.
    const std::string cut = whole.substr(0, sos + (whole.size() - sos) / 2);
    std::string marked = whole;
    const size_t mid = sos + (whole.size() - sos) / 2;
    marked[mid] = char(0xFF);
    marked[mid + 1] = char(0xD9);
    dir.write("cut.jpg", cut);
    dir.write("marked.jpg", marked);
    dir.write("whole.jpg", whole);
    vxtest::DialogScope dialogs;
    for (const char* file : {"cut.jpg", "marked.jpg"}) {
        dialogs->messages.clear();
        TPicture pic;
        const std::string path = (dir / file).string();
        ASSERT_NO_THROW(pic.LoadFromFile(path)) << file;
        ASSERT_EQ(pic.Width(), w) << file;
        ASSERT_EQ(pic.Height(), h) << file;
        EXPECT_FALSE(pic.damage().empty()) << file;
        EXPECT_TRUE(near(colorOf(pic.Bitmap().scanLine(8)[8]), rgb(200, 40, 10))) << file;
        EXPECT_FALSE(near(colorOf(pic.Bitmap().scanLine(h - 1)[8]), rgb(200, 40, 10)))
            << file << ": the lost rows are not the picture's";
        ASSERT_EQ(dialogs->messages.size(), 1u) << file;
        EXPECT_EQ(dialogs->messages[0], damagedPictureMessage(path, pic.damage()));
        EXPECT_NE(dialogs->messages[0].find(path), std::string::npos);
        EXPECT_NE(dialogs->messages[0].find("damaged"), std::string::npos);
    }
    dialogs->messages.clear();
    TPicture pic;
    pic.LoadFromFile((dir / "whole.jpg").string());
    EXPECT_TRUE(pic.damage().empty());
    EXPECT_TRUE(dialogs->messages.empty());
}

TEST(UiPicture, SizeLimitFollowsTheFileSize) {
    EXPECT_TRUE(pictureSizeAllowed(4000, 3000, 3000));
    EXPECT_FALSE(pictureSizeAllowed(4000, 3000, 2000));
    EXPECT_FALSE(pictureSizeAllowed(20000, 20000, size_t(1) << 30));
    EXPECT_FALSE(pictureSizeAllowed(0, 10, 1000));
}

TEST(UiPicture, ImageListCutsAStrip) {
    GdkPixbuf* pb = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, 40, 16);
    gdk_pixbuf_fill(pb, 0x00000000);
    // Image 1 (x 16..31) gets an opaque blue corner pixel; the last 8 columns
    // make no whole image.
    guchar* px = gdk_pixbuf_get_pixels(pb) + 16 * 4;
    px[2] = px[3] = 0xFF;
    vxtest::TempDir dir;
    const std::string path = (dir / "strip.png").string();
    ASSERT_TRUE(gdk_pixbuf_save(pb, path.c_str(), "png", nullptr, nullptr));
    g_object_unref(pb);
    // Strips are embedded PNGs; the same bytes decoded as one.
    const std::string png = dir.read("strip.png");
    TBitmap strip;
    decodePng("strip.png", png.data(), png.size(), strip);
    TImageList list;
    EXPECT_EQ(list.addStrip(strip), 2);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.image(1).Width(), 16);
    EXPECT_EQ(list.image(1).scanLine(0)[0], pixelOf(clBlue));
    EXPECT_EQ(list.image(0).scanLine(0)[0], 0u);
    EXPECT_THROW(list.loadStrip(path), vx::PictureError) << "a PNG file is not read";
    EXPECT_THROW(list.loadStrip((dir / "none.jpg").string()), vx::FileError);
    EXPECT_EQ(list.Count(), 2);
}

namespace {

// A picture with detail in every pixel, so a wrong row or pixel shows.
std::string makeDetailedJpeg(int w, int h, bool progressive = false) {
    return encodeJpeg(w, h, false, progressive ? 1 : 0, [&](unsigned y, unsigned char* row) {
        for (int x = 0; x < w; ++x) {
            row[3 * x] = static_cast<unsigned char>(x * 7 + int(y));
            row[3 * x + 1] = static_cast<unsigned char>((x ^ int(y)) * 3);
            row[3 * x + 2] = static_cast<unsigned char>(int(y) * 5 + (x * x) % 61);
        }
    });
}

struct ReferenceErrors {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

// libjpeg on its own, a row at a time: B, G, R, A pixels; rows after a fatal
// error grey, as the picture shows them.
std::vector<uint32_t> referenceDecode(const std::string& jpeg, int& w, int& h) {
    static std::vector<uint32_t> px; // static: the long jump skips no destructor
    px.clear();
    static jpeg_decompress_struct c;
    static ReferenceErrors err;
    c.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = [](j_common_ptr ci) {
        std::longjmp(reinterpret_cast<ReferenceErrors*>(ci->err)->jump, 1);
    };
    err.pub.emit_message = [](j_common_ptr, int) {};
    w = h = 0;
    if (setjmp(err.jump)) {
        const size_t done = size_t(c.output_scanline) * size_t(w);
        std::fill(px.begin() + static_cast<long>(done), px.end(), 0xFF808080u);
        jpeg_destroy_decompress(&c);
        return px;
    }
    jpeg_create_decompress(&c);
    jpeg_mem_src(&c, reinterpret_cast<const unsigned char*>(jpeg.data()),
                 static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&c, TRUE);
    c.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&c);
    w = static_cast<int>(c.output_width);
    h = static_cast<int>(c.output_height);
    px.assign(size_t(w) * size_t(h), 0);
    while (c.output_scanline < c.output_height) {
        JSAMPROW row =
            reinterpret_cast<JSAMPROW>(px.data() + size_t(c.output_scanline) * size_t(w));
        jpeg_read_scanlines(&c, &row, 1);
    }
    jpeg_finish_decompress(&c);
    jpeg_destroy_decompress(&c);
    return px;
}

// Index of the first pixel that differs, or -1.
long firstDifference(const TBitmap& bmp, const std::vector<uint32_t>& px) {
    if (size_t(bmp.Width()) * size_t(bmp.Height()) != px.size()) return 0;
    for (size_t i = 0; i < px.size(); ++i)
        if (reinterpret_cast<const uint32_t*>(bmp.data())[i] != px[i]) return long(i);
    return -1;
}

} // namespace

// The map load writes the picture and a second copy band by band, the copy
// becoming the clean copy on Assign: both hold libjpeg's own pixels exactly,
// for whole, progressive, cut-short and damaged files, a picture large enough
// for its pages to be faulted in ahead of the decoder, and icon sizes.
TEST(UiPicture, LoadCopyHoldsThePixelsOfAPlainDecode) {
    vxtest::TempDir dir;
    const std::string big = makeDetailedJpeg(1600, 1500);
    const size_t sos = big.find("\xFF\xDA", 0, 2);
    ASSERT_NE(sos, std::string::npos);
    std::string marked = big;
    const size_t mid = sos + (big.size() - sos) / 3;
    marked[mid] = char(0xFF);
    marked[mid + 1] = char(0xD9);
    const struct {
        const char* file;
        std::string bytes;
        bool damaged;
    } cases[] = {{"big.jpg", big, false},
                 {"odd.jpg", makeDetailedJpeg(333, 250), false},
                 {"progressive.jpg", makeDetailedJpeg(301, 203, true), false},
                 {"cut.jpg", big.substr(0, sos + (big.size() - sos) * 2 / 3), true},
                 {"marked.jpg", marked, true},
                 {"icon.jpg", makeDetailedJpeg(16, 16), false},
                 {"tiny.jpg", makeDetailedJpeg(7, 5), false}};
    vxtest::DialogScope dialogs;
    TPicture shown, clean;
    shown.setKeepLoadCopy(true);
    // Twice each, the second time into buffers used before.
    for (int round = 0; round < 2; ++round) {
        for (const auto& c : cases) {
            dialogs->messages.clear();
            const std::string path = (dir / c.file).string();
            dir.write(c.file, c.bytes);
            int w = 0, h = 0;
            const std::vector<uint32_t> want = referenceDecode(c.bytes, w, h);
            ASSERT_NO_THROW(shown.LoadFromFile(path)) << c.file;
            ASSERT_EQ(shown.Width(), w) << c.file;
            ASSERT_EQ(shown.Height(), h) << c.file;
            EXPECT_EQ(firstDifference(shown.Bitmap(), want), -1) << c.file << " shown";
            clean.Assign(shown);
            EXPECT_EQ(firstDifference(clean.Bitmap(), want), -1) << c.file << " clean copy";
            EXPECT_EQ(firstDifference(shown.Bitmap(), want), -1) << c.file << " shown after copy";
            EXPECT_EQ(dialogs->messages.size(), c.damaged ? 1u : 0u) << c.file;
            if (c.damaged && !dialogs->messages.empty()) {
                EXPECT_EQ(dialogs->messages[0], damagedPictureMessage(path, shown.damage()));
            }
        }
    }
}

// The load copy stands only for the pixels as loaded: after a change, after
// a failed load and after being taken once, Assign copies what is there.
TEST(UiPicture, AssignCopiesWhatThePictureHoldsNow) {
    vxtest::TempDir dir;
    dir.write("a.jpg", makeDetailedJpeg(40, 30));
    dir.write("bad.jpg", "not a picture");
    TPicture shown, clean;
    shown.setKeepLoadCopy(true);
    shown.LoadFromFile((dir / "a.jpg").string());
    int w = 0, h = 0;
    std::vector<uint32_t> want = referenceDecode(dir.read("a.jpg"), w, h);

    shown.Bitmap().scanLine(3)[4] = 0xFF0000FFu; // drawn on, as icons are
    shown.Bitmap().changed({4, 3, 5, 4});
    want[size_t(3) * 40 + 4] = 0xFF0000FFu;
    clean.Assign(shown);
    EXPECT_EQ(firstDifference(clean.Bitmap(), want), -1) << "after a drawing";

    shown.LoadFromFile((dir / "a.jpg").string());
    EXPECT_THROW(shown.LoadFromFile((dir / "bad.jpg").string()), vx::PictureError);
    want[size_t(3) * 40 + 4] = referenceDecode(dir.read("a.jpg"), w, h)[size_t(3) * 40 + 4];
    TPicture other;
    other.Assign(shown);
    EXPECT_EQ(firstDifference(other.Bitmap(), want), -1) << "after a failed load";
    clean.Assign(shown);
    EXPECT_EQ(firstDifference(clean.Bitmap(), want), -1) << "taken a second time";
    EXPECT_EQ(firstDifference(other.Bitmap(), want), -1) << "the first taker keeps its pixels";
}

// A picture of the size shown is decoded over the one shown: no fresh raster
// for each map. A file refused once its size is known leaves the picture as
// it was; one damaged from its first rows is shown as far as it goes.
TEST(UiPicture, ALoadOfTheSizeShownWritesOverThePictureShown) {
    const int w = 96, h = 80;
    const std::string first = makeDetailedJpeg(w, h);
    const std::string other = makeJpeg(w, h, 10, 200, 90);
    const size_t sos = other.find("\xFF\xDA", 0, 2);
    ASSERT_NE(sos, std::string::npos);
    std::string marked = other;
    marked[sos + 20] = char(0xFF);
    marked[sos + 21] = char(0xD9);
    const struct {
        const char* file;
        std::string bytes;
        bool refused;
    } cases[] = {{"other.jpg", other, false},
                 {"progressive.jpg", makeDetailedJpeg(w, h, true), false},
                 {"cut-in-first-rows.jpg", other.substr(0, sos + 20), false},
                 {"marked-in-first-rows.jpg", marked, false},
                 {"too-many-scans.jpg", makeJpeg(w, h, 10, 200, 90, false, 2), true},
                 {"cut-header.jpg", other.substr(0, sos + 4), true}};
    for (const bool keepCopy : {false, true}) {
        for (const auto& c : cases) {
            TPicture pic;
            pic.setKeepLoadCopy(keepCopy);
            pic.LoadFromBytes("first.jpg", first.data(), first.size());
            const uint8_t* raster = pic.Bitmap().data();
            const uint64_t version = pic.Bitmap().version();
            int rw = 0, rh = 0;
            const std::vector<uint32_t> want = referenceDecode(c.refused ? first : c.bytes, rw, rh);
            if (c.refused) {
                EXPECT_THROW(pic.LoadFromBytes(c.file, c.bytes.data(), c.bytes.size()),
                             vx::PictureError)
                    << c.file;
                EXPECT_EQ(pic.Bitmap().version(), version) << c.file << ": nothing written";
            } else {
                ASSERT_NO_THROW(pic.LoadFromBytes(c.file, c.bytes.data(), c.bytes.size()))
                    << c.file;
            }
            EXPECT_EQ(pic.Bitmap().data(), raster) << c.file << " keepCopy " << keepCopy;
            EXPECT_EQ(firstDifference(pic.Bitmap(), want), -1)
                << c.file << " keepCopy " << keepCopy;
            TPicture clean;
            clean.Assign(pic);
            EXPECT_EQ(firstDifference(clean.Bitmap(), want), -1) << c.file << " clean copy";
        }
    }
    // Another size keeps its own raster apart until it has decoded.
    TPicture pic;
    pic.LoadFromBytes("first.jpg", first.data(), first.size());
    const std::string small = makeDetailedJpeg(40, 30);
    pic.LoadFromBytes("small.jpg", small.data(), small.size());
    int rw = 0, rh = 0;
    EXPECT_EQ(firstDifference(pic.Bitmap(), referenceDecode(small, rw, rh)), -1);
}
