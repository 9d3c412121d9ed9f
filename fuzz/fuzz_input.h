// Hands a fuzz input to a reader as the file it expects.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace vxfuzz {

// One file per process, rewritten for each input.
inline const std::string& inputPath() {
    static const std::string path = [] {
        const char* tmp = std::getenv("TMPDIR");
        return std::string(tmp && *tmp ? tmp : "/tmp") + "/vx-fuzz-" + std::to_string(getpid());
    }();
    return path;
}

inline void writeInput(const uint8_t* data, size_t size) {
    FILE* f = std::fopen(inputPath().c_str(), "wb");
    if (!f) std::abort();
    if (size && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);
}

} // namespace vxfuzz
