// Writes seed inputs for the two fuzz targets.
#include "support/records.h"
#include "tests/test_lib_volfixture.h"

#include <cstdio>
#include <string>

namespace {
void put(const std::string& path, const std::string& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: fuzz_seeds <vol-folder> <side-table-folder>\n");
        return 2;
    }
    const std::string vol = argv[1], side = argv[2];
    put(vol + "/one.vol", vxtest::buildVol({{"wingj001.dat", "xyz", 1}}));
    put(vol + "/mixed.vol",
        vxtest::buildVol(
            {{"a.dat", "aaaa", 1}, {"B.DAT", "", 1}, {"c.dat", "cc", 0}, {"d.dat", "dddddd", 2}},
            0x5A));
    put(vol + "/empty.vol", vxtest::buildVol({}));
    for (int count : {0, 1, 3}) {
        vx::landmarkhead head{};
        head.count = static_cast<uint16_t>(count);
        head.recsize = 63;
        std::string bytes(reinterpret_cast<const char*>(&head), sizeof head);
        for (int i = 0; i < count; ++i) {
            vx::landmark rec{};
            rec.lmid.at(3) = static_cast<uint8_t>(i);
            bytes.append(reinterpret_cast<const char*>(&rec), sizeof rec);
        }
        put(side + "/side" + std::to_string(count) + ".dat", bytes);
    }
    return 0;
}
