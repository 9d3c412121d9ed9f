#include "objectviewer/loedittext.h"
#include "objectviewer/lolines.h"
#include "objectviewer/lotable.h"
#include "support/errors.h"
#include "support/names.h"
#include "support/rtlconv.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <utility>

using namespace vx;

namespace {

// Tables are 20 KB each: keep them off the stack.
std::unique_ptr<TLOtab> emptyTable() {
    return std::make_unique<TLOtab>();
}

LOobject obj(uint8_t cls, uint8_t type, float x, float y, float rota = 0, uint8_t hide = 0) {
    LOobject r{};
    r.loid.at(1) = cls;
    r.loid.at(2) = type;
    r.loid.at(3) = 0x5a; // carried through
    r.x = x;
    r.y = y;
    r.elev = 12.5f;
    r.rota = rota;
    r.hide = hide;
    return r;
}

// n records, record i of class 6, type i mod 43, at (i, 2i).
std::unique_ptr<TLOtab> tableOf(int n) {
    auto t = emptyTable();
    for (int i = 0; i < n; ++i)
        EXPECT_TRUE(addLoRec(*t, obj(6, static_cast<uint8_t>(i % 43), static_cast<float>(i),
                                     static_cast<float>(2 * i))));
    return t;
}

RowSelection rowsOf(int n, std::initializer_list<int> selected) {
    RowSelection rows(n, false);
    for (int i : selected) rows[i] = true;
    return rows;
}

// Packed fields are read by value: a reference to one would be misaligned.
using Pos = std::pair<float, float>;
Pos pos(const LOobject& o) {
    const float x = o.x, y = o.y;
    return {x, y};
}
float rotaOf(const LOobject& o) {
    return o.rota;
}

bool sameRecord(const LOobject& a, const LOobject& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

TEST(LoAppend, HoldsToCapacity) {
    auto t = tableOf(1024);
    EXPECT_TRUE(addLoRec(*t, obj(7, 1, 5, 5)));
    EXPECT_EQ(t->head.count, 1025);
    EXPECT_TRUE(sameRecord(t->objs[1024], obj(7, 1, 5, 5)));
    const TLOtab before = *t;
    EXPECT_FALSE(addLoRec(*t, obj(7, 2, 5, 5)));
    EXPECT_EQ(std::memcmp(&before, t.get(), sizeof before), 0);

    const AppendResult r = pasteRecord(*t, obj(7, 3, 1, 1), false);
    EXPECT_TRUE(r.refused);
    EXPECT_EQ(r.appended, 0);
    EXPECT_EQ(r.last, -1);
    EXPECT_EQ(t->head.count, 1025);
}

TEST(LoAppend, HeaderCountBeyondCapacityIsFull) {
    auto t = emptyTable();
    t->head.count = 2000;
    EXPECT_FALSE(addLoRec(*t, obj(7, 1, 0, 0)));
    EXPECT_EQ(loShownCount(*t), loCapacity);
}

TEST(LoAppend, PastePlacesAtOriginUnlessGroupMove) {
    const struct {
        bool moveManyMode;
        float wantX, wantY;
    } cases[] = {{false, 0, 0}, {true, 130, -80}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.moveManyMode);
        auto t = tableOf(3);
        t->head.recsize = 20;
        const LOobject src = obj(9, 4, 130, -80, 45.5f, 3);
        const AppendResult r = pasteRecord(*t, src, c.moveManyMode);
        EXPECT_FALSE(r.refused);
        EXPECT_EQ(r.appended, 1);
        EXPECT_EQ(r.last, 3);
        EXPECT_EQ(t->head.count, 4);
        EXPECT_EQ(t->head.recsize, 20);
        LOobject want = src;
        want.x = c.wantX;
        want.y = c.wantY;
        EXPECT_TRUE(sameRecord(t->objs[3], want));
    }
}

TEST(LoAppend, AddObjectAtCountAtOrigin) {
    auto t = tableOf(3);
    const AppendResult r = pasteRecord(*t, newObject({7, 0x1a}), false);
    EXPECT_EQ(r.last, 3);
    EXPECT_EQ(t->head.count, 4);
    LOobject want{};
    want.loid.at(1) = 7;
    want.loid.at(2) = 0x1a;
    EXPECT_TRUE(sameRecord(t->objs[3], want));
}

TEST(LoCatalogue, ParsesClassAndType) {
    const struct {
        const char* row;
        int cls, type;
    } cases[] = {
        {"$06:$1A: Truck ft:20x8", 6, 26}, {"$14:$2A: ", 20, 42}, {"$13:$00:", 19, 0},
        {"7:12: decimal", 7, 12},          {"$09:$05", 9, 5}, // no second ":"
        {"$FF:$FF: last", 255, 255},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        const ObjectKind k = parseCatalogueRow(c.row);
        EXPECT_EQ(k.cls, c.cls);
        EXPECT_EQ(k.type, c.type);
    }
}

TEST(LoCatalogue, EveryCatalogueLineRoundTrips) {
    fillObjectNames();
    for (int c : {6, 7, 8, 9, 19, 20})
        for (int t = 0; t <= objTypeMax; ++t) {
            const std::string row =
                Format("$%2.2X:$%2.2X: ", {static_cast<long long>(c), static_cast<long long>(t)}) +
                objNames[c][t];
            const ObjectKind k = parseCatalogueRow(row);
            ASSERT_EQ(k.cls, c) << row;
            ASSERT_EQ(k.type, t) << row;
        }
}

TEST(LoCatalogue, RefusesRowsThatAreNoKind) {
    EXPECT_THROW(parseCatalogueRow("no colon"), ConvertError);
    EXPECT_THROW(parseCatalogueRow("$0G:$01: x"), ConvertError);
    EXPECT_THROW(parseCatalogueRow("$06:: x"), ConvertError);
    EXPECT_THROW(parseCatalogueRow("$100:$01: x"), RangeError);
    EXPECT_THROW(parseCatalogueRow("-1:$01: x"), RangeError);
}

TEST(LoWorkList, CopySelectedAppendsCopiesOfTheStartingRows) {
    auto work = tableOf(3);
    const AppendResult r = copyToWorkList(*work, *work, rowsOf(3, {0, 2}));
    EXPECT_EQ(r.appended, 2);
    EXPECT_EQ(r.last, 4);
    EXPECT_FALSE(r.refused);
    EXPECT_EQ(work->head.count, 5);
    EXPECT_EQ(work->head.recsize, 20);
    EXPECT_TRUE(sameRecord(work->objs[3], work->objs[0]));
    EXPECT_TRUE(sameRecord(work->objs[4], work->objs[2]));
}

TEST(LoWorkList, CopyFromTheFileKeepsPositions) {
    auto lotab = tableOf(4);
    auto work = emptyTable();
    copyToWorkList(*work, *lotab, rowsOf(4, {3, 1}));
    ASSERT_EQ(work->head.count, 2);
    EXPECT_TRUE(sameRecord(work->objs[0], lotab->objs[1])); // ascending row order
    EXPECT_TRUE(sameRecord(work->objs[1], lotab->objs[3]));

    const AppendResult none = copyToWorkList(*work, *lotab, rowsOf(4, {}));
    EXPECT_EQ(none.appended, 0);
    EXPECT_EQ(none.last, -1);
    EXPECT_EQ(work->head.count, 2);
}

TEST(LoWorkList, CopyStopsAtCapacityKeepingWhatWasAppended) {
    auto lotab = tableOf(3);
    auto work = tableOf(1024);
    const AppendResult r = copyToWorkList(*work, *lotab, rowsOf(3, {0, 1, 2}));
    EXPECT_TRUE(r.refused);
    EXPECT_EQ(r.appended, 1);
    EXPECT_EQ(r.last, 1024);
    EXPECT_EQ(work->head.count, 1025);
    EXPECT_TRUE(sameRecord(work->objs[1024], lotab->objs[0]));
}

TEST(LoWorkList, SelectedRowBeyondTheSlotsIsARangeError) {
    auto lotab = tableOf(3);
    auto work = emptyTable();
    EXPECT_THROW(copyToWorkList(*work, *lotab, rowsOf(1026, {1025})), RangeError);
}

TEST(LoWorkList, DeleteSelectedKeepsTheRestInOrder) {
    auto work = tableOf(5);
    work->head.recsize = 20;
    std::memcpy(work->head.hchars1, "LOHEADER", 8);
    const auto before = std::make_unique<TLOtab>(*work);
    ASSERT_TRUE(deleteSelected(*work, rowsOf(5, {1, 2})));
    EXPECT_EQ(work->head.count, 3);
    EXPECT_TRUE(sameRecord(work->objs[0], before->objs[0]));
    EXPECT_TRUE(sameRecord(work->objs[1], before->objs[3]));
    EXPECT_TRUE(sameRecord(work->objs[2], before->objs[4]));
    EXPECT_TRUE(sameRecord(work->objs[3], LOobject{}));
    landmarkhead zeroApartFromCount{};
    zeroApartFromCount.count = 3;
    EXPECT_EQ(std::memcmp(&work->head, &zeroApartFromCount, sizeof zeroApartFromCount), 0);
}

TEST(LoWorkList, DeleteNeedsOneRowPerRecord) {
    // The four lines of the form stand for no record.
    auto work = emptyTable();
    EXPECT_FALSE(deleteSelected(*work, rowsOf(4, {0})));
    auto three = tableOf(3);
    const auto before = std::make_unique<TLOtab>(*three);
    EXPECT_FALSE(deleteSelected(*three, rowsOf(2, {0})));
    EXPECT_EQ(std::memcmp(before.get(), three.get(), sizeof(TLOtab)), 0);
    EXPECT_TRUE(deleteSelected(*three, rowsOf(3, {0, 1, 2})));
    EXPECT_EQ(three->head.count, 0);
}

TEST(LoWorkList, LinesShowIndexKindAndName) {
    fillObjectNames();
    const struct {
        int index, cls, type;
        std::string want;
    } cases[] = {
        {5, 7, 0x1a, "  5 LoID  71A " + objNames[7][0x1a]},
        {0, 0x14, 0x2a, "  0 LoID 142A " + objNames[20][42]},
        {1024, 0, 0, "1024 LoID  0 0 " + objNames[0][0]},
        {3, 21, 0, "  3 LoID 15 0 "}, // class without a name
        {4, 6, 43, "  4 LoID  62B "}, // type without a name
        {6, 0xff, 0xff, "  6 LoID FFFF "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.want);
        EXPECT_EQ(workListLine(c.index, obj(static_cast<uint8_t>(c.cls),
                                            static_cast<uint8_t>(c.type), 0, 0)),
                  c.want);
    }
}

TEST(LoWorkList, FillGoesOnPastRecordsWithoutNames) {
    fillObjectNames();
    auto work = emptyTable();
    addLoRec(*work, obj(6, 1, 0, 0));
    addLoRec(*work, obj(30, 50, 0, 0));
    addLoRec(*work, obj(7, 2, 0, 0));
    const auto lines = workListLines(*work);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "  1 LoID 1E32 ");
    EXPECT_EQ(lines[2], "  2 LoID  7 2 " + objNames[7][2]);
    EXPECT_TRUE(workListLines(*emptyTable()).empty());
}

