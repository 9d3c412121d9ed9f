#include "mapeditor/calibration.h"
#include "support/errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

using namespace vx;

namespace {

constexpr MapSizes full{4000, 3000, 4000, 3000};

std::string sig12(long double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.12Lg", v);
    return buf;
}

long double at(int k, int index) {
    return maptab[static_cast<size_t>(k)][index];
}

} // namespace

TEST(Calibration, DerivedValuesMatchTableToTwelveDigits) {
    struct Row {
        const char *north, *south, *east, *west, *lonR, *latR;
    };
    const Row rows[mapCount] = {
        {"49.862160244", "48.4256715559", "4.71557262761", "1.78147312242", "2.93409950519",
         "1.4364886881"},
        {"51.3011349198", "49.8628256213", "4.07491040268", "1.06490847531", "3.01000192737",
         "1.43830929849"},
        {"49.7726499478", "48.3351307483", "6.73472448675", "3.81323069758", "2.92149378917",
         "1.43751919947"},
        {"49.1436893808", "47.7066759323", "8.02511907274", "5.13399572184", "2.8911233509",
         "1.43701344849"},
        {"48.7843878865", "48.4282898704", "3.05957719038", "2.33781011778", "0.721767072593",
         "0.356098016103"},
    };
    initMapTable();
    for (int k = 0; k < mapCount; ++k) {
        SCOPED_TRACE("map " + std::to_string(k));
        const Row& r = rows[k];
        EXPECT_EQ(sig12(at(k, northLat)), r.north);
        EXPECT_EQ(sig12(at(k, southLat)), r.south);
        EXPECT_EQ(sig12(at(k, eastLon)), r.east);
        EXPECT_EQ(sig12(at(k, westLon)), r.west);
        EXPECT_EQ(sig12(at(k, lonRange)), r.lonR);
        EXPECT_EQ(sig12(at(k, latRange)), r.latR);
    }
}

TEST(Calibration, ScaleEntriesOnlyForMapsOneToFour) {
    initMapTable();
    for (int i : {13, int{xSpan}, int{pxPerRad}, int{pxPerDeg}}) EXPECT_EQ(at(0, i), 0.0L);
    EXPECT_EQ(at(1, 13), 0.0L);
    EXPECT_EQ(at(1, xSpan), 3569 - 1706);
    EXPECT_NEAR(static_cast<double>(at(1, pxPerDeg)),
                1863 / (3.75058269500732422 - 2.34867429733276367), 1e-9);
    EXPECT_NEAR(static_cast<double>(at(1, pxPerRad)),
                static_cast<double>(at(1, pxPerDeg)) * 180 / M_PI, 1e-6);
}

TEST(Calibration, RebuildGivesSameValues) {
    initMapTable();
    const auto before = maptab;
    maptab[2][northLat] = 0;
    initMapTable();
    for (int k = 0; k < mapCount; ++k)
        for (int i = 0; i < 19; ++i) EXPECT_EQ(at(k, i), before[static_cast<size_t>(k)][i]);
}

TEST(Calibration, IndexOutsideRecordIsRangeError) {
    EXPECT_THROW(maptab[0][19], RangeError);
    EXPECT_THROW(maptab[0][-1], RangeError);
}

TEST(CalibrationTransforms, CosineShift) {
    initMapTable();
    for (int k = 0; k < mapCount; ++k) EXPECT_EQ(xShiftForLat(k, at(k, midLat)), 0);
    EXPECT_EQ(xShiftForLat(1, 51.3L), 19);
    EXPECT_EQ(xShiftForLat(1, 49.0L), -30);
}

