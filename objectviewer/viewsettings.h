// The texts and numbers behind the viewer's view controls: the magnification
// caption, the wheel's zoom step, the catalogue of objects that can be added.
#pragma once

#include <string>
#include <vector>

namespace vx {

// " <100 / s> % " with one decimal, s being the feet per pixel of the
// magnification position (position 50 gives " 40.0 % ").
std::string magnifactText(int magPosition);
// The magnification position a wheel turn of delta asks for (2 positions a
// notch, cut toward zero); the track bar keeps it in its range.
constexpr int wheelMagTarget(int position, int delta) {
    return position + delta / 60;
}
// The lines "$cc:$tt: <name>" for classes 6 to 9, 19 and 20 and types 0 to 42,
// leaving out the names that hold the class number as two decimal digits.
std::vector<std::string> lobjectsCatalogue();

} // namespace vx
