#include "onsets.h"

#include "band_power.h"

#include <algorithm>
#include <cmath>

namespace mkmusic {
namespace {

constexpr int kWindow = 2048;
constexpr int kHop = kSampleRate / 100;
constexpr double kLowestHz = 30.0, kHighestHz = 17000.0;
constexpr int kBandsPerOctave = 24;
// How far small magnitudes are lifted before the logarithm (full scale is
// about 0.6 in a band).
constexpr double kCompression = 1e4;
constexpr int kLag = 2; // frames

// The band of each bin, counting only bands that hold a bin; -1 outside.
std::vector<int> bandOfBins(int bins) {
    std::vector<int> band(static_cast<size_t>(bins), -1);
    int raw = -1, used = -1;
    for (int bin = 0; bin < bins; ++bin) {
        const double hz = static_cast<double>(bin) * kSampleRate / kWindow;
        if (hz < kLowestHz || hz >= kHighestHz)
            continue;
        const int in = static_cast<int>(std::floor(kBandsPerOctave * std::log2(hz / kLowestHz)));
        if (in != raw) {
            raw = in;
            ++used;
        }
        band[bin] = used;
    }
    return band;
}

// The compressed magnitude of every band, one frame.
std::vector<double> compressedBands(const PowerSpectrum& spectrum, const std::vector<int>& band) {
    std::vector<double> levels(
        static_cast<size_t>(*std::max_element(band.begin(), band.end()) + 1));
    for (size_t bin = 0; bin < band.size(); ++bin)
        if (band[bin] >= 0)
            levels[band[bin]] += spectrum.bins()[bin];
    for (double& level : levels)
        level = std::log10(1.0 + kCompression * std::sqrt(level));
    return levels;
}

// The rises of each band over the largest of itself and its neighbours
// kLag frames before.
double risesOver(const std::vector<double>& now, const std::vector<double>& before) {
    double sum = 0.0;
    for (size_t b = 0; b < now.size(); ++b) {
        const double lower = before[b > 0 ? b - 1 : b],
                     upper = before[std::min(b + 1, now.size() - 1)];
        sum += std::max(0.0, now[b] - std::max({lower, before[b], upper}));
    }
    return sum;
}

double frameTime(long frame) {
    return (static_cast<double>(frame) * kHop + kWindow / 2.0) / kSampleRate;
}

long frameAt(double seconds) {
    return std::lround((seconds * kSampleRate - kWindow / 2.0) / kHop);
}

double meanOf(const std::vector<double>& values, long from, long to) {
    double sum = 0.0;
    for (long i = from; i <= to; ++i)
        sum += values[i];
    return sum / static_cast<double>(to - from + 1);
}

} // namespace

OnsetEnvelope::OnsetEnvelope(const StereoBuffer& audio) {
    PowerSpectrum spectrum(kWindow);
    const std::vector<int> band = bandOfBins(kWindow / 2 + 1);
    const long frames =
        audio.frames() > kWindow ? static_cast<long>((audio.frames() - kWindow) / kHop) : 0;
    std::vector<double> recent[kLag + 1]; // the bands of the last frames, by frame % (kLag + 1)
    flux_.assign(static_cast<size_t>(frames), 0.0);
    for (long frame = 0; frame < frames; ++frame) {
        const size_t start = static_cast<size_t>(frame) * kHop;
        spectrum.measure(audio, start, start + kWindow);
        recent[frame % (kLag + 1)] = compressedBands(spectrum, band);
        if (frame >= kLag)
            flux_[frame] =
                risesOver(recent[frame % (kLag + 1)], recent[(frame - kLag) % (kLag + 1)]);
    }
    constexpr long kMax = 3, kBefore = 10, kAfter = 7, kGap = 3; // frames
    long last = -kGap;
    for (long i = kBefore; i + kAfter < frames; ++i) {
        const double peak =
            *std::max_element(flux_.begin() + (i - kMax), flux_.begin() + (i + kMax + 1));
        if (flux_[i] >= peak && flux_[i] >= meanOf(flux_, i - kBefore, i + kAfter) + kOnsetMargin &&
            i - last >= kGap) {
            onsets_.push_back(frameTime(i));
            last = i;
        }
    }
}

double OnsetEnvelope::strengthNear(double seconds) const {
    const long centre = frameAt(seconds);
    double strongest = 0.0;
    for (long i = centre - 2; i <= centre + 2; ++i)
        if (i >= 0 && i < static_cast<long>(flux_.size()))
            strongest = std::max(strongest, flux_[i]);
    return strongest;
}

int OnsetEnvelope::onsetsBetween(double fromSeconds, double toSeconds) const {
    return static_cast<int>(std::lower_bound(onsets_.begin(), onsets_.end(), toSeconds) -
                            std::lower_bound(onsets_.begin(), onsets_.end(), fromSeconds));
}

} // namespace mkmusic
