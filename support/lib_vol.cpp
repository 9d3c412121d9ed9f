#include "lib_vol.h"

#include "crc32.h"
#include "errors.h"
#include "lib_dirsearch.h"
#include "lib_rawfile.h"
#include "lib_strings.h"

#include <algorithm>
#include <cstring>

namespace vx {

landmarkhead sideTableHead{};
std::vector<landmark> sideTableRecs;

voltype volMain{};
volhtype volHeader{};
volstype volStrings{};
volitype volIndex{};
int32_t volEnd = 0, volNamePos = 0, volDirPos = 0;
IXart volDirectory{};
std::string volNameBlock;
TStringList volNames;

namespace {

// The stored size field without its high byte.
int32_t sizeLow24(int32_t stored) {
    uint32_t v = static_cast<uint32_t>(stored);
    low24(v);
    return static_cast<int32_t>(v);
}

// One listing line for the member whose chunk starts at dataofs.
void listMember(RawFile& file, int32_t dataofs, const std::string& name, TStringList& list) {
    if (dataofs < 0 || static_cast<int64_t>(dataofs) + 8 > file.size())
        file.fail("member offset " + std::to_string(dataofs) + " outside the archive");
    file.seek(dataofs);
    VBLKrec blk{};
    file.readExact(&blk, 8);
    int32_t len = sizeLow24(blk.size);
    // A member cut short by the end of the archive, even one claiming more
    // than the whole archive, keeps its listed length; its CRC covers the
    // bytes that are there, and nothing is sized beyond them.
    std::vector<unsigned char> data(
        static_cast<size_t>(std::min<int64_t>(len, file.size() - file.position())));
    data.resize(file.readUpTo(data.data(), data.size()));
    uint32_t crc = crc32Of(data.data(), static_cast<int32_t>(data.size()));
    list.Add(name + "=" + std::to_string(len) + "|" + std::to_string(crc) + "|1");
}

} // namespace

void loadSideTable(const std::string& name) {
    if (!existsAsFile(name)) return;
    RawFile file(name);
    landmarkhead head{};
    size_t got = file.readUpTo(&head, sizeof head);
    std::memcpy(&sideTableHead, &head, got); // bytes not read keep their values
    const int64_t rest = file.size() - file.position();
    const int64_t fitting = (rest + 62) / 63;
    // Records the file does not hold keep what an earlier load left, or read as
    // zero (sideTableByte); memory is never sized beyond the file or the old table.
    const int64_t held = std::max<int64_t>(fitting, static_cast<int64_t>(sideTableRecs.size()));
    const size_t count = static_cast<size_t>(std::min<int64_t>(sideTableHead.count, held));
    sideTableRecs.resize(count);
    const size_t want = std::min<size_t>(static_cast<size_t>(sideTableHead.count) *
                                             static_cast<size_t>(sideTableHead.recsize),
                                         count * sizeof(landmark));
    std::vector<unsigned char> bytes(want);
    got = file.readUpTo(bytes.data(), want);
    if (got > 0) std::memcpy(sideTableRecs.data(), bytes.data(), got);
}

uint8_t sideTableByte(int32_t index) {
    if (index < 1) return 10;
    checkRange(
        index, 1,
        std::max<long long>(sideTableHead.count, static_cast<long long>(sideTableRecs.size())),
        "side table");
    if (static_cast<size_t>(index) > sideTableRecs.size()) return 0; // a zero record
    return sideTableRecs[static_cast<size_t>(index) - 1].lmid.at(3);
}

void volReadHeader(const std::string& archive) {
    volMain = {};
    volHeader = {};
    volStrings = {};
    volIndex = {};
    RawFile file(archive);
    file.readExact(&volMain, sizeof volMain);
    volMain.size = 8 + sizeLow24(volMain.size);
    volEnd = volMain.size;
    file.readExact(&volHeader, sizeof volHeader);
    volHeader.size = 16 + sizeLow24(volHeader.size);
    file.readExact(&volStrings, sizeof volStrings);
    volStrings.size = 24 + sizeLow24(volStrings.size);
    volNamePos = static_cast<int32_t>(file.position());
    file.seek(volStrings.size);
    file.readExact(&volIndex, sizeof volIndex);
    volIndex.size = sizeLow24(volIndex.size);
    volDirPos = volStrings.size + 8;
}

void volReadDirectory(const std::string& archive) {
    RawFile file(archive);
    file.seek(volDirPos);
    volDirectory = {};
    file.readUpTo(volDirectory.data(), sizeof volDirectory);
    file.seek(volNamePos);
    const int32_t n = volStrings.namelen;
    if (n > file.size())
        file.fail("name block length " + std::to_string(n) + " larger than the archive");
    volNameBlock.assign(n > 0 ? static_cast<size_t>(n) : 0, '\0');
    file.readUpTo(volNameBlock.data(), volNameBlock.size());
}

void volListMatching(const std::string& archive, const std::string& mask, TStringList& list) {
    volReadHeader(archive);
    volReadDirectory(archive);
    RawFile file(archive);
    for (const indexr& ent : volDirectory) {
        if (ent.nameofs == -1) break;
        checkRange(ent.nameofs, 0, static_cast<long long>(volNameBlock.size()) - 1, "name block");
        const size_t from = static_cast<size_t>(ent.nameofs);
        const std::string name = volNameBlock.substr(from, volNameBlock.find('\0', from) - from);
        if (ent.flag == 1 && matchesMask(name, mask)) listMember(file, ent.dataofs, name, list);
    }
}

void volListByList(const std::string& archive, const std::string& mask, TStringList& list) {
    RawFile file(archive);
    const int last = std::min(volNames.Count() - 1, volDirectoryLast);
    for (int i = 0; i <= last; ++i) {
        const indexr& ent = volDirectory[static_cast<size_t>(i)];
        if (ent.flag == 1 && matchesMask(volNames[i], mask))
            listMember(file, ent.dataofs, volNames[i], list);
    }
}

} // namespace vx
