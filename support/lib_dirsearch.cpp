#include "lib_dirsearch.h"

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

bool leadsOutside(const std::string& folder, const std::string& rel) {
    char* base = ::realpath(folder.c_str(), nullptr);
    char* full = ::realpath((folder + "/" + rel).c_str(), nullptr);
    bool outside = false;
    if (base && full) {
        const std::string b = base, f = full;
        const bool inside = f.compare(0, b.size(), b) == 0 &&
                            (f.size() == b.size() || b == "/" || f[b.size()] == '/');
        outside = !inside;
    }
    std::free(base);
    std::free(full);
    return outside;
}

bool existsAsFile(const std::string& path) {
    struct stat st;
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

} // namespace vx
