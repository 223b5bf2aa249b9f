// The one source of chance in the arrangement (small velocity variations),
// seeded so that every run renders the same samples.
#pragma once

#include <cstdint>

namespace mkmusic {

class Rng {
  public:
    explicit Rng(uint64_t seed) : state_(seed) {}

    // SplitMix64: tiny, well mixed and identical on every platform.
    uint64_t next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform integer in [low, high].
    int between(int low, int high) {
        return low + static_cast<int>(next() % static_cast<uint64_t>(high - low + 1));
    }

  private:
    uint64_t state_;
};

} // namespace mkmusic
