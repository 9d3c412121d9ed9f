#include "mapeditor/lmfile.h"

#include "support/errors.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
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

TEST(LandmarkFile, ATableNeverLoadedSavesItsRecordsAt63Bytes) {
    // Landmarks added before any file was loaded: the header is all zeros.
    Tlm t{};
    t.head.count = 2;
    setName(t.rec(1), "First");
    setName(t.rec(2), "Second");
    t.rec(2).lat = 51.25f;
    const std::string out = landmarkFileBytes(t);
    ASSERT_EQ(out.size(), 100u + 2 * 63);
    uint16_t recsize;
    std::memcpy(&recsize, out.data() + 22, 2);
    EXPECT_EQ(recsize, 63);
    Tlm back = parseLandmarkFile(out, "new.dat");
    ASSERT_EQ(back.count(), 2);
    EXPECT_EQ(std::memcmp(&back.rec(2), &t.rec(2), sizeof(landmark)), 0);
}

TEST(LandmarkFile, FailedSaveLeavesThePreviousFile) {
    vxtest::TempDir dir;
    dir.write("keep.dat", "previous contents");
    Tlm t{};
    t.head.recsize = 63;
    t.head.count = 100;
    {
        vxtest::FileSizeLimit limit(1000);
        EXPECT_THROW(saveLandmarkFile((dir / "keep.dat").string(), t), FileError);
    }
    EXPECT_EQ(dir.read("keep.dat"), "previous contents");
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        EXPECT_EQ(e.path().filename(), "keep.dat") << "no temporary file is left behind";
}

TEST(LandmarkFile, MissingFileIsAFileError) {
    vxtest::TempDir dir;
    EXPECT_THROW(readLandmarkFile((dir / "none.mlf").string()), FileError);
}

// Records laid out byte by byte at the file format's offsets, not through the
// program's own structs: a swapped or shifted field cannot pass unnoticed.
TEST(LandmarkFile, RecordLaidOutByHandReadsBackFieldByField) {
    std::string file(100, '\0');
    file[0] = 'H'; // header bytes the program does not interpret
    file[19] = '\x77';
    file[20] = 2;  // count, little-endian Word
    file[22] = 63; // recsize
    file[24] = '\x11';
    file[99] = '\x5a';
    const auto single = [](uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3) {
        return std::string{char(b0), char(b1), char(b2), char(b3)};
    };
    std::string rec(63, '\0');
    rec.replace(0, 2, "\x34\x12");                      // rsv0 = 0x1234
    rec[2] = '\x56';                                    // rsv2
    rec[3] = '\x78';                                    // rsv3
    rec[4] = 7;                                         // type code
    rec[5] = '\x2a';                                    // object-file number
    rec[6] = 1;                                         // side
    rec.replace(7, 4, single(0x00, 0x00, 0x46, 0x42));  // lat 49.5
    rec.replace(11, 4, single(0x00, 0x00, 0x10, 0xC0)); // lon -2.25
    rec.replace(15, 4, single(0x00, 0x00, 0xAF, 0x43)); // elev 350
    rec.replace(19, 4, single(0x00, 0x00, 0xB4, 0x42)); // rota 90
    rec.replace(23, 13, "Halvory Field");
    std::string second(63, '\0');
    second.replace(7, 4, single(0x00, 0x00, 0x80, 0xBF)); // lat -1
    second.replace(23, 40, std::string(40, 'N'));         // a name without NUL
    file += rec + second;

    vxtest::TempDir dir;
    dir.write("hand.mlf", file);
    const Tlm t = readLandmarkFile((dir / "hand.mlf").string());
    EXPECT_EQ(t.head.count, 2);
    EXPECT_EQ(t.head.recsize, 63);
    // Packed fields are copied out before the comparison takes them by reference.
    const auto copy = [](auto v) { return v; };
    const landmark& a = t.rec(1);
    EXPECT_EQ(copy(a.rsv0), 0x1234);
    EXPECT_EQ(copy(a.rsv2), 0x56);
    EXPECT_EQ(copy(a.rsv3), 0x78);
    EXPECT_EQ(a.lmid.at(1), 7);
    EXPECT_EQ(a.lmid.at(2), 0x2a);
    EXPECT_EQ(a.lmid.at(3), 1);
    EXPECT_EQ(copy(a.lat), 49.5f);
    EXPECT_EQ(copy(a.lon), -2.25f);
    EXPECT_EQ(copy(a.elev), 350.0f);
    EXPECT_EQ(copy(a.rota), 90.0f);
    EXPECT_EQ(std::string(a.name, strnlen(a.name, sizeof a.name)), "Halvory Field");
    const landmark& b = t.rec(2);
    EXPECT_EQ(copy(b.lat), -1.0f);
    EXPECT_EQ(copy(b.lon), 0.0f);
    EXPECT_EQ(std::string(b.name, sizeof b.name), std::string(40, 'N'));
    EXPECT_EQ(landmarkFileBytes(t), file) << "every byte is written back where it was";
}
