// The side-table reader on arbitrary bytes: only vx::Error may come out.
#include "fuzz_input.h"
#include "support/errors.h"
#include "support/lib_vol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vxfuzz::writeInput(data, size);
    try {
        vx::loadSideTable(vxfuzz::inputPath());
        const auto n = static_cast<int32_t>(vx::sideTableRecs.size());
        volatile uint8_t sink = 0;
        for (int32_t i = -1; i <= n; ++i) sink = vx::sideTableByte(i);
        (void)sink;
        vx::sideTableByte(n + 1); // one beyond: a RangeError
    } catch (const vx::Error&) {
    }
    return 0;
}
