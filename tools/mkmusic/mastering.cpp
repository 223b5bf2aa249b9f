#include "mastering.h"

#include "limiter.h"
#include "loudness.h"

#include <cmath>

namespace mkmusic {
namespace {

StereoBuffer withGain(const StereoBuffer& audio, double gainDb) {
    StereoBuffer result = audio;
    const float gain = static_cast<float>(fromDecibels(gainDb));
    for (float& sample : result.samples)
        sample *= gain;
    return result;
}

} // namespace

MasteringReport master(StereoBuffer& audio, const MasteringTarget& target) {
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
