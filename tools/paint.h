// Colours for the pictures the tools draw with cairo.
#pragma once

#include <cairo.h>

namespace vx::demo {

struct Rgb {
    double r, g, b;
};

inline Rgb shade(Rgb c, double k) {
    return {c.r * k, c.g * k, c.b * k};
}

inline void colour(cairo_t* cr, Rgb c, double alpha = 1) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

} // namespace vx::demo
