#include "mapeditor/calibration.h"
#include "mapeditor/lmedit.h"
#include "support/rtlconv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <string>

using namespace vx;

namespace {

using Bytes = std::array<uint8_t, sizeof(landmark)>;

Bytes bytesOf(const landmark& r) {
    Bytes b;
    std::memcpy(b.data(), &r, b.size());
    return b;
}

// A record whose every byte differs from its neighbours, so a write to the
// wrong place shows.
landmark patterned() {
    Bytes b;
    for (size_t i = 0; i < b.size(); ++i) b[i] = static_cast<uint8_t>(0x80 + i);
    landmark r;
    std::memcpy(&r, b.data(), b.size());
    return r;
}

std::string singleBytes(float v) {
    std::string s(4, '\0');
    std::memcpy(s.data(), &v, 4);
    return s;
}

struct SetterCase {
    const char* what;
    std::function<void(landmark&)> set;
    size_t offset;
    std::string bytes; // what the setter leaves from offset on
};

landmark rec(const char* name, float lat, float lon) {
    landmark r{};
    setName(r, name);
    r.lat = lat;
    r.lon = lon;
    return r;
}

Tlm tableOf(std::initializer_list<landmark> recs) {
    Tlm t{};
    std::memset(&t.head, 0x11, sizeof t.head);
    t.head.recsize = 63;
    t.head.count = 0;
    for (const landmark& r : recs) t.rec(++t.head.count) = r;
    return t;
}

} // namespace

TEST(LmEditSetters, EachWritesOnlyItsBytes) {
    const std::string name45(45, 'n');
    const SetterCase cases[] = {
        {"side Entente", [](landmark& r) { setSide(r, 1); }, 6, std::string(1, '\x01')},
        {"side Central", [](landmark& r) { setSide(r, 0); }, 6, std::string(1, '\0')},
        {"type", [](landmark& r) { setTypeCode(r, 7); }, 4, "\x07"},
        {"lo020a1f.dat", [](landmark& r) { setFromLofileName(r, "lo020a1f.dat"); }, 4, "\x0a\x1f"},
        {"lo02ff00.dat", [](landmark& r) { setFromLofileName(r, "lo02ff00.dat"); }, 4,
         std::string("\xff\0", 2)},
        {"first four not read", [](landmark& r) { setFromLofileName(r, "zzzz1A2b.dat"); }, 4,
         "\x1a\x2b"},
        {"elevation", [](landmark& r) { setElevation(r, 350); }, 15, singleBytes(350)},
        {"rotation", [](landmark& r) { setRotationEntry(r, "45"); }, 19, singleBytes(45)},
        {"name", [](landmark& r) { setNameField(r, "Abc"); }, 23, "Abc" + std::string(37, '\0')},
        {"empty name", [](landmark& r) { setNameField(r, ""); }, 23, std::string(40, '\0')},
        {"long name", [&](landmark& r) { setNameField(r, name45); }, 23,
         std::string(39, 'n') + '\0'},
    };
    for (const auto& c : cases) {
        landmark r = patterned();
        Bytes want = bytesOf(r);
        std::memcpy(want.data() + c.offset, c.bytes.data(), c.bytes.size());
        c.set(r);
        EXPECT_EQ(bytesOf(r), want) << c.what;
    }
}

TEST(LmEditSetters, BadObjectFileNamesStopAtTheFirstBadPair) {
    landmark r = patterned();
    const Bytes before = bytesOf(r);
    EXPECT_THROW(setFromLofileName(r, "lo02zz00.dat"), ConvertError);
    EXPECT_EQ(bytesOf(r), before);
    EXPECT_THROW(setFromLofileName(r, "lo020a"), ConvertError);
    EXPECT_EQ(r.lmid.at(1), 0x0a) << "the type code is stored before the second pair fails";
    EXPECT_EQ(r.lmid.at(2), before[5]);
    EXPECT_THROW(setFromLofileName(r, "lo02 1 2.dat"), ConvertError);
    EXPECT_THROW(setRotationEntry(r, "forty"), ConvertError);
}

TEST(LmEditConversions, ElevationIsStrictCoordinatesLenient) {
    struct Case {
        std::string text;
        std::optional<float> elev, coord;
    };
    const std::optional<float> no;
    const Case cases[] = {
        {"350", 350, 350},
        {"   350", 350, 350},
        {"350 ", no, 350},
        {"12a", no, no},
        {"", no, no},
        {"-", no, no},
        {"-1.5e2", -150, -150},
        {"2,5", no, no},
        {"\t49.5\n", no, 49.5f},
        {"1e40", no, no}, // beyond a Single
        {std::string(255, '1').replace(0, 250, std::string(250, ' ')), 11111, 11111},
        {std::string(251, ' ') + "11111", no, 11111},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(elevationFromText(c.text), c.elev) << '"' << c.text << '"';
        EXPECT_EQ(coordinateFromText(c.text), c.coord) << '"' << c.text << '"';
    }
}

