#include "crc32.h"

#include "errors.h"
#include "lib_dirsearch.h"
#include "lib_rawfile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>
#include <zlib.h>

namespace vx {

uint32_t crcTestValue = 0;
std::string crcTestTime;

uint32_t crcRaw(const void* data, int32_t len) {
    uint32_t r = 0;
    const auto* p = static_cast<const unsigned char*>(data);
    for (int32_t i = 0; i < len; ++i) r = (r >> 8) ^ crcTable[(p[i] ^ r) & 0xFFu];
    return r;
}

uint32_t crc32Of(const void* data, int32_t len) {
    if (len <= 0) return 0;
    return static_cast<uint32_t>(
        ::crc32(0L, static_cast<const Bytef*>(data), static_cast<uInt>(len)));
}

uint32_t fileCrc32(const std::string& name, int32_t& status) {
    status = 0;
    // Whatever stat finds, a directory search for the same name finds too.
    if (!existsAsFile(name)) return 0;
    auto open = [&]() -> std::unique_ptr<RawFile> {
        try {
            return std::make_unique<RawFile>(name);
        } catch (const FileError&) {
            return nullptr;
        }
    };
    auto file = open();
    if (!file) {
        status = -1;
        return 0;
    }
    int64_t size = file->size();
    if (size <= 0) return 0;
    if (size > INT32_MAX) file->fail("file too large for a 32-bit count");
    // In pieces that stay in the cache between the read and the sum: a
    // buffer of the whole file would be written to memory and read back.
    constexpr size_t piece = size_t(256) << 10;
    std::vector<unsigned char> buf(std::min(piece, static_cast<size_t>(size)));
    uLong crc = ::crc32(0L, Z_NULL, 0);
    for (int64_t left = size; left > 0;) {
        const size_t n = std::min(buf.size(), static_cast<size_t>(left));
        file->readExact(buf.data(), n);
        crc = ::crc32(crc, buf.data(), static_cast<uInt>(n));
        left -= static_cast<int64_t>(n);
    }
    status = 1;
    return static_cast<uint32_t>(crc);
}

void crcSelfTime() {
    unsigned char buf[1024];
    for (int i = 0; i < 1024; ++i) buf[i] = static_cast<unsigned char>(i % 256);
    auto t0 = std::chrono::steady_clock::now();
    crcTestValue = crcRaw(buf, 1024);
    crcTestValue = crc32Of(buf, 1024);
    auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0)
            .count();
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld;%03lld", (long long)(ms / 3600000 % 24),
                  (long long)(ms / 60000 % 60), (long long)(ms / 1000 % 60),
                  (long long)(ms % 1000));
    crcTestTime = text;
}

} // namespace vx
