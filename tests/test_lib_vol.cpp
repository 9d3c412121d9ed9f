#include "support/crc32.h"
#include "support/errors.h"
#include "support/lib_vol.h"
#include "test_lib_volfixture.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace vx;
using vxtest::VolMember;

namespace {

std::string crcText(const std::string& s) {
    return std::to_string(crc32Of(s.data(), static_cast<int32_t>(s.size())));
}

const std::vector<VolMember> sampleMembers = {
    {"wingj001.dat", "xyz", 1}, {"FOILJ001.DAT", "foil data", 1}, {"empty.dat", "", 1},
    {"flag0.dat", "zero", 0},   {"flag2.dat", "two", 2},          {"fmparam1.dat", "fm", 1},
};

std::vector<std::string> listing(const std::string& path, const std::string& mask) {
    TStringList list;
    volListMatching(path, mask, list);
    return list.texts();
}

void setLE32(std::string& bytes, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::string sideTableFile(uint16_t count, uint16_t recsize, const std::vector<uint8_t>& sides) {
    landmarkhead head{};
    head.count = count;
    head.recsize = recsize;
    std::string out(reinterpret_cast<const char*>(&head), sizeof head);
    for (uint8_t side : sides) {
        landmark rec{};
        rec.lmid.at(3) = side;
        out.append(reinterpret_cast<const char*>(&rec), sizeof rec);
    }
    return out;
}

} // namespace

TEST(LibVol, ListsMatchingFlaggedMembersInDirectoryOrder) {
    vxtest::TempDir dir;
    dir.write("a.vol", vxtest::buildVol(sampleMembers));
    const std::string path = dir.str() + "/a.vol";
    EXPECT_EQ(
        listing(path, "*.dat"),
        (std::vector<std::string>{"wingj001.dat=3|" + crcText("xyz") + "|1", "empty.dat=0|0|1",
                                  "fmparam1.dat=2|" + crcText("fm") + "|1"}));
    EXPECT_TRUE(listing(path, "foilj???.dat").empty()); // case counts
    EXPECT_EQ(listing(path, "FOILJ???.DAT"),
              std::vector<std::string>{"FOILJ001.DAT=9|" + crcText("foil data") + "|1"});
    EXPECT_TRUE(listing(path, "flag*").empty());
}

TEST(LibVol, HeaderStateAndHighBytes) {
    vxtest::TempDir dir;
    dir.write("plain.vol", vxtest::buildVol(sampleMembers));
    dir.write("high.vol", vxtest::buildVol(sampleMembers, 0xAB));
    const auto plain = listing(dir.str() + "/plain.vol", "*");
    const int32_t dirPos = volDirPos, end = volEnd;
    EXPECT_EQ(listing(dir.str() + "/high.vol", "*"), plain);
    EXPECT_EQ(volDirPos, dirPos);
    EXPECT_EQ(volEnd, end);
    EXPECT_EQ(volNamePos, 28);
    EXPECT_EQ(volEnd, static_cast<int32_t>(vxtest::buildVol(sampleMembers).size()));
    EXPECT_EQ(volDirPos, 32 + 4 + volStrings.namelen);
    EXPECT_EQ(std::memcmp(volMain.tag, "PVOL", 4), 0);
}

TEST(LibVol, ListByListUsesTheCallersNames) {
    vxtest::TempDir dir;
    dir.write("a.vol", vxtest::buildVol(sampleMembers));
    const std::string path = dir.str() + "/a.vol";
    TStringList list;
    volListMatching(path, "nothing", list);
    volNames.Clear();
    volListByList(path, "*", list);
    EXPECT_EQ(list.Count(), 0);
    for (const char* n : {"one", "two", "three", "four"}) volNames.Add(n);
    volListByList(path, "t*", list);
    EXPECT_EQ(list.texts(),
              (std::vector<std::string>{"two=9|" + crcText("foil data") + "|1", "three=0|0|1"}));
    EXPECT_THROW(volListByList(dir.str() + "/missing.vol", "*", list), FileError);
    volNames.Clear();
}

TEST(LibVol, MemberCutShortKeepsItsListedLength) {
    vxtest::TempDir dir;
    std::string bytes = vxtest::buildVol({{"last.dat", "abcdef", 1}});
    bytes.resize(bytes.size() - 2);
    dir.write("cut.vol", bytes);
    EXPECT_EQ(listing(dir.str() + "/cut.vol", "*"),
              std::vector<std::string>{"last.dat=6|" + crcText("abcd") + "|1"});
}

// A stated length beyond the whole archive is a member cut short too: it is
// listed with that length and the listing goes on.
TEST(LibVol, MemberLongerThanTheArchiveIsListedCutShort) {
    vxtest::TempDir dir;
    std::string bytes = vxtest::buildVol({{"a.dat", "aaa", 1}, {"b.dat", "bbb", 1}});
    const size_t dirPos = 32 + 4 + 12; // names "a.dat\0b.dat\0"
    uint32_t dataofs = 0;
    std::memcpy(&dataofs, bytes.data() + dirPos + 4, 4);
    setLE32(bytes, dataofs + 4, 0x00FFFFFFu); // a.dat claims 16 MB
    dir.write("long.vol", bytes);
    const auto lines = listing(dir.str() + "/long.vol", "*");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind("a.dat=16777215|", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1], "b.dat=3|" + crcText("bbb") + "|1");
}

