// The ".vol" readers on arbitrary bytes: only vx::Error may come out.
#include "fuzz_input.h"
#include "support/errors.h"
#include "support/lib_vol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vxfuzz::writeInput(data, size);
    const std::string& path = vxfuzz::inputPath();
    vx::TStringList list;
    try {
        vx::volListMatching(path, "*", list);
    } catch (const vx::Error&) {
    }
    try {
        vx::volListMatching(path, "?*.dat", list);
    } catch (const vx::Error&) {
    }
    // The directory left in memory, paired with names of our own.
    if (vx::volNames.Count() == 0)
        for (const char* n : {"a.dat", "b.dat", "c", "d.dat", "e"}) vx::volNames.Add(n);
    try {
        vx::volListByList(path, "*", list);
    } catch (const vx::Error&) {
    }
    return 0;
}
