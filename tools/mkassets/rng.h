// Deterministic randomness for the generator: a small seeded generator and
// smooth value noise, so every run draws the very same pictures.
#pragma once

#include <cmath>
#include <cstdint>

class Rng {
  public:
    explicit Rng(uint64_t seed) : state_(seed) {}

    // splitmix64: tiny, fast and good enough for scattering stars and snow.
    uint64_t next() {
        uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double uniform() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    int below(int n) { return int(next() % uint64_t(n)); }

  private:
    uint64_t state_;
};

// Hash of a lattice point to [0, 1).
inline double latticeValue(int x, int y, uint32_t seed) {
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return double(h & 0xffffff) / double(0x1000000);
}

// Smoothly interpolated value noise in [0, 1).
inline double valueNoise(double x, double y, uint32_t seed) {
    int ix = int(std::floor(x)), iy = int(std::floor(y));
    double fx = x - ix, fy = y - iy;
    double ux = fx * fx * (3 - 2 * fx), uy = fy * fy * (3 - 2 * fy);
    double a = latticeValue(ix, iy, seed), b = latticeValue(ix + 1, iy, seed);
    double c = latticeValue(ix, iy + 1, seed), d = latticeValue(ix + 1, iy + 1, seed);
    return (a + (b - a) * ux) * (1 - uy) + (c + (d - c) * ux) * uy;
}

// Fractal sum of octaves of value noise, in [0, 1).
inline double fbm(double x, double y, uint32_t seed, int octaves = 4) {
    double sum = 0, amp = 0.5, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * valueNoise(x, y, seed + 17u * uint32_t(i));
        norm += amp;
        x *= 2.03;
        y *= 2.03;
        amp *= 0.5;
    }
    return sum / norm;
}
