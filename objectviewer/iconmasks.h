// Which file each icon picture of object classes 6 to 9 comes from. Pure: it
// searches folders and returns paths; loading the pictures is the window's.
#pragma once

#include <array>
#include <string>

namespace vx {

constexpr int iconClassFirst = 6;
constexpr int iconClassLast = 9;
constexpr int iconTypeLast = 42;
constexpr int iconTypes = iconTypeLast + 1;
constexpr int iconCount = (iconClassLast - iconClassFirst + 1) * iconTypes; // 172

inline constexpr const char* iconFallbackName = "Halvoryspec.jpg";

// Entry index of class 6..9 and type 0..42: (class - 6) * 43 + type, the
// order in which the icons are loaded. RangeError outside.
int iconIndex(int cls, int type);
// Whether (cls, type) has an icon entry at all.
bool hasIcon(int cls, int type);

// Search mask of an entry: upper-case hexadecimal class and type, then
// "_*.jpg", e.g. "090A_*.jpg". Matching is case-sensitive.
std::string iconMask(int cls, int type);

// For each entry, the picture file that folder (a path ending in "/") gives
// it: folder + the first matching name the directory search yields, or
// folder + "Halvoryspec.jpg" when that entry is a folder (or a link to one);
// empty when nothing matches (the entry then keeps what it has). A missing
// folder matches nothing.
using IconFiles = std::array<std::string, iconCount>;
IconFiles iconFilesIn(const std::string& folder);

// The folders searched: "gfxfiles/" beside the program at start-up, and
// "gfxfiles/" of the template folder on request ("./" when none is chosen).
std::string startupGfxFolder();
std::string customGfxFolder(const std::string& templateDir);

} // namespace vx