TEST(LoEdit, RetypesOnlyTheSelectedRows) {
    auto t = tableOf(1025);
    const auto before = std::make_unique<TLOtab>(*t);
    retypeSelected(*t, rowsOf(1025, {3, 700}), 9, 0x21);
    for (int i = 0; i < 1025; ++i) {
        if (i == 3 || i == 700) {
            LOobject want = before->objs[i];
            want.loid.at(1) = 9;
            want.loid.at(2) = 0x21;
            EXPECT_TRUE(sameRecord(t->objs[i], want)) << i;
        } else {
            EXPECT_TRUE(sameRecord(t->objs[i], before->objs[i])) << i;
        }
    }
    EXPECT_EQ(t->head.count, 1025);
}

TEST(LoEdit, HideToggles) {
    const struct { uint8_t from, to; } cases[] = {{1, 3}, {3, 0}, {0, 3}, {2, 3}, {255, 3}};
    for (const auto& c : cases) {
        LOobject o = obj(6, 1, 0, 0, 0, c.from);
        toggleHide(o);
        EXPECT_EQ(o.hide, c.to) << int(c.from);
    }
    LOobject o = obj(6, 1, 0, 0, 0, 1);
    toggleHide(o);
    toggleHide(o);
    EXPECT_EQ(o.hide, 0);
}

