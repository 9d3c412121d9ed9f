#include "fileio.h"

#include "errors.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fnmatch.h>
#include <glib.h>
#include <sys/stat.h>

namespace vx {

namespace {
bool statOf(const std::string& path, struct stat& st) {
    return ::stat(path.c_str(), &st) == 0;
}
} // namespace

bool fileExists(const std::string& path) {
    struct stat st;
    return statOf(path, st) && S_ISREG(st.st_mode);
}

bool directoryExists(const std::string& path) {
    struct stat st;
    return statOf(path, st) && S_ISDIR(st.st_mode);
}

int64_t fileSize(const std::string& path) {
    struct stat st;
    return statOf(path, st) ? static_cast<int64_t>(st.st_size) : -1;
}

std::string readFileBytes(const std::string& path, size_t maxBytes) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) throw FileError("Unable to open file \"" + path + "\": " + std::strerror(errno));
    std::string out;
    char buf[65536];
    while (out.size() < maxBytes) {
        size_t want = std::min(sizeof buf, maxBytes - out.size());
        size_t n = std::fread(buf, 1, want, f);
        out.append(buf, n);
        if (n < want) break;
    }
    bool bad = std::ferror(f) != 0;
    std::fclose(f);
    if (bad) throw FileError("Read error on file \"" + path + "\"");
    return out;
}

void writeFileAtomic(const std::string& path, const std::string& bytes) {
    GError* err = nullptr;
    if (!g_file_set_contents(path.c_str(), bytes.data(), static_cast<gssize>(bytes.size()), &err)) {
        std::string msg = err ? err->message : "unknown error";
        if (err) g_error_free(err);
        throw FileError("Unable to write file \"" + path + "\": " + msg);
    }
}

std::vector<std::string> findEntries(const std::string& folder, const std::string& pattern,
                                     bool wantDirs) {
    std::vector<std::string> out;
    DIR* d = opendir(folder.empty() ? "." : folder.c_str());
    if (!d) return out;
    while (dirent* e = readdir(d)) {
        const char* name = e->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
        if (fnmatch(pattern.c_str(), name, FNM_NOESCAPE) != 0) continue;
        struct stat st;
        std::string full = (folder.empty() ? std::string(".") : folder) + "/" + name;
        if (!statOf(full, st)) continue; // broken link
        if (wantDirs ? S_ISDIR(st.st_mode) : S_ISREG(st.st_mode)) out.emplace_back(name);
    }
    closedir(d);
    return out;
}

} // namespace vx
