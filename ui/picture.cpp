#include "picture.h"

#include "support/dialogs.h"
#include "support/errors.h"
#include "support/helpers.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gio/gio.h>
#include <jerror.h>
#include <jpeglib.h>
#include <string_view>

namespace vx::ui {

bool pictureSizeAllowed(long long width, long long height, size_t fileSize) {
    if (width <= 0 || height <= 0) return false;
    const long long pixels = width * height;
    return pixels <= static_cast<long long>(TBitmap::maxPixels) &&
           pixels <= static_cast<long long>(fileSize) * 4096;
}

namespace {

constexpr const char* onlyJpegText = "only JPEG pictures are read";

[[noreturn]] void unreadable(const std::string& name, const std::string& why) {
    throw vx::PictureError("Unable to read the picture \"" + name + "\": " + why);
}

struct JpegErrors {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char text[JMSG_LENGTH_MAX];
    char warning[JMSG_LENGTH_MAX]; // the first warning: data cut short or damaged
};

void jpegFail(j_common_ptr c) {
    auto* e = reinterpret_cast<JpegErrors*>(c->err);
    (*c->err->format_message)(c, e->text);
    std::longjmp(e->jump, 1);
}

// libjpeg goes on past damaged or missing data (filling with grey) and only
// warns; the first warning is kept to tell the user.
void jpegWarn(j_common_ptr c, int level) {
    if (level >= 0) return; // trace messages
    auto* e = reinterpret_cast<JpegErrors*>(c->err);
    if (e->pub.num_warnings++ == 0) (*c->err->format_message)(c, e->warning);
}

// What libjpeg itself may hold while decoding: a progressive picture keeps
// every coefficient of the picture (up to 8 bytes a pixel), so a 4000 x 3000
// map needs about 100 MB.
constexpr long jpegMemoryLimit = 512L * 1024 * 1024;
// Real progressive pictures have about ten scans; each scan is a pass over
// the whole picture, so a file of thousands of tiny scans would keep the
// decoder busy for minutes.
constexpr int jpegScanLimit = 100;

struct JpegProgress {
    jpeg_progress_mgr pub;
    JpegErrors* errors;
    volatile bool tooManyScans = false;
};

void jpegProgress(j_common_ptr c) {
    auto* p = reinterpret_cast<JpegProgress*>(c->progress);
    if (reinterpret_cast<j_decompress_ptr>(c)->input_scan_number <= jpegScanLimit) return;
    p->tooManyScans = true;
    std::longjmp(p->errors->jump, 1);
}

// partial: the picture is there, its lower rows (from the first row that did
// not decode) grey, and why says what went wrong.
enum class JpegResult { ok, partial, failed, tooBig, overLimit, tooManyScans, noMemory };

// ok, or why a picture of that size is refused: more pixels than any raster
// of the program holds, or more than its file can describe.
JpegResult sizeCheck(long long width, long long height, size_t fileSize) {
    if (width > 0 && height > 0 && width * height > static_cast<long long>(TBitmap::maxPixels))
        return JpegResult::overLimit;
    return pictureSizeAllowed(width, height, fileSize) ? JpegResult::ok : JpegResult::tooBig;
}

constexpr uint32_t missingRowColour = 0xFF808080; // the grey libjpeg fills in with

// Rows first..last of out into copy, while they are still in the cache.
void copyRows(const TBitmap& out, TBitmap* copy, unsigned first, unsigned last) {
    if (copy && last > first)
        std::memcpy(copy->data() + size_t(first) * out.rowBytes(),
                    out.data() + size_t(first) * out.rowBytes(),
                    size_t(last - first) * out.rowBytes());
}

// What a decode may write into.
struct JpegTargets {
    TBitmap& spare; // when the picture's own raster has another size
    TBitmap* own;   // the picture's raster: written in place when its size is the new one
    TBitmap* copy;  // gets the same pixels, row band by row band
};

// n rows of rowBytes from at, for jpeg_read_scanlines.
void pointRows(JSAMPROW* rows, uint8_t* at, size_t rowBytes, unsigned n) {
    for (unsigned i = 0; i < n; ++i) rows[i] = at + i * rowBytes;
}

// Decodes into the picture's own raster when it has the new size, else into
// the spare; inPlace tells which. The first band is decoded aside: a decode
// that fails before any row came out leaves the picture as it was, and one
// that fails later shows the rows it has (as from the spare). No object with
// a destructor lives in this frame, so the long jump out of libjpeg skips
// nothing.
JpegResult jpegDecodeInto(const unsigned char* bytes, unsigned long size, const JpegTargets& to,
                          bool& inPlace, char* why) {
    jpeg_decompress_struct cinfo;
    JpegErrors err;
    JpegProgress progress;
    volatile unsigned rowsDone = 0;
    volatile bool sized = false;
    TBitmap* volatile target = &to.spare;
    uint8_t* volatile band = nullptr;
    TBitmap* const copy = to.copy;
    inPlace = false;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = jpegFail;
    err.pub.emit_message = jpegWarn;
    err.text[0] = 0;
    err.warning[0] = 0;
    progress.pub.progress_monitor = jpegProgress;
    progress.errors = &err;
    if (setjmp(err.jump)) {
        const bool memory =
            err.pub.msg_code == JERR_NO_BACKING_STORE || err.pub.msg_code == JERR_OUT_OF_MEMORY;
        jpeg_destroy_decompress(&cinfo);
        std::free(band);
        if (progress.tooManyScans) return JpegResult::tooManyScans;
        if (memory) return JpegResult::noMemory;
        std::snprintf(why, JMSG_LENGTH_MAX, "%s", err.text);
        if (!sized || rowsDone == 0) return JpegResult::failed;
        // Rows already decoded are shown, the rest grey.
        TBitmap& out = *target;
        for (int y = static_cast<int>(rowsDone); y < out.Height(); ++y)
            std::fill_n(out.scanLine(y), out.Width(), missingRowColour);
        copyRows(out, copy, rowsDone, static_cast<unsigned>(out.Height()));
        return JpegResult::partial;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = jpegMemoryLimit;
    cinfo.progress = &progress.pub;
    jpeg_mem_src(&cinfo, bytes, size);
    jpeg_read_header(&cinfo, TRUE);
    // Before jpeg_start_decompress: for a progressive picture it allocates the
    // whole picture and reads every scan.
    if (const JpegResult r = sizeCheck(cinfo.image_width, cinfo.image_height, size);
        r != JpegResult::ok) {
        jpeg_destroy_decompress(&cinfo);
        return r;
    }
    // B, G, R, A in memory is cairo's ARGB32 on a little-endian machine.
    cinfo.out_color_space = G_BYTE_ORDER == G_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB;
    jpeg_start_decompress(&cinfo);
    if (const JpegResult r = sizeCheck(cinfo.output_width, cinfo.output_height, size);
        r != JpegResult::ok) {
        jpeg_destroy_decompress(&cinfo);
        return r;
    }
    const int w = static_cast<int>(cinfo.output_width), h = static_cast<int>(cinfo.output_height);
    const size_t rowBytes = size_t(w) * 4;
    constexpr unsigned bandRows = 16;
    // Without room for the band the picture is decoded aside, as any other.
    if (to.own && to.own->Width() == w && to.own->Height() == h)
        band = static_cast<uint8_t*>(std::malloc(bandRows * rowBytes));
    if (band) target = to.own;
    try {
        target->setSizeUninitialized(w, h);
        if (copy) copy->setSizeUninitialized(w, h);
    } catch (...) {
        jpeg_destroy_decompress(&cinfo);
        std::free(band);
        return JpegResult::noMemory;
    }
    TBitmap& out = *target;
    inPlace = band != nullptr;
    sized = true;
    JSAMPROW rows[bandRows];
    while (cinfo.output_scanline < cinfo.output_height) {
        const unsigned first = cinfo.output_scanline;
        const unsigned n = std::min<unsigned>(bandRows, cinfo.output_height - first);
        const bool aside = band && first == 0; // nothing shown yet: the old picture stays
        pointRows(rows, aside ? band : out.data() + first * rowBytes, rowBytes, n);
        jpeg_read_scanlines(&cinfo, rows, n);
        if (aside) std::memcpy(out.data(), band, cinfo.output_scanline * rowBytes);
        copyRows(out, copy, first, cinfo.output_scanline);
        rowsDone = cinfo.output_scanline;
    }
    std::free(band);
    band = nullptr;
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    if (err.pub.num_warnings == 0) return JpegResult::ok;
    std::snprintf(why, JMSG_LENGTH_MAX, "%s", err.warning);
    return JpegResult::partial;
}

bool isJpegName(const std::string& name) {
    const auto dot = name.find_last_of('.');
    if (dot == std::string::npos) return false;
    const std::string ext = vx::lowerAscii(name.substr(dot));
    return ext == ".jpg" || ext == ".jpeg";
}

bool startsWith(const void* bytes, size_t size, std::string_view magic) {
    return size >= magic.size() && std::memcmp(bytes, magic.data(), magic.size()) == 0;
}
bool hasJpegSignature(const void* bytes, size_t size) {
    return startsWith(bytes, size, "\xFF\xD8\xFF");
}
bool hasPngSignature(const void* bytes, size_t size) {
    return startsWith(bytes, size, "\x89PNG\r\n\x1A\n");
}

// Decoders write a picture of another size into one spare bitmap; a good
// result is swapped into the picture, whose old buffer is then given back:
// kept for the next load, it would hold a third map-sized raster beside the
// picture and its clean copy.
TBitmap& spare() {
    static TBitmap bmp;
    return bmp;
}

} // namespace

namespace {

// As decodeJpeg, into to.own in place when inPlace comes back true.
std::string decodeJpegTo(const std::string& name, const void* bytes, size_t size,
                         const JpegTargets& to, bool& inPlace) {
    char why[JMSG_LENGTH_MAX] = "";
    const JpegResult result = jpegDecodeInto(static_cast<const unsigned char*>(bytes),
                                             static_cast<unsigned long>(size), to, inPlace, why);
    TBitmap& out = inPlace ? *to.own : to.spare;
    switch (result) {
    case JpegResult::ok:
        out.changed();
        if (to.copy) to.copy->changed();
        return {};
    case JpegResult::partial:
        out.changed();
        if (to.copy) to.copy->changed();
        return why[0] ? why : "data damaged";
    case JpegResult::tooBig:
        unreadable(name, "picture too large for its file");
    case JpegResult::overLimit:
        unreadable(name, "picture too large: more than the 4096 x 4096 pixel limit");
    case JpegResult::tooManyScans:
        unreadable(name, "too many scans");
    case JpegResult::noMemory:
        unreadable(name, "out of memory");
    case JpegResult::failed:
        break;
    }
    unreadable(name, why);
}

} // namespace

std::string decodeJpeg(const std::string& name, const void* bytes, size_t size, TBitmap& out,
                       TBitmap* copy) {
    bool inPlace = false;
    return decodeJpegTo(name, bytes, size, {out, nullptr, copy}, inPlace);
}

void decodePng(const std::string& name, const void* bytes, size_t size, TBitmap& out) {
    if (!hasPngSignature(bytes, size)) unreadable(name, "not a PNG picture");
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new_with_type("png", nullptr);
    if (!loader) unreadable(name, "no PNG reader");
    struct Guard {
        GdkPixbufLoader* l;
        size_t fileSize;
        bool tooBig = false;
        ~Guard() { g_object_unref(l); }
    } guard{loader, size};
    // Refuse absurd sizes before the loader allocates them: a size of 0 x 0
    // makes the loader give up (1 x 1 only scales the result, after decoding).
    g_signal_connect(loader, "size-prepared",
                     G_CALLBACK(+[](GdkPixbufLoader* l, gint w, gint h, gpointer data) {
                         auto* g = static_cast<Guard*>(data);
                         if (!pictureSizeAllowed(w, h, g->fileSize)) {
                             g->tooBig = true;
                             gdk_pixbuf_loader_set_size(l, 0, 0);
                         }
                     }),
                     &guard);
    // Fed in pieces, as the loaders decode what comes: a picture refused by
    // its header does not get the rest of its file. The first piece holds the
    // header of any format.
    GError* err = nullptr;
    const auto* data = static_cast<const guchar*>(bytes);
    bool written = true;
    for (size_t at = 0, piece = 4096; written && at < size && !guard.tooBig;
         at += piece, piece = 64 * 1024) {
        piece = std::min(piece, size - at);
        written = gdk_pixbuf_loader_write(loader, data + at, piece, &err);
    }
    if (guard.tooBig) {
        if (err) g_error_free(err);
        gdk_pixbuf_loader_close(loader, nullptr);
        unreadable(name, "picture too large for its file");
    }
    const bool closed = gdk_pixbuf_loader_close(loader, written ? &err : nullptr);
    if (!written || !closed) {
        std::string why = err ? err->message : "unknown format";
        if (err) g_error_free(err);
        unreadable(name, why);
    }
    GdkPixbuf* pb = gdk_pixbuf_loader_get_pixbuf(loader);
    if (!pb || gdk_pixbuf_get_bits_per_sample(pb) != 8) unreadable(name, "unknown format");
    const int w = gdk_pixbuf_get_width(pb), h = gdk_pixbuf_get_height(pb);
    const int nch = gdk_pixbuf_get_n_channels(pb), rs = gdk_pixbuf_get_rowstride(pb);
    const bool alpha = gdk_pixbuf_get_has_alpha(pb) && nch == 4;
    if (nch < 3) unreadable(name, "unknown format");
    out.setSizeUninitialized(w, h);
    const guchar* pix = gdk_pixbuf_get_pixels(pb);
    for (int y = 0; y < h; ++y) {
        const guchar* s = pix + size_t(y) * size_t(rs);
        uint32_t* d = out.scanLine(y);
        for (int x = 0; x < w; ++x, s += nch) {
            const uint32_t a = alpha ? s[3] : 255;
            auto pm = [a](uint32_t v) { return (v * a + 127) / 255; };
            d[x] = a << 24 | pm(s[0]) << 16 | pm(s[1]) << 8 | pm(s[2]);
        }
    }
    out.changed();
}

void TPicture::LoadFromBytes(const std::string& name, const void* bytes, size_t size) {
    // Only JPEG is decoded from a file: other formats are not needed, and
    // their readers trust sizes and sizes' allocations before any check here.
    if (!isJpegName(name)) unreadable(name, onlyJpegText);
    if (!hasJpegSignature(bytes, size)) unreadable(name, "not a JPEG file");
    TBitmap& tmp = spare();
    copyValid_ = false;
    if (keepCopy_ && !copy_) copy_ = std::make_unique<TBitmap>();
    // A map of the size shown is written over the one shown: no fresh raster.
    bool inPlace = false;
    std::string damage =
        decodeJpegTo(name, bytes, size, {tmp, &bmp_, keepCopy_ ? copy_.get() : nullptr}, inPlace);
    if (!inPlace) {
        bmp_.swapPixels(tmp);
        tmp.release();
    }
    damage_ = std::move(damage);
    copyValid_ = keepCopy_;
    copyOf_ = bmp_.version();
}

void TPicture::Assign(const TPicture& src) {
    if (&src == this) return;
    const TBitmap& from = src.bmp_;
    if (src.copyValid_ && src.copyOf_ == from.version() && src.copy_->Width() == from.Width() &&
        src.copy_->Height() == from.Height()) {
        // The copy made while decoding: taken, and this picture's old
        // buffer given back.
        bmp_.swapPixels(*src.copy_);
        src.copy_->release();
        src.copyValid_ = false;
        bmp_.setTransparentColor(from.TransparentColor());
        bmp_.setTransparent(from.Transparent());
        return;
    }
    bmp_.assign(from);
}

void TPicture::LoadFromFile(const std::string& path) {
    if (!isJpegName(path)) unreadable(path, onlyJpegText);
    gchar* contents = nullptr;
    gsize length = 0;
    if (g_file_test(path.c_str(), G_FILE_TEST_IS_DIR) ||
        !g_file_get_contents(path.c_str(), &contents, &length, nullptr))
        throw vx::FileError("Unable to open file \"" + path + "\"");
    struct Free {
        gchar* p;
        ~Free() { g_free(p); }
    } guard{contents};
    LoadFromBytes(path, contents, length);
    if (!damage_.empty()) vx::ShowMessage(damagedPictureMessage(path, damage_));
}

std::string damagedPictureMessage(const std::string& path, const std::string& why) {
    return "The picture \"" + path + "\" is damaged (" + why +
           "); it is shown as far as it could be read.";
}

void TPicture::LoadFromResource(const std::string& resourcePath) {
    GBytes* bytes =
        g_resources_lookup_data(resourcePath.c_str(), G_RESOURCE_LOOKUP_FLAGS_NONE, nullptr);
    if (!bytes) throw vx::FileError("No embedded picture \"" + resourcePath + "\"");
    struct Unref {
        GBytes* b;
        ~Unref() { g_bytes_unref(b); }
    } guard{bytes};
    gsize n = 0;
    const void* p = g_bytes_get_data(bytes, &n);
    TBitmap& tmp = spare();
    std::string damage;
    copyValid_ = false;
    if (hasPngSignature(p, n))
        decodePng(resourcePath, p, n, tmp);
    else if (hasJpegSignature(p, n))
        damage = decodeJpeg(resourcePath, p, n, tmp);
    else
        unreadable(resourcePath, "unknown format");
    bmp_.swapPixels(tmp);
    damage_ = std::move(damage);
}

void TPicture::Clear() {
    copyValid_ = false;
    bmp_.clear();
    damage_.clear();
}

} // namespace vx::ui
