// The five 4000 x 3000 map pictures of the demo data, drawn with the map
// calibration so that places appear where their landmarks say.
#pragma once

#include "demo_world.h"

#include <string>

namespace vx::demo {

constexpr int mapWidth = 4000;
constexpr int mapHeight = 3000;

// JPEG bytes of map k: terrain, forests, rivers, roads, railways, towns at
// the landmarks, the front line and a labelled latitude/longitude grid.
std::string mapJpeg(int k, const MapPlan& plan);

} // namespace vx::demo
