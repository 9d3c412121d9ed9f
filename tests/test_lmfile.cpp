#include "mapeditor/lmfile.h"

#include "support/errors.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <sys/resource.h>
#include <unistd.h>

using namespace vx;

namespace {

std::string record(size_t size, uint8_t fill) {
    return std::string(size, static_cast<char>(fill));
}

} // namespace

TEST(LandmarkFile, RecordCountComesFromFileSize) {
    struct Case {
        const char* what;
        uint16_t headerCount;
        uint16_t recsize;
        int records;
        size_t trailing;
        int expectCount;
    };
    const Case cases[] = {
        {"header only", 7, 63, 0, 0, 0},
        {"three records and a short tail", 99, 63, 3, 10, 3},
        {"record size 60", 1, 60, 4, 0, 4},
        {"more than the table holds", 600, 63, 600, 0, 512},
    };
    for (const auto& c : cases) {
        std::string bytes = vxtest::fileHeader(c.headerCount, c.recsize);
        for (int i = 0; i < c.records; ++i) bytes += record(c.recsize, static_cast<uint8_t>(i + 1));
        bytes += std::string(c.trailing, '\x7f');
        Tlm t = parseLandmarkFile(bytes, "f");
        EXPECT_EQ(t.count(), c.expectCount) << c.what;
        EXPECT_EQ(t.head.recsize, c.recsize) << c.what;
        EXPECT_EQ(t.head.htail[73], 0x5a) << c.what;
        // Slots above the count stay zero.
        if (c.expectCount < lmCapacity) {
            landmark zero{};
            EXPECT_EQ(std::memcmp(&t.rec(c.expectCount + 1), &zero, sizeof zero), 0) << c.what;
        }
    }
}

TEST(LandmarkFile, ShortRecordsFillTheStartOfTheirSlot) {
    std::string bytes = vxtest::fileHeader(2, 60) + record(60, 0x11) + record(60, 0x22);
    Tlm t = parseLandmarkFile(bytes, "f");
    const auto* raw = reinterpret_cast<const uint8_t*>(&t.rec(2));
    EXPECT_EQ(raw[0], 0x22);
    EXPECT_EQ(raw[59], 0x22);
    EXPECT_EQ(raw[60], 0);
    EXPECT_EQ(raw[62], 0);
}

TEST(LandmarkFile, LongRecordsKeepTheirFirst63Bytes) {
    std::string r1 = record(63, 0x31) + record(7, 0xee);
    std::string r2 = record(63, 0x32) + record(7, 0xee);
    Tlm t = parseLandmarkFile(vxtest::fileHeader(2, 70) + r1 + r2, "f");
    ASSERT_EQ(t.count(), 2);
    EXPECT_EQ(reinterpret_cast<const uint8_t*>(&t.rec(2))[0], 0x32);
    // A save writes 70-byte records whose last 7 bytes are zero.
    std::string out = landmarkFileBytes(t);
    ASSERT_EQ(out.size(), 100u + 2 * 70);
    EXPECT_EQ(out.substr(100, 63), record(63, 0x31));
    EXPECT_EQ(out.substr(163, 7), std::string(7, '\0'));
}

TEST(LandmarkFile, UnreadableHeadersAreRefusedWithAReason) {
    EXPECT_THROW(parseLandmarkFile(std::string(99, '\0'), "short.mlf"), FileError);
    try {
        parseLandmarkFile(vxtest::fileHeader(3, 0) + std::string(200, 'x'), "zero.mlf");
        FAIL();
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("record size 0"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("zero.mlf"), std::string::npos);
    }
}

TEST(LandmarkFile, SaveRoundTripIsByteForByteExceptTheCount) {
    vxtest::TempDir dir;
    std::string bytes = vxtest::fileHeader(0, 63);
    for (int i = 0; i < 5; ++i) {
        landmark r{};
        r.lmid.at(1) = static_cast<uint8_t>(i);
        r.lat = 49.5f + static_cast<float>(i);
        r.rsv0 = 0xbeef;
        setName(r, "Place " + std::to_string(i));
        bytes.append(reinterpret_cast<const char*>(&r), sizeof r);
    }
    dir.write("in.mlf", bytes);
    Tlm t = readLandmarkFile((dir / "in.mlf").string());
    saveLandmarkFile((dir / "out.dat").string(), t);
    std::string out = dir.read("out.dat");
    ASSERT_EQ(out.size(), bytes.size());
    EXPECT_EQ(out.substr(0, 20), bytes.substr(0, 20));
    EXPECT_EQ(out.substr(22), bytes.substr(22));
    uint16_t count;
    std::memcpy(&count, out.data() + 20, 2);
    EXPECT_EQ(count, 5);
}

TEST(LandmarkFile, FailedSaveLeavesThePreviousFile) {
    vxtest::TempDir dir;
    dir.write("keep.dat", "previous contents");
    Tlm t{};
    t.head.recsize = 63;
    t.head.count = 100;
    // A file-size limit makes the write fail part way, for root too.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    auto prevHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 1000;
    setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_THROW(saveLandmarkFile((dir / "keep.dat").string(), t), FileError);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, prevHandler);
    EXPECT_EQ(dir.read("keep.dat"), "previous contents");
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        EXPECT_EQ(e.path().filename(), "keep.dat") << "no temporary file is left behind";
}

TEST(LandmarkFile, MissingFileIsAFileError) {
    vxtest::TempDir dir;
    EXPECT_THROW(readLandmarkFile((dir / "none.mlf").string()), FileError);
}
