#include "calibration.h"

#include "support/errors.h"
#include "support/rtlconv.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

namespace vx {

namespace {

constexpr long double pi = std::numbers::pi_v<long double>;
constexpr long double degToRad = pi / 180;

// Two reference points per map whose picture positions are known.
struct MapReference {
    long double latA, latB, lonA, lonB, midLat, yA, yB, xA, xB;
};

constexpr std::array<MapReference, mapCount> references{{
    {49.7089347839355469L, 48.9250907897949219L, 4.43316555023193359L, 3.32407593727111816L,
     49.1723251342773438L, 320, 1957, 3615, 2103},
    {51.2344932556152344L, 50.0291900634765625L, 3.75058269500732422L, 2.34867429733276367L,
     50.4197235107421875L, 139, 2653, 3569, 1706},
    {49.6892738342285156L, 48.8042411804199219L, 6.48274564743041992L, 5.10526132583618164L,
     48.9391098022460938L, 174, 2021, 3655, 1769},
    {49.000946044921875L, 47.9361190795898438L, 7.68974876403808594L, 6.15311670303344727L,
     48.4699935913085937L, 298, 2521, 3536, 1410},
    {48.7256317138671875L, 48.5205192565917969L, 2.97567176818847656L, 2.69093465805053711L,
     48.6272850036621094L, 495, 2223, 3535, 1957},
}};

int32_t checkedSum(int64_t v) {
    if (v < INT32_MIN || v > INT32_MAX) throw RangeError("Range check error: Integer overflow");
    return static_cast<int32_t>(v);
}

const latlong& table(int k) {
    checkRange(k, 0, mapCount - 1, "map");
    return maptab[static_cast<size_t>(k)];
}

// Longitude scale of `lat` relative to the map's middle latitude.
long double cosRatio(const latlong& T, long double lat) {
    return std::cos(lat * degToRad) / std::cos(T[midLat] * degToRad);
}

int32_t shiftOf(const latlong& T, long double lat) {
    return roundToInt((cosRatio(T, lat) * 1000) * (-1) + 1000);
}

std::array<latlong, mapCount> computeMapTable() {
    std::array<latlong, mapCount> tab{};
    for (size_t k = 0; k < tab.size(); ++k) {
        const MapReference& r = references[k];
        latlong& T = tab[k];
        T[latA] = r.latA;
        T[latB] = r.latB;
        T[lonA] = r.lonA;
        T[lonB] = r.lonB;
        T[midLat] = r.midLat;
        T[yA] = r.yA;
        T[yB] = r.yB;
        T[xA] = r.xA;
        T[xB] = r.xB;
        T[northLat] = ((T[latA] - T[latB]) / (T[yB] - T[yA])) * T[yA] + T[latA];
        T[southLat] = T[latB] - ((T[latA] - T[latB]) / (T[yB] - T[yA])) * (3000 - T[yB]);
        T[eastLon] = ((T[lonA] - T[lonB]) / (T[xA] - T[xB])) * (4000 - T[xA]) + T[lonA];
        T[westLon] = T[lonB] - ((T[lonA] - T[lonB]) / (T[xA] - T[xB])) * T[xB];
        T[lonRange] = T[eastLon] - T[westLon];
        T[latRange] = T[northLat] - T[southLat];
        if (k >= 1) {
            T[xSpan] = T[xA] - T[xB];
            T[pxPerDeg] = (T[xA] - T[xB]) / (T[lonA] - T[lonB]);
            T[pxPerRad] = (T[pxPerDeg] * 360) / (pi * 2);
        }
    }
    return tab;
}

} // namespace

long double& latlong::operator[](int i) {
    checkRange(i, 0, 18, "latlong");
    return v[static_cast<size_t>(i)];
}

long double latlong::operator[](int i) const {
    checkRange(i, 0, 18, "latlong");
    return v[static_cast<size_t>(i)];
}

// Filled before main so that no reader ever sees an empty table.
std::array<latlong, mapCount> maptab = computeMapTable();

void initMapTable() {
    maptab = computeMapTable();
}

int32_t xShiftForLat(int k, long double lat) {
    return shiftOf(table(k), lat);
}

int32_t lonLatToX(int k, const MapSizes& sz, long double lon, long double lat) {
    const latlong& T = table(k);
    const int32_t x = roundToInt(cosRatio(T, lat) * ((lon - T[westLon]) / (T[lonRange] / sz.W)));
    return checkedSum(int64_t{x} + shiftOf(T, lat));
}

int32_t latToY(int k, const MapSizes& sz, long double lat) {
    const latlong& T = table(k);
    return roundToInt((T[northLat] - lat) / (T[latRange] / sz.H));
}

int32_t lonLatToPicX(int k, const MapSizes& sz, long double lon, long double lat) {
    const latlong& T = table(k);
    const double s = static_cast<double>(sz.PW) / sz.W;
    const int32_t x =
        roundToInt(((s * ((lon - T[westLon]) / (T[lonRange] / sz.W))) * std::cos(lat * degToRad)) /
                   std::cos(T[midLat] * degToRad));
    // The shift is added unscaled, the same pixels as on the image.
    return checkedSum(int64_t{x} + shiftOf(T, lat));
}

int32_t latToPicY(int k, const MapSizes& sz, long double lat) {
    const latlong& T = table(k);
    const double t = static_cast<double>(sz.PH) / sz.H;
    return roundToInt(t * ((T[northLat] - lat) / (T[latRange] / sz.H)));
}

std::pair<double, double> xyToLatLon(int x, int y, int k, const MapSizes& sz) {
    const latlong& T = table(k);
    const auto dLon = static_cast<double>(T[lonRange] / sz.W);
    const auto dLat = static_cast<double>(T[latRange] / sz.H);
    const double latProduct = y * dLat;
    const double lonProduct = x * dLon;
    return {static_cast<double>(T[northLat] - latProduct),
            static_cast<double>(lonProduct + T[westLon])};
}

int32_t tedScale(const MapSizes& sz) {
    if (sz.H == 0) throw RangeError("Division by zero: map image height is 0");
    return 4194304 / sz.H;
}

int32_t imgWminusH(const MapSizes& sz) {
    return checkedSum(int64_t{sz.W} - sz.H);
}

int32_t tedX0(const MapSizes& sz, int32_t x) {
    return checkedSum(int64_t{x} - imgWminusH(sz));
}

long double gcDistKm(long double lat1, long double lon1, long double lat2, long double lon2) {
    const long double phi1 = lat1 * degToRad;
    const long double phi2 = lat2 * degToRad;
    const long double lam1 = lon1 * degToRad;
    const long double lam2 = lon2 * degToRad;
    const long double arg =
        (std::cos(phi1) * std::cos(phi2)) * std::cos(lam2 - lam1) + std::sin(phi1) * std::sin(phi2);
    if (std::isnan(arg))
        throw RangeError("Invalid floating point operation: distance of non-finite coordinates");
    // Rounding can push the argument of two equal points a hair above 1.
    return 6378 * std::acos(std::clamp(arg, -1.0L, 1.0L));
}

} // namespace vx
