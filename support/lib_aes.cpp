#include "lib_aes.h"

#include <cstring>
#include <nettle/aes.h>

namespace vx {

namespace {

// A key schedule that is wiped when it goes, so no key material outlives a call.
struct Schedule {
    aes256_ctx ctx;
    Schedule(const AesKey& key, bool encrypt) {
        AesKey copy = key;
        if (encrypt)
            aes256_set_encrypt_key(&ctx, copy.data());
        else
            aes256_set_decrypt_key(&ctx, copy.data());
        explicit_bzero(copy.data(), copy.size());
    }
    ~Schedule() { explicit_bzero(&ctx, sizeof ctx); }
    Schedule(const Schedule&) = delete;
    Schedule& operator=(const Schedule&) = delete;
};

void encryptBlocks(const Schedule& s, std::string& text, size_t blocks) {
    auto* p = reinterpret_cast<uint8_t*>(text.data());
    aes256_encrypt(&s.ctx, blocks * 16, p, p);
}

void decryptBlocks(const Schedule& s, std::string& text, size_t blocks) {
    auto* p = reinterpret_cast<uint8_t*>(text.data());
    aes256_decrypt(&s.ctx, blocks * 16, p, p);
}

void cutAtZero(std::string& s) {
    auto z = s.find('\0');
    if (z != std::string::npos) s.erase(z);
}

size_t roundUp16(size_t n) {
    return (n + 15) / 16 * 16;
}

} // namespace

void aesEncryptBlock(AesBlock& block, const AesKey& key) {
    Schedule s(key, true);
    AesBlock out;
    aes256_encrypt(&s.ctx, out.size(), out.data(), block.data());
    block = out;
}

void aesDecryptBlock(AesBlock& block, const AesKey& key) {
    Schedule s(key, false);
    AesBlock out;
    aes256_decrypt(&s.ctx, out.size(), out.data(), block.data());
    block = out;
}

void aesDecryptBlock2(const void*, AesBlock& block, const AesKey& key) {
    aesDecryptBlock(block, key);
}

void aesEncryptString(std::string& result, const std::string& plain, const AesKey& key) {
    Schedule s(key, true);
    std::string text = plain;
    text.resize(roundUp16(text.size()), '\0');
    encryptBlocks(s, text, text.size() / 16);
    result = std::move(text);
}

void aesDecryptString(std::string& result, const std::string& cipher, const AesKey& key) {
    Schedule s(key, false);
    std::string text = cipher;
    text.resize(roundUp16(text.size()), '\0');
    decryptBlocks(s, text, text.size() / 16);
    cutAtZero(text);
    result = std::move(text);
}

void aesDecryptShortString(std::string& s, const AesKey& key) {
    Schedule sched(key, false);
    if (s.size() > 255) s.resize(255);
    s.resize(std::min<size_t>(roundUp16(s.size()), 255), '\0');
    decryptBlocks(sched, s, s.size() / 16);
    cutAtZero(s);
}

} // namespace vx
