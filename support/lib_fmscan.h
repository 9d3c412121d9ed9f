// The flight-model file scan: finds the simulator's flight-model data files in
// up to ten folders and in the ".vol" archives named with them, reports each
// name once with its size and CRC-32, and logs what it added.
#pragma once

#include "stringlist.h"

#include <array>
#include <string>

namespace vx {

// Entries 1 to 10 ([0] unused). A folder text, optionally followed by an
// archive part "&a.vol&b.vol&". Kept, and changed, across scans.
extern std::array<std::string, 11> scanFolders;
// Lines "name=..." whose names count as already found; filled by the caller.
extern TStringList scanPreset;
// Working lists of the last scan.
extern TStringList scanSeen, volHits;
// The pause before each folder and at the end, in milliseconds (tests shorten it).
extern int scanPauseMs;

inline constexpr const char* scanDefaultMasks =
    "fmparam*?.dat|acspecs?.dat|wingj???.dat|foilj???.dat|cntrlj???.dat|";
inline constexpr const char* scanNothingFound = "Definitely nothing found.....";

// folders and masks: items each followed by "|", or empty for the table and
// the default masks. A mask beginning with "!" is searched only in "./", as a
// path from the current folder. A request holding an absolute path, ".." or
// the foreign forms "..\" and ":\", or a log name that would put the log
// "log-" + logName outside the current folder (a "/" in it, or a link of that
// name leading out), returns at once without any effect.
void scanFlightModelFiles(const std::string& logName, const std::string& folders,
                          const std::string& masks, TStringList& results, bool option = false);

} // namespace vx