TEST(LibVol, DamagedArchivesAreRefused) {
    const std::string good = vxtest::buildVol({{"a.dat", "aaa", 1}, {"b.dat", "bbb", 1}});
    const size_t dirPos = 32 + 4 + 12; // names "a.dat\0b.dat\0"
    struct Case {
        const char* what;
        std::string bytes;
        bool rangeError;
    };
    std::vector<Case> cases;
    cases.push_back({"short header", good.substr(0, 20), false});
    cases.push_back({"empty file", "", false});
    {
        std::string b = good;
        setLE32(b, 20, 0x00FFFFF0u); // name-block chunk ends beyond the file
        cases.push_back({"chunk end outside", b, false});
    }
    {
        std::string b = good;
        setLE32(b, 24, 0x7FFFFFFFu);
        cases.push_back({"huge name block", b, false});
    }
    {
        std::string b = good;
        setLE32(b, dirPos + 4, 0x7FFFFFF0u);
        cases.push_back({"member offset outside", b, false});
    }
    {
        std::string b = good;
        setLE32(b, dirPos + 4, 0xFFFFFF00u);
        cases.push_back({"negative member offset", b, false});
    }
    {
        std::string b = good;
        setLE32(b, dirPos + 14, 500); // second name outside the block
        cases.push_back({"name offset outside", b, true});
    }
    vxtest::TempDir dir;
    for (const auto& c : cases) {
        dir.write("bad.vol", c.bytes);
        TStringList list;
        if (c.rangeError) {
            EXPECT_THROW(volListMatching(dir.str() + "/bad.vol", "*", list), RangeError) << c.what;
            EXPECT_EQ(list.Count(), 1) << "lines before the fault stay";
        } else {
            EXPECT_THROW(volListMatching(dir.str() + "/bad.vol", "*", list), FileError) << c.what;
        }
    }
    TStringList list;
    EXPECT_THROW(volListMatching(dir.str() + "/missing.vol", "*", list), FileError);
}

TEST(LibSideTable, ReadsSideBytes) {
    vxtest::TempDir dir;
    dir.write("sides.dat", sideTableFile(3, 63, {1, 0, 7}));
    loadSideTable(dir.str() + "/sides.dat");
    EXPECT_EQ(sideTableHead.count, 3);
    EXPECT_EQ(sideTableByte(0), 10);
    EXPECT_EQ(sideTableByte(-5), 10);
    EXPECT_EQ(sideTableByte(1), 1);
    EXPECT_EQ(sideTableByte(2), 0);
    EXPECT_EQ(sideTableByte(3), 7);
    EXPECT_THROW(sideTableByte(4), RangeError);
    loadSideTable(dir.str() + "/missing.dat"); // changes nothing
    EXPECT_EQ(sideTableByte(3), 7);
}

TEST(LibSideTable, CountsBeyondTheFileReadAsZeroRecords) {
    vxtest::TempDir dir;
    dir.write("zero.dat", sideTableFile(0, 63, {5}));
    loadSideTable(dir.str() + "/zero.dat");
    EXPECT_TRUE(sideTableRecs.empty());
    EXPECT_EQ(sideTableByte(0), 10);
    // The header promises 60000 records; the file holds two.
    dir.write("liar.dat", sideTableFile(60000, 63, {4, 2}));
    loadSideTable(dir.str() + "/liar.dat");
    EXPECT_EQ(sideTableRecs.size(), 2u);
    EXPECT_EQ(sideTableByte(2), 2);
    // Records the header counts but the file lacks read as zero records.
    EXPECT_EQ(sideTableByte(3), 0);
    EXPECT_EQ(sideTableByte(60000), 0);
    EXPECT_THROW(sideTableByte(60001), RangeError);
    // A record size above 63 never reads beyond the 63-byte records.
    dir.write("wide.dat", sideTableFile(2, 200, {9, 8, 6, 5, 4, 3, 2}));
    loadSideTable(dir.str() + "/wide.dat");
    EXPECT_EQ(sideTableRecs.size(), 2u);
    EXPECT_EQ(sideTableByte(1), 9);
    EXPECT_EQ(sideTableByte(2), 8);
}
