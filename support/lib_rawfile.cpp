#include "lib_rawfile.h"

#include "errors.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vx {

RawFile::RawFile(const std::string& path) : path_(path) {
    // Non-blocking, so a named pipe or device cannot make the open wait forever.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) fail(std::string("cannot open: ") + std::strerror(errno));
    struct stat st;
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        fail("cannot open: not a plain file");
    }
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
    size_ = static_cast<int64_t>(st.st_size);
}

RawFile::~RawFile() {
    if (fd_ >= 0) ::close(fd_);
}

void RawFile::fail(const std::string& what) const {
    throw FileError("Input/output error on file \"" + path_ + "\": " + what);
}

void RawFile::seek(int64_t pos) {
    if (pos < 0 || pos > size_) fail("seek to " + std::to_string(pos) + " outside the file");
    pos_ = pos;
}

size_t RawFile::readUpTo(void* buf, size_t n) {
    auto* out = static_cast<char*>(buf);
    size_t done = 0;
    while (done < n) {
        ssize_t got = ::pread(fd_, out + done, n - done, static_cast<off_t>(pos_));
        if (got < 0) {
            if (errno == EINTR) continue;
            fail(std::string("read error: ") + std::strerror(errno));
        }
        if (got == 0) break;
        done += static_cast<size_t>(got);
        pos_ += got;
    }
    return done;
}

void RawFile::readExact(void* buf, size_t n) {
    if (readUpTo(buf, n) != n) fail("read past end of file");
}

} // namespace vx