TEST(CalibrationTransforms, PictureCornersAtFullSize) {
    initMapTable();
    for (int k = 0; k < mapCount; ++k) {
        SCOPED_TRACE("map " + std::to_string(k));
        const long double mid = at(k, midLat);
        EXPECT_EQ(lonLatToPicX(k, full, at(k, westLon), mid), 0);
        EXPECT_EQ(lonLatToPicX(k, full, at(k, eastLon), mid), 4000);
        EXPECT_EQ(latToPicY(k, full, at(k, northLat)), 0);
        EXPECT_EQ(latToPicY(k, full, at(k, southLat)), 3000);
        // At zoom 1024 the image and the picture agree.
        for (long double lat : {at(k, northLat), mid, at(k, southLat), mid + 0.3L}) {
            for (long double lon : {at(k, westLon), at(k, westLon) + 0.77L, at(k, eastLon)}) {
                EXPECT_EQ(lonLatToX(k, full, lon, lat), lonLatToPicX(k, full, lon, lat));
                EXPECT_EQ(latToY(k, full, lat), latToPicY(k, full, lat));
            }
        }
    }
}

TEST(CalibrationTransforms, HalfZoomScalesAllButTheShift) {
    initMapTable();
    const MapSizes half{2000, 1500, 4000, 3000};
    const long double lat = 51.3L, lon = 2.9L;
    const int shift = xShiftForLat(1, lat);
    ASSERT_EQ(shift, 19);
    const int picX = lonLatToPicX(1, full, lon, lat);
    const int picY = latToPicY(1, full, lat);
    EXPECT_NEAR(latToY(1, half, lat), picY / 2.0, 1.0);
    EXPECT_NEAR(lonLatToX(1, half, lon, lat), picX / 2.0 + shift / 2.0, 1.0);
    // On the picture the half-size image still maps to full picture pixels.
    EXPECT_EQ(lonLatToPicX(1, half, lon, lat), picX);
    EXPECT_EQ(latToPicY(1, half, lat), picY);
}

TEST(CalibrationTransforms, InverseHitsCorners) {
    initMapTable();
    for (const MapSizes& sz : {full, MapSizes{1345, 1009, 4000, 3000}}) {
        for (int k = 0; k < mapCount; ++k) {
            auto [lat0, lon0] = xyToLatLon(0, 0, k, sz);
            EXPECT_EQ(lat0, static_cast<double>(at(k, northLat)));
            EXPECT_EQ(lon0, static_cast<double>(at(k, westLon)));
            auto [lat1, lon1] = xyToLatLon(sz.W, sz.H, k, sz);
            EXPECT_NEAR(lat1, static_cast<double>(at(k, southLat)), 1e-12);
            EXPECT_NEAR(lon1, static_cast<double>(at(k, eastLon)), 1e-12);
        }
    }
}

TEST(CalibrationTransforms, InverseOfRowIsLinear) {
    initMapTable();
    auto [lat, lon] = xyToLatLon(2000, 1500, 3, full);
    EXPECT_NEAR(lat, static_cast<double>((at(3, northLat) + at(3, southLat)) / 2), 1e-12);
    EXPECT_NEAR(lon, static_cast<double>((at(3, westLon) + at(3, eastLon)) / 2), 1e-12);
    EXPECT_EQ(latToY(3, full, lat), 1500);
}

TEST(CalibrationTransforms, TiesRoundToEven) {
    initMapTable();
    // A latitude whose distance from the north edge is exactly half the range,
    // so that with H = 2 the row before scaling is exactly 1 and PH / H gives
    // the tie.
    int k = -1;
    long double lat = 0;
    for (int m = 0; m < mapCount && k < 0; ++m) {
        const long double half = at(m, latRange) / 2;
        const long double candidate = at(m, northLat) - half;
        if (at(m, northLat) - candidate == half) {
            k = m;
            lat = candidate;
        }
    }
    ASSERT_GE(k, 0) << "no map gives an exact half range";
    struct Case {
        int PH, expected;
    };
    for (const Case c : {Case{5, 2}, Case{7, 4}, Case{-5, -2}, Case{-7, -4}, Case{3, 2}}) {
        SCOPED_TRACE("PH " + std::to_string(c.PH));
        EXPECT_EQ(latToPicY(k, MapSizes{4000, 2, 4000, c.PH}, lat), c.expected);
    }
}

