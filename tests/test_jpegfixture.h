// Encodes test pictures as JPEG (the tests and the fuzz seeds).
#pragma once

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <jpeglib.h>
#include <string>
#include <vector>

namespace vxtest {

// scans: 0 baseline, 1 the usual progressive script, else one scan per
// coefficient band of each component (190 scans). fill writes row y (one or
// three bytes a pixel).
inline std::string encodeJpeg(int w, int h, bool gray, int scans,
                              const std::function<void(unsigned y, unsigned char* row)>& fill) {
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* buf = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &buf, &size);
    c.image_width = static_cast<JDIMENSION>(w);
    c.image_height = static_cast<JDIMENSION>(h);
    c.input_components = gray ? 1 : 3;
    c.in_color_space = gray ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 95, TRUE);
    std::vector<jpeg_scan_info> script;
    if (scans == 1) {
        jpeg_simple_progression(&c);
    } else if (scans > 1) {
        script.push_back({3, {0, 1, 2, 0}, 0, 0, 0, 0});
        for (int comp = 0; comp < 3; ++comp)
            for (int k = 1; k < 64; ++k) script.push_back({1, {comp, 0, 0, 0}, k, k, 0, 0});
        c.scan_info = script.data();
        c.num_scans = static_cast<int>(script.size());
    }
    jpeg_start_compress(&c, TRUE);
    std::vector<unsigned char> row(size_t(w) * size_t(c.input_components));
    while (c.next_scanline < c.image_height) {
        fill(c.next_scanline, row.data());
        JSAMPROW p = row.data();
        jpeg_write_scanlines(&c, &p, 1);
    }
    jpeg_finish_compress(&c);
    std::string out(reinterpret_cast<char*>(buf), size);
    jpeg_destroy_compress(&c);
    std::free(buf);
    return out;
}

} // namespace vxtest
