// The text forms of object records: the lines of the viewer's two object
// lists and of the text export, and the list rebuild's view parameters.
#pragma once

#include "support/records.h"

#include <string>
#include <vector>

namespace vx {

// Base width and height of the view's image, set by every list rebuild.
constexpr double loSpanX = 8000;
constexpr double loSpanY = 10000;

// Records that the lists and the export show: 0 to count - 1, at most 1025.
int loShownCount(const TLOtab& t);

// objNames[class, type]; the empty text for a class above 20 or a type
// above 42.
const std::string& loObjectName(const LOobject& o);

// Line of `lolist` for record i, e.g.
// "#   7 V 0 x:   13 y:   -7 rot: 90.0 LoID  9  A <name>".
std::string lolistLine(int i, const LOobject& o);
// Line of `objlist` for record i, e.g. "  7 $09$0a <name>".
std::string objlistLine(int i, const LOobject& o);
// The widest line `lolist` can show: the last record, far out, with the
// longest object name (objNames filled).
std::string widestLolistLine();
// The lines of both lists for the shown records of t, in record order.
std::vector<std::string> lolistLines(const TLOtab& t);
std::vector<std::string> objlistLines(const TLOtab& t);

// Caption of `Label1` after a rebuild: the image's width, a blank, its height.
std::string label1Text(int width, int height);

// Line of the text export for record i, without its line feed, e.g.
// "rec# ,   7,  active, coord in ft:, X ,     13, Y,      -7, rot 90.0, elev
// 0.00, obj/ID : ,$09, $0a, Obj name, <name>".
std::string loExportLine(int i, const LOobject& o);
// The whole export: one line per shown record, each ended by a line feed;
// empty for count 0.
std::string loExportText(const TLOtab& t);
// Writes the export of t through the safe writer; FileError on failure.
void saveLoExport(const std::string& path, const TLOtab& t);

} // namespace vx
