#include "objectviewer/lolines.h"

#include "support/names.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

using namespace vx;

namespace {

vx::LOobject object(int cls, int type, float x, float y, float rota = 0, uint8_t hide = 0,
                    float elev = 0) {
    return vxtest::makeObject(static_cast<uint8_t>(cls), static_cast<uint8_t>(type), x, y, rota,
                              hide, elev);
}

// Record 7 of the examples: visible, x 12.5, y -7, rotation 90, class 9, type 10.
const LOobject example = object(9, 10, 12.5f, -7, 90);

class ObjectLines : public ::testing::Test {
protected:
    void SetUp() override { fillObjectNames(); }
};

} // namespace

TEST_F(ObjectLines, ExampleRecordInEveryForm) {
    const std::string& name = objNames[9][10];
    ASSERT_FALSE(name.empty());
    EXPECT_EQ(loObjectName(example), name);
    EXPECT_EQ(lolistLine(7, example), "#   7 V 0 x:   13 y:   -7 rot: 90.0 LoID  9  A " + name);
    EXPECT_EQ(objlistLine(7, example), "  7 $09$0a " + name);
    EXPECT_EQ(loExportLine(7, example),
              "rec# ,   7,  active, coord in ft:, X ,     13, Y,      -7, rot 90.0, elev 0.00, "
              "obj/ID : ,$09, $0a, Obj name, " +
                  name);
}

TEST_F(ObjectLines, NumbersRoundHalfAwayFromZeroAndNeverCut) {
    struct Case {
        const char* what;
        LOobject o;
        int i;
        const char* lolistStart;  // the line up to " LoID"
        const char* exportMiddle; // from "X ," to "obj/ID"
    };
    const Case cases[] = {
        {"halves", object(6, 0, -12.5f, 0.5f, 22.25f), 0, "#   0 V 0 x:  -13 y:    1 rot: 22.3",
         "X ,    -13, Y,       1, rot 22.3, elev 0.00, "},
        {"hidden", object(6, 0, 0, 0, 0, 3), 12, "#  12 V 3 x:    0 y:    0 rot: 0.0",
         "X ,      0, Y,       0, rot  0.0, elev 0.00, "},
        {"wide values widen the line", object(6, 0, 123456.f, -98765.f, 359.75f, 255, 1234.5f),
         1024, "# 1024 V 255 x: 123456 y: -98765 rot: 359.8",
         "X , 123456, Y,  -98765, rot 359.8, elev 1234.50, "},
        {"negative fractions", object(6, 0, -0.6f, -1.5f, -0.25f), 3,
         "#   3 V 0 x:   -1 y:   -2 rot: -0.3", "X ,     -1, Y,      -2, rot -0.3, elev 0.00, "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string line = lolistLine(c.i, c.o);
        EXPECT_EQ(line.substr(0, line.find(" LoID")), c.lolistStart);
        const std::string exp = loExportLine(c.i, c.o);
        const size_t from = exp.find("X ,"), to = exp.find("obj/ID");
        EXPECT_EQ(exp.substr(from, to - from), c.exportMiddle);
    }
}

TEST_F(ObjectLines, HiddenOnlyForThree) {
    for (int hide : {0, 1, 2, 4, 255})
        EXPECT_NE(
            loExportLine(0, object(6, 0, 0, 0, 0, static_cast<uint8_t>(hide))).find(",  active,"),
            std::string::npos)
            << hide;
    EXPECT_NE(loExportLine(0, object(6, 0, 0, 0, 0, 3)).find(",  hidden,"), std::string::npos);
}

TEST_F(ObjectLines, ClassAndTypeOutsideTheNameTableHaveNoName) {
    struct Case {
        int cls, type;
        const char* lolistTail;
        const char* objlistTail;
    };
    const Case cases[] = {
        {21, 0, " LoID 15  0 ", "$15$00 "},
        {9, 43, " LoID  9 2B ", "$09$2b "},
        {255, 255, " LoID FF FF ", "$ff$ff "},
    };
    for (const Case& c : cases) {
        const LOobject o = object(c.cls, c.type, 1, 2, 3);
        EXPECT_EQ(loObjectName(o), "");
        EXPECT_TRUE(lolistLine(0, o).ends_with(c.lolistTail)) << lolistLine(0, o);
        EXPECT_TRUE(objlistLine(0, o).ends_with(c.objlistTail)) << objlistLine(0, o);
        EXPECT_TRUE(loExportLine(0, o).ends_with(", Obj name, "));
    }
    // The edges of the table still have their names.
    EXPECT_EQ(loObjectName(object(20, 42, 0, 0, 0)), objNames[20][42]);
}

TEST_F(ObjectLines, HostileRealsDoNotStopTheLines) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float big = std::numeric_limits<float>::max();
    for (float v : {inf, -inf, nan, big, -big}) {
        const LOobject o = object(9, 10, v, v, v, 0, v);
        EXPECT_NO_THROW(lolistLine(0, o)) << v;
        EXPECT_NO_THROW(loExportLine(0, o)) << v;
    }
    EXPECT_NE(lolistLine(0, object(9, 10, nan, inf, 0)).find("x:  Nan y: +Inf"), std::string::npos);
}

TEST_F(ObjectLines, TableFormsFollowTheCount) {
    auto t = std::make_unique<TLOtab>();
    EXPECT_TRUE(lolistLines(*t).empty());
    EXPECT_TRUE(objlistLines(*t).empty());
    EXPECT_EQ(loExportText(*t), "");

    t->head.count = 3;
    t->objs[1] = example;
    const auto lo = lolistLines(*t), obj = objlistLines(*t);
    ASSERT_EQ(lo.size(), 3u);
    ASSERT_EQ(obj.size(), 3u);
    EXPECT_EQ(lo[1], lolistLine(1, example));
    EXPECT_EQ(obj[2], objlistLine(2, LOobject{}));
    EXPECT_EQ(loExportText(*t), loExportLine(0, LOobject{}) + "\n" + loExportLine(1, example) +
                                    "\n" + loExportLine(2, LOobject{}) + "\n");

    // A count beyond the table lists the table only.
    t->head.count = 60000;
    EXPECT_EQ(loShownCount(*t), 1025);
    EXPECT_EQ(lolistLines(*t).size(), 1025u);
    EXPECT_EQ(objlistLines(*t).back().substr(0, 11), "1024 $00$00");
}

TEST_F(ObjectLines, ExportGoesToTheFile) {
    vxtest::TempDir dir;
    auto t = std::make_unique<TLOtab>();
    t->head.count = 1;
    t->objs[0] = example;
    saveLoExport((dir / "lo020a01.dat.txt").string(), *t);
    EXPECT_EQ(dir.read("lo020a01.dat.txt"), loExportLine(0, example) + "\n");
    t->head.count = 0;
    saveLoExport((dir / "lo020a01.dat.txt").string(), *t);
    EXPECT_EQ(dir.read("lo020a01.dat.txt"), "");
}
