#include "lmfile.h"

#include "support/errors.h"
#include "support/fileio.h"

#include <algorithm>
#include <cstring>

namespace vx {

Tlm lmfile{};
Tlm cpylm{};

landmark& Tlm::rec(int i) {
    checkRange(i, 1, lmCapacity, "landmark record");
    return recs[i - 1];
}

const landmark& Tlm::rec(int i) const {
    checkRange(i, 1, lmCapacity, "landmark record");
    return recs[i - 1];
}

Tlm parseLandmarkFile(const std::string& bytes, const std::string& name) {
    constexpr size_t headSize = sizeof(landmarkhead);
    if (bytes.size() < headSize)
        throw LandmarkFileRefused("\"" + name + "\" is not a landmark file: it holds " +
                                  std::to_string(bytes.size()) +
                                  " bytes, less than its 100-byte header.");
    Tlm t{};
    std::memcpy(&t.head, bytes.data(), headSize);
    const size_t recsize = t.head.recsize;
    if (recsize == 0)
        throw LandmarkFileRefused("\"" + name +
                                  "\" is not a landmark file: its header gives record size 0.");
    const size_t n = std::min<size_t>((bytes.size() - headSize) / recsize, lmCapacity);
    t.head.count = static_cast<uint16_t>(n);
    for (size_t i = 0; i < n; ++i)
        std::memcpy(&t.recs[i], bytes.data() + headSize + i * recsize,
                    std::min(recsize, sizeof(landmark)));
    return t;
}

Tlm readLandmarkFile(const std::string& path) {
    // Only the first 512 records matter, so a huge file is never read whole.
    std::string head = readFileBytes(path, sizeof(landmarkhead));
    size_t limit = sizeof(landmarkhead);
    if (head.size() == sizeof(landmarkhead)) {
        uint16_t recsize;
        std::memcpy(&recsize, head.data() + offsetof(landmarkhead, recsize), sizeof recsize);
        limit += static_cast<size_t>(recsize) * lmCapacity;
    }
    return parseLandmarkFile(readFileBytes(path, limit), path);
}

std::string landmarkFileBytes(const Tlm& t) {
    // A table that never came from a file (landmarks added or pasted before
    // any load) has record size 0; its records are written at their own 63
    // bytes, so the saved file holds them and reads back.
    const size_t recsize = t.head.recsize != 0 ? t.head.recsize : sizeof(landmark);
    const int n = std::min<int>(t.head.count, lmCapacity);
    std::string out(sizeof(landmarkhead) + n * recsize, '\0');
    landmarkhead h = t.head;
    h.count = static_cast<uint16_t>(n);
    h.recsize = static_cast<uint16_t>(recsize);
    std::memcpy(out.data(), &h, sizeof h);
    for (int i = 0; i < n; ++i)
        std::memcpy(out.data() + sizeof h + i * recsize, &t.recs[i],
                    std::min(recsize, sizeof(landmark)));
    return out;
}

void saveLandmarkFile(const std::string& path, const Tlm& t) {
    writeFileAtomic(path, landmarkFileBytes(t));
}

} // namespace vx
