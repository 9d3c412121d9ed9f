// The landmark text export: one line per record, columns chosen by the
// export check boxes, plain (one blank between columns) or comma-separated.
#pragma once

#include "mapeditor/lmfile.h"

#include <string>

namespace vx {

struct ExportColumns {
    bool recnr = false;  // "%3D " record number
    bool lo = false;     // object-file name
    bool hidden = false; // "inactive" / "visible "
    bool coords = false; // "EW %13S NS %13S"
    bool side = false;   // "G" for side 0, else "A"
    bool name = false;
    bool csv = false;        // ", " between columns instead of " "
    bool activeOnly = false; // leave out records with lat 0 or below
};

// A record counts as inactive here when its lat is 0 or below.
inline bool exportInactive(const landmark& rec) {
    return rec.lat <= 0;
}

// One line without its line feed; mode 0 landmark, 1 brigade templates.
std::string exportLine(const landmark& rec, int recNo, int mode, const ExportColumns& cols);
// The whole export: each written record's line ended by a line feed.
std::string exportText(const Tlm& t, int mode, const ExportColumns& cols);

} // namespace vx
