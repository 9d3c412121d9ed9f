// The picture loader on arbitrary bytes: only vx::Error may come out, and a
// picture it accepts has a size its file allows.
#include "support/errors.h"
#include "ui/picture.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vx::ui::TPicture pic;
    // A map or icon file: JPEG is decoded, every other format refused first.
    for (const char* name : {"fuzz.jpg", "fuzz.png", "fuzz.bmp"}) {
        try {
            pic.LoadFromBytes(name, data, size);
            if (!vx::ui::pictureSizeAllowed(pic.Width(), pic.Height(), size)) std::abort();
        } catch (const vx::Error&) {
        }
    }
    return 0;
}
