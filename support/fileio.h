// Whole-file reads and safe writes, and the directory search the windows use.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vx {

bool fileExists(const std::string& path);      // a plain file (links followed)
bool directoryExists(const std::string& path); // a folder (links followed)
int64_t fileSize(const std::string& path);     // -1 when missing

// Reads at most maxBytes from the start of the file; FileError when it cannot
// be opened or read.
std::string readFileBytes(const std::string& path, size_t maxBytes = SIZE_MAX);

// Writes the bytes to a temporary file beside path and renames it over path,
// so a failure never leaves a half-written file in place of a good one.
// FileError on failure; the target is then untouched.
void writeFileAtomic(const std::string& path, const std::string& bytes);

// Entries of folder whose names match pattern ("?" one character, "*" any
// run, case-sensitive), in the order the system returns them. Links count as
// what they lead to; broken links are skipped. wantDirs selects folders,
// otherwise plain files.
std::vector<std::string> findEntries(const std::string& folder, const std::string& pattern,
                                     bool wantDirs);

} // namespace vx
