// Where landmarks sit on the map image, and which one a click reaches.
#pragma once

#include "mapeditor/calibration.h"
#include "mapeditor/lmfile.h"

namespace vx {

// A click reaches a landmark within 17 control pixels in each axis.
inline constexpr int pickTolerance = 18;

// The first record (1-based) whose point on the map image is within reach of
// (X, Y), or 0. De-activated records are found where their cross is drawn.
int findLandmarkAt(const Tlm& t, int k, const MapSizes& sz, int X, int Y);

} // namespace vx
