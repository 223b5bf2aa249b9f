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
        // NOTE: a state decaying in silence would sink into the subnormal
        // numbers, where the processor is a hundred times slower; far under
        // anything a sample can hold, it is zero.
        if (std::fabs(z1) < kTiny && std::fabs(z2) < kTiny)
            z1 = z2 = 0.0;
        return y;
    }
    static constexpr double kTiny = 1e-30;
};

// High-pass section with corner f0 and quality q (bilinear transform with
// prewarping); unity gain well above f0.
inline Biquad highPassSection(double rate, double f0, double q) {
    const double k = std::tan(std::numbers::pi * f0 / rate);
    const double a0 = 1.0 + k / q + k * k;
    return {1.0 / a0, -2.0 / a0, 1.0 / a0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

// Low-pass section with corner f0 and quality q; unity gain well below f0.
inline Biquad lowPassSection(double rate, double f0, double q) {
    const double k = std::tan(std::numbers::pi * f0 / rate);
    const double a0 = 1.0 + k / q + k * k;
    return {k * k / a0, 2.0 * k * k / a0, k * k / a0, 2.0 * (k * k - 1.0) / a0,
            (1.0 - k / q + k * k) / a0};
}

// Bell-shaped boost or cut of gainDb around f0 (the audio EQ cookbook's
// peaking filter).
inline Biquad peakingSection(double rate, double f0, double q, double gainDb) {
    const double a = std::pow(10.0, gainDb / 40.0);
    const double w = 2.0 * std::numbers::pi * f0 / rate;
    const double alpha = std::sin(w) / (2.0 * q);
    const double a0 = 1.0 + alpha / a;
    return {(1.0 + alpha * a) / a0, -2.0 * std::cos(w) / a0, (1.0 - alpha * a) / a0,
            -2.0 * std::cos(w) / a0, (1.0 - alpha / a) / a0};
}

// Boost or cut of gainDb above f0, with the cookbook's steepest slope that
// does not overshoot.
inline Biquad highShelfSection(double rate, double f0, double gainDb) {
    const double a = std::pow(10.0, gainDb / 40.0);
    const double w = 2.0 * std::numbers::pi * f0 / rate;
    const double c = std::cos(w), root = 2.0 * std::sqrt(a) * std::sin(w) / 2.0 * std::sqrt(2.0);
    const double a0 = (a + 1.0) - (a - 1.0) * c + root;
    return {a * ((a + 1.0) + (a - 1.0) * c + root) / a0,
            -2.0 * a * ((a - 1.0) + (a + 1.0) * c) / a0,
            a * ((a + 1.0) + (a - 1.0) * c - root) / a0, 2.0 * ((a - 1.0) - (a + 1.0) * c) / a0,
            ((a + 1.0) - (a - 1.0) * c - root) / a0};
}

} // namespace mkmusic
