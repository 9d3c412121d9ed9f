// Icon pictures of objects of classes 6 to 9 for the demo "gfxfiles"
// folders: small top views drawn by code.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vx::demo {

struct IconKind {
    uint8_t cls, type;
    const char* label; // the text after "CCTT_"
};

const std::vector<IconKind>& iconKinds();

// "CCTT_label.jpg" with upper-case hexadecimal digits.
std::string iconFileName(const IconKind& kind);

constexpr int iconPixels = 64;

// A 64 x 64 JPEG of the object seen from above; `winter` gives the snowy
// variant of the template folder's own set.
std::string iconJpeg(const IconKind& kind, bool winter);

// The fallback picture used where an icon's name is taken by a folder.
std::string fallbackJpeg();

} // namespace vx::demo