TEST(LoEdit, RotationBarShowsTheNearestDegreeInRange) {
    const struct {
        float rota;
        int want;
    } cases[] = {
        {45.6f, 46},
        {-30, 0},
        {400, 360},
        {45.5f, 46},
        {44.5f, 44}, // ties to even
        {0, 0},
        {360, 360},
        {359.6f, 360},
        {std::numeric_limits<float>::infinity(), 360},
        {-std::numeric_limits<float>::infinity(), 0},
        {std::numeric_limits<float>::quiet_NaN(), 0},
    };
    for (const auto& c : cases) EXPECT_EQ(rotationBarPosition(c.rota), c.want) << c.rota;
}

TEST(LoEdit, RotationReduction) {
    const struct {
        float r, want;
    } cases[] = {
        {-3, -3},   {362, 2},     {360, 0},   {-360, 0},    {720, 0}, {725, 5},
        {-365, -5}, {359.99f, 0}, {359, 359}, {-359, -359}, {0, 0},   {1080.5f, 0.5f},
    };
    for (const auto& c : cases) EXPECT_NEAR(reduceRotation(c.r), c.want, 1e-3) << c.r;
}

TEST(LoSnapshot, CancelRestoresTheFileOnShow) {
    auto lotabUndo = emptyTable();
    EditSnapshot snap(*lotabUndo);
    auto lotab = tableOf(4);
    const auto fileA = std::make_unique<TLOtab>(*lotab);
    EXPECT_FALSE(snap.restoreInto(*lotab)); // nothing taken yet: left alone
    EXPECT_EQ(std::memcmp(lotab.get(), fileA.get(), sizeof(TLOtab)), 0);

    snap.take(*lotab); // at load
    addLoRec(*lotab, obj(7, 1, 3, 3));
    lotab->objs[0].x = 999;
    EXPECT_TRUE(snap.restoreInto(*lotab));
    EXPECT_EQ(std::memcmp(lotab.get(), fileA.get(), sizeof(TLOtab)), 0);

    auto fileB = tableOf(2);
    fileB->objs[1].rota = 90;
    *lotab = *fileB;
    snap.take(*lotab); // the next load
    lotab->head.count = 0;
    EXPECT_TRUE(snap.restoreInto(*lotab));
    EXPECT_EQ(std::memcmp(lotab.get(), fileB.get(), sizeof(TLOtab)), 0);
    EXPECT_TRUE(snap.taken());
}

