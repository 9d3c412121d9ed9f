// Filling the icon pictures from a folder.
#pragma once

#include <string>
#include <vector>

namespace vx {

// Loads every entry of objPics that folder (ending in "/") has a picture
// for. An entry whose file is missing or not a readable picture keeps what
// it had; the others still load. Returns the files that could not be read.
std::vector<std::string> loadIconsOf(const std::string& folder);

} // namespace vx
