#include "limiter.h"

#include "loudness.h"

#include <algorithm>
#include <cmath>
#include <deque>

namespace mkmusic {
namespace {

// The gain each frame needs on its own to stay under the ceiling.
std::vector<double> requiredGain(const StereoBuffer& audio, double ceiling) {
    std::vector<float> peaks = interSamplePeaks(audio);
    std::vector<double> gain(peaks.size());
    for (size_t i = 0; i < peaks.size(); ++i)
        gain[i] = peaks[i] > ceiling ? ceiling / peaks[i] : 1.0;
    return gain;
}

// For every frame, the smallest value in [i, i + window): the gain starts to
// fall one window ahead of the peak that needs it.
std::vector<double> lookAheadMinimum(const std::vector<double>& values, size_t window) {
    std::vector<double> result(values.size());
    std::deque<size_t> candidates; // indexes with increasing values
    for (size_t i = values.size(); i-- > 0;) {
        while (!candidates.empty() && values[candidates.back()] >= values[i])
            candidates.pop_back();
        candidates.push_back(i);
        while (candidates.front() >= i + window)
            candidates.pop_front();
        result[i] = values[candidates.front()];
    }
    return result;
}

void recoverSlowly(std::vector<double>& gain, double releaseFrames) {
    const double coefficient = 1.0 - std::exp(-1.0 / releaseFrames);
    double current = 1.0;
    for (double& value : gain) {
        current = std::min(value, current + (1.0 - current) * coefficient);
        value = current;
    }
}

// Moving average over the window behind each frame. Every value averaged is
// at most the look-ahead minimum that covers this frame, so the smoothed gain
// never exceeds what the frame needs.
std::vector<double> smoothAttack(const std::vector<double>& gain, size_t window) {
    std::vector<double> result(gain.size());
    double sum = 0.0;
    for (size_t i = 0; i < gain.size(); ++i) {
        sum += gain[i];
        if (i >= window)
            sum -= gain[i - window];
        size_t count = std::min(i + 1, window);
        // Before the window fills, the missing frames count as unity gain.
        result[i] = std::min(1.0, (sum + static_cast<double>(window - count)) / window);
        result[i] = std::min(result[i], gain[i]);
    }
    return result;
}

} // namespace

void limitPeaks(StereoBuffer& audio, const LimiterSettings& settings) {
    const double ceiling = fromDecibels(settings.ceilingDb);
    const size_t window =
        std::max<size_t>(1, static_cast<size_t>(settings.lookAheadSeconds * kSampleRate));
    std::vector<double> gain = lookAheadMinimum(requiredGain(audio, ceiling), window);
    recoverSlowly(gain, settings.releaseSeconds * kSampleRate);
    gain = smoothAttack(gain, window);
    for (size_t frame = 0; frame < gain.size(); ++frame) {
        audio.samples[frame * 2] = static_cast<float>(audio.samples[frame * 2] * gain[frame]);
        audio.samples[frame * 2 + 1] =
            static_cast<float>(audio.samples[frame * 2 + 1] * gain[frame]);
    }
}

} // namespace mkmusic
