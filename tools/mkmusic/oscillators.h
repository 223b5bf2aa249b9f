// Band-limited waves for our own voices: a saw, and pulses made of two saws.
// The saw is its Fourier series summed only over the harmonics that stay
// under kTopHz at the highest pitch a note reaches (its vibrato and detuning
// included), so that nothing lies above half the sample rate to fold back as
// aliasing: one cycle in a table, read with linear interpolation.
#pragma once

#include <vector>

namespace mkmusic {

inline constexpr double kTopHz = 19500.0;

class WaveTable {
  public:
    // The saw, rising from -1 to 1, for a note whose pitch rises at most to
    // highestHz; made once, then kept.
    static const WaveTable& sawFor(double highestHz);

    // phase in [0, 1)
    double at(double phase) const {
        const double position = phase * kSize;
        const int index = static_cast<int>(position);
        return points_[index] + (position - index) * (points_[index + 1] - points_[index]);
    }

    static constexpr int kSize = 4096;

  private:
    explicit WaveTable(int harmonics);
    std::vector<double> points_; // kSize + 1: the last is the first again
};

// A pulse high for `duty` of the cycle, less its mean, as the difference of
// two saws `duty` apart: its width may change from sample to sample.
inline double pulseAt(const WaveTable& saw, double phase, double duty) {
    // NOTE: a phase a hair under the duty wraps to a hair under 1, which may
    // round to 1 itself: the table's end, and its start.
    const double behind = phase >= duty ? phase - duty : phase - duty + 1.0;
    return saw.at(behind < 1.0 ? behind : 0.0) - saw.at(phase);
}

} // namespace mkmusic
