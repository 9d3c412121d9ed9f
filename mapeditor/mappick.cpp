#include "mapeditor/mappick.h"

#include "support/errors.h"

#include <cmath>
#include <cstdlib>

namespace vx {

namespace {

// A point whose transform overflows is no pixel; a bad map index still is an error.
template <class Transform> std::optional<TPoint> pointOrNone(int k, Transform transform) {
    checkRange(k, 0, mapCount - 1, "map");
    try {
        return transform();
    } catch (const RangeError&) {
        return std::nullopt;
    }
}

} // namespace

std::optional<TPoint> imagePoint(int k, const MapSizes& sz, long double lon, long double lat) {
    return pointOrNone(k, [&] { return TPoint{lonLatToX(k, sz, lon, lat), latToY(k, sz, lat)}; });
}

std::optional<TPoint> picturePoint(int k, const MapSizes& sz, long double lon, long double lat) {
    return pointOrNone(k, [&] {
        return TPoint{lonLatToPicX(k, sz, lon, lat), latToPicY(k, sz, lat)};
    });
}

int findLandmarkAt(const Tlm& t, int k, const MapSizes& sz, int X, int Y) {
    for (int i = 1; i <= t.count(); ++i) {
        const landmark& r = t.rec(i);
        const auto p = imagePoint(k, sz, std::fabs(r.lon), std::fabs(r.lat));
        if (p && std::llabs(static_cast<long long>(p->X) - X) < pickTolerance &&
            std::llabs(static_cast<long long>(p->Y) - Y) < pickTolerance)
            return i;
    }
    return 0;
}

} // namespace vx
