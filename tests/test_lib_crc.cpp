#include "support/crc32.h"
#include "support/errors.h"
#include "support/lib_bytesum.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <filesystem>
#include <regex>
#include <sstream>
#include <unistd.h>
#include <zlib.h>

namespace fs = std::filesystem;
using namespace vx;

TEST(LibCrc, TableIsZlibs) {
    const z_crc_t* z = get_crc_table();
    for (int i = 0; i < 256; ++i) EXPECT_EQ(crcTable[i], z[i]) << i;
}

TEST(LibCrc, CheckValues) {
    struct Case {
        std::string bytes;
        uint32_t raw, standard;
    };
    const Case cases[] = {
        {"", 0, 0},
        {"abc", 0xCA6598D0u, 0x352441C2u},
        {"123456789", 0x2DFD2D88u, 0xCBF43926u},
        {std::string("\0\0\0\0", 4), 0, 0x2144DF1Cu},
    };
    for (const auto& c : cases) {
        const auto len = static_cast<int32_t>(c.bytes.size());
        EXPECT_EQ(crcRaw(c.bytes.data(), len), c.raw) << c.bytes;
        EXPECT_EQ(crc32Of(c.bytes.data(), len), c.standard) << c.bytes;
    }
    EXPECT_EQ(crcRaw("abc", -3), 0u);
    EXPECT_EQ(crc32Of("abc", -1), 0u);
}

TEST(LibCrc, SelfTimeKeepsTheStandardValue) {
    unsigned char pattern[1024];
    for (int i = 0; i < 1024; ++i) pattern[i] = static_cast<unsigned char>(i);
    crcSelfTime();
    EXPECT_EQ(crcTestValue, crc32Of(pattern, 1024));
    EXPECT_TRUE(std::regex_match(crcTestTime, std::regex(R"(\d\d:\d\d:\d\d;\d\d\d)")))
        << crcTestTime;
}

TEST(LibCrc, FileCrc32Statuses) {
    vxtest::TempDir dir;
    dir.write("empty", "");
    dir.write("abc", "abc");
    fs::create_directory(dir / "folder");
    fs::create_symlink(dir / "abc", dir / "link");
    struct Case {
        std::string name;
        uint32_t crc;
        int32_t status;
    };
    const Case cases[] = {{"empty", 0, 0},
                          {"missing", 0, 0},
                          {"folder", 0, 0},
                          {"abc", 0x352441C2u, 1},
                          {"link", 0x352441C2u, 1}};
    for (const auto& c : cases) {
        int32_t status = 99;
        EXPECT_EQ(fileCrc32(dir.str() + "/" + c.name, status), c.crc) << c.name;
        EXPECT_EQ(status, c.status) << c.name;
    }
    int32_t status = 99;
    EXPECT_EQ(fileCrc32("", status), 0u);
    EXPECT_EQ(status, 0);
}

TEST(LibCrc, FileCrc32UnreadableFile) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
    vxtest::TempDir dir;
    dir.write("secret", "abc");
    fs::permissions(dir / "secret", fs::perms::none);
    int32_t status = 0;
    EXPECT_EQ(fileCrc32(dir.str() + "/secret", status), 0u);
    EXPECT_EQ(status, -1);
}

// A named pipe or a socket exists but cannot be read as a file; neither may
// make the scan wait, for root too.
TEST(LibCrc, FileCrc32OfPipesAndSocketsIsUnreadable) {
    vxtest::TempDir dir;
    const std::string fifo = dir.str() + "/wingj001.dat";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    int32_t status = 0;
    EXPECT_EQ(fileCrc32(fifo, status), 0u);
    EXPECT_EQ(status, -1);

    const std::string sock = dir.str() + "/sock";
    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", sock.c_str());
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    status = 0;
    EXPECT_EQ(fileCrc32(sock, status), 0u);
    EXPECT_EQ(status, -1);
    close(fd);
}

TEST(LibCrc, FileCrc32OfLargerFileMatchesBuffer) {
    vxtest::TempDir dir;
    std::string bytes(300000, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + i / 300);
    dir.write("big", bytes);
    dir.write("small", "xyz");
    int32_t status = 0;
    EXPECT_EQ(fileCrc32(dir.str() + "/big", status),
              crc32Of(bytes.data(), static_cast<int32_t>(bytes.size())));
    // The kept buffer must not leak bytes of the previous file.
    EXPECT_EQ(fileCrc32(dir.str() + "/small", status), crc32Of("xyz", 3));
}

TEST(LibByteSum, StreamSumLeavesOutTheLastFiveBytes) {
    std::istringstream s8("abcdefgh");
    EXPECT_EQ(streamByteSum(s8), 294u);
    std::istringstream s5("abcde");
    EXPECT_EQ(streamByteSum(s5), 0u);
    std::istringstream s0("");
    EXPECT_EQ(streamByteSum(s0), 0u);
    std::istringstream from2("abcdefgh");
    from2.seekg(2);
    EXPECT_EQ(streamByteSum(from2), 300u); // c + d + e
    std::istringstream tooFar("abcdefgh");
    tooFar.seekg(6);
    EXPECT_THROW(streamByteSum(tooFar), FileError);
}

TEST(LibByteSum, FileSum) {
    vxtest::TempDir dir;
    dir.write("empty", "");
    dir.write("letters", "abcdefgh");
    EXPECT_EQ(fileByteSum(dir.str() + "/missing"), -1);
    EXPECT_EQ(fileByteSum(dir.str() + "/empty"), 0);
    EXPECT_EQ(fileByteSum(dir.str() + "/letters"), 294);
}

TEST(LibByteSum, JoinLinesCRLF) {
    TStringList list;
    std::string out = "old";
    joinLinesCRLF(out, list);
    EXPECT_EQ(out, "");
    list.Add("a");
    list.Add("b");
    joinLinesCRLF(out, list);
    EXPECT_EQ(out, "a\r\nb\r\n");
}
