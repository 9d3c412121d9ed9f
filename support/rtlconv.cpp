#include "rtlconv.h"

#include "errors.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace vx {

namespace {

// Significant digits kept of an extended-precision value before any
// rounding to the shown places.
constexpr int sigDigits = 21;
// Widths and precisions of Format beyond this are not formats at all.
constexpr int maxFormatNumber = 1024;

// A non-negative value as 0.digits x 10^point; no digits for zero.
struct Decimal {
    std::string digits;
    int point = 0;

    char at(int i) const {
        return i >= 0 && i < static_cast<int>(digits.size()) ? digits[static_cast<size_t>(i)] : '0';
    }
};

// Decimal expansion of a finite a >= 0 to 21 significant digits, the last
// rounded ties to even (the C library's conversion is exact in the default
// rounding mode). Only digits are taken from its text, so the locale's
// decimal point does not matter.
Decimal decimalOf(long double a) {
    Decimal d;
    if (a == 0) return d;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*Le", sigDigits - 1, a);
    const char* q = buf;
    for (; *q != 'e' && *q != '\0'; ++q)
        if (*q >= '0' && *q <= '9') d.digits += *q;
    d.point = (*q == 'e' ? std::atoi(q + 1) : 0) + 1;
    return d;
}

enum class Ties { awayFromZero, toEven };

// Keeps the first `keep` digits, rounding half away from zero. A dropped part
// of "4", then nines up to the third-last digit, then 8 or 9 in the
// second-last digit is a half that lost its last bit: it rounds up too.
// With Ties::toEven a dropped part of exactly "5" rounds to an even last digit.
void roundTo(Decimal& d, int keep, Ties ties = Ties::awayFromZero) {
    std::string& s = d.digits;
    const int n = static_cast<int>(s.size());
    if (n == 0 || keep >= n) return;
    bool up = false;
    if (keep >= 0) {
        const char first = s[static_cast<size_t>(keep)];
        up = first >= '5';
        if (ties == Ties::toEven) {
            // The 21 digits hold a Single exactly: "5" then zeros is an exact half.
            const bool half = first == '5' && std::all_of(s.begin() + keep + 1, s.end(),
                                                          [](char c) { return c == '0'; });
            const bool lastOdd = keep > 0 && (s[static_cast<size_t>(keep - 1)] - '0') % 2 == 1;
            if (half) up = lastOdd;
        } else if (first == '4' && keep + 1 <= n - 3 && (s[n - 2] == '8' || s[n - 2] == '9')) {
            up = std::all_of(s.begin() + keep + 1, s.begin() + (n - 2),
                             [](char c) { return c == '9'; });
        }
    }
    s.resize(static_cast<size_t>(std::max(keep, 0)));
    if (!up) return;
    size_t i = s.size();
    while (i > 0 && s[i - 1] == '9') s[--i] = '0';
    if (i > 0) {
        ++s[i - 1];
    } else {
        s.insert(s.begin(), '1');
        ++d.point;
    }
}

std::string nonFiniteText(long double x) {
    if (std::isnan(x)) return "Nan";
    return x > 0 ? "+Inf" : "-Inf";
}

// Fixed-point text without padding: "-" for every value with the sign bit,
// or (zeroSigned false, as Format writes) only when a digit shown is not 0.
std::string fixedPoint(long double x, int decimals, bool zeroSigned = true) {
    if (!std::isfinite(x)) return nonFiniteText(x);
    Decimal d = decimalOf(std::fabs(x));
    roundTo(d, d.point + decimals);
    const bool shownZero =
        std::all_of(d.digits.begin(), d.digits.end(), [](char c) { return c == '0'; });
    std::string out = std::signbit(x) && (zeroSigned || !shownZero) ? "-" : "";
    if (d.digits.empty() || d.point <= 0)
        out += '0';
    else
        for (int i = 0; i < d.point; ++i) out += d.at(i);
    if (decimals > 0) {
        out += '.';
        for (int j = 0; j < decimals; ++j) out += d.at(d.point + j);
    }
    return out;
}

// Scientific text: `precision` digits in all, "E", sign, at least 3 digits.
std::string expText(long double x, int precision) {
    if (!std::isfinite(x)) return nonFiniteText(x);
    precision = std::max(precision, 1);
    Decimal d = decimalOf(std::fabs(x));
    roundTo(d, precision);
    std::string out = std::signbit(x) ? "-" : "";
    out += d.at(0);
    if (precision > 1) {
        out += '.';
        for (int i = 1; i < precision; ++i) out += d.at(i);
    }
    const int e = d.digits.empty() ? 0 : d.point - 1;
    std::string ex = std::to_string(e < 0 ? -e : e);
    if (ex.size() < 3) ex.insert(0, 3 - ex.size(), '0');
    return out + (e < 0 ? "E-" : "E+") + ex;
}

// Fixed-point text with "," between groups of three integer digits.
std::string numberText(long double x, int decimals) {
    std::string s = fixedPoint(x, decimals, false);
    if (!std::isfinite(x)) return s;
    const size_t begin = s[0] == '-' ? 1 : 0;
    size_t end = s.find('.');
    if (end == std::string::npos) end = s.size();
    for (size_t i = end; i > begin + 3; i -= 3) s.insert(i - 3, 1, ',');
    return s;
}

std::string padded(std::string s, int width, bool left) {
    const size_t w = static_cast<size_t>(std::max(width, 0));
    if (s.size() < w) {
        if (left)
            s.append(w - s.size(), ' ');
        else
            s.insert(0, w - s.size(), ' ');
    }
    return s;
}

unsigned long long magnitude(long long v) {
    return v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
}

// Negative 32-bit values show as their 32-bit pattern, wider ones as 64 bits.
unsigned long long unsignedPattern(long long v) {
    if (v < 0 && v >= std::numeric_limits<int32_t>::min())
        return static_cast<uint32_t>(static_cast<int32_t>(v));
    return static_cast<unsigned long long>(v);
}

std::string withMinDigits(std::string digits, int minDigits) {
    if (digits.size() < static_cast<size_t>(minDigits))
        digits.insert(0, static_cast<size_t>(minDigits) - digits.size(), '0');
    return digits;
}

std::string hexUpper(unsigned long long v) {
    static const char hexDigits[] = "0123456789ABCDEF";
    std::string s;
    do {
        s.insert(s.begin(), hexDigits[v % 16]);
        v /= 16;
    } while (v != 0);
    return s;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int digitValue(char c, int base) {
    int v = -1;
    if (c >= '0' && c <= '9')
        v = c - '0';
    else if (c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
    return v < base ? v : -1;
}

locale_t cLocale() {
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

int codeAt(size_t i) {
    return static_cast<int>(i) + 1;
}

std::string trimmed(const std::string& s, bool (*drop)(char)) {
    size_t b = 0, e = s.size();
    while (b < e && drop(s[b])) ++b;
    while (e > b && drop(s[e - 1])) --e;
    return s.substr(b, e - b);
}

} // namespace

std::string floatStr(long double x, int width, int decimals) {
    checkRange(width, 0, 255, "floatStr width");
    checkRange(decimals, 0, 255, "floatStr decimals");
    return padded(fixedPoint(x, decimals), width, false);
}

std::string FloatToStrGeneral(long double x, int precision) {
    if (!std::isfinite(x)) return nonFiniteText(x);
    if (x == 0) return "0";
    precision = std::clamp(precision, 1, sigDigits);
    Decimal d = decimalOf(std::fabs(x));
    roundTo(d, precision, Ties::toEven);
    std::string& s = d.digits;
    while (s.size() > 1 && s.back() == '0') s.pop_back();
    std::string out = x < 0 ? "-" : "";
    const int n = static_cast<int>(s.size());
    if (d.point >= -4 && d.point <= precision) {
        if (d.point <= 0) {
            out += "0.";
            out.append(static_cast<size_t>(-d.point), '0');
            out += s;
        } else {
            for (int i = 0; i < d.point; ++i) out += d.at(i);
            if (n > d.point) out += "." + s.substr(static_cast<size_t>(d.point));
        }
    } else {
        out += s[0];
        if (n > 1) out += "." + s.substr(1);
        const int e = d.point - 1;
        out += e < 0 ? "E-" + std::to_string(-e) : "E" + std::to_string(e);
    }
    return out;
}

std::string Format(const std::string& fmt, std::initializer_list<FormatArg> args) {
    const auto invalid = [&fmt] {
        return ConvertError("Format \"" + fmt + "\" invalid or incompatible with argument");
    };
    const auto readNumber = [&](size_t& i) {
        int v = -1;
        while (i < fmt.size() && isDigit(fmt[i])) {
            v = std::max(v, 0) * 10 + (fmt[i++] - '0');
            if (v > maxFormatNumber) throw invalid();
        }
        return v;
    };
    std::string out;
    auto next = args.begin();
    size_t i = 0;
    while (i < fmt.size()) {
        const char c = fmt[i++];
        if (c != '%') {
            out += c;
            continue;
        }
        if (i < fmt.size() && fmt[i] == '%') {
            out += '%';
            ++i;
            continue;
        }
        const bool left = i < fmt.size() && fmt[i] == '-';
        if (left) ++i;
        const int width = readNumber(i);
        bool hasPrec = false;
        int prec = 0;
        if (i < fmt.size() && fmt[i] == '.') {
            hasPrec = true;
            ++i;
            prec = std::max(readNumber(i), 0);
        }
        if (i >= fmt.size()) throw invalid();
        char letter = fmt[i++];
        if (letter >= 'A' && letter <= 'Z') letter = static_cast<char>(letter + 32);
        if (std::string_view("dusxfegnm").find(letter) == std::string_view::npos) throw invalid();
        if (next == args.end()) throw ConvertError("No argument for format \"" + fmt + "\"");
        const FormatArg& arg = *next++;
        const long long* n = std::get_if<long long>(&arg);
        const long double* x = std::get_if<long double>(&arg);
        const std::string* s = std::get_if<std::string>(&arg);
        std::string piece;
        switch (letter) {
        case 'd':
            if (!n) throw invalid();
            piece = (*n < 0 ? "-" : "") + withMinDigits(std::to_string(magnitude(*n)), prec);
            break;
        case 'u':
            if (!n) throw invalid();
            piece = withMinDigits(std::to_string(unsignedPattern(*n)), prec);
            break;
        case 'x':
            if (!n) throw invalid();
            piece = withMinDigits(hexUpper(unsignedPattern(*n)), prec);
            break;
        case 's':
            if (!s) throw invalid();
            piece = hasPrec ? s->substr(0, static_cast<size_t>(prec)) : *s;
            break;
        case 'f':
            if (!x) throw invalid();
            piece = fixedPoint(*x, hasPrec ? prec : 2, false);
            break;
        case 'e':
            if (!x) throw invalid();
            piece = expText(*x, hasPrec ? prec : 15);
            break;
        case 'g':
            if (!x) throw invalid();
            piece = FloatToStrGeneral(*x, hasPrec && prec > 0 ? prec : 15);
            break;
        default: // 'n' and 'm': grouped fixed-point, no currency sign
            if (!x) throw invalid();
            piece = numberText(*x, hasPrec ? prec : 2);
            break;
        }
        out += padded(std::move(piece), width, left);
    }
    return out;
}

std::string fmtInt(const std::string& fmt, int32_t n) {
    return Format(fmt, {static_cast<long long>(n)});
}

std::string fmtFloat(const std::string& fmt, double x) {
    return Format(fmt, {static_cast<long double>(x)});
}

int valReal(const std::string& s, long double& value) {
    value = 0;
    const size_t n = s.size();
    size_t i = 0;
    while (i < n && isBlank(s[i])) ++i;
    const size_t start = i;
    if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
    size_t digits = 0;
    for (; i < n && isDigit(s[i]); ++i) ++digits;
    if (i < n && s[i] == '.')
        for (++i; i < n && isDigit(s[i]); ++i) ++digits;
    if (digits == 0) return codeAt(i);
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
        size_t expDigits = 0;
        for (; i < n && isDigit(s[i]); ++i) ++expDigits;
        if (expDigits == 0) return codeAt(i);
    }
    if (i < n) return codeAt(i);
    const std::string number = s.substr(start);
    const long double v = strtold_l(number.c_str(), nullptr, cLocale());
    // Beyond the extended range: every character was read, yet no number.
    if (std::isinf(v)) return codeAt(n);
    value = v;
    return 0;
}

int valInt(const std::string& s, long long& value) {
    value = 0;
    const size_t n = s.size();
    size_t i = 0;
    while (i < n && isBlank(s[i])) ++i;
    bool neg = false;
    if (i < n && (s[i] == '+' || s[i] == '-')) neg = s[i++] == '-';
    int base = 10;
    if (i < n && s[i] == '$') {
        base = 16;
        ++i;
    }
    const unsigned long long limit =
        static_cast<unsigned long long>(std::numeric_limits<long long>::max()) + (neg ? 1 : 0);
    const auto ubase = static_cast<unsigned long long>(base);
    unsigned long long acc = 0;
    size_t digits = 0;
    for (; i < n; ++i, ++digits) {
        const int dv = digitValue(s[i], base);
        if (dv < 0) break;
        const auto udv = static_cast<unsigned long long>(dv);
        if (acc > (limit - udv) / ubase) return codeAt(i);
        acc = acc * ubase + udv;
    }
    if (digits == 0 || i < n) return codeAt(i);
    value = static_cast<long long>(neg ? 0ULL - acc : acc);
    return 0;
}

bool tryStrToFloatStrict(const std::string& s, long double& value) {
    long double v = 0;
    if (s.size() >= 256 || valReal(s, v) != 0) return false;
    value = v;
    return true;
}

bool tryStrToFloat(const std::string& s, long double& value) {
    if (s.find(',') != std::string::npos) return false;
    return tryStrToFloatStrict(
        trimmed(s, [](char c) { return static_cast<unsigned char>(c) <= ' '; }), value);
}

long double StrToFloat(const std::string& s) {
    long double v = 0;
    if (!tryStrToFloat(s, v)) throw ConvertError("\"" + s + "\" is an invalid float");
    return v;
}

bool tryStrToInt(const std::string& s, long long& value) {
    long long v = 0;
    if (valInt(s, v) != 0) return false;
    value = v;
    return true;
}

static ConvertError invalidInteger(const std::string& s) {
    return ConvertError("\"" + s + "\" is an invalid integer");
}

long long StrToInt(const std::string& s) {
    long long v = 0;
    if (!tryStrToInt(s, v)) throw invalidInteger(s);
    return v;
}

int32_t StrToInt32(const std::string& s) {
    const long long v = StrToInt(s);
    if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        throw invalidInteger(s);
    return static_cast<int32_t>(v);
}

int32_t roundToInt(long double x) {
    // rint rounds as nearbyint does in the one rounding mode the program
    // uses, without saving and restoring the floating-point state around it
    // (ten times faster; redraws round some 14 values per object).
    const long double r = std::rint(x);
    if (!(r >= std::numeric_limits<int32_t>::min() && r <= std::numeric_limits<int32_t>::max()))
        throw RangeError("Range check error: " + FloatToStrGeneral(x, 15) +
                         " does not fit a 32-bit integer");
    return static_cast<int32_t>(r);
}

} // namespace vx

namespace vx {

namespace {
std::optional<float> asSingle(bool ok, long double v) {
    if (!ok || !(std::fabs(v) <= std::numeric_limits<float>::max())) return std::nullopt;
    return static_cast<float>(v);
}
} // namespace

std::optional<float> elevationFromText(const std::string& s) {
    long double v = 0;
    const bool ok = tryStrToFloatStrict(s, v);
    return asSingle(ok, v);
}

std::optional<float> coordinateFromText(const std::string& s) {
    long double v = 0;
    const bool ok = tryStrToFloat(s, v);
    return asSingle(ok, v);
}

} // namespace vx
