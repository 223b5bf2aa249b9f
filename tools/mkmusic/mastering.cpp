#include "mastering.h"

#include "biquad.h"
#include "limiter.h"
#include "loudness.h"

#include <cmath>

namespace mkmusic {
namespace {

constexpr double kInfrasoundCornerHz = 20.0;

StereoBuffer withGain(const StereoBuffer& audio, double gainDb) {
    StereoBuffer result = audio;
    applyGain(result, gainDb);
    return result;
}

} // namespace

void applyGain(StereoBuffer& audio, double gainDb) {
    const float gain = static_cast<float>(fromDecibels(gainDb));
    for (float& sample : audio.samples)
        sample *= gain;
}

void removeInfrasound(StereoBuffer& audio) {
    for (size_t side = 0; side < 2; ++side) {
        // The two sections of a fourth-order Butterworth response.
        Biquad first = highPassSection(kSampleRate, kInfrasoundCornerHz, 0.5411961001461970);
        Biquad second = highPassSection(kSampleRate, kInfrasoundCornerHz, 1.3065629648763766);
        for (size_t at = side; at < audio.samples.size(); at += 2)
            audio.samples[at] =
                static_cast<float>(second.process(first.process(audio.samples[at])));
    }
}

void shapeTone(StereoBuffer& audio) {
    for (size_t side = 0; side < 2; ++side) {
        Biquad boxy = peakingSection(kSampleRate, 400.0, 0.8, -2.0);
        Biquad presence = peakingSection(kSampleRate, 3000.0, 0.9, 1.5);
        Biquad air = highShelfSection(kSampleRate, 7500.0, -3.0);
        for (size_t at = side; at < audio.samples.size(); at += 2)
            audio.samples[at] =
                static_cast<float>(air.process(presence.process(boxy.process(audio.samples[at]))));
    }
}

MasteringReport master(StereoBuffer& audio, const MasteringTarget& target) {
    removeInfrasound(audio);
    shapeTone(audio);
    MasteringReport report;
    report.inputLoudness = integratedLoudness(audio);
    report.gainDb = target.loudnessLufs - report.inputLoudness;
    // Limiting takes a little loudness away; add it back and limit again
    // until the result lands on the target.
    StereoBuffer result;
    for (int attempt = 0; attempt < 4; ++attempt) {
        result = withGain(audio, report.gainDb);
        limitPeaks(result, {target.truePeakCeilingDb});
        report.outputLoudness = integratedLoudness(result);
        double miss = target.loudnessLufs - report.outputLoudness;
        if (std::fabs(miss) < 0.05)
            break;
        report.gainDb += miss;
    }
    report.outputTruePeak = truePeak(result);
    report.deepestLimitingDb = truePeak(audio) + report.gainDb - target.truePeakCeilingDb;
    audio = std::move(result);
    return report;
}

} // namespace mkmusic
