// Where landmarks sit on the map image, and which one a click reaches.
#pragma once

#include "mapeditor/calibration.h"
#include "mapeditor/lmfile.h"

#include <optional>

namespace vx {

// Where a landmark sits on the map image (as shown) or on the picture, or
// nothing when its co-ordinates are too far out to be a pixel position (a
// damaged file); such a landmark lies off the map either way.
std::optional<TPoint> imagePoint(int k, const MapSizes& sz, long double lon, long double lat);
std::optional<TPoint> picturePoint(int k, const MapSizes& sz, long double lon, long double lat);

// A click reaches a landmark within 17 control pixels in each axis.
inline constexpr int pickTolerance = 18;

// The first record (1-based) whose point on the map image is within reach of
// (X, Y), or 0. De-activated records are found where their cross is drawn.
int findLandmarkAt(const Tlm& t, int k, const MapSizes& sz, int X, int Y);

} // namespace vx
