#include "lib_files.h"

#include "errors.h"
#include "lib_dirsearch.h"
#include "lib_rawfile.h"

#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vx {

namespace {
bool sameFile(const std::string& a, const std::string& b) {
    struct stat sa, sb;
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}
} // namespace

void copyFileThrough(const std::string& src, SafeFileWriter& out) {
    RawFile in(src);
    std::vector<char> buf(64 * 1024);
    for (size_t got; (got = in.readUpTo(buf.data(), buf.size())) > 0;) out.write(buf.data(), got);
}

bool copyFileTo(const std::string& src, const std::string& dst, bool preserveTime) {
    try {
        SafeFileWriter out(dst);
        copyFileThrough(src, out);
        struct stat st;
        if (preserveTime && ::stat(src.c_str(), &st) == 0)
            out.setModificationTime(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
        out.commit();
        return true;
    } catch (const FileError&) {
        return false;
    }
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
