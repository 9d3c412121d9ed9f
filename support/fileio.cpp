#include "fileio.h"

#include "errors.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

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

namespace {

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Follows symbolic links to the file they name (which need not exist yet).
std::string followLinks(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        std::string link(static_cast<size_t>(st.st_size > 0 ? st.st_size : PATH_MAX), '\0');
        const ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
        if (n < 0) return path;
        link.resize(static_cast<size_t>(n));
        path = !link.empty() && link[0] == '/' ? link : folderOf(path) + "/" + link;
    }
    return path; // a loop: opening it reports the error
}

mode_t newFileMode() {
    static const mode_t mode = [] {
        const mode_t m = ::umask(022);
        ::umask(m);
        return static_cast<mode_t>(0666 & ~m);
    }();
    return mode;
}

bool writeAll(int fd, const char* p, size_t n) {
    while (n > 0) {
        const ssize_t w = ::write(fd, p, n);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) return false;
        p += w;
        n -= static_cast<size_t>(w);
    }
    return true;
}

// The owner of a replaced file is kept where the system allows it.
bool keepOwner(int fd, const struct stat& st) {
    if (st.st_uid == ::geteuid() && st.st_gid == ::getegid()) return true;
    return ::fchown(fd, st.st_uid, st.st_gid) == 0;
}

void flushFolder(const std::string& folder) {
    const int d = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (d < 0) return;
    ::fsync(d);
    ::close(d);
}

} // namespace

std::string temporaryNameBeside(const std::string& path) {
    const std::string folder = folderOf(path);
    const auto slash = path.find_last_of('/');
    std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    constexpr size_t extra = 1 + 7; // "." in front, ".XXXXXX" behind
    if (base.size() > NAME_MAX - extra) base.resize(NAME_MAX - extra);
    return (slash == std::string::npos ? std::string() : folder + "/") + "." + base + ".XXXXXX";
}

SafeFileWriter::SafeFileWriter(const std::string& path) : path_(path), target_(followLinks(path)) {
    struct stat st;
    const bool exists = ::stat(target_.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) fail(EISDIR);
    // A plain rewrite would be refused too; renaming would get round that.
    if (exists && ::access(target_.c_str(), W_OK) != 0) fail(errno);
    if (exists && !S_ISREG(st.st_mode)) {
        inPlace_ = true; // a device or pipe is written, never replaced
    } else {
        temp_ = temporaryNameBeside(target_);
        fd_ = ::mkostemp(temp_.data(), O_CLOEXEC);
        if (fd_ < 0) {
            const int err = errno;
            temp_.clear();
            if (!exists || (err != EACCES && err != EPERM && err != EROFS)) fail(err);
            inPlace_ = true; // the folder takes no new file, but the file may be written
        }
    }
    if (inPlace_) {
        // Not truncated yet: a file that cannot be opened stays whole.
        fd_ = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd_ < 0) fail(errno);
        return;
    }
    const mode_t mode = exists ? (st.st_mode & 07777) : newFileMode();
    if (exists) static_cast<void>(keepOwner(fd_, st));
    if (::fchmod(fd_, mode) != 0) fail(errno);
}

SafeFileWriter::~SafeFileWriter() {
    if (fd_ >= 0) ::close(fd_);
    if (!temp_.empty()) ::unlink(temp_.c_str());
}

void SafeFileWriter::fail(int err) const {
    throw FileError("Unable to write file \"" + path_ + "\": " + std::strerror(err));
}

void SafeFileWriter::write(const void* data, size_t size) {
    if (fd_ < 0) fail(EBADF);
    errno = 0;
    if (!writeAll(fd_, static_cast<const char*>(data), size)) fail(errno ? errno : EIO);
    written_ += size;
}

void SafeFileWriter::setModificationTime(int64_t seconds, long nanoseconds) {
    setTime_ = true;
    mtimeSec_ = seconds;
    mtimeNsec_ = nanoseconds;
}

void SafeFileWriter::commit() {
    if (fd_ < 0) fail(EBADF);
    if (inPlace_ && ::ftruncate(fd_, static_cast<off_t>(written_)) != 0 && errno != EINVAL)
        fail(errno);
    if (setTime_) {
        const timespec times[2] = {{0, UTIME_OMIT}, {static_cast<time_t>(mtimeSec_), mtimeNsec_}};
        if (::futimens(fd_, times) != 0) fail(errno);
    }
    // A pipe or terminal cannot be flushed; anything else must be.
    if (::fsync(fd_) != 0 && errno != EINVAL && errno != EROFS) fail(errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) fail(errno);
    if (!temp_.empty()) {
        if (::rename(temp_.c_str(), target_.c_str()) != 0) fail(errno);
        temp_.clear();
    }
    flushFolder(folderOf(target_));
}

void writeFileAtomic(const std::string& path, const std::string& bytes) {
    SafeFileWriter out(path);
    out.write(bytes.data(), bytes.size());
    out.commit();
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
