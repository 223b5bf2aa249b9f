// What an oscillator folds back from above half the sample rate: the power
// of a steady tone above 14 kHz at frequencies that are none of its
// harmonics, against the tone's whole power, in dB.
#pragma once

#include <vector>

namespace mkmusic {

inline constexpr double kAliasingFromHz = 14000.0;

double aliasingDb(const std::vector<float>& tone, double fundamentalHz);

} // namespace mkmusic
