// The program's own pictures, embedded as a GResource bundle.
#pragma once

#include <string>

namespace vx {

// Ten 16 x 16 landmark markers side by side (160 x 16), image k for type
// code k; the top-left pixels of every image are a red anchor mark.
inline constexpr const char* resGlist = "/vexton/icons/glist.png";         // Central, bright
inline constexpr const char* resAllist = "/vexton/icons/allist.png";       // Entente, bright
inline constexpr const char* resDimGlist = "/vexton/icons/dimGlist.png";   // Central, dim
inline constexpr const char* resDimAllist = "/vexton/icons/dimAllist.png"; // Entente, dim
// The map area's picture before the first load (1345 x 888).
inline constexpr const char* resStartpic = "/vexton/startpic.png";

inline constexpr int markerSize = 16;
inline constexpr int markerCount = 10;

// Makes the bundle visible to g_resources_* and gdk_pixbuf_new_from_resource;
// safe to call more than once.
void registerResources();

// The bytes of one embedded file; FileError when the bundle has no such path.
std::string resourceBytes(const std::string& path);

} // namespace vx
