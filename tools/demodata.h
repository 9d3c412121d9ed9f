// The demo data set: a folder laid out like the simulator's data, made from
// scratch by code (landmark and brigade templates, object files, icon
// pictures, the five map pictures, the object-file list).
#pragma once

#include <string>

namespace vx::demo {

// Lists what the last complete run wrote; present and current means done.
inline constexpr const char* stampName = ".vx_demodata.stamp";

// Writes the data set into outdir (made when missing) unless the stamp shows
// a complete set written by this version of the generator. Returns true when
// it wrote the set. FileError when a file cannot be written.
bool generateDemoData(const std::string& outdir);

// True when outdir holds a complete set written by this version.
bool demoDataIsCurrent(const std::string& outdir);

} // namespace vx::demo
