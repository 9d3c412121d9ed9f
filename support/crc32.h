// The CRC32 unit: the reflected CRC-32 of polynomial 0xEDB88320 (ISO-HDLC, as
// zlib) over buffers and whole files, and a self-timing run.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vx {

namespace detail {
constexpr std::array<uint32_t, 256> makeCrcTable() {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
        t[n] = c;
    }
    return t;
}
} // namespace detail

// Fixed data, computed by the compiler.
inline constexpr std::array<uint32_t, 256> crcTable = detail::makeCrcTable();
static_assert(crcTable[0] == 0 && crcTable[1] == 0x77073096u && crcTable[255] == 0x2D02EF8Du);

// Set by crcSelfTime.
extern uint32_t crcTestValue;
extern std::string crcTestTime;

// Table register from 0, no final inversion; 0 for len <= 0.
uint32_t crcRaw(const void* data, int32_t len);
// Standard CRC-32; 0 for len <= 0.
uint32_t crc32Of(const void* data, int32_t len);
// CRC-32 of a whole file. status: 1 computed, -1 exists but cannot be opened,
// 0 missing, a folder or empty. A file that shrinks while read is a FileError.
uint32_t fileCrc32(const std::string& name, int32_t& status);
void crcSelfTime();

} // namespace vx