class LoGroupMove : public ::testing::Test {
protected:
    void SetUp() override {
        lotab = tableOf(2);
        std::memcpy(lotab->head.hchars1, "LOHEADER", 8);
        work = emptyTable();
        addLoRec(*work, obj(8, 1, 500, 500));
        addLoRec(*work, obj(9, 3, 100, 50, 2, 3));
        addLoRec(*work, obj(7, 4, 130, 80, 357));
        lomove = emptyTable();
    }
    AppendResult start() { return startGroupMove(g, *lomove, *lotab, *work, rowsOf(3, {1, 2})); }
    void moveTo(int64_t fx, int64_t fy) { moveGroupTo(g, *lomove, fx, fy); }
    AppendResult confirm() { return confirmGroupMove(g, *lomove, *lotab); }

    std::unique_ptr<TLOtab> lotab, work, lomove;
    GroupMove g;
};

TEST_F(LoGroupMove, BuildsTheGroupAfterTheFileLaidOutFromItsFirstRecord) {
    const AppendResult r = start();
    EXPECT_EQ(r.appended, 2);
    EXPECT_TRUE(g.moveManyMode);
    EXPECT_EQ(g.moveStart, 2);
    EXPECT_EQ(lomove->head.count, 4);
    EXPECT_EQ(std::memcmp(lomove->head.hchars1, "LOHEADER", 8), 0);
    for (int i = 0; i < 2; ++i) EXPECT_TRUE(sameRecord(lomove->objs[i], lotab->objs[i]));
    EXPECT_EQ(g.moveRefX, 100);
    EXPECT_EQ(g.moveRefY, 50);
    EXPECT_EQ(pos(lomove->objs[2]), Pos(0, 0));
    EXPECT_EQ(pos(lomove->objs[3]), Pos(30, 30));
}

TEST_F(LoGroupMove, NothingSelectedStartsNothing) {
    const AppendResult r = startGroupMove(g, *lomove, *lotab, *work, rowsOf(3, {}));
    EXPECT_EQ(r.appended, 0);
    EXPECT_FALSE(g.moveManyMode);
    EXPECT_EQ(lomove->head.count, 0);
}

