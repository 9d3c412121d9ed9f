#include "objectviewer/lofile.h"

#include "support/errors.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <filesystem>
#include <memory>

using namespace vx;

namespace {

// Record i: every byte a function of i, the last one never zero.
std::string record(int i) {
    std::string r(20, '\0');
    for (size_t b = 0; b < r.size(); ++b) r[b] = static_cast<char>(i * 7 + b + 1);
    return r;
}

std::string records(int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += record(i);
    return out;
}

bool slotIsZero(const TLOtab& t, int i) {
    const LOobject zero{};
    return std::memcmp(&t.objs[i], &zero, sizeof zero) == 0;
}

std::unique_ptr<TLOtab> table() {
    return std::make_unique<TLOtab>();
}

} // namespace

TEST(ObjectFile, RecordsComeFromTheHeaderCount) {
    struct Case {
        const char* what;
        uint16_t count, recsize;
        int held;     // records the file holds
        int expected; // count after the read
        bool capped, shortFile;
    };
    const Case cases[] = {
        {"no records", 0, 20, 0, 0, false, false},
        {"exactly counted", 4, 20, 4, 4, false, false},
        {"five counted, three held", 5, 20, 3, 5, false, true},
        {"bytes beyond the count", 2, 20, 6, 2, false, false},
        {"record size 63 read as 20", 3, 63, 3, 3, false, false},
        {"record size 0 read as 20", 3, 0, 3, 3, false, false},
        {"full table", 1025, 20, 1025, 1025, false, false},
        {"count above the table", 1026, 20, 1030, 1025, true, false},
        {"largest count, nothing held", 65535, 20, 0, 1025, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto t = table();
        const LoReadNotes notes =
            parseObjectFile(vxtest::fileHeader(c.count, c.recsize) + records(c.held), *t);
        EXPECT_EQ(t->head.count, c.expected);
        EXPECT_EQ(t->head.recsize, c.recsize); // as read; the save writes 20
        EXPECT_EQ(t->head.htail[73], 0x5a);
        EXPECT_EQ(notes.headerCount, c.count);
        EXPECT_EQ(notes.countCapped, c.capped);
        EXPECT_EQ(notes.shortFile, c.shortFile);
        const int kept = std::min(c.held, c.expected);
        for (int i = 0; i < kept; ++i)
            ASSERT_EQ(std::memcmp(&t->objs[i], record(i).data(), 20), 0) << i;
        // Counted but missing records, and every slot from count on, are zero.
        for (int i = kept; i < loCapacity; ++i) ASSERT_TRUE(slotIsZero(*t, i)) << i;
    }
}

TEST(ObjectFile, ShortHeadersFillOnlyTheStartOfTheHeader) {
    const std::string full = vxtest::fileHeader(0x0203, 63);
    struct Case {
        size_t size;
        int count, recsize;
    };
    // Before offset 22 the record size is the 20 set before reading.
    const Case cases[] = {
        {0, 0, 20},     {20, 0, 20}, {21, 3, 20}, {22, 0x203, 20}, {23, 0x203, 20 | (63 & 0xff00)},
        {99, 0x203, 63}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        auto t = table();
        const LoReadNotes notes = parseObjectFile(full.substr(0, c.size), *t);
        EXPECT_EQ(t->head.count, c.count);
        EXPECT_EQ(t->head.recsize & 0xff, c.size >= 23 ? 63 : 20);
        EXPECT_EQ(notes.shortFile, c.count > 0);
        EXPECT_TRUE(slotIsZero(*t, 0));
        EXPECT_EQ(std::memcmp(&t->head, full.data(), c.size), 0);
    }
}

TEST(ObjectFile, ParseReplacesEverythingThatWasThere) {
    auto t = table();
    std::memset(t.get(), 0xee, sizeof *t);
    parseObjectFile(vxtest::fileHeader(1, 20) + records(1), *t);
    EXPECT_EQ(t->head.count, 1);
    for (int i = 1; i < loCapacity; ++i) ASSERT_TRUE(slotIsZero(*t, i)) << i;
}

TEST(ObjectFile, OneRecordAtTheDocumentedOffsets) {
    static_assert(std::endian::native == std::endian::little);
    std::string bytes = vxtest::fileHeader(1, 20) + std::string(20, '\0');
    char* r = bytes.data() + 100;
    r[0] = 9;    // class
    r[1] = 10;   // type
    r[2] = 0x77; // carried through
    const float x = 12.5f, y = -7, elev = 30, rota = 90;
    std::memcpy(r + 3, &x, 4);
    std::memcpy(r + 7, &y, 4);
    std::memcpy(r + 11, &elev, 4);
    std::memcpy(r + 15, &rota, 4);
    r[19] = 3; // hidden

    auto t = table();
    parseObjectFile(bytes, *t);
    const LOobject& o = t->objs[0];
    EXPECT_EQ(o.loid.at(1), 9);
    EXPECT_EQ(o.loid.at(2), 10);
    EXPECT_EQ(o.loid.at(3), 0x77);
    // Copies: the packed fields are unaligned.
    EXPECT_EQ(float{o.x}, 12.5f);
    EXPECT_EQ(float{o.y}, -7.0f);
    EXPECT_EQ(float{o.elev}, 30.0f);
    EXPECT_EQ(float{o.rota}, 90.0f);
    EXPECT_EQ(o.hide, 3);
    EXPECT_EQ(objectFileBytes(*t), bytes);
}

TEST(ObjectFile, WrittenFormHoldsTheCountedRecordsWithRecordSize20) {
    struct Case {
        const char* what;
        std::string file;
        std::string expected;
    };
    const Case cases[] = {
        {"no records: 100 bytes", vxtest::fileHeader(0, 20), vxtest::fileHeader(0, 20)},
        {"round trip", vxtest::fileHeader(7, 20) + records(7),
         vxtest::fileHeader(7, 20) + records(7)},
        {"record size 63 written as 20", vxtest::fileHeader(2, 63) + records(2),
         vxtest::fileHeader(2, 20) + records(2)},
        {"short file padded with zero records", vxtest::fileHeader(5, 20) + records(3),
         vxtest::fileHeader(5, 20) + records(3) + std::string(40, '\0')},
        {"bytes beyond the count dropped", vxtest::fileHeader(1, 20) + records(4),
         vxtest::fileHeader(1, 20) + records(1)},
        {"count above the table written as 1025", vxtest::fileHeader(2000, 20) + records(1030),
         vxtest::fileHeader(1025, 20) + records(1025)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto t = table();
        parseObjectFile(c.file, *t);
        EXPECT_EQ(objectFileBytes(*t), c.expected);
    }
}

TEST(ObjectFile, SaveAndLoadThroughFiles) {
    vxtest::TempDir dir;
    const std::string path = (dir / "lo020a01.dat").string();
    const std::string original = vxtest::fileHeader(3, 20) + records(3);
    dir.write("lo020a01.dat", original);

    auto t = table();
    readObjectFile(path, *t);
    EXPECT_EQ(t->head.count, 3);
    t->head.recsize = 99;
    const std::string copy = (dir / "copy.dat").string();
    EXPECT_EQ(saveObjectFile(copy, *t), 160u);
    EXPECT_EQ(t->head.recsize, 20); // in memory too
    EXPECT_EQ(dir.read("copy.dat"), original);
    EXPECT_EQ(loSavedMessage("copy.dat", 160), " Lofile copy.dat saved, 160 bytes");
    EXPECT_EQ(loNotSavedMessage("x.dat"), " Lofile x.dat not saved....");

    // An empty table saves as its header alone.
    auto empty = table();
    EXPECT_EQ(saveObjectFile(copy, *empty), 100u);
    EXPECT_EQ(std::filesystem::file_size(copy), 100u);
}

TEST(ObjectFile, FailedReadLeavesTheTableAlone) {
    vxtest::TempDir dir;
    auto t = table();
    parseObjectFile(vxtest::fileHeader(2, 20) + records(2), *t);
    const auto before = objectFileBytes(*t);
    EXPECT_THROW(readObjectFile((dir / "missing.dat").string(), *t), FileError);
    std::filesystem::create_directory(dir / "folder.dat");
    EXPECT_THROW(readObjectFile((dir / "folder.dat").string(), *t), FileError);
    EXPECT_EQ(objectFileBytes(*t), before);
}

TEST(ObjectFile, ReadStopsAtTheTable) {
    // A huge file is read no further than a full table.
    vxtest::TempDir dir;
    const std::string big =
        vxtest::fileHeader(1025, 20) + records(1025) + std::string(1 << 20, '\x42');
    dir.write("big.dat", big);
    auto t = table();
    const LoReadNotes notes = readObjectFile((dir / "big.dat").string(), *t);
    EXPECT_FALSE(notes.countCapped);
    EXPECT_FALSE(notes.shortFile);
    EXPECT_EQ(objectFileBytes(*t), big.substr(0, loMaxFileBytes));
}

TEST(ObjectFile, CappedCountIsReported) {
    EXPECT_EQ(loCountCappedMessage("/d/lo02.dat", 3000),
              "file /d/lo02.dat says it holds 3000 objects; only the first 1025 are loaded.");
}
