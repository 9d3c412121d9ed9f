// An untyped file of record size 1, opened read-only: the readers' one way to
// bytes on disk. Every failure is a FileError naming the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vx {

class RawFile {
public:
    explicit RawFile(const std::string& path); // FileError when it cannot be opened
    ~RawFile();
    RawFile(const RawFile&) = delete;
    RawFile& operator=(const RawFile&) = delete;

    // The file's real size when it was opened.
    int64_t size() const { return size_; }
    int64_t position() const { return pos_; }
    // FileError for a position outside 0 .. size().
    void seek(int64_t pos);
    // Reads until n bytes or the end of the file; returns the bytes read.
    size_t readUpTo(void* buf, size_t n);
    // Reads exactly n bytes; FileError ("read past end of file") otherwise.
    void readExact(void* buf, size_t n);

    [[noreturn]] void fail(const std::string& what) const;

private:
    std::string path_;
    int fd_ = -1;
    int64_t size_ = 0;
    int64_t pos_ = 0;
};

} // namespace vx
