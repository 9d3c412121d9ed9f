// General text, number, hex, console, mask and path routines of the library
// interface. Text is 8-bit; comparisons regard case unless stated; positions
// in texts count from 1.
#pragma once

#include "stringlist.h"

#include <cstdint>
#include <iosfwd>
#include <string>

namespace vx {

// Written only by splitPathLower.
extern std::string pathFolder, pathName, pathExt;

std::string colonToUnderscore(const std::string& s);
// Local time as "yyyy-dd-mm--hh-mm-ss" (day before month).
std::string stampNow();
// Index of the first item containing / beginning with text; -1 for none or an empty text.
int indexOfContaining(const std::string& text, const TStringList& list);
int indexOfPrefix(const std::string& text, const TStringList& list);
inline std::string strIf(bool flag, const std::string& s) {
    return flag ? s : std::string();
}
inline std::string boolWord(bool flag) {
    return flag ? "TRUE" : "NOT";
}
std::string floatStrW(long double x, uint8_t width);
std::string int64Text(int32_t n);
// The whole text is an unsigned whole number (decimal, or "$" hexadecimal) of at most 65535.
bool isWordNumber(const std::string& s);
inline int rangeClass(int32_t x) {
    return x < 0 ? 2 : (x <= 18 ? 0 : 1);
}

// Ticks a check box (any control with a settable Checked state) or clears it.
template <class Box> void setCheckState(Box& box, bool flag) {
    if constexpr (requires { box.setChecked(flag); })
        box.setChecked(flag);
    else
        box.Checked = flag;
}

// Non-overlapping occurrences, found from the left; 0 for an empty sub.
int countOccurrences(const std::string& sub, const std::string& s);
// Milliseconds of the monotonic clock, modulo 2^32.
uint32_t tick32();
// 0..15 for a hexadecimal digit of either case; -1 for any other character.
int hexDigitValue(char c);
inline void low24(uint32_t& x) {
    x &= 0x00FFFFFFu;
}
std::string upperAscii(const std::string& s);
void splitPathLower(const std::string& path);
bool matchesAnyMask(const TStringList& list, const std::string& name);
// wildMatch of the two texts, each cut at its first NUL and to 255 characters.
bool matchesMask(const std::string& name, const std::string& mask);
bool hasWildcards(const std::string& s);

// Text to real that deletes the characters the conversion stops at; shows a
// message when it still fails.
long double valTolerant(const std::string& s);
// Position of the n-th occurrence of sub counted from the end, within the first 254 characters.
int posNthFromEnd(int n, const std::string& sub, const std::string& s);
// name when it fits the one-star mask (a leading "!" negates), else "".
std::string maskPick(const std::string& mask, const std::string& name);
// "*" any run, "?" one character; "**" does not match the empty name.
bool wildMatch(const std::string& name, const std::string& mask);
// [data/sub/file.tar.gz] -> [data/sub/], [/file.tar], [.gz]. Without a "." the
// extension is empty; without a "/" the folder is empty.
void splitPath(const std::string& path, std::string& folder, std::string& name, std::string& ext);
// Adds the names of writable plain files matching a search pattern; the first
// found as it stands, later ones lower-cased.
void listArchiveFiles(const std::string& mask, TStringList& list);
// Collects two hexadecimal digits from the console and discards them; returns
// early at the end of the input.
void readHexConsole();
void readHexConsole(std::istream& in, std::ostream& out);

} // namespace vx
