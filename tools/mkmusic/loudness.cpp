#include "loudness.h"

#include "biquad.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace mkmusic {
namespace {

// The two K-weighting stages, derived for any sample rate from the analogue
// prototypes of the standard's 48 kHz coefficients.
Biquad highShelf(double rate) {
    const double f0 = 1681.974450955533, gainDb = 3.999843853973347, q = 0.7071752369554196;
    const double k = std::tan(std::numbers::pi * f0 / rate);
    const double vh = std::pow(10.0, gainDb / 20.0);
    const double vb = std::pow(vh, 0.4996667741545416);
    const double a0 = 1.0 + k / q + k * k;
    return {(vh + vb * k / q + k * k) / a0, 2.0 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0,
            2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

Biquad highPass(double rate) {
    const double f0 = 38.13547087602444, q = 0.5003270373238773;
    const double k = std::tan(std::numbers::pi * f0 / rate);
    const double a0 = 1.0 + k / q + k * k;
    return {1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

// Mean square of the K-weighted signal (summed over channels) per 100 ms step.
std::vector<double> weightedPowerPerStep(const StereoBuffer& audio, size_t step) {
    std::vector<double> power(audio.frames() / step, 0.0);
    for (int channel = 0; channel < 2; ++channel) {
        Biquad shelf = highShelf(kSampleRate), pass = highPass(kSampleRate);
        for (size_t frame = 0; frame < power.size() * step; ++frame) {
            double y = pass.process(shelf.process(audio.samples[frame * 2 + channel]));
            power[frame / step] += y * y / static_cast<double>(step);
        }
    }
    return power;
}

double loudnessOf(double meanSquare) {
    return -0.691 + 10.0 * std::log10(meanSquare + 1e-30);
}

double gatedMean(const std::vector<double>& blocks, double gate) {
    double sum = 0.0;
    size_t count = 0;
    for (double block : blocks)
        if (loudnessOf(block) > gate) {
            sum += block;
            ++count;
        }
    return count ? sum / count : 0.0;
}

// Windowed-sinc interpolation taps for the fractional positions 1/4, 2/4, 3/4.
constexpr int kHalfTaps = 6;
using Taps = std::array<double, 2 * kHalfTaps>;

std::array<Taps, 3> interpolationTaps() {
    std::array<Taps, 3> taps{};
    for (int phase = 1; phase <= 3; ++phase)
        for (int j = -kHalfTaps + 1; j <= kHalfTaps; ++j) {
            double t = phase / 4.0 - j;
            double sinc = std::sin(std::numbers::pi * t) / (std::numbers::pi * t);
            double window = 0.5 * (1.0 + std::cos(std::numbers::pi * t / kHalfTaps));
            taps[phase - 1][j + kHalfTaps - 1] = sinc * window;
        }
    return taps;
}

} // namespace

double toDecibels(double linear) {
    return 20.0 * std::log10(std::max(linear, 1e-12));
}
double fromDecibels(double decibels) {
    return std::pow(10.0, decibels / 20.0);
}

double integratedLoudness(const StereoBuffer& audio) {
    const size_t step = kSampleRate / 10;
    std::vector<double> power = weightedPowerPerStep(audio, step);
    // 400 ms blocks overlapping by 75 %.
    std::vector<double> blocks;
    for (size_t i = 3; i < power.size(); ++i)
        blocks.push_back((power[i - 3] + power[i - 2] + power[i - 1] + power[i]) / 4.0);
    double absoluteGated = gatedMean(blocks, -70.0);
    if (absoluteGated == 0.0)
        return -70.0;
    return loudnessOf(gatedMean(blocks, std::max(-70.0, loudnessOf(absoluteGated) - 10.0)));
}

SpanLoudness::SpanLoudness(const StereoBuffer& audio)
    : power_(weightedPowerPerStep(audio, kSampleRate / 100)) {}

double SpanLoudness::between(double fromSeconds, double toSeconds) const {
    const size_t from =
        std::min(power_.size(), static_cast<size_t>(std::lround(fromSeconds * 100)));
    const size_t to = std::min(power_.size(), static_cast<size_t>(std::lround(toSeconds * 100)));
    double sum = 0.0;
    for (size_t step = from; step < to; ++step)
        sum += power_[step];
    return to > from ? loudnessOf(sum / static_cast<double>(to - from)) : -70.0;
}

double SpanLoudness::loudestWindow(double fromSeconds, double toSeconds,
                                   double windowSeconds) const {
    double loudest = -70.0;
    for (long step = 0; fromSeconds + step * 0.01 + windowSeconds <= toSeconds + 1e-9; ++step)
        loudest = std::max(
            loudest, between(fromSeconds + step * 0.01, fromSeconds + step * 0.01 + windowSeconds));
    return loudest;
}

std::vector<float> interSamplePeaks(const StereoBuffer& audio) {
    static const std::array<Taps, 3> taps = interpolationTaps();
    const long frames = static_cast<long>(audio.frames());
    std::vector<float> peaks(frames, 0.0f);
    for (long frame = 0; frame < frames; ++frame)
        for (int channel = 0; channel < 2; ++channel) {
            float peak = std::fabs(audio.samples[frame * 2 + channel]);
            for (const Taps& phase : taps) {
                double sum = 0.0;
                for (int j = -kHalfTaps + 1; j <= kHalfTaps; ++j) {
                    long at = std::clamp(frame + j, 0L, frames - 1);
                    sum += phase[j + kHalfTaps - 1] * audio.samples[at * 2 + channel];
                }
                peak = std::max(peak, static_cast<float>(std::fabs(sum)));
            }
            peaks[frame] = std::max(peaks[frame], peak);
        }
    return peaks;
}

double truePeak(const StereoBuffer& audio) {
    std::vector<float> peaks = interSamplePeaks(audio);
    float highest = peaks.empty() ? 0.0f : *std::max_element(peaks.begin(), peaks.end());
    return toDecibels(highest);
}

} // namespace mkmusic
