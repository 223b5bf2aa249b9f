// Loudness and peak measurement after ITU-R BS.1770: K-weighted, gated
// integrated loudness, and true peak from 4x oversampling.
#pragma once

#include "renderer.h"

#include <vector>

namespace mkmusic {

// Integrated loudness in LUFS; -70 or below for silence.
double integratedLoudness(const StereoBuffer& audio);

// The largest absolute value of the signal between frame i and i + 1, over
// both channels, as reconstructed by 4x oversampling; one entry per frame.
std::vector<float> interSamplePeaks(const StereoBuffer& audio);

// True peak in dBFS (dBTP).
double truePeak(const StereoBuffer& audio);

double toDecibels(double linear);
double fromDecibels(double decibels);

} // namespace mkmusic
