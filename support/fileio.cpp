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

bool pwriteAll(int fd, const std::string& bytes) {
    for (size_t at = 0; at < bytes.size();) {
        const ssize_t w =
            ::pwrite(fd, bytes.data() + at, bytes.size() - at, static_cast<off_t>(at));
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) return false;
        at += static_cast<size_t>(w);
    }
    return true;
}

bool preadAll(int fd, std::string& bytes) {
    for (size_t at = 0; at < bytes.size();) {
        const ssize_t r = ::pread(fd, bytes.data() + at, bytes.size() - at, static_cast<off_t>(at));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return false;
        at += static_cast<size_t>(r);
    }
    return true;
}

// The owner of a replaced file is kept where the system allows it.
bool keepOwner(int fd, const struct stat& st) {
    if (st.st_uid == ::geteuid() && st.st_gid == ::getegid()) return true;
    return ::fchown(fd, st.st_uid, st.st_gid) == 0;
}

WriterSyncCall syncOverride = nullptr;

// 0 when flushed, or when the file system has no flush for it (EINVAL).
int flushFd(int fd, bool folder) {
    const int r = syncOverride ? syncOverride(fd, folder) : ::fsync(fd);
    return r != 0 && errno == EINVAL ? 0 : r;
}

// A folder that cannot be opened for reading cannot be flushed by anyone.
int flushFolder(const std::string& folder) {
    const int d = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (d < 0) return 0;
    const int r = flushFd(d, true);
    const int err = errno;
    ::close(d);
    errno = err;
    return r;
}

} // namespace

void setWriterSyncForTesting(WriterSyncCall call) {
    syncOverride = call;
}

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
    // Still a link after following: the name is part of a loop.
    existed_ = ::lstat(target_.c_str(), &st) == 0;
    if (existed_ && S_ISLNK(st.st_mode)) fail(ELOOP);
    existed_ = ::stat(target_.c_str(), &st) == 0;
    if (!existed_ && errno == ELOOP) {
        existed_ = true; // a loop further up the path
        fail(ELOOP);
    }
    if (existed_ && S_ISDIR(st.st_mode)) {
        existed_ = false; // no file is there, and none can be made
        fail(EISDIR);
    }
    // A pipe without a reader would block the program for good; a device or
    // socket is no file to save.
    if (existed_ && !S_ISREG(st.st_mode))
        failBecause("it is not a plain file but a pipe, device or socket");
    // A plain rewrite would be refused too; renaming would get round that.
    if (existed_ && ::access(target_.c_str(), W_OK) != 0) fail(errno);
    temp_ = temporaryNameBeside(target_);
    fd_ = ::mkostemp(temp_.data(), O_CLOEXEC);
    if (fd_ < 0) {
        const int err = errno;
        temp_.clear();
        if (!existed_ || (err != EACCES && err != EPERM && err != EROFS)) fail(err);
        // The folder takes no new file, but the file may be written. Not
        // truncated yet, and read too, so a failure can put the old bytes back.
        inPlace_ = true;
        fd_ = ::open(target_.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        if (fd_ < 0) fd_ = ::open(target_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd_ < 0) fail(errno);
        if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode))
            failBecause("it is not a plain file but a pipe, device or socket");
        return;
    }
    const mode_t mode = existed_ ? (st.st_mode & 07777) : newFileMode();
    if (existed_) static_cast<void>(keepOwner(fd_, st));
    if (::fchmod(fd_, mode) != 0) fail(errno);
}

SafeFileWriter::~SafeFileWriter() {
    if (fd_ >= 0) ::close(fd_);
    if (!temp_.empty()) ::unlink(temp_.c_str());
}

void SafeFileWriter::fail(int err) const {
    failBecause(std::strerror(err));
}

void SafeFileWriter::failBecause(const std::string& reason) const {
    const std::string what = "Unable to write file \"" + path_ + "\": " + reason;
    if (existed_) throw FileWriteError(what);
    throw FileCreateError(what);
}

void SafeFileWriter::write(const void* data, size_t size) {
    if (fd_ < 0) fail(EBADF);
    if (inPlace_) {
        pending_.append(static_cast<const char*>(data), size);
        return;
    }
    errno = 0;
    if (!writeAll(fd_, static_cast<const char*>(data), size)) fail(errno ? errno : EIO);
}

void SafeFileWriter::setModificationTime(int64_t seconds, long nanoseconds) {
    setTime_ = true;
    mtimeSec_ = seconds;
    mtimeNsec_ = nanoseconds;
}

bool SafeFileWriter::setTimes() const {
    if (!setTime_) return true;
    const timespec times[2] = {{0, UTIME_OMIT}, {static_cast<time_t>(mtimeSec_), mtimeNsec_}};
    return ::futimens(fd_, times) == 0;
}

void SafeFileWriter::commitInPlace() {
    struct stat st;
    if (::fstat(fd_, &st) != 0) fail(errno);
    const off_t oldSize = st.st_size, newSize = static_cast<off_t>(pending_.size());
    std::string old(static_cast<size_t>(oldSize), '\0');
    const bool haveOld = preadAll(fd_, old);
    // The whole new size is reserved before the first old byte changes: a
    // full disk refuses the save while the old file is still whole.
    if (newSize > 0) {
        const int err = ::posix_fallocate(fd_, 0, newSize);
        if (err != 0) {
            if (::fstat(fd_, &st) == 0 && st.st_size != oldSize)
                static_cast<void>(::ftruncate(fd_, oldSize));
            fail(err);
        }
    }
    errno = 0;
    if (pwriteAll(fd_, pending_) && ::ftruncate(fd_, newSize) == 0 && setTimes() &&
        flushFd(fd_, false) == 0)
        return;
    const int err = errno ? errno : EIO;
    if (haveOld && pwriteAll(fd_, old) && ::ftruncate(fd_, oldSize) == 0)
        static_cast<void>(flushFd(fd_, false));
    fail(err);
}

void SafeFileWriter::commitReplacing() {
    if (!setTimes() || flushFd(fd_, false) != 0) fail(errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) fail(errno);
    // A second name for the old file, so that it can be put back when the
    // folder cannot be flushed after the rename. The temporary name is unique,
    // and so is this one made from it.
    std::string keep;
    if (existed_) {
        keep = temp_;
        keep.back() = '~';
        if (::link(target_.c_str(), keep.c_str()) != 0) keep.clear();
    }
    if (::rename(temp_.c_str(), target_.c_str()) != 0) {
        const int err = errno;
        if (!keep.empty()) ::unlink(keep.c_str());
        fail(err);
    }
    temp_.clear();
    if (flushFolder(folderOf(target_)) != 0) {
        const int err = errno;
        if (!keep.empty())
            ::rename(keep.c_str(), target_.c_str());
        else if (!existed_)
            ::unlink(target_.c_str());
        fail(err);
    }
    if (!keep.empty()) ::unlink(keep.c_str());
}

void SafeFileWriter::commit() {
    if (fd_ < 0) fail(EBADF);
    if (inPlace_) {
        commitInPlace();
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0) fail(errno);
    } else {
        commitReplacing();
    }
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
