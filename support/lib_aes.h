// AES-256 (FIPS-197) in electronic-codebook mode over single blocks and whole
// texts. Zero bytes fill a text to whole blocks; decryption cuts the result at
// its first zero byte. Each call expands the key afresh and keeps nothing.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vx {

using AesBlock = std::array<uint8_t, 16>;
using AesKey = std::array<uint8_t, 32>;

void aesEncryptBlock(AesBlock& block, const AesKey& key);
void aesDecryptBlock(AesBlock& block, const AesKey& key);
void aesDecryptBlock2(const void* owner, AesBlock& block, const AesKey& key);
void aesEncryptString(std::string& result, const std::string& plain, const AesKey& key);
void aesDecryptString(std::string& result, const std::string& cipher, const AesKey& key);
// s holds at most 255 bytes (a longer text is cut first).
void aesDecryptShortString(std::string& s, const AesKey& key);

} // namespace vx
