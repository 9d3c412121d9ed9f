// Builds small ".vol" archives for the archive reader's tests and fuzz seeds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vxtest {

struct VolMember {
    std::string name;
    std::string data;
    uint8_t flag = 1;
};

inline void putLE32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// highByte goes into the unused top byte of every chunk size field.
inline std::string buildVol(const std::vector<VolMember>& members, uint8_t highByte = 0) {
    const uint32_t high = static_cast<uint32_t>(highByte) << 24;
    std::string names;
    std::vector<uint32_t> nameofs;
    for (const auto& m : members) {
        nameofs.push_back(static_cast<uint32_t>(names.size()));
        names += m.name;
        names += '\0';
    }
    const uint32_t n = static_cast<uint32_t>(names.size());
    const uint32_t s = 4 + n; // namelen field and name block
    const uint32_t dirPos = 32 + s;
    const uint32_t dirBytes = 14 * static_cast<uint32_t>(members.size() + 1);
    std::string dir, data;
    uint32_t at = dirPos + dirBytes;
    for (size_t i = 0; i < members.size(); ++i) {
        putLE32(dir, nameofs[i]);
        putLE32(dir, at + static_cast<uint32_t>(data.size()));
        putLE32(dir, 0);
        dir += '\0';
        dir += static_cast<char>(members[i].flag);
        data += "VBLK";
        putLE32(data, static_cast<uint32_t>(members[i].data.size()) | high);
        data += members[i].data;
    }
    putLE32(dir, 0xFFFFFFFFu);
    dir.append(10, '\0');
    std::string body;
    body += "vhdr";
    putLE32(body, 0 | high);
    body += "vstr";
    putLE32(body, s | high);
    putLE32(body, n);
    body += names;
    body += "voli";
    putLE32(body, (dirBytes + static_cast<uint32_t>(data.size())) | high);
    body += dir;
    body += data;
    std::string out = "PVOL";
    putLE32(out, static_cast<uint32_t>(body.size()) | high);
    return out + body;
}

} // namespace vxtest
