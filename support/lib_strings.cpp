#include "lib_strings.h"

#include "dialogs.h"
#include "helpers.h"
#include "lib_dirsearch.h"
#include "rtlconv.h"

#include <ctime>
#include <glib.h>
#include <iostream>
#include <vector>

namespace vx {

std::string pathFolder, pathName, pathExt;

namespace {
const char hexDigits[] = "0123456789ABCDEF";

// The platform's Pos semantics: an empty needle is never found.
bool beginsWith(const std::string& s, const std::string& head) {
    return !head.empty() && s.compare(0, head.size(), head) == 0;
}
bool occursIn(const std::string& s, const std::string& sub, size_t from = 0) {
    return !sub.empty() && s.find(sub, from) != std::string::npos;
}

// A text as a short string sees it: up to its first NUL, at most 255 bytes.
std::string shortText(const std::string& s) {
    return s.substr(0, std::min<size_t>(s.find('\0'), 255));
}
} // namespace

std::string colonToUnderscore(const std::string& s) {
    std::string r = s;
    for (char& c : r)
        if (c == ':') c = '_';
    return r;
}

std::string stampNow() {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%d-%m--%H-%M-%S", &tm);
    return buf;
}

int indexOfContaining(const std::string& text, const TStringList& list) {
    for (int i = 0; i < list.Count(); ++i)
        if (occursIn(list[i], text)) return i;
    return -1;
}

int indexOfPrefix(const std::string& text, const TStringList& list) {
    for (int i = 0; i < list.Count(); ++i)
        if (beginsWith(list[i], text)) return i;
    return -1;
}

std::string floatStrW(long double x, uint8_t width) {
    return floatStr(x, width, 0);
}

std::string int64Text(int32_t n) {
    return std::to_string(n);
}

bool isWordNumber(const std::string& s) {
    if (s.empty() || s.size() >= 256) return false;
    // An unsigned number: no sign of its own, "-0" included.
    const size_t first = s.find_first_not_of(' ');
    if (first != std::string::npos && s[first] == '-') return false;
    long long v = 0;
    return valInt(s, v) == 0 && v >= 0 && v <= 65535;
}

int countOccurrences(const std::string& sub, const std::string& s) {
    if (sub.empty()) return 0;
    int n = 0;
    for (size_t p = s.find(sub); p != std::string::npos; p = s.find(sub, p + sub.size())) ++n;
    return n;
}

uint32_t tick32() {
    return static_cast<uint32_t>(g_get_monotonic_time() / 1000);
}

int hexDigitValue(char c) {
    char u = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    for (int i = 0; i < 16; ++i)
        if (hexDigits[i] == u) return i;
    return -1;
}

std::string upperAscii(const std::string& s) {
    std::string r = s;
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return r;
}

void splitPathLower(const std::string& path) {
    splitPath(path, pathFolder, pathName, pathExt);
    pathFolder = lowerAscii(pathFolder);
    pathName = lowerAscii(pathName);
    pathExt = lowerAscii(pathExt);
}

bool matchesAnyMask(const TStringList& list, const std::string& name) {
    for (int i = 0; i < list.Count(); ++i)
        if (matchesMask(name, lowerAscii(list[i]))) return true;
    return false;
}

bool matchesMask(const std::string& name, const std::string& mask) {
    return wildMatch(shortText(name), shortText(mask));
}

bool hasWildcards(const std::string& s) {
    return s.substr(0, s.find('\0')).find_first_of("*?") != std::string::npos;
}

long double valTolerant(const std::string& text) {
    std::string s = text.substr(0, 255);
    long double v = 0;
    int code = valReal(s, v);
    for (size_t k = 0; code > 0 && k < s.size(); ++k) {
        code = valReal(s, v);
        if (code > 0 && static_cast<size_t>(code) <= s.size())
            s.erase(static_cast<size_t>(code) - 1, 1);
    }
    if (code != 0) ShowMessage("input: " + s + " in error, result: " + floatStr(v, 10, 5));
    return v;
}

int posNthFromEnd(int n, const std::string& sub, const std::string& s) {
    int found = 0;
    size_t limit = 255;
    for (size_t j = s.size() + 1; j-- > 0;) {
        size_t start = j == 0 ? 1 : j;
        size_t end = std::min(limit - 1, s.size()); // last position taken, 1-based
        std::string piece = start <= end ? s.substr(start - 1, end - start + 1) : std::string();
        if (occursIn(piece, sub)) {
            if (++found == n) return static_cast<int>(j);
            if (j < 2) break; // the window is empty from here on
            limit = j - 1;
        }
    }
    return 0;
}

std::string maskPick(const std::string& maskIn, const std::string& nameIn) {
    std::string mask = maskIn;
    std::string name = nameIn.substr(0, 255);
    bool negated = !mask.empty() && mask[0] == '!';
    if (negated) mask.erase(0, 1);
    size_t star = mask.find('*');
    bool fits;
    if ((star == std::string::npos && beginsWith(name, mask)) || mask == "*") {
        fits = true;
    } else if (!mask.empty() && mask[0] == '*' && occursIn(name, mask.substr(1))) {
        fits = true;
    } else if (star != std::string::npos && star + 1 == mask.size() &&
               beginsWith(name, mask.substr(0, star))) {
        fits = true;
    } else if (star != std::string::npos) {
        std::string head = mask.substr(0, star), tail = mask.substr(star + 1);
        fits = beginsWith(name, head) && occursIn(name, tail, 1);
    } else {
        fits = false;
    }
    return fits != negated ? name : std::string();
}

bool wildMatch(const std::string& name, const std::string& mask) {
    // The matcher's rules decided for every pair of positions (i in name, j in
    // mask) from the ends backwards, so a mask with many stars costs n*m steps
    // instead of a back-tracking explosion.
    const size_t n = name.size(), m = mask.size();
    std::vector<char> next(m + 1), cur(m + 1);
    for (size_t i = n + 1; i-- > 0;) {
        for (size_t j = m + 1; j-- > 0;) {
            bool v;
            if (j + 1 == m && mask[j] == '*')
                v = true;
            else if (i == n)
                v = j == m;
            else if (j == m)
                v = false;
            else if (mask[j] == '*')
                v = cur[j + 1] || next[j];
            else if (mask[j] == '?')
                v = next[j + 1];
            else
                v = name[i] == mask[j] && next[j + 1];
            cur[j] = v;
        }
        std::swap(cur, next);
    }
    return next[0];
}

void splitPath(const std::string& path, std::string& folder, std::string& name, std::string& ext) {
    std::string rest = path;
    auto dot = rest.rfind('.');
    ext = dot == std::string::npos ? std::string() : rest.substr(dot);
    if (dot != std::string::npos) rest.erase(dot);
    auto slash = rest.rfind('/');
    if (slash == std::string::npos) {
        name = rest;
        folder.clear();
        return;
    }
    name = rest.substr(slash);
    folder = rest.substr(0, slash);
    if (folder.empty() || folder.back() != '/') folder += '/';
}

void listArchiveFiles(const std::string& mask, TStringList& list) {
    makeSortedUnique(list);
    bool first = true;
    for (const DirEntry& e : dirSearch(mask)) {
        bool plainWritable = e.isPlain && !e.isLink && e.writable;
        if (!e.name.empty() && e.name[0] != '.' && plainWritable)
            list.Add(first ? e.name : lowerAscii(e.name));
        first = false;
    }
}

void readHexConsole() {
    readHexConsole(std::cin, std::cout);
}

void readHexConsole(std::istream& in, std::ostream& out) {
    std::string buf;
    while (buf.size() < 2) {
        out << buf << std::flush;
        std::string line;
        if (!std::getline(in, line)) return;
        char c = line.empty() ? '\n' : line[0];
        if (c == 8) {
            if (!buf.empty()) buf.pop_back();
        } else if (hexDigitValue(c) >= 0) {
            buf += c;
        } else {
            out << " Not a HEX char... ";
        }
    }
}

} // namespace vx
