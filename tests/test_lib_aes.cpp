#include "support/lib_aes.h"

#include <gtest/gtest.h>

using namespace vx;

namespace {
template <size_t N> std::array<uint8_t, N> hexBytes(const char* hex) {
    std::array<uint8_t, N> out{};
    for (size_t i = 0; i < N; ++i)
        out[i] = static_cast<uint8_t>(std::stoi(std::string(hex + 2 * i, 2), nullptr, 16));
    return out;
}
AesKey countingKey() {
    AesKey k;
    for (size_t i = 0; i < k.size(); ++i) k[i] = static_cast<uint8_t>(i);
    return k;
}
} // namespace

TEST(LibAes, KnownAnswers) {
    struct Case {
        const char *key, *plain, *cipher;
    };
    const Case cases[] = {
        // FIPS-197 appendix C.3
        {"000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f",
         "00112233445566778899aabbccddeeff", "8ea2b7ca516745bfeafc49904b496089"},
        // SP 800-38A F.1.5, ECB-AES256 blocks 1 and 2
        {"603deb1015ca71be2b73aef0857d77811f352c073b6108d72d9810a30914dff4",
         "6bc1bee22e409f96e93d7e117393172a", "f3eed1bdb5d2a03c064b5a7e3db181f8"},
        {"603deb1015ca71be2b73aef0857d77811f352c073b6108d72d9810a30914dff4",
         "ae2d8a571e03ac9c9eb76fac45af8e51", "591ccb10d410ed26dc5ba74a31362870"},
    };
    for (const auto& c : cases) {
        const AesKey key = hexBytes<32>(c.key);
        AesBlock block = hexBytes<16>(c.plain);
        aesEncryptBlock(block, key);
        EXPECT_EQ(block, hexBytes<16>(c.cipher)) << c.plain;
        aesDecryptBlock(block, key);
        EXPECT_EQ(block, hexBytes<16>(c.plain));
        aesEncryptBlock(block, key);
        aesDecryptBlock2(&c, block, key);
        EXPECT_EQ(block, hexBytes<16>(c.plain));
    }
}

TEST(LibAes, StringLengthsAndFill) {
    const AesKey key = countingKey();
    struct Case {
        size_t plain, cipher;
    };
    for (const auto& c : {Case{0, 0}, Case{1, 16}, Case{16, 16}, Case{17, 32}, Case{31, 32}}) {
        std::string plain(c.plain, 'p'), cipher = "junk", back;
        aesEncryptString(cipher, plain, key);
        EXPECT_EQ(cipher.size(), c.cipher) << c.plain;
        aesDecryptString(back, cipher, key);
        EXPECT_EQ(back, plain);
    }
}

TEST(LibAes, EcbAndZeroCut) {
    const AesKey key = countingKey();
    std::string cipher, back;
    aesEncryptString(cipher, std::string(32, 'A'), key);
    EXPECT_EQ(cipher.substr(0, 16), cipher.substr(16, 16));
    aesEncryptString(cipher, std::string("before\0after", 12), key);
    aesDecryptString(back, cipher, key);
    EXPECT_EQ(back, "before");
    // A ciphertext that is not whole blocks is lengthened, never read beyond.
    aesDecryptString(back, cipher.substr(0, 5), key);
    EXPECT_LE(back.size(), 16u);
}

TEST(LibAes, ShortStringMatchesLongForm) {
    const AesKey key = countingKey();
    for (size_t n : {1u, 15u, 16u, 100u, 240u}) {
        std::string plain;
        for (size_t i = 0; i < n; ++i) plain += static_cast<char>('a' + i % 26);
        std::string cipher, viaLong;
        aesEncryptString(cipher, plain, key);
        aesDecryptString(viaLong, cipher, key);
        std::string shortForm = cipher;
        aesDecryptShortString(shortForm, key);
        EXPECT_EQ(shortForm, plain) << n;
        EXPECT_EQ(viaLong, plain) << n;
    }
}

TEST(LibAes, ShortStringOf255KeepsItsTail) {
    const AesKey key = countingKey();
    std::string plain(240, 'q'), cipher;
    aesEncryptString(cipher, plain, key);
    std::string s = cipher + std::string(15, 't');
    aesDecryptShortString(s, key);
    EXPECT_EQ(s, plain + std::string(15, 't'));
}
