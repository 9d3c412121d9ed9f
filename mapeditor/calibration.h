// Calibration of the five maps and the transforms between degrees and pixels,
// on the 4000 x 3000 picture and on the map image as shown (whose size follows
// the zoom). Pure functions of the map index k and the sizes.
#pragma once

#include <array>
#include <cstdint>
#include <utility>

namespace vx {

// Indexes into a latlong. 13 is never set; 14 to 16 only for maps 1 to 4.
enum latlongIndex : int {
    northLat = 0, // latitude of picture row 0
    southLat = 1, // latitude of picture row 3000
    eastLon = 2,  // longitude of picture column 4000
    westLon = 3,  // longitude of picture column 0
    latA = 4,
    latB = 5,
    lonA = 6,
    lonB = 7,
    midLat = 8, // latitude where the longitude scale needs no correction
    yA = 9,
    yB = 10,
    xA = 11,
    xB = 12,
    xSpan = 14,
    pxPerRad = 15,
    pxPerDeg = 16,
    lonRange = 17,
    latRange = 18,
};

struct latlong {
    std::array<long double, 19> v{};
    long double& operator[](int i);
    long double operator[](int i) const;
};

constexpr int mapCount = 5;

extern std::array<latlong, mapCount> maptab;
void initMapTable();

// W x H: the map image as shown; PW x PH: the loaded picture.
struct MapSizes {
    int W, H, PW, PH;
};

// Every transform throws RangeError for k outside 0..4 and for a result that
// does not fit 32 bits (including non-finite values from zero sizes).
int32_t xShiftForLat(int k, long double lat);
int32_t lonLatToX(int k, const MapSizes& sz, long double lon, long double lat);
int32_t latToY(int k, const MapSizes& sz, long double lat);
int32_t lonLatToPicX(int k, const MapSizes& sz, long double lon, long double lat);
int32_t latToPicY(int k, const MapSizes& sz, long double lat);
// (latitude, longitude) of an image position; no cosine correction.
std::pair<double, double> xyToLatLon(int x, int y, int k, const MapSizes& sz);

int32_t tedScale(const MapSizes& sz); // RangeError when H is 0
int32_t imgWminusH(const MapSizes& sz);
int32_t tedX0(const MapSizes& sz, int32_t x);

// Great-circle distance in km on a sphere of radius 6378 km. The arccos
// argument is limited to [-1, 1], so a point with itself gives 0.
long double gcDistKm(long double lat1, long double lon1, long double lat2, long double lon2);

} // namespace vx
