// Number <-> text conversions that the user sees, written once: fixed-point
// text with half-away-from-zero rounding, Format directives, strict and lenient
// text to real, the general real format, integer text with "$" hexadecimal.
// "." is the decimal separator whatever the locale.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <variant>

namespace vx {

// Fixed-point text of x with `decimals` digits after the point, right-aligned
// with blanks to at least `width` characters (never cut).
std::string floatStr(long double x, int width, int decimals);

// One argument of Format: an integer, a real or a text.
using FormatArg = std::variant<long long, long double, std::string>;

// printf-style Format: %d %D %u %x %X %s %S %f %F %e %E %g %G %n %m with
// optional "-", width and ".precision"; "%%" is a percent sign. A directive
// that does not fit its argument (or a missing argument) raises ConvertError.
std::string Format(const std::string& fmt, std::initializer_list<FormatArg> args);

std::string fmtInt(const std::string& fmt, int32_t n);
std::string fmtFloat(const std::string& fmt, double x);

// Text to real in the strict form: leading blanks skipped, optional sign,
// digits with "." as the point, optional exponent; nothing may follow. Texts
// of 256 characters or more are not numbers.
bool tryStrToFloatStrict(const std::string& s, long double& value);

// Text to real in the lenient form: surrounding blanks and control characters
// removed first, then as the strict form; a "," anywhere is an error.
bool tryStrToFloat(const std::string& s, long double& value);
long double StrToFloat(const std::string& s); // ConvertError on failure

// The run-time library's Val for reals: returns 0 when all of s converted,
// else the 1-based position of the first character it cannot use (the empty
// text gives 1). value holds what converted (0 on failure).
int valReal(const std::string& s, long double& value);
// Val for integers, "$" introducing hexadecimal; same code rule.
int valInt(const std::string& s, long long& value);

// Text to integer, decimal or "$" hexadecimal, leading blanks allowed; a
// trailing blank (or anything else after the number) is an error.
bool tryStrToInt(const std::string& s, long long& value);
long long StrToInt(const std::string& s); // ConvertError on failure
// The same, also ConvertError for a number beyond 32 bits.
int32_t StrToInt32(const std::string& s);

// Real to text in the general format: `precision` significant digits,
// an exact tie at the last kept digit rounds to even; trailing zeros and a
// bare point removed; exponent form outside
// 0.00001 <= |x| < 10^precision. Single-precision values use 10 digits.
std::string FloatToStrGeneral(long double x, int precision);
inline std::string FloatToStr(float x) {
    return FloatToStrGeneral(x, 10);
}

// Nearest integer, ties to even; RangeError when it does not fit 32 bits.
int32_t roundToInt(long double x);

} // namespace vx

#include <optional>

namespace vx {

// The elevation entry: the strict form, as a Single; nothing when the text
// is not a number or lies beyond the Single range.
std::optional<float> elevationFromText(const std::string& s);
// The co-ordinate entries: the lenient form, as a Single; same rule.
std::optional<float> coordinateFromText(const std::string& s);

} // namespace vx
