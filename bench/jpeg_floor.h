// The floor of a picture load: libjpeg-turbo decoding the same JPEG into
// memory, with nothing else around it.
#pragma once

#include <jpeglib.h>

#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <sys/mman.h>

namespace vxbench {

// Decodes bytes into out (4 bytes a pixel, B G R A), which must hold
// width * height * 4 bytes; returns the picture's size.
inline void decodeJpegInto(const std::string& bytes, uint8_t* out, int& width, int& height) {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&cinfo);
    width = int(cinfo.output_width);
    height = int(cinfo.output_height);
    if (out) {
        const size_t stride = size_t(width) * 4;
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPROW row = out + size_t(cinfo.output_scanline) * stride;
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_decompress(&cinfo);
    } else {
        jpeg_abort_decompress(&cinfo);
    }
    jpeg_destroy_decompress(&cinfo);
}

// The picture's size in bytes as decoded.
inline size_t decodedBytes(const std::string& bytes) {
    int w = 0, h = 0;
    decodeJpegInto(bytes, nullptr, w, h);
    return size_t(w) * size_t(h) * 4;
}

// A buffer fresh from the system of the kind the program's pictures get:
// mapped on its own, huge pages asked for, its pages faulted in at once.
struct FreshBuffer {
    uint8_t* data = nullptr;
    size_t length = 0;
    explicit FreshBuffer(size_t size) : length(size) {
        void* p = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED) throw std::bad_alloc();
        data = static_cast<uint8_t*>(p);
        madvise(data, length, MADV_HUGEPAGE);
#ifdef MADV_POPULATE_WRITE
        madvise(data, length, MADV_POPULATE_WRITE);
#endif
    }
    ~FreshBuffer() {
        munmap(data, length);
    }
    FreshBuffer(const FreshBuffer&) = delete;
    FreshBuffer& operator=(const FreshBuffer&) = delete;
    uint8_t* get() const {
        return data;
    }
};

// Into memory fresh from the system, as a new process has.
inline std::unique_ptr<FreshBuffer> decodeJpegFresh(const std::string& bytes, size_t size) {
    auto out = std::make_unique<FreshBuffer>(size);
    int w = 0, h = 0;
    decodeJpegInto(bytes, out->get(), w, h);
    return out;
}

} // namespace vxbench
