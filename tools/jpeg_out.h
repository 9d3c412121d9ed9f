// JPEG encoding of a cairo image surface, straight from its pixel buffer.
#pragma once

#include <cairo.h>

#include <string>

namespace vx::demo {

// `surface` must be a CAIRO_FORMAT_RGB24 image surface. FileError when the
// encoder fails.
std::string encodeJpeg(cairo_surface_t* surface, int quality);

} // namespace vx::demo
