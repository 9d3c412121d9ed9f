// The landmark file reader on arbitrary bytes: only vx::Error may come out,
// and a file it accepts writes back to bytes it reads again alike.
#include "fuzz_input.h"
#include "mapeditor/lmfile.h"

#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vxfuzz::writeInput(data, size);
    // Tlm is 32 kB: kept off the stack.
    auto t = std::make_unique<vx::Tlm>();
    try {
        *t = vx::readLandmarkFile(vxfuzz::inputPath());
    } catch (const vx::Error&) {
        return 0;
    }
    if (t->count() > vx::lmCapacity) std::abort();
    const std::string bytes = vx::landmarkFileBytes(*t);
    auto again = std::make_unique<vx::Tlm>(vx::parseLandmarkFile(bytes, "again"));
    if (vx::landmarkFileBytes(*again) != bytes) std::abort();
    return 0;
}
