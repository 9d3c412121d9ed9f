// The object-file reader on arbitrary bytes: it keeps to the table, zeroes
// what it does not fill, writes back what it read, and every record it keeps
// can be listed and exported.
#include "fuzz_input.h"
#include "objectviewer/lofile.h"
#include "objectviewer/lolines.h"
#include "support/errors.h"

#include <cstring>

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

bool allZero(const void* p, size_t n) {
    const auto* b = static_cast<const unsigned char*>(p);
    for (size_t i = 0; i < n; ++i)
        if (b[i]) return false;
    return true;
}

vx::TLOtab parsed, fromFile, again;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const vx::LoReadNotes notes = vx::parseObjectFile(bytes, parsed);
    const size_t n = parsed.head.count;
    check(n <= vx::loCapacity);
    check(notes.countCapped == (notes.headerCount > vx::loCapacity));
    check(allZero(&parsed.objs[n], (vx::loCapacity - n) * vx::loRecSize));

    const std::string out = vx::objectFileBytes(parsed);
    check(out.size() == vx::loHeadSize + n * vx::loRecSize);
    vx::parseObjectFile(out, again);
    check(vx::objectFileBytes(again) == out);

    // The file road reads the same.
    vxfuzz::writeInput(data, size);
    vx::readObjectFile(vxfuzz::inputPath(), fromFile);
    check(std::memcmp(&fromFile, &parsed, sizeof parsed) == 0);

    // Every record takes the same road through the formats, so a few of them
    // (the first and the last) keep the runs fast.
    for (size_t i = 0; i < n; i = i < 7 || i + 1 == n ? i + 1 : n - 1) {
        const int k = static_cast<int>(i);
        check(!vx::lolistLine(k, parsed.objs[i]).empty());
        check(!vx::objlistLine(k, parsed.objs[i]).empty());
        check(vx::loExportLine(k, parsed.objs[i]).size() >= 100);
    }
    if (n <= 8) check(vx::loExportText(parsed).size() >= n * 100);
    return 0;
}