TEST_F(LoGroupMove, FollowsThePointerThenConfirms) {
    start();
    moveTo(10, 20);
    EXPECT_EQ(pos(lomove->objs[2]), Pos(10, 20));
    EXPECT_EQ(pos(lomove->objs[3]), Pos(40, 50));
    moveTo(-5, 7); // a second move keeps the shape
    EXPECT_EQ(pos(lomove->objs[3]), Pos(25, 37));
    moveTo(10, 20);
    for (int i = 0; i < 2; ++i) EXPECT_TRUE(sameRecord(lomove->objs[i], lotab->objs[i]));

    const AppendResult r = confirm();
    EXPECT_EQ(r.appended, 2);
    EXPECT_EQ(r.last, 3);
    EXPECT_FALSE(g.moveManyMode);
    EXPECT_EQ(lotab->head.count, 4);
    LOobject a = work->objs[1], b = work->objs[2];
    a.x = 10, a.y = 20, b.x = 40, b.y = 50;
    EXPECT_TRUE(sameRecord(lotab->objs[2], a));
    EXPECT_TRUE(sameRecord(lotab->objs[3], b));
    EXPECT_EQ(lomove->head.count, 4); // lomove keeps its records

    // A second confirm appends the group again, at the origin.
    const AppendResult again = confirm();
    EXPECT_EQ(again.appended, 2);
    EXPECT_EQ(lotab->head.count, 6);
    for (int i : {4, 5}) {
        EXPECT_EQ(pos(lotab->objs[i]), Pos(0, 0));
        EXPECT_EQ(lotab->objs[i].loid.at(1), work->objs[i - 3].loid.at(1));
    }
}

TEST_F(LoGroupMove, ConfirmBeforeAnyMovePlacesTheGroupAroundTheOrigin) {
    start();
    confirm();
    EXPECT_EQ(pos(lotab->objs[2]), Pos(0, 0));
    EXPECT_EQ(pos(lotab->objs[3]), Pos(30, 30));
}

TEST_F(LoGroupMove, CancelThenConfirmAppendsNothing) {
    start();
    moveTo(10, 20);
    const auto before = std::make_unique<TLOtab>(*lotab);
    cancelGroupMove(g, *lomove);
    EXPECT_FALSE(g.moveManyMode);
    EXPECT_EQ(std::memcmp(lomove.get(), emptyTable().get(), sizeof(TLOtab)), 0);
    const AppendResult r = confirm();
    EXPECT_EQ(r.appended, 0);
    EXPECT_EQ(r.last, -1);
    EXPECT_EQ(std::memcmp(lotab.get(), before.get(), sizeof(TLOtab)), 0);
}

TEST_F(LoGroupMove, WheelTurnsOnlyTheGroup) {
    start();
    lomove->objs[0].rota = 2;
    const struct {
        int delta;
        float first, second;
    } steps[] = {
        {-120, -3, 352},              // 2 -> -3, 357 -> 352
        {120, 2, 357},   {120, 7, 2}, // 357 -> 2
        {50, 9, 4},                   // 2 degrees: delta div 24 cuts toward zero
        {-50, 7, 2},
    };
    for (const auto& s : steps) {
        turnGroup(g, *lomove, s.delta);
        EXPECT_FLOAT_EQ(rotaOf(lomove->objs[2]), s.first) << s.delta;
        EXPECT_FLOAT_EQ(rotaOf(lomove->objs[3]), s.second) << s.delta;
    }
    EXPECT_EQ(rotaOf(lomove->objs[0]), 2);
    lomove->objs[3].rota = 355;
    turnGroup(g, *lomove, 120);
    EXPECT_EQ(rotaOf(lomove->objs[3]), 0);
    EXPECT_EQ(pos(lomove->objs[2]), Pos(0, 0)); // positions stay
}

TEST_F(LoGroupMove, BuildStopsAtCapacityWithTheGroupSoFar) {
    lotab = tableOf(1024);
    const AppendResult r = start();
    EXPECT_TRUE(r.refused);
    EXPECT_EQ(r.appended, 1);
    EXPECT_TRUE(g.moveManyMode);
    EXPECT_EQ(g.moveStart, 1024);
    EXPECT_EQ(lomove->head.count, 1025);
    EXPECT_EQ(pos(lomove->objs[1024]), Pos(0, 0));
}