TEST(LmEditActivation, SignFlipAndMagnitudes) {
    Tlm t = tableOf(
        {rec("on", 1.5f, 2.5f), rec("off", -1.5f, -2.5f), rec("blank", 0, 0), rec("mixed", -1, 2)});
    deactivateRows(t, {0, 1, 2});
    EXPECT_TRUE(isDeactivated(t.rec(1)));
    EXPECT_EQ(+t.rec(2).lat, 1.5f);
    EXPECT_EQ(+t.rec(2).lon, 2.5f);
    EXPECT_EQ(+t.rec(3).lat, 0.f);
    EXPECT_EQ(+t.rec(4).lat, -1.f) << "unselected rows keep their signs";
    reactivateRows(t, {0, 1, 3});
    for (int i : {1, 2}) {
        EXPECT_EQ(+t.rec(i).lat, 1.5f);
        EXPECT_EQ(+t.rec(i).lon, 2.5f);
    }
    EXPECT_EQ(+t.rec(4).lat, 1.f);
    EXPECT_THROW(deactivateRows(t, {512}), RangeError);
}

TEST(LmEditActivation, CaptionRule) {
    struct Case {
        float lat, lon;
        std::optional<std::string> caption;
    };
    const Case cases[] = {
        {-1, -2, "Activate Landmark"}, {1, 2, "De-activate Landmark"}, {-1, 2, std::nullopt},
        {1, -2, std::nullopt},         {0, 0, std::nullopt},           {0, 2, std::nullopt},
        {-1, 0, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(activationCaption(rec("x", c.lat, c.lon)), c.caption) << c.lat << " " << c.lon;
}

TEST(LmEditAdd, NewEntryAtTheMapExtentsAndTheBounds) {
    initMapTable();
    Tlm t = tableOf({});
    for (int i = 1; i <= 10; ++i) t.rec(++t.head.count) = patterned();
    addLandmark(t, 10, maptab[4]);
    EXPECT_EQ(t.count(), 11);
    landmark want{};
    setName(want, "New entry");
    want.lat = t.rec(11).lat;
    want.lon = t.rec(11).lon;
    EXPECT_EQ(bytesOf(t.rec(11)), bytesOf(want));
    // The extents of map 4 (and of map 0 below): small positive numbers.
    EXPECT_NEAR(t.rec(11).lat, 0.3561, 1e-4);
    EXPECT_NEAR(t.rec(11).lon, 0.7218, 1e-4);
    EXPECT_EQ(newEntryLine(10), "10 New entry");
    EXPECT_EQ(newEntryLine(0), "0 New entry");

    Tlm empty{};
    addLandmark(empty, 0, maptab[0]);
    EXPECT_EQ(empty.count(), 1);
    EXPECT_NEAR(empty.rec(1).lat, 1.4365, 1e-4);
    EXPECT_NEAR(empty.rec(1).lon, 2.9341, 1e-4);

    addLandmark(empty, 511, maptab[0]);
    EXPECT_EQ(empty.count(), 512);
    EXPECT_THROW(addLandmark(empty, 512, maptab[0]), RangeError);
    EXPECT_EQ(addRefusal(511, true), std::nullopt);
    EXPECT_NE(addRefusal(512, true).value_or("").find("512"), std::string::npos);
    EXPECT_NE(addRefusal(3, false).value_or("").find("map"), std::string::npos);
}

TEST(LmEditDelete, UnselectedRowsCloseUpAndTheDumpHoldsThem) {
    const Tlm t = tableOf(
        {rec("r1", 1, 1), rec("r2", 2, 2), rec("r3", 3, 3), rec("r4", 4, 4), rec("r5", 5, 5)});
    const Tlm kept = withoutRows(t, {false, true, false, true, false});
    EXPECT_EQ(kept.count(), 3);
    for (auto [i, from] : {std::pair{1, 1}, {2, 3}, {3, 5}})
        EXPECT_EQ(bytesOf(kept.rec(i)), bytesOf(t.rec(from))) << i;
    for (int i : {4, 5}) EXPECT_EQ(bytesOf(kept.rec(i)), Bytes{}) << i;

    const std::string dump = dumpBytes(kept);
    ASSERT_EQ(dump.size(), 289u);
    landmarkhead h = t.head;
    h.count = 3;
    EXPECT_EQ(dump.substr(0, 100), std::string(reinterpret_cast<const char*>(&h), 100));
    EXPECT_EQ(dump.substr(100 + 63, 63), std::string(reinterpret_cast<const char*>(&t.rec(3)), 63));

    // Nothing selected: the records stay, count becomes the number of rows.
    Tlm longer = t;
    longer.head.count = 7;
    const Tlm same = withoutRows(longer, std::vector<bool>(5, false));
    EXPECT_EQ(same.count(), 5);
    EXPECT_EQ(bytesOf(same.rec(5)), bytesOf(t.rec(5)));

    // The dump writes 63 bytes a record whatever recsize the header holds.
    Tlm wide = kept;
    wide.head.recsize = 80;
    EXPECT_EQ(dumpBytes(wide).size(), 289u);
}
