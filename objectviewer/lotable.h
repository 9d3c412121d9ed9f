// The table operations behind the viewer's editing commands and its work list:
// appending within the table's capacity, deleting and copying selected rows,
// re-typing, hiding, the group move and its turn, picking a drawn object, and
// the edit snapshot. Plain functions on TLOtab values; the window reads its
// controls, calls these, then refreshes its lists and redraws.
//
// Capacity: a table holds loCapacity (1025) records. An append to a full table
// is refused and reported in the result; records appended before stay.
//
// Group layout: when a group is built from the work list, its first record is
// laid out at the landmark origin (0, 0) in both x and y, and every later
// record keeps its offset from the first. moveRefX and moveRefY hold the first
// record's former position. A confirm before any pointer move therefore places
// the group around the origin, as every other paste does.
#pragma once

#include "support/records.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vx {

// One flag per list row, row i standing for record i.
using RowSelection = std::vector<bool>;

// Slot i (0 to 1024) of the table; RangeError outside.
LOobject& loSlot(TLOtab& t, int i);
const LOobject& loSlot(const TLOtab& t, int i);

struct AppendResult {
    int appended = 0;     // records appended
    int last = -1;        // index of the last record appended, -1 when none
    bool refused = false; // stopped at the capacity; what was appended stays
};

// Appends rec at index count. False, and nothing changed, when the table is full.
bool addLoRec(TLOtab& t, const LOobject& rec);

// The table part of paste2lodat: appends rec, placed at the origin unless a
// group move is under way (then it keeps its position). The result's last is
// the new row the window makes current.
AppendResult pasteRecord(TLOtab& t, LOobject rec, bool moveManyMode);

// Copies the records of src at the selected rows, in ascending order, to the
// end of the work list, which gets recsize 20. src may be the work list itself:
// only rows present when the copy starts are read.
AppendResult copyToWorkList(TLOtab& lowork, const TLOtab& src, const RowSelection& rows);

// Removes the records at the selected rows, keeping the order of the rest; the
// table is rebuilt with a zero header apart from count. Refused (false, nothing
// changed) unless the list has exactly one row per record.
bool deleteSelected(TLOtab& t, const RowSelection& rows);

// Class and type of every selected row's record := cls, type; nothing else.
void retypeSelected(TLOtab& t, const RowSelection& rows, uint8_t cls, uint8_t type);

// Class and type of a catalogue row "$CC:$TT: name". ConvertError when they are
// not numbers, RangeError when one is beyond a byte.
struct ObjectKind {
    uint8_t cls = 0;
    uint8_t type = 0;
};
ObjectKind parseCatalogueRow(const std::string& row);

// A new object of the given kind at the origin, unrotated and visible.
LOobject newObject(ObjectKind kind);

// "Hide obj in game": 3 becomes 0, any other value 3.
void toggleHide(LOobject& obj);

// The position the rotation track bar shows for a rotation: the nearest whole
// degree held to 0 to 360 (a rotation that is no number shows 0).
int rotationBarPosition(float rota);

// A rotation brought back within (-360, 360), keeping its sign; a magnitude
// that is 360 within single-precision tolerance becomes 0.
float reduceRotation(float r);

// The group-move state beside the table lomove, which holds lotab as it was
// when the move began followed by the group: records moveStart to count - 1.
struct GroupMove {
    bool moveManyMode = false;
    int moveStart = 0;
    double moveRefX = 0;
    double moveRefY = 0;
};

// "Copy + Move": nothing when no work-list row is selected; otherwise move-many
// mode on and lomove := lotab followed by the selected work-list records, laid
// out from the first (see the top of this file). moveStart is lotab's count,
// so a group refused at its first record is empty, never a part of lotab.
AppendResult startGroupMove(GroupMove& g, TLOtab& lomove, const TLOtab& lotab, const TLOtab& lowork,
                            const RowSelection& workRows);

// The pointer at (fx, fy) feet with Alt held: the group's first record goes
// there, the others keep their offsets from it.
void moveGroupTo(const GroupMove& g, TLOtab& lomove, int64_t fx, int64_t fy);

// Alt + wheel: each group record's rotation turns by wheelDelta div 24 degrees
// and is reduced.
void turnGroup(const GroupMove& g, TLOtab& lomove, int wheelDelta);

// "Confirm move": appends the group to lotab (keeping the positions while
// move-many mode is on, else at the origin) and ends move-many mode unless
// the table filled up on the way. lomove keeps its records.
AppendResult confirmGroupMove(GroupMove& g, const TLOtab& lomove, TLOtab& lotab);

// "Cancel move": move-many mode off, lomove all zero.
void cancelGroupMove(GroupMove& g, TLOtab& lomove);

// Objects the drawing places: indexes 0 to 1023.
inline constexpr int loDrawMax = 1024;
// A click picks an object drawn less than this many pixels away on each axis.
inline constexpr int pickSlack = 10;

// The first object among the first count whose last drawn position is within
// the slack of (X, Y), or -1. Objects not drawn (drawn[i] false) are never
// picked; scrX, scrY and drawn are indexed alike.
int findObjectAt(std::span<const int32_t> scrX, std::span<const int32_t> scrY,
                 std::span<const bool> drawn, int count, int X, int Y);

// The edit snapshot kept in lotabUndo: the table as it was loaded or as it was
// when editing last started. Take it at each load and each edit start, so that
// "Cancel edit" and "Cancel move selected" restore the file on show.
class EditSnapshot {
public:
    explicit EditSnapshot(TLOtab& lotabUndo) : undo_(lotabUndo) {}
    void take(const TLOtab& lotab);
    // lotab := the snapshot; false, lotab unchanged, when none was ever taken.
    bool restoreInto(TLOtab& lotab) const;
    bool taken() const { return taken_; }

private:
    TLOtab& undo_;
    bool taken_ = false;
};

// Line i of the work list: index, class and type in hexadecimal, then the
// object's name; a class or type without a name gives an empty name.
std::string workListLine(int i, const LOobject& rec);
std::vector<std::string> workListLines(const TLOtab& lowork);

} // namespace vx
