#include "jpeg_out.h"

#include "support/errors.h"

#include <bit>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace vx::demo {

namespace {

struct ErrorJump {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
};

[[noreturn]] void onError(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorJump*>(cinfo->err)->jump, 1);
}

// Only plain C objects live in this frame, so the longjmp skips no destructor.
bool encode(cairo_surface_t* surface, int quality, unsigned char** out, unsigned long* size) {
    static_assert(std::endian::native == std::endian::little, "RGB24 is B, G, R, X in memory");
    jpeg_compress_struct cinfo;
    ErrorJump err;
    cinfo.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = onError;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, out, size);
    cinfo.image_width = static_cast<JDIMENSION>(cairo_image_surface_get_width(surface));
    cinfo.image_height = static_cast<JDIMENSION>(cairo_image_surface_get_height(surface));
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const auto stride = static_cast<size_t>(cairo_image_surface_get_stride(surface));
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = data + cinfo.next_scanline * stride;
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

} // namespace

std::string encodeJpeg(cairo_surface_t* surface, int quality) {
    // An opaque ARGB32 picture has the same bytes as RGB24; alpha is dropped.
    const cairo_format_t fmt = cairo_image_surface_get_format(surface);
    if (fmt != CAIRO_FORMAT_RGB24 && fmt != CAIRO_FORMAT_ARGB32)
        throw FileError("JPEG encoding needs an RGB24 or ARGB32 picture");
    cairo_surface_flush(surface);
    unsigned char* buf = nullptr;
    unsigned long size = 0;
    const bool ok = encode(surface, quality, &buf, &size);
    std::string bytes = ok ? std::string(reinterpret_cast<const char*>(buf), size) : std::string();
    std::free(buf);
    if (!ok) throw FileError("JPEG encoding failed");
    return bytes;
}

} // namespace vx::demo