TEST_F(LoGroupMove, FullFileGivesAnEmptyGroupThatMovesNothing) {
    g.moveStart = 0; // left from an earlier move
    lotab = tableOf(1025);
    const AppendResult r = start();
    EXPECT_TRUE(r.refused);
    EXPECT_EQ(r.appended, 0);
    EXPECT_EQ(g.moveStart, 1025);
    moveTo(10, 20);
    turnGroup(g, *lomove, 120);
    EXPECT_EQ(std::memcmp(lomove.get(), lotab.get(), sizeof(TLOtab)), 0);
    EXPECT_EQ(confirm().appended, 0);
}

TEST_F(LoGroupMove, ConfirmStopsAtCapacityAndStaysInMoveMode) {
    start();
    moveTo(10, 20);
    lotab = tableOf(1024);
    const AppendResult r = confirm();
    EXPECT_TRUE(r.refused);
    EXPECT_EQ(r.appended, 1);
    EXPECT_EQ(r.last, 1024);
    EXPECT_TRUE(g.moveManyMode);
    EXPECT_EQ(pos(lotab->objs[1024]), Pos(10, 20));
}

TEST(LoPick, StrictTenPixelSlack) {
    std::array<int32_t, loDrawMax> scrX{}, scrY{};
    std::array<bool, loDrawMax> drawn{};
    scrX[0] = 500, scrY[0] = 500, drawn[0] = true;
    scrX[1] = 100, scrY[1] = 100, drawn[1] = true;
    scrX[2] = 105, scrY[2] = 104, drawn[2] = true;
    scrX[3] = 300, scrY[3] = 300, drawn[3] = false; // could not be drawn
    scrX[4] = 302, scrY[4] = 300, drawn[4] = true;
    const struct {
        int X, Y, want;
    } cases[] = {
        {91, 100, 1},                                 // 9 px left
        {90, 100, -1},                                // 10 px left
        {109, 95, 1},                                 // lower index wins over 2
        {110, 100, 2},                                // out of 1's reach, within 2's
        {115, 104, -1},                               // 10 px right of 2
        {100, 91, 1},   {100, 90, -1}, {300, 300, 4}, // 3 was not drawn
        {700, 700, -1},                               // empty canvas
    };
    for (const auto& c : cases)
        EXPECT_EQ(findObjectAt(scrX, scrY, drawn, 5, c.X, c.Y), c.want) << c.X << "," << c.Y;
    EXPECT_EQ(findObjectAt(scrX, scrY, drawn, 1, 100, 100), -1); // beyond count
    EXPECT_EQ(findObjectAt(scrX, scrY, drawn, 0, 500, 500), -1);
}

TEST(LoPick, OnlyDrawnSlotsAndNoOverflow) {
    std::array<int32_t, loDrawMax> scrX{}, scrY{};
    std::array<bool, loDrawMax> drawn{};
    scrX[1023] = 40, scrY[1023] = 40, drawn[1023] = true;
    EXPECT_EQ(findObjectAt(scrX, scrY, drawn, 1025, 40, 40), 1023);
    scrX[5] = std::numeric_limits<int32_t>::max(), scrY[5] = 0, drawn[5] = true;
    EXPECT_EQ(findObjectAt(scrX, scrY, drawn, 1025, std::numeric_limits<int32_t>::min(), 0), -1);
    EXPECT_EQ(findObjectAt(scrX, scrY, drawn, 1025, std::numeric_limits<int32_t>::max() - 9, 0), 5);
}

TEST(LoEditText, ClickAndPointerReadOuts) {
    EXPECT_EQ(mdownText(120, -7), " x y  120  -7  slack 10");
    EXPECT_EQ(mdownText(120, 7) + mdownHitText(120, 7, 125, 3, "row 4"),
              " x y  120  7  slack 10 got x y  120  7  cox: 125 coy:3 row 4");
    EXPECT_EQ(xyviewText(5031, 5000, 99, 0), "x: 5031 y:5000 Ft: x    99 Ft: y     0 ");
    EXPECT_EQ(xyviewText(0, 0, -123456, 7), "x: 0 y:0 Ft: x -123456 Ft: y     7 ");
}

TEST(LoEditText, CaptionsFollowTheState) {
    EXPECT_EQ(hideCaption(obj(6, 1, 0, 0, 0, 3)), "make visible");
    EXPECT_EQ(hideCaption(obj(6, 1, 0, 0, 0, 1)), "make invisible");
    EXPECT_EQ(allowRotationCaption(true), "Disable rotation");
    EXPECT_EQ(allowRotationCaption(false), "Enable rotation");
}
