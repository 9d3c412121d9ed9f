#include "mapeditor/mappick.h"

#include <cmath>
#include <cstdlib>

namespace vx {

int findLandmarkAt(const Tlm& t, int k, const MapSizes& sz, int X, int Y) {
    for (int i = 1; i <= t.count(); ++i) {
        const landmark& r = t.rec(i);
        const long double lon = std::fabs(r.lon), lat = std::fabs(r.lat);
        const int hx = lonLatToX(k, sz, lon, lat);
        const int hy = latToY(k, sz, lat);
        if (std::llabs(static_cast<long long>(hx) - X) < pickTolerance &&
            std::llabs(static_cast<long long>(hy) - Y) < pickTolerance)
            return i;
    }
    return 0;
}

} // namespace vx
