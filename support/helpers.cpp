#include "helpers.h"

#include "dialogs.h"

#include <algorithm>
#include <climits>
#include <unistd.h>

namespace vx {

namespace {
std::string& appDirOverride() {
    static std::string dir;
    return dir;
}
} // namespace

std::string appDir() {
    if (!appDirOverride().empty()) return appDirOverride();
    static const std::string dir = [] {
        char buf[PATH_MAX];
        ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
        std::string exe = n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string(".");
        auto slash = exe.rfind('/');
        std::string folder = slash == std::string::npos ? "."
                             : slash == 0               ? "/"
                                                        : exe.substr(0, slash);
        return folder + pathDelim; // the root folder stays "/", so it gives "//"
    }();
    return dir;
}

void setAppDirForTesting(const std::string& dir) {
    appDirOverride() = dir;
}

std::string byteHex(uint8_t b) {
    static const char hexLower[] = "0123456789abcdef";
    return {hexLower[b / 16], hexLower[b % 16]};
}

std::string lowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return s;
}

void normRect(TRect& r) {
    const TRect o = r;
    r.Top = std::min(o.Top, o.Bottom);
    r.Bottom = std::max(o.Top, o.Bottom);
    r.Left = std::min(o.Left, o.Right);
    r.Right = std::max(o.Left, o.Right);
}

bool confirmOk(const std::string& msg) {
    return dialogs().confirm(msg);
}

void makeSortedUnique(TStringList& list) {
    list.CaseSensitive = false;
    list.setSorted(true);
    list.Duplicates = TDuplicates::dupIgnore;
}

} // namespace vx
