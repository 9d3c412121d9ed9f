#include "support/errors.h"
#include "support/names.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

using namespace vx;

namespace {

landmark withLmid(uint8_t type, uint8_t side) {
    landmark rec{};
    rec.lmid.at(lmTypeSel) = type;
    rec.lmid.at(lmSideSel) = side;
    return rec;
}

} // namespace

TEST(ObjNames, DefaultAndFixedNames) {
    fillObjectNames();
    const struct {
        int cls, type;
        const char* want;
    } cases[] = {
        {0, 0, "00 - Flights  00 unspcfd"}, // the class name ends with a blank
        {2, 0, " aero"},
        {2, 12, "02-  Landmarks  0c unspcfd"},
        {3, 1, " Aviatik  C.1"},
        {3, 42, "  Bristol Fighter"},
        {5, 42, "05 - unknown/Dum1 class 2a unspcfd"},
        {6, 11, "X Soldier_Allied  ft:2x3"},
        {6, 18, "06 - Vehicles 12 unspcfd"},
        {8, 0, "08 - Ground Forces 00 unspcfd"},
        {8, 1, " MG Nest, Allied ft:13x10"},
        {8, 3, "08 - Ground Forces 03 unspcfd"},
        {8, 4, " Slit Trench 164x30 ft:107x19"},
        {9, 18, " Train Station ft:80x60"},
        {9, 19, "09 - Structures 13 unspcfd"},
        {9, 38, " Bridge, Rail Ramp ft:227x43"},
        {9, 42, "09 - Structures 2a unspcfd"},
        {10, 5, "0a - Debris 05 unspcfd"},
        {19, 42, " 13 - SP! front pos. 2a unspcfd =LO file names"},
        {20, 0, " 14 - City tiles 00 unspcfd =LO file names"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(objNames[c.cls][c.type], c.want) << c.cls << "," << c.type;
}

TEST(ObjNames, RepeatedNamesAndLimits) {
    EXPECT_EQ(objNames[7][2], objNames[7][3]);
    EXPECT_EQ(objNames[2][10], objNames[2][11]);
    EXPECT_EQ(objNames[9][32], objNames[9][33]);
    size_t longest = 0;
    for (const auto& row : objNames)
        for (const auto& name : row) longest = std::max(longest, name.size());
    EXPECT_LE(longest, 50u);
    for (const char* c : objClassNames) EXPECT_LE(std::strlen(c), 25u);
}

// Classes 6 to 9 carry a footprint exactly where they have a fixed name.
TEST(ObjNames, FootprintsOnlyInFixedNamesOfClasses6To9) {
    int withFootprint = 0;
    for (int c = 6; c <= 9; ++c)
        for (int t = 0; t <= objTypeMax; ++t) {
            const std::string& n = objNames[c][t];
            const bool isDefault = n.find(" unspcfd") != std::string::npos;
            EXPECT_NE(isDefault, n.find("ft:") != std::string::npos) << c << "," << t;
            withFootprint += isDefault ? 0 : 1;
        }
    EXPECT_EQ(withFootprint, 18 + 9 + 9 + 31);
}

TEST(ObjNames, CheckedAccessor) {
    EXPECT_EQ(objName(2, 0), " aero");
    EXPECT_EQ(objName(20, 42), objNames[20][42]);
    EXPECT_THROW(objName(21, 0), RangeError);
    EXPECT_THROW(objName(0, 43), RangeError);
    EXPECT_THROW(objName(-1, 0), RangeError);
}

TEST(LmTypeNames, TableShape) {
    for (int t = 0; t <= 15; ++t) {
        const std::string name = lmTypeNames[t];
        EXPECT_LE(name.size(), 20u);
        EXPECT_EQ(name[2], ' ') << t;
    }
    EXPECT_EQ(std::strlen(lmTypeNames[9]), 20u);
    EXPECT_EQ(std::strlen(lmTypeNames[10]), 20u);
    EXPECT_STREQ(lmTypeNames[16], "unk ?");
}

TEST(LmTypeNames, ShortNameCapsCodesAt15) {
    const struct {
        uint8_t type;
        const char* want;
    } cases[] = {
        {0, " aero"},
        {9, " Doesnot work/no D"},
        {10, " infantery pos SP "},
        {11, " DTD"},
        {12, " ?"},
        {15, " ?"},
        {16, " ?"},
        {200, " ?"},
        {255, " ?"},
    };
    for (const auto& c : cases) EXPECT_EQ(lmTypeName(withLmid(c.type, 0)), c.want) << +c.type;
}

TEST(SideNames, LetterReadsLowestBitOfSideByte) {
    const struct {
        uint8_t side;
        const char* want;
    } cases[] = {{0, "C"}, {1, "E"}, {2, "C"}, {3, "E"}, {254, "C"}, {255, "E"}};
    for (const auto& c : cases) EXPECT_EQ(sideLetter(withLmid(0, c.side)), c.want) << +c.side;
    EXPECT_STREQ(sideNames[0], "Central");
    EXPECT_STREQ(sideNames[1], "Entente");
}

TEST(SideNames, ReadersUseTheirOwnLmidElement) {
    landmark rec{};
    rec.lmid.at(2) = 1; // object-file number: neither type nor side
    EXPECT_EQ(sideLetter(rec), "C");
    EXPECT_EQ(lmTypeName(rec), " aero");
}
