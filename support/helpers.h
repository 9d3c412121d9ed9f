// Small helpers that both windows call.
#pragma once

#include "rtlconv.h"
#include "stringlist.h"

#include <cstdint>
#include <string>

namespace vx {

inline constexpr const char* pathDelim = "/";

struct TRect {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool operator==(const TRect&) const = default;
};

// Folder of the running executable followed by one "/".
std::string appDir();
// Overrides appDir (tests, and the demo runner); empty restores the real one.
void setAppDirForTesting(const std::string& dir);

std::string byteHex(uint8_t b);
std::string lowerAscii(std::string s);
inline std::string pickStr(bool cond, const std::string& a, const std::string& b) {
    return cond ? a : b;
}
void normRect(TRect& r);
bool confirmOk(const std::string& msg);
void makeSortedUnique(TStringList& list);

} // namespace vx
