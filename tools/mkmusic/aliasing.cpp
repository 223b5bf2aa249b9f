#include "aliasing.h"

#include "band_power.h"

#include <algorithm>
#include <cmath>

namespace mkmusic {
namespace {

constexpr int kWindow = 16384; // 2.7 Hz a bin
// A harmonic's own bins: the Hann window's main lobe and its near side lobes.
constexpr double kHarmonicBins = 8.0;

bool nearAHarmonic(double hz, double fundamentalHz) {
    const double nearest = std::max(1.0, std::round(hz / fundamentalHz)) * fundamentalHz;
    return std::fabs(hz - nearest) <= kHarmonicBins * kSampleRate / kWindow;
}

} // namespace

double aliasingDb(const std::vector<float>& tone, double fundamentalHz) {
    StereoBuffer both;
    for (float sample : tone)
        both.samples.insert(both.samples.end(), {sample, sample});
    PowerSpectrum spectrum(kWindow);
    spectrum.measure(both, 0, both.frames());
    double folded = 0.0, whole = 0.0;
    for (size_t bin = 0; bin < spectrum.bins().size(); ++bin) {
        const double hz = static_cast<double>(bin) * kSampleRate / kWindow;
        whole += spectrum.bins()[bin];
        if (hz >= kAliasingFromHz && !nearAHarmonic(hz, fundamentalHz))
            folded += spectrum.bins()[bin];
    }
    return 10.0 * std::log10(folded / whole + 1e-30);
}

} // namespace mkmusic
