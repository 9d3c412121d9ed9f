#include "support/errors.h"
#include "support/rtlconv.h"

#include "testsupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <clocale>
#include <cmath>
#include <limits>
#include <random>
#include <string>

using namespace vx;

namespace {

constexpr long double inf = std::numeric_limits<long double>::infinity();
constexpr long double nan_ = std::numeric_limits<long double>::quiet_NaN();

// A latitude as the landmark file holds it.
constexpr float singleLat = 49.70893478393555f; // exactly 49.708934783935546875
constexpr float singleLon = 4.433165550231934f; // exactly 4.43316555023193359375

struct FloatStrCase {
    long double x;
    int width, decimals;
    const char* want;
};

} // namespace

TEST(FloatStr, FixedPointText) {
    const FloatStrCase cases[] = {
        {2.5, 5, 2, " 2.50"},
        {-0.004, 0, 2, "-0.00"},
        {0.125, 0, 2, "0.13"}, // an exact tie rounds away from zero
        {-0.125, 0, 2, "-0.13"},
        {12345.678, 4, 1, "12345.7"}, // longer than the width: not cut
        {7, 4, 0, "   7"},
        {9.96, 0, 1, "10.0"}, // rounding up adds a digit
        {999.9999, 0, 2, "1000.00"},
        {0.5, 0, 0, "1"},
        {-0.5, 0, 0, "-1"},
        {2.5, 0, 0, "3"},
        {0.001, 0, 0, "0"},
        {-0.001, 0, 0, "-0"},
        {0, 0, 0, "0"},
        {0, 5, 2, " 0.00"},
        {-0.0L, 0, 1, "-0.0"},
        {1e-30L, 0, 2, "0.00"},
        {-1e-30L, 0, 2, "-0.00"},
        {350, 10, 0, "       350"},
        {0, 10, 5, "   0.00000"},
        {0.15, 0, 1, "0.1"}, // the double 0.15 lies below the tie
        {1.0049999999999999L, 0, 2, "1.00"},
        {inf, 6, 0, "  +Inf"},
        {-inf, 0, 3, "-Inf"},
        {nan_, 4, 2, " Nan"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(floatStr(c.x, c.width, c.decimals), c.want)
            << static_cast<double>(c.x) << " " << c.width << " " << c.decimals;
}

// Extended values one bit below a tie print as "..4999..9x" in 21 digits; they
// round up unless the second-last digit falls below 8.
TEST(FloatStr, HalfThatLostItsLastBitRoundsUp) {
    const FloatStrCase cases[] = {
        {0.35L, 0, 1, "0.4"},   // 0.349999999999999999995
        {0.45L, 0, 1, "0.5"},   // 0.449999999999999999989
        {1.15L, 0, 1, "1.2"},   // 1.14999999999999999998
        {2.675L, 0, 2, "2.68"}, // 2.67499999999999999996
        {0.285L, 0, 2, "0.29"},
        {std::nextafter(0.35L, 0.0L), 0, 1, "0.3"}, // 0.349999999999999999967
    };
    for (const auto& c : cases) EXPECT_EQ(floatStr(c.x, c.width, c.decimals), c.want) << c.want;
}

TEST(FloatStr, TwentyOneSignificantDigits) {
    // 1000000000000000000.125 has 22 digits: the 21st rounds ties to even
    // first, so the later rounding to places sees no tie.
    EXPECT_EQ(floatStr(1000000000000000000.125L, 0, 2), "1000000000000000000.12");
    EXPECT_EQ(floatStr(1000000000000000000.125L, 0, 3), "1000000000000000000.120");
    EXPECT_EQ(floatStr(1000000000000000000.375L, 0, 3), "1000000000000000000.380");
    // Digits beyond the 21 significant ones print as zeros.
    EXPECT_EQ(floatStr(std::ldexp(1.0L, 90), 0, 0), "1237940039285380274900000000");
    EXPECT_EQ(floatStr(std::ldexp(1.0L, 90), 0, 1), "1237940039285380274900000000.0");
}

TEST(FloatStr, SinglePrecisionValuesPrintExactly) {
    EXPECT_EQ(floatStr(49.5f, 20, 16), " 49.5000000000000000");
    EXPECT_EQ(floatStr(singleLat, 20, 16), " 49.7089347839355469");
    EXPECT_EQ(floatStr(singleLat, 20, 17), "49.70893478393554688");
    EXPECT_EQ(floatStr(-singleLat, 20, 17), "-49.70893478393554688");
    EXPECT_EQ(floatStr(0.1f, 20, 17), " 0.10000000149011612");
    EXPECT_EQ(floatStr(singleLon, 10, 6), "  4.433166");
}

TEST(FloatStr, WidthAndDecimalsAreBytes) {
    EXPECT_EQ(floatStr(1, 80, 0).size(), 80u);
    EXPECT_EQ(floatStr(-1, 0, 255).size(), 258u);
    EXPECT_THROW(floatStr(1, 256, 0), RangeError);
    EXPECT_THROW(floatStr(1, 0, -1), RangeError);
}

TEST(RoundToInt, NearestWithTiesToEven) {
    const struct {
        long double x;
        int32_t want;
    } cases[] = {
        {0.5, 0},
        {1.5, 2},
        {2.5, 2},
        {-0.5, 0},
        {-1.5, -2},
        {-2.5, -2},
        {2.4999, 2},
        {45.5, 46},
        {44.5, 44},
        {359.7, 360},
        {-0.0L, 0},
        {2147483647.4L, 2147483647},
        {-2147483648.5L, -2147483648LL},
    };
    for (const auto& c : cases) EXPECT_EQ(roundToInt(c.x), c.want) << static_cast<double>(c.x);
}

// The rounding is the current mode's (nearest, ties to even) without saving
// and restoring the floating-point state: the same value as nearbyintl for
// every input, checked over ties, near-ties, small and large values of both signs.
TEST(RoundToInt, SameAsNearbyintOverManyValues) {
    std::mt19937_64 gen(7);
    std::uniform_real_distribution<double> wide(-2.1e9, 2.1e9), narrow(-1000, 1000);
    long checked = 0;
    for (int i = 0; i < 400000; ++i) {
        const long double base = i % 2 ? wide(gen) : narrow(gen);
        const long double t = std::floor(base) + 0.5L;
        for (long double x : {base, t, std::nextafter(t, 0.0L), std::nextafter(t, 1e10L),
                              base / 1024, std::floor(base)}) {
            if (std::fabs(x) > 2147483647.0L) continue;
            ASSERT_EQ(roundToInt(x), static_cast<int32_t>(std::nearbyint(x)))
                << static_cast<double>(x);
            ++checked;
        }
    }
    EXPECT_GT(checked, 2000000);
}

TEST(RoundToInt, OutsideThirtyTwoBitsIsRangeError) {
    for (long double x : {2147483647.5L, -2147483649.0L, 1e30L, inf, -inf, nan_})
        EXPECT_THROW(roundToInt(x), RangeError) << static_cast<double>(x);
}

TEST(Format, IntegerDirectives) {
    EXPECT_EQ(Format("%3D ", {7LL}), "  7 ");
    EXPECT_EQ(Format("%3D ", {512LL}), "512 ");
    EXPECT_EQ(fmtInt("# %3D", -5), "#  -5");
    EXPECT_EQ(fmtInt(" guess %3D", 1234), " guess 1234");
    EXPECT_EQ(fmtInt(" V %1d", 42), " V 42");
    EXPECT_EQ(Format("%2.2D", {6LL}), "06");
    EXPECT_EQ(Format("%.3d", {-5LL}), "-005");
    EXPECT_EQ(Format("%-4d|", {5LL}), "5   |");
    EXPECT_EQ(Format(" Ft: x %5D Ft: y %5D ", {-12LL, 300LL}), " Ft: x   -12 Ft: y   300 ");
    EXPECT_EQ(Format("%d", {std::numeric_limits<long long>::min()}), "-9223372036854775808");
    EXPECT_EQ(Format("$%2.2X:$%2.2X: ", {6LL, 10LL}), "$06:$0A: ");
    EXPECT_EQ(Format("%3D LoID %2X%2X", {5LL, 7LL, 26LL}), "  5 LoID  71A");
    EXPECT_EQ(Format("%x", {255LL}), "FF");
    EXPECT_EQ(Format("%x", {-1LL}), "FFFFFFFF");
    EXPECT_EQ(Format("%u", {-1LL}), "4294967295");
    EXPECT_EQ(Format("%u", {42LL}), "42");
}

TEST(Format, TextDirectives) {
    EXPECT_EQ(Format("%12S", {std::string("lo02010a.dat")}), "lo02010a.dat");
    EXPECT_EQ(Format("EW %13S NS %13S", {std::string("4.43316555"), std::string("49.70893478")}),
              "EW    4.43316555 NS   49.70893478");
    EXPECT_EQ(Format("%S", {std::string("Alpha")}), "Alpha");
    EXPECT_EQ(Format("%3s|", {std::string("abcdef")}), "abcdef|");
    EXPECT_EQ(Format("%.3s|", {std::string("abcdef")}), "abc|");
    EXPECT_EQ(Format("%-5s|", {std::string("ab")}), "ab   |");
    EXPECT_EQ(Format("%s", {std::string("\xe9t\xe9")}), "\xe9t\xe9");
}

TEST(Format, FixedPointRoundsHalfAwayFromZero) {
    EXPECT_EQ(fmtFloat(" x: %4.0F", 12.5), " x:   13");
    EXPECT_EQ(fmtFloat(" y: %4.0F", -7), " y:   -7");
    EXPECT_EQ(fmtFloat(" rot: %3.1F", 90), " rot: 90.0");
    EXPECT_EQ(fmtFloat(" rot: %3.F ", 7.5), " rot:   8 ");
    EXPECT_EQ(fmtFloat("%4F", 1), "1.00");
    EXPECT_EQ(fmtFloat("%7.F", 12.5), "     13");
    EXPECT_EQ(fmtFloat("%.1f", -0.25), "-0.3");
    EXPECT_EQ(Format(" %3.1F %% ", {100 / 2.5L}), " 40.0 % ");
    EXPECT_EQ(Format("draw %3D total %3D %3.2F %%", {10LL, 10LL, 10 / 11.0L * 100}),
              "draw  10 total  10 90.91 %");
    EXPECT_EQ(Format("%3.15F", {singleLat}), "49.708934783935547");
    EXPECT_EQ(Format("%3.15F", {singleLon}), "4.433165550231934");
    EXPECT_EQ(Format("%3.15F", {-singleLat}), "-49.708934783935547");
    EXPECT_EQ(Format("%f", {inf}), "+Inf");
}

// Format writes no minus sign for a value that shows as zero; floatStr does.
TEST(Format, NegativeValueRoundingToZeroHasNoMinusSign) {
    const struct {
        const char* fmt;
        long double x;
        const char* want;
    } cases[] = {
        {" x: %4.0F", -0.4L, " x:    0"},
        {" x: %4.0F", -0.0L, " x:    0"},
        {" x: %4.0F", -0.5L, " x:   -1"},
        {" rot: %3.1F", -0.04L, " rot: 0.0"},
        {" rot: %3.1F", -0.05L, " rot: -0.1"},
        {"%.2f", -0.004L, "0.00"},
        {"%.2f", -0.0L, "0.00"},
        {"%8.3F", -0.0004L, "   0.000"},
        {"%-6.1F|", -0.01L, "0.0   |"},
        {"%.0n", -0.3L, "0"},
        {"%.1n", -0.0L, "0.0"},
        {"%.0n", -1e-30L, "0"},
        {"%.17F", -1e-30L, "0.00000000000000000"},
    };
    for (const auto& c : cases) EXPECT_EQ(Format(c.fmt, {c.x}), c.want) << c.fmt << " " << c.want;
    EXPECT_EQ(fmtFloat(" x: %4.0F", -0.4), " x:    0");
    EXPECT_EQ(floatStr(-0.004L, 0, 2), "-0.00");
}

TEST(Format, OtherRealDirectives) {
    EXPECT_EQ(Format("%e", {1234.5L}), "1.23450000000000E+003");
    EXPECT_EQ(Format("%.3E", {-0.00012345L}), "-1.23E-004");
    EXPECT_EQ(Format("%.2e", {0.0L}), "0.0E+000");
    EXPECT_EQ(Format("%g", {0.5L}), "0.5");
    EXPECT_EQ(Format("%.3g", {1234.5L}), "1.23E3");
    EXPECT_EQ(Format("%n", {1234567.891L}), "1,234,567.89");
    EXPECT_EQ(Format("%.0n", {-999.5L}), "-1,000");
    EXPECT_EQ(Format("%m", {12.0L}), "12.00");
}

TEST(Format, PercentAndPlainText) {
    EXPECT_EQ(Format("100%%", {}), "100%");
    EXPECT_EQ(Format("no directives", {1LL}), "no directives"); // extra arguments ignored
}

TEST(Format, MismatchedOrMissingArgumentIsConvertError) {
    const struct {
        const char* fmt;
        FormatArg arg;
    } cases[] = {
        {"%d", FormatArg(1.0L)},
        {"%x", FormatArg(1.0L)},
        {"%u", FormatArg(std::string("1"))},
        {"%f", FormatArg(1LL)}, // an integer is not a real
        {"%e", FormatArg(1LL)},
        {"%g", FormatArg(std::string("1"))},
        {"%s", FormatArg(1LL)},
        {"%d", FormatArg(std::string("1"))},
        {"%q", FormatArg(1LL)},      // no such directive
        {"abc %", FormatArg(1LL)},   // directive cut off
        {"%5", FormatArg(1LL)},      // no letter
        {"%99999d", FormatArg(1LL)}, // width beyond reason
    };
    for (const auto& c : cases) EXPECT_THROW(Format(c.fmt, {c.arg}), ConvertError) << c.fmt;
    EXPECT_THROW(Format("%d %d", {1LL}), ConvertError);
    EXPECT_THROW(Format("%s", {}), ConvertError);
}

TEST(FloatToStrGeneral, TenSignificantDigitsForSingles) {
    const struct {
        long double x;
        const char* want;
    } cases[] = {
        {singleLat, "49.70893478"},
        {singleLon, "4.43316555"},
        {-singleLat, "-49.70893478"},
        {0.0L, "0"},
        {-0.0L, "0"},
        {0.5f, "0.5"},
        {100.0f, "100"},
        {123456789.0f, "123456792"},
        {1234567.125f, "1234567.125"},
        {0.1f, "0.1000000015"},
        {0.00001, "0.00001"},         // smallest without exponent
        {0.00001f, "9.999999747E-6"}, // the single lies below it
        {1.5e-6f, "1.500000053E-6"},
        {9999999999.0L, "9999999999"},
        {9999999999.5L, "1E10"}, // rounds to 10 digits first
        {1e10f, "1E10"},
        {-3e20L, "-3E20"},
        {inf, "+Inf"},
        {nan_, "Nan"},
    };
    for (const auto& c : cases) EXPECT_EQ(FloatToStrGeneral(c.x, 10), c.want) << c.want;
    EXPECT_EQ(FloatToStr(singleLat), "49.70893478");
    EXPECT_EQ(FloatToStrGeneral(1.35L, 2), "1.4"); // above the half (1.35 is not exact)
}

// Singles whose exact value has 11 significant digits, the last a 5: an exact
// tie at the tenth digit goes to the even digit.
TEST(FloatToStrGeneral, ExactTieAtLastKeptDigitRoundsToEven) {
    const struct {
        float x;
        const char* want;
    } cases[] = {
        {0.0010986328125f, "0.001098632812"}, // ...2|5 stays
        {0.0013427734375f, "0.001342773438"}, // ...7|5 goes up
        {-0.0013427734375f, "-0.001342773438"}, {3.0517578125e-05f, "0.00003051757812"},
        {0.00018310546875f, "0.0001831054688"}, // ...7|5 goes up
    };
    for (const auto& c : cases) EXPECT_EQ(FloatToStr(c.x), c.want) << c.want;
    EXPECT_EQ(FloatToStrGeneral(1.25L, 2), "1.2");
    EXPECT_EQ(FloatToStrGeneral(1.75L, 2), "1.8");
    EXPECT_EQ(FloatToStrGeneral(9999999999.5L, 10), "1E10");
    EXPECT_EQ(FloatToStrGeneral(9999999998.5L, 10), "9999999998");
}

TEST(ValReal, CodeIsFirstUnusablePosition) {
    const struct {
        const char* s;
        int code;
        long double value;
    } cases[] = {
        {"", 1, 0},           {"12a", 3, 0},      {"1,5", 2, 0},       {"ab5", 1, 0},
        {"15", 0, 15},        {"  350", 0, 350},  {"\t7", 0, 7},       {"350 ", 4, 0},
        {"-1.5e3", 0, -1500}, {"1.5E+2", 0, 150}, {"2e-3", 0, 0.002L}, {"+.5", 0, 0.5},
        {"5.", 0, 5},         {".", 2, 0},        {"-", 2, 0},         {" ", 2, 0},
        {"1e", 3, 0},         {"1e+", 4, 0},      {"1.2.3", 4, 0},     {"$10", 1, 0},
        {"1e400", 0, 1e400L}, {"1e99999", 8, 0},
    };
    for (const auto& c : cases) {
        long double v = -1;
        EXPECT_EQ(valReal(c.s, v), c.code) << '"' << c.s << '"';
        EXPECT_EQ(v, c.value) << '"' << c.s << '"';
    }
}

TEST(ValReal, ReadsTheNearestExtendedValue) {
    long double v = 0;
    ASSERT_EQ(valReal("0.1", v), 0);
    EXPECT_EQ(v, 0.1L);
    ASSERT_EQ(valReal("49.70893478393555", v), 0);
    EXPECT_EQ(static_cast<float>(v), singleLat);
}

TEST(ValInt, DecimalAndDollarHex) {
    const struct {
        const char* s;
        int code;
        long long value;
    } cases[] = {
        {"12", 0, 12},
        {"$ff", 0, 255},
        {"$FFFF", 0, 65535},
        {"-$10", 0, -16},
        {"+7", 0, 7},
        {" 5", 0, 5},
        {"5 ", 2, 0},
        {"", 1, 0},
        {"$", 2, 0},
        {"-", 2, 0},
        {"65536x", 6, 0},
        {"$g", 2, 0},
        {"1.5", 2, 0},
        {"0a", 2, 0},
        {"9223372036854775807", 0, std::numeric_limits<long long>::max()},
        {"-9223372036854775808", 0, std::numeric_limits<long long>::min()},
        {"9223372036854775808", 19, 0},
        {"$8000000000000000", 17, 0},
    };
    for (const auto& c : cases) {
        long long v = -1;
        EXPECT_EQ(valInt(c.s, v), c.code) << '"' << c.s << '"';
        EXPECT_EQ(v, c.value) << '"' << c.s << '"';
    }
}

TEST(StrToFloat, StrictFormAllowsOnlyLeadingBlanks) {
    const struct {
        std::string s;
        bool ok;
        long double value;
    } cases[] = {
        {"  350", true, 350},
        {"350 ", false, 0},
        {"12a", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {"1.5E+2", true, 150},
        {"1,5", false, 0},
        {"-0.25", true, -0.25},
        {std::string(254, '0') + "7", true, 7},  // 255 characters
        {std::string(255, '0') + "7", false, 0}, // 256 characters
    };
    for (const auto& c : cases) {
        long double v = -1;
        EXPECT_EQ(tryStrToFloatStrict(c.s, v), c.ok) << '"' << c.s << '"';
        EXPECT_EQ(v, c.ok ? c.value : -1) << '"' << c.s << '"';
    }
}

TEST(StrToFloat, LenientFormTrimsAndRejectsComma) {
    const struct {
        const char* s;
        bool ok;
        long double value;
    } cases[] = {
        {" 1.5 ", true, 1.5},
        {"\t2.5\r\n", true, 2.5},
        {"49.7089347839355", true, 49.7089347839355L},
        {"1,5", false, 0},
        {"1.5,", false, 0},
        {"  ", false, 0},
        {"abc", false, 0},
        {"1 5", false, 0},
    };
    for (const auto& c : cases) {
        long double v = -1;
        EXPECT_EQ(tryStrToFloat(c.s, v), c.ok) << '"' << c.s << '"';
        EXPECT_EQ(v, c.ok ? c.value : -1) << '"' << c.s << '"';
    }
    EXPECT_EQ(StrToFloat(" 12.5"), 12.5);
    EXPECT_THROW(StrToFloat("12,5"), ConvertError);
}

TEST(StrToInt, DecimalOrHexWithLeadingBlanksOnly) {
    const struct {
        const char* s;
        bool ok;
        long long value;
    } cases[] = {
        {" $1f", true, 31}, {"-42", true, -42},  {"  7", true, 7},  {"$ff", true, 255},
        {"7 ", false, 0},   {" $1f ", false, 0}, {"7\t", false, 0}, {"", false, 0},
        {"$0g", false, 0},  {"zz", false, 0},    {"1 2", false, 0},
    };
    for (const auto& c : cases) {
        long long v = -1;
        EXPECT_EQ(tryStrToInt(c.s, v), c.ok) << '"' << c.s << '"';
        EXPECT_EQ(v, c.ok ? c.value : -1) << '"' << c.s << '"';
    }
    EXPECT_EQ(StrToInt("$ff"), 255);
    EXPECT_THROW(StrToInt("12 "), ConvertError);
}

// The program runs under the user's locale; its numbers keep "." regardless.
TEST(RtlConvLocale, DecimalPointIgnoresLocale) {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    // Without an installed locale that writes a decimal comma, build one for this test.
    vxtest::TempDir locales;
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
        const std::string cmd =
            "localedef -i de_DE -f UTF-8 " + locales.str() + "/de_DE.UTF-8 > /dev/null 2>&1";
        if (std::system(cmd.c_str()) == 0) setenv("LOCPATH", locales.str().c_str(), 1);
    }
    const bool comma = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    unsetenv("LOCPATH");
    if (!comma) GTEST_SKIP() << "no locale with a decimal comma";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    long double v = 0;
    const bool parsed = tryStrToFloat("1.25", v);
    const std::string fixed = floatStr(1.25, 0, 2);
    const std::string general = FloatToStrGeneral(1.25, 10);
    const auto elev = elevationFromText("350.5"), coord = coordinateFromText(" 2.25 ");
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_TRUE(parsed);
    EXPECT_EQ(v, 1.25);
    EXPECT_EQ(fixed, "1.25");
    EXPECT_EQ(general, "1.25");
    EXPECT_EQ(elev, 350.5f);
    EXPECT_EQ(coord, 2.25f);
}
