#include "lib_dirsearch.h"

#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace vx {

bool globMatch(const std::string& name, const std::string& pattern) {
    // Greedy matching with one back-track point: linear for the usual masks.
    size_t n = 0, p = 0, starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

std::vector<DirEntry> dirSearch(const std::string& pattern) {
    std::vector<DirEntry> out;
    auto slash = pattern.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : pattern.substr(0, slash + 1);
    std::string mask = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
    DIR* d = opendir(folder.empty() ? "." : folder.c_str());
    if (!d) return out;
    while (dirent* e = readdir(d)) {
        std::string name = e->d_name;
        if (!globMatch(name, mask)) continue;
        std::string full = folder + name;
        struct stat st, lst;
        if (::stat(full.c_str(), &st) != 0) continue; // a link that leads nowhere
        DirEntry ent;
        ent.name = name;
        ent.size = static_cast<int64_t>(st.st_size);
        ent.isDir = S_ISDIR(st.st_mode);
        ent.isPlain = S_ISREG(st.st_mode);
        ent.isLink = ::lstat(full.c_str(), &lst) == 0 && S_ISLNK(lst.st_mode);
        ent.writable = ::access(full.c_str(), W_OK) == 0;
        out.push_back(std::move(ent));
    }
    closedir(d);
    return out;
}

bool staysInside(const std::string& path) {
    if (!path.empty() && path[0] == '/') return false;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        if (path.compare(start, end - start, "..") == 0) return false;
        start = end + 1;
    }
    return true;
}

std::string plainRelativePath(const std::string& path) {
    std::string out;
    size_t start = path.empty() || path[0] != '/' ? 0 : 1;
    if (start == 1) out = "/";
    while (start < path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        const std::string_view part(path.data() + start, end - start);
        if (!part.empty() && part != ".") {
            if (!out.empty() && out.back() != '/') out += '/';
            out += part;
        }
        start = end + 1;
    }
    return out;
}

namespace {

// full (resolved) is base or lies below it.
bool isWithin(const std::string& base, const std::string& full) {
    return full.compare(0, base.size(), base) == 0 &&
           (full.size() == base.size() || base == "/" || full[base.size()] == '/');
}

std::string resolved(const std::string& path) {
    char* r = ::realpath(path.c_str(), nullptr);
    std::string out = r ? r : "";
    std::free(r);
    return out;
}

} // namespace

bool leadsOutside(const std::string& folder, const std::string& rel) {
    const std::string base = resolved(folder), full = resolved(folder + "/" + rel);
    return !base.empty() && !full.empty() && !isWithin(base, full);
}

bool reachesOutside(const std::string& folder, const std::string& rel) {
    const std::string base = resolved(folder);
    if (base.empty()) return true;
    std::string path = folder + "/" + rel;
    for (int hops = 0; hops < 40; ++hops) {
        const auto slash = path.find_last_of('/');
        const std::string dir = resolved(slash == 0 ? "/" : path.substr(0, slash));
        if (dir.empty()) return false; // no such folder: nothing can be put there
        const std::string name = path.substr(slash + 1);
        if (name == "." || name == "..") return !isWithin(base, resolved(path));
        const std::string full = (dir == "/" ? "" : dir) + "/" + name;
        if (!isWithin(base, full)) return true;
        struct stat st;
        if (::lstat(full.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return false;
        std::string link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(full.c_str(), link.data(), link.size());
        if (n <= 0) return true;
        link.resize(static_cast<size_t>(n));
        path = link[0] == '/' ? link : dir + "/" + link;
    }
    return true;
}

bool liesInFolder(const std::string& folder, const std::string& path) {
    const std::string cwd = resolved("."), full = resolved(path);
    if (cwd.empty() || full.empty()) return false;
    const std::string plain = plainRelativePath(folder);
    return isWithin(plain.empty() ? cwd : (cwd == "/" ? "" : cwd) + "/" + plain, full);
}

bool existsAsFile(const std::string& path) {
    struct stat st;
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

} // namespace vx
