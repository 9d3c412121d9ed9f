// The object file in memory (TLOtab) and its file form: a 100-byte header,
// then `count` records of 20 bytes. Parsing is kept apart from file I/O so the
// reader can be tested and fuzzed on bytes.
#pragma once

#include "support/records.h"

#include <cstddef>
#include <string>

namespace vx {

constexpr size_t loHeadSize = sizeof(landmarkhead);
constexpr size_t loRecSize = sizeof(LOobject);
// The most bytes a read ever looks at: the header and a full table.
constexpr size_t loMaxFileBytes = loHeadSize + loCapacity * loRecSize;

// The viewer's tables: the file in view, its edit snapshot and the two work
// tables.
extern TLOtab lotab;
extern TLOtab lotabUndo;
extern TLOtab lowork;
extern TLOtab lomove;

// What a read found besides the table itself.
struct LoReadNotes {
    long headerCount = 0;     // `count` as the file's header gives it
    bool countCapped = false; // above 1025: only the first 1025 records kept
    bool shortFile = false;   // fewer records than counted: the rest are zero
};

// Parses an object file's bytes into t, which is first set all zero with
// recsize 20. Up to 100 header bytes replace the start of the header (recsize
// too when the bytes reach it); then `count` records of 20 bytes whatever
// recsize says. A file that ends early leaves the missing records zero, still
// counted. A count above 1025 is set to 1025 and noted. Never fails; nothing
// beyond the bytes or the table is touched.
LoReadNotes parseObjectFile(const std::string& bytes, TLOtab& t);

// Reads at most loMaxFileBytes of the file and parses them into t. FileError
// when the file cannot be opened or read; t is then untouched, so a caller may
// read straight into its table and keep the old contents on failure.
LoReadNotes readObjectFile(const std::string& path, TLOtab& t);

// The file form: the header as held but with recsize 20, then records 0 to
// count - 1 (count at most 1025): 100 + 20 * count bytes.
std::string objectFileBytes(const TLOtab& t);

// Sets t's recsize to 20 and writes it through the safe writer. Returns the
// number of bytes written. FileError on failure; the target is then untouched.
size_t saveObjectFile(const std::string& path, TLOtab& t);

// Message texts of the load and the save.
std::string loSavedMessage(const std::string& fileName, size_t bytes);
std::string loNotSavedMessage(const std::string& fileName);
std::string loCountCappedMessage(const std::string& path, long headerCount);

} // namespace vx