TEST(CalibrationTransforms, MapIndexOutsideTableIsRangeError) {
    const std::function<void(int)> calls[] = {
        [](int k) { xShiftForLat(k, 49); },    [](int k) { lonLatToX(k, full, 3, 49); },
        [](int k) { latToY(k, full, 49); },    [](int k) { lonLatToPicX(k, full, 3, 49); },
        [](int k) { latToPicY(k, full, 49); }, [](int k) { xyToLatLon(10, 10, k, full); },
    };
    for (const auto& call : calls) {
        for (int k : {-1, 5}) EXPECT_THROW(call(k), RangeError);
        EXPECT_NO_THROW(call(0));
    }
}

TEST(CalibrationTransforms, ResultOutsideIntegerIsRangeError) {
    initMapTable();
    EXPECT_THROW(lonLatToX(0, full, 1e9L, 49), RangeError);
    EXPECT_THROW(lonLatToPicX(0, full, -1e9L, 49), RangeError);
    EXPECT_THROW(latToY(0, full, -1e9L), RangeError);
    EXPECT_THROW(latToPicY(0, full, 1e9L), RangeError);
    // Zero sizes give non-finite values, never an undefined conversion.
    EXPECT_THROW(latToPicY(0, MapSizes{0, 0, 4000, 3000}, 49), RangeError);
    EXPECT_THROW(lonLatToPicX(0, MapSizes{0, 0, 0, 0}, 3, 49), RangeError);
    EXPECT_THROW(xShiftForLat(0, NAN), RangeError);
    // Values just inside the range still convert.
    EXPECT_NO_THROW(latToY(0, full, at(0, northLat) - 700000 * at(0, latRange)));
}

TEST(CalibrationTransforms, GridHelpers) {
    EXPECT_EQ(tedScale(full), 1398);
    EXPECT_EQ(tedScale(MapSizes{1345, 1009, 4000, 3000}), 4156);
    EXPECT_EQ(imgWminusH(full), 1000);
    EXPECT_EQ(tedX0(full, 1500), 500);
    EXPECT_EQ(tedX0(full, 0), -1000);
    EXPECT_THROW(tedScale(MapSizes{4000, 0, 4000, 3000}), RangeError);
    EXPECT_THROW(tedX0(MapSizes{INT32_MAX, -1, 0, 0}, 0), RangeError);
}

TEST(CalibrationDistance, GreatCircle) {
    EXPECT_EQ(gcDistKm(49.1L, 3.3L, 49.1L, 3.3L), 0.0L);
    EXPECT_EQ(gcDistKm(0.1L, 0.2L, 0.1L, 0.2L), 0.0L);
    EXPECT_NEAR(static_cast<double>(gcDistKm(49, 3, 50, 3)), 6378 * M_PI / 180, 1e-9);
    EXPECT_NEAR(static_cast<double>(gcDistKm(49, 3, 50, 3)), 111.3, 0.05);
    EXPECT_NEAR(static_cast<double>(gcDistKm(0, 0, 0, 180)), 6378 * M_PI, 1e-6);
    // Symmetric, and the same whichever point comes first.
    EXPECT_EQ(gcDistKm(48.5L, 2.7L, 49.9L, 4.1L), gcDistKm(49.9L, 4.1L, 48.5L, 2.7L));
    // Many equal points: the clamped argument never gives NaN.
    for (int i = 0; i < 2000; ++i) {
        const long double lat = 47.5L + i * 0.00197L, lon = 1.0L + i * 0.00391L;
        const long double d = gcDistKm(lat, lon, lat, lon);
        ASSERT_FALSE(std::isnan(d));
        ASSERT_LT(d, 1e-3L);
    }
    EXPECT_THROW(gcDistKm(NAN, 0, 0, 0), RangeError);
}
