#include "records.h"

#include <algorithm>
#include <cstring>

namespace vx {

std::string_view nameText(const landmark& rec) {
    const void* nul = std::memchr(rec.name, 0, sizeof rec.name);
    size_t n =
        nul ? static_cast<size_t>(static_cast<const char*>(nul) - rec.name) : sizeof rec.name;
    return {rec.name, n};
}

void setName(landmark& rec, std::string_view text) {
    std::memset(rec.name, 0, sizeof rec.name);
    std::memcpy(rec.name, text.data(), std::min<size_t>(text.size(), sizeof rec.name - 1));
}

} // namespace vx
