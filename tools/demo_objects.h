// Object files of the demo data: the vehicles, defences, forces and
// structures placed around a landmark's origin, in feet.
#pragma once

#include "support/records.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vx::demo {

// The objects at a landmark of `type` (a brigade's when `brigade` is set) on
// `side`; `variant` turns and varies the layout from site to site.
std::vector<LOobject> siteObjects(uint8_t type, uint8_t side, uint8_t variant, bool brigade);

// Header (count, record size 20) followed by the records.
std::string objectFileBytes(const std::vector<LOobject>& objs);

// Object files that try the reader's edges: no records, fewer records than
// counted, a foreign record size, more records than a table holds, and
// classes and types without a name. No landmark names them; the viewer's
// file list offers them.
struct OddObjectFile {
    std::string name;
    std::string bytes;
};
std::vector<OddObjectFile> oddObjectFiles();

} // namespace vx::demo
