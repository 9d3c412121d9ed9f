// Texts the main window builds from landmark records: list lines, the data
// memo, the object-file name, and the fixed entries of its selectors.
#pragma once

#include "support/records.h"

#include <array>
#include <string>
#include <vector>

namespace vx {

// Index 0: landmark templates (".mlf"), 1: brigade templates (".mbf").
extern const std::array<const char*, 2> loprefix;
extern const std::array<const char*, 2> filebase;
extern const std::array<const char*, 5> mapfiles;

// prefix + byteHex(type code) + byteHex(object-file number) + ".dat"
std::string loFileName(int mode, const landmark& rec);

// Entries of the object-type selector in landmark or brigade mode.
std::vector<std::string> lotypeEntries(bool mlfMode);
// "0", "45", ... "360", then "0" to "360".
std::vector<std::string> rotationEntries();
// The rotation entry that shows a record's rotation: nearest whole degree.
std::string rotationText(float rota);

// Long form "C  aero 1 Alpha" and short form "1 Alpha" of list row i - 1.
std::string pickLineLong(const landmark& rec, int i);
std::string pickLineShort(const landmark& rec, int i);

// The eight lines of the data memo, joined by CR LF. sideEntries are the
// entries of the side selector.
std::string lmDataMemo(const landmark& rec, int recNo, bool mlfMode,
                       const std::vector<std::string>& sideEntries);

// Map height for a zoom-bar position (the width is the position itself).
int zoomHeight(int position);
std::string wxhLabel(int W, int H);
std::string zoomLabel(int zoom);

} // namespace vx
