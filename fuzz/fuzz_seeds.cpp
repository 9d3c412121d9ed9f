// Writes seed inputs for the fuzz targets.
#include "support/records.h"
#include "tests/test_jpegfixture.h"
#include "tests/test_lib_volfixture.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {
void put(const std::string& path, const std::string& bytes) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}
// Object files: empty, short, with a foreign record size and over-counted.
void putObjectFiles(const std::string& dir) {
    struct Seed {
        const char* name;
        uint16_t count, recsize;
        int held;
    };
    const Seed seeds[] = {{"empty", 0, 20, 0},
                          {"three", 3, 20, 3},
                          {"short", 5, 20, 2},
                          {"recsize63", 2, 63, 2},
                          {"overcount", 1100, 20, 4}};
    for (const Seed& s : seeds) {
        vx::landmarkhead head{};
        head.count = s.count;
        head.recsize = s.recsize;
        std::string bytes(reinterpret_cast<const char*>(&head), sizeof head);
        for (int i = 0; i < s.held; ++i) {
            vx::LOobject o{};
            o.loid.at(1) = static_cast<uint8_t>(6 + i % 4);
            o.loid.at(2) = static_cast<uint8_t>(i * 11);
            o.x = 12.5f * static_cast<float>(i);
            o.y = -7;
            o.rota = 22.25f;
            o.hide = static_cast<uint8_t>(i == 1 ? 3 : 0);
            bytes.append(reinterpret_cast<const char*>(&o), sizeof o);
        }
        put(dir + "/" + s.name + ".dat", bytes);
    }
}
// A small JPEG of w x h pixels with a colour ramp.
std::string jpegOf(int w, int h, bool gray, bool progressive) {
    const size_t bytes = static_cast<size_t>(w) * (gray ? 1 : 3);
    return vxtest::encodeJpeg(w, h, gray, progressive ? 1 : 0, [&](unsigned y, unsigned char* row) {
        for (size_t i = 0; i < bytes; ++i) row[i] = static_cast<unsigned char>(i * 7 + y * 3);
    });
}

// Pictures: baseline, grey, progressive, and one cut short.
void putPictures(const std::string& dir) {
    put(dir + "/rgb.jpg", jpegOf(24, 16, false, false));
    put(dir + "/gray.jpg", jpegOf(9, 33, true, false));
    const std::string progressive = jpegOf(40, 24, false, true);
    put(dir + "/progressive.jpg", progressive);
    put(dir + "/cut.jpg", progressive.substr(0, progressive.size() / 2));
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 5) {
        std::fprintf(stderr, "usage: fuzz_seeds <vol-folder> <side-table-folder> "
                             "[<object-file-folder> [<picture-folder>]]\n");
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
    if (argc >= 4) putObjectFiles(argv[3]);
    if (argc == 5) putPictures(argv[4]);
    return 0;
}
