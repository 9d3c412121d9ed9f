#include "lib_files.h"

#include "lib_dirsearch.h"

#include <fcntl.h>
#include <gio/gio.h>
#include <glib/gstdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vx {

namespace {
struct GObjectRef {
    GFile* f;
    ~GObjectRef() {
        if (f) g_object_unref(f);
    }
};

bool sameFile(const std::string& a, const std::string& b) {
    struct stat sa, sb;
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}
} // namespace

bool copyFileTo(const std::string& src, const std::string& dst, bool preserveTime) {
    const auto flags = preserveTime ? G_FILE_COPY_ALL_METADATA : G_FILE_COPY_TARGET_DEFAULT_PERMS;
    GObjectRef from{g_file_new_for_path(src.c_str())};
    for (int attempt = 0; attempt < 16; ++attempt) {
        char suffix[16];
        g_snprintf(suffix, sizeof suffix, ".%08x~", g_random_int());
        const std::string tmp = dst + suffix;
        GObjectRef to{g_file_new_for_path(tmp.c_str())};
        GError* err = nullptr;
        // Without OVERWRITE the temporary name is created exclusively.
        if (g_file_copy(from.f, to.f, static_cast<GFileCopyFlags>(flags), nullptr, nullptr, nullptr,
                        &err)) {
            // GIO keeps the modification time even without ALL_METADATA.
            bool ok = preserveTime || ::utimensat(AT_FDCWD, tmp.c_str(), nullptr, 0) == 0;
            if (ok && g_rename(tmp.c_str(), dst.c_str()) == 0) return true;
            g_unlink(tmp.c_str());
            return false;
        }
        const bool clash = g_error_matches(err, G_IO_ERROR, G_IO_ERROR_EXISTS);
        g_error_free(err);
        if (!clash) return false;
    }
    return false;
}

bool eraseOk(const std::string& name) {
    return !name.empty() && ::unlink(name.c_str()) == 0;
}

bool fileFoundFF(const std::string& name) {
    return !name.empty() && !dirSearch(name).empty();
}

void copyIfExists(const std::string& src, const std::string& dst, bool preserveTime) {
    if (existsAsFile(src)) copyFileTo(src, dst, preserveTime);
}

void deleteIfFound(const std::string& name) {
    if (fileFoundFF(name)) ::unlink(name.c_str());
}

void moveFileSS(const std::string& srcIn, const std::string& dstIn, bool preserveTime) {
    const std::string src = srcIn.substr(0, 255), dst = dstIn.substr(0, 255);
    if (!existsAsFile(src)) return; // then the search-and-delete would find nothing to delete
    if (sameFile(src, dst)) return; // a move onto itself must not end in a delete
    if (copyFileTo(src, dst, preserveTime)) deleteIfFound(src);
}

} // namespace vx
