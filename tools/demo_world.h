// The made-up world of the demo data: named places, rivers, forests and the
// front line of each of the five maps, in degrees.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vx::demo {

struct LatLon {
    double lat, lon;
};

enum : uint8_t { central = 0, entente = 1 };

struct Place {
    const char* name; // at most 39 characters
    double lat, lon;
    uint8_t type; // landmark type code
    uint8_t side;
    bool active = true;
};

struct River {
    const char* name;
    std::vector<LatLon> course; // from source to mouth
};

struct Forest {
    const char* name; // empty: not labelled
    LatLon centre;
    double radiusKm;
};

struct MapPlan {
    const char* picture; // "marne.jpg" ...
    const char* title;
    std::vector<Place> places;
    std::vector<River> rivers;
    std::vector<Forest> forests;
    std::vector<LatLon> front; // Central holds the side to the north and east
};

// The five maps in the order of the map index.
const std::vector<MapPlan>& mapPlans();

// A brigade of a brigade template file.
struct Brigade {
    std::string name;
    LatLon at;
    uint8_t code; // brigade code, any byte
    uint8_t objnum;
    uint8_t side;
    bool active = true;
};

// Brigades of map k, placed on both sides along its front line.
std::vector<Brigade> brigadesOf(int k);

} // namespace vx::demo
