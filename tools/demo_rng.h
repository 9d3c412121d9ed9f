// A tiny random source that gives the same demo data on every platform,
// unlike the standard distributions.
#pragma once

#include <cstdint>

namespace vx::demo {

class Rng {
public:
    explicit Rng(uint32_t seed) : s_(seed * 2654435761u + 1) {}
    double uniform(double lo, double hi) {
        s_ ^= s_ << 13;
        s_ ^= s_ >> 17;
        s_ ^= s_ << 5;
        return lo + (hi - lo) * (s_ / 4294967296.0);
    }

private:
    uint32_t s_;
};

} // namespace vx::demo
