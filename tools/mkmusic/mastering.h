// Brings the rendered mix to release level: gain to the loudness target,
// peaks held under the true-peak ceiling.
#pragma once

#include "renderer.h"

namespace mkmusic {

struct MasteringTarget {
    // -16 LUFS as the decoded MP3 measures: coding takes about 0.2 LU of the
    // K-weighted energy (the sleigh bells' and hats' highest partials), so
    // the mix is mastered that much louder.
    double loudnessLufs = -15.8;
    // Below the -1 dBTP limit, leaving room for the overshoot of MP3 coding.
    double truePeakCeilingDb = -1.8;
};

struct MasteringReport {
    double inputLoudness = 0.0;
    double outputLoudness = 0.0;
    double outputTruePeak = 0.0;
    double gainDb = 0.0;
    double deepestLimitingDb = 0.0; // how far the loudest peak was pulled down
};

MasteringReport master(StereoBuffer& audio, const MasteringTarget& target);

} // namespace mkmusic
