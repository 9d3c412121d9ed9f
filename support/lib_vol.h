// The side-table reader and the readers of the simulator's ".vol" archives.
// Both keep the last file read in variables of their own; not re-entrant.
#pragma once

#include "records.h"
#include "stringlist.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vx {

#pragma pack(push, 1)
// In memory after reading, size holds the chunk's absolute end offset.
struct voltype {
    char tag[4];
    int32_t size;
};
struct volhtype {
    char tag[4];
    int32_t size;
};
struct volstype {
    char tag[4];
    int32_t size;
    int32_t namelen;
};
struct volitype {
    char tag[4];
    int32_t size;
    int32_t rsv8;
};
struct VBLKrec {
    char tag[4];
    int32_t size; // low 24 bits: the member's data length
    int32_t rsv8;
};
struct indexr {
    int32_t nameofs; // -1 ends the directory
    int32_t dataofs; // absolute offset of the member's VBLKrec
    int32_t rsv8;
    uint8_t rsv12;
    uint8_t flag; // 1 = listed
};
#pragma pack(pop)

constexpr int volDirectoryLast = 10000;
using IXart = std::array<indexr, volDirectoryLast + 1>;

static_assert(sizeof(voltype) == 8 && sizeof(volhtype) == 8);
static_assert(sizeof(volstype) == 12 && sizeof(volitype) == 12 && sizeof(VBLKrec) == 12);
static_assert(sizeof(indexr) == 14 && offsetof(indexr, flag) == 13);
static_assert(sizeof(IXart) == 140014);

// Side table.
extern landmarkhead sideTableHead;
extern std::vector<landmark> sideTableRecs;
// Loads a file laid out like a landmark file; a missing file changes nothing.
// The table never holds more records than the file has bytes for.
void loadSideTable(const std::string& name);
// 10 for index < 1, else the side byte of record index (1-based); RangeError beyond.
uint8_t sideTableByte(int32_t index);

// Archive state of the last archive read.
extern voltype volMain;
extern volhtype volHeader;
extern volstype volStrings;
extern volitype volIndex;
extern int32_t volEnd, volNamePos, volDirPos;
extern IXart volDirectory;
extern std::string volNameBlock;
extern TStringList volNames; // filled by the caller for volListByList

// FileError when the archive cannot be opened or its header is short or
// points outside the file.
void volReadHeader(const std::string& archive);
void volReadDirectory(const std::string& archive);
// Adds "name=L|crc|1" for each listed member matching mask, in directory order.
void volListMatching(const std::string& archive, const std::string& mask, TStringList& list);
// The same with the names of volNames and the directory already in memory.
void volListByList(const std::string& archive, const std::string& mask, TStringList& list);

} // namespace vx
