// Loudness and peak measurement after ITU-R BS.1770: K-weighted, gated
// integrated loudness, and true peak from 4x oversampling.
#pragma once

#include "renderer.h"

#include <vector>

namespace mkmusic {

// Integrated loudness in LUFS; -70 or below for silence.
double integratedLoudness(const StereoBuffer& audio);

// Ungated loudness (as BS.1770's momentary and short-term loudness, over
// any span) of stretches of one track, to the nearest 10 ms.
class SpanLoudness {
  public:
    explicit SpanLoudness(const StereoBuffer& audio);
    double between(double fromSeconds, double toSeconds) const; // LUFS
    // The loudest window of a length inside [fromSeconds, toSeconds).
    double loudestWindow(double fromSeconds, double toSeconds, double windowSeconds) const;

  private:
    std::vector<double> power_; // K-weighted mean square of each 10 ms
};

// The largest absolute value of the signal between frame i and i + 1, over
// both channels, as reconstructed by 4x oversampling; one entry per frame.
std::vector<float> interSamplePeaks(const StereoBuffer& audio);

// True peak in dBFS (dBTP).
double truePeak(const StereoBuffer& audio);

double toDecibels(double linear);
double fromDecibels(double decibels);

} // namespace mkmusic
