// Changes to landmark records and to the landmark table in memory: the edit
// panel's setters, the move by a map click, activation, adding and the
// physical delete. Plain functions, no window: the handlers in editing.cpp
// read the controls, call these and write the controls back.
#pragma once

#include "mapeditor/calibration.h"
#include "mapeditor/lmfile.h"

#include <optional>
#include <string>
#include <vector>

namespace vx {

// Panel setters; each writes only the bytes named.
void setSide(landmark& rec, int sideIndex);                // byte 6
void setTypeCode(landmark& rec, int index);                // byte 4
void setElevation(landmark& rec, float ft);                // bytes 15 to 18
void setNameField(landmark& rec, const std::string& text); // bytes 23 to 62
// Bytes 4, then 5, from characters 5-6 and 7-8 of an object-file name as
// hexadecimal. ConvertError when they are not hexadecimal digits; when only
// characters 7-8 fail, the type code is already stored.
void setFromLofileName(landmark& rec, const std::string& name);
// Bytes 19 to 22 from a rotation entry (a decimal whole number of degrees);
// ConvertError when the entry is not one.
void setRotationEntry(landmark& rec, const std::string& entry);

// The map click while editing: the clicked latitude, and the clicked
// longitude corrected by the map's shift at that latitude for an image of
// imageWidth pixels. Returns the shift.
int moveToClick(landmark& rec, int k, double lat, double lon, int imageWidth);

// Activation flips the sign of both co-ordinates; re-activation takes their
// magnitudes. Rows are list rows (record row + 1).
void deactivateRows(Tlm& t, const std::vector<int>& rows);
void reactivateRows(Tlm& t, const std::vector<int>& rows);
// The activation button's caption for a record, or nothing when its signs do
// not decide (they differ, or a co-ordinate is 0).
std::optional<std::string> activationCaption(const landmark& rec);

// Why a landmark cannot be added to a table with `rows` list rows, or nothing.
std::optional<std::string> addRefusal(int rows, bool mapSelected);
// Fills record row + 1 as a new entry placed at the extents of map m (active,
// outside the picture) and sets count to row + 1. RangeError beyond the table.
void addLandmark(Tlm& t, int row, const latlong& m);
// The list line of the new entry when `countBefore` records were in use.
std::string newEntryLine(int countBefore);
inline constexpr const char* newEntryName = "New entry";

// The table without the selected rows: the others close up in their order,
// count is their number and every slot above is zero. selected[j] is list row j.
Tlm withoutRows(const Tlm& t, const std::vector<bool>& selected);
// The dump of a table: its whole header, then count records of 63 bytes.
std::string dumpBytes(const Tlm& t);
inline constexpr const char* dumpFileName = "lndmrks5.dat";

} // namespace vx
