// Brings the rendered mix to release level: DC and infrasound removed, gain
// to the loudness target, peaks held under the true-peak ceiling.
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

// Takes out DC and infrasound, shapes the tone, then brings the mix to the
// target.
MasteringReport master(StereoBuffer& audio, const MasteringTarget& target);

// A fourth-order Butterworth high-pass at 20 Hz on both channels. The warm
// pad's samples carry a DC offset that would otherwise fill the loudness
// meter and the limiter with energy nobody hears.
void removeInfrasound(StereoBuffer& audio);

// The mix's tone: a little less of the boxy low mids around 400 Hz, a
// little more presence around 3 kHz, and the sleigh bells' and hats' top
// octave held under it.
void shapeTone(StereoBuffer& audio);

// Multiplies every sample by a gain in decibels.
void applyGain(StereoBuffer& audio, double gainDb);

} // namespace mkmusic
