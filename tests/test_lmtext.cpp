#include "mapeditor/lmtext.h"

#include "support/names.h"

#include <gtest/gtest.h>

using namespace vx;

namespace {
landmark make(uint8_t type, uint8_t num, uint8_t side, const char* name) {
    landmark r{};
    r.lmid.at(1) = type;
    r.lmid.at(2) = num;
    r.lmid.at(3) = side;
    setName(r, name);
    return r;
}
} // namespace

TEST(LandmarkText, ObjectFileNameRule) {
    EXPECT_EQ(loFileName(0, make(10, 31, 0, "")), "lo020a1f.dat");
    EXPECT_EQ(loFileName(1, make(255, 0, 1, "")), "lo01ff00.dat");
    EXPECT_EQ(loFileName(0, make(0, 0, 0, "")).size(), 12u);
}

TEST(LandmarkText, ObjectTypeEntriesInBothModes) {
    auto mlf = lotypeEntries(true);
    ASSERT_EQ(mlf.size(), 9u);
    EXPECT_EQ(mlf[0], "Airfield");
    EXPECT_EQ(mlf[6], "unused");
    EXPECT_EQ(mlf[8], "Village");
    auto mbf = lotypeEntries(false);
    ASSERT_EQ(mbf.size(), 256u);
    EXPECT_EQ(mbf[0], " 000");
    EXPECT_EQ(mbf[10], " A00");
    EXPECT_EQ(mbf[16], "1000");
    EXPECT_EQ(mbf[255], "FF00");
}

TEST(LandmarkText, RotationEntriesAndTheEntryShowingARotation) {
    auto e = rotationEntries();
    ASSERT_EQ(e.size(), 370u);
    EXPECT_EQ(e[1], "45");
    EXPECT_EQ(e[8], "360");
    EXPECT_EQ(e[9], "0");
    EXPECT_EQ(e[369], "360");
    EXPECT_EQ(rotationText(45.5f), "46");
    EXPECT_EQ(rotationText(44.5f), "44");
    EXPECT_EQ(rotationText(359.7f), "360");
}

TEST(LandmarkText, ListLines) {
    fillObjectNames();
    EXPECT_EQ(pickLineLong(make(0, 0, 0, "Alpha"), 1), "C  aero 1 Alpha");
    EXPECT_EQ(pickLineLong(make(200, 0, 3, "X"), 12), "E  ? 12 X");
    EXPECT_EQ(pickLineShort(make(0, 0, 0, "Alpha"), 7), "7 Alpha");
}

TEST(LandmarkText, DataMemoHasEightLines) {
    const std::vector<std::string> sides = {"Central", "Entente"};
    landmark r = make(20, 3, 1, "Bois de Ville");
    r.lon = 4.25f;
    r.lat = 49.5f;
    r.elev = 312.5f;
    r.rota = 45.0f;
    std::string memo = lmDataMemo(r, 3, true, sides);
    EXPECT_EQ(memo, "Rec# :   3\r\n"
                    "Side :Entente\r\n"
                    "Type :0f ?\r\n"
                    "Long :  4.2500000000000000\r\n"
                    "Latt :49.50000000000000000\r\n"
                    "Elev.:      312.50\r\n"
                    "Rota.:       45.00\r\n"
                    "Name :Bois de Ville");
    std::string brigade = lmDataMemo(make(12, 0, 2, "B"), 1, false, sides);
    EXPECT_NE(brigade.find("\r\nn/a (= lo0112\r\n"), std::string::npos);
    EXPECT_NE(brigade.find("Side :Central"), std::string::npos);
}

TEST(LandmarkText, ZoomBarHeightRule) {
    const std::pair<int, int> cases[] = {{4000, 3000}, {4002, 3002}, {1350, 1013},
                                         {2002, 1501}, {1345, 1009}, {8000, 6000}};
    for (auto [p, h] : cases) EXPECT_EQ(zoomHeight(p), h) << p;
}

TEST(LandmarkText, ZoomLabels) {
    EXPECT_EQ(wxhLabel(4000, 3000), "WxH / ratio :4000 3000  1.333333333333");
    EXPECT_EQ(zoomLabel(1024), "Zoom    : 1.00");
}
