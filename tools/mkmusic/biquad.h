// A second-order IIR filter section (transposed direct form II, in double
// precision) and the high-pass design the mastering uses.
#pragma once

#include <cmath>
#include <numbers>

namespace mkmusic {

struct Biquad {
    double b0, b1, b2, a1, a2; // a0 normalised to 1
    double z1 = 0.0, z2 = 0.0;

    double process(double x) {
        double y = b0 * x + z1;
        z1 = b1 * x - a1 * y + z2;
        z2 = b2 * x - a2 * y;
        return y;
    }
};

// High-pass section with corner f0 and quality q (bilinear transform with
// prewarping); unity gain well above f0.
inline Biquad highPassSection(double rate, double f0, double q) {
    const double k = std::tan(std::numbers::pi * f0 / rate);
    const double a0 = 1.0 + k / q + k * k;
    return {1.0 / a0, -2.0 / a0, 1.0 / a0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

} // namespace mkmusic
