// Plays a Score through FluidSynth offline: no audio driver, one thread,
// fixed settings, so the same score always gives the same samples.
#pragma once

#include "score.h"

#include <string>
#include <vector>

namespace mkmusic {

inline constexpr int kSampleRate = 44100;

struct StereoBuffer {
    std::vector<float> samples; // interleaved left, right
    size_t frames() const { return samples.size() / 2; }
};

// Throws std::runtime_error when the synthesiser or the SoundFont cannot be set up.
StereoBuffer renderScore(const Score& score, const std::string& soundFontPath);

// The SoundFont the track is written for.
std::string defaultSoundFont();

// "fluidsynth X.Y.Z": part of the fingerprint of a rendering.
std::string synthesiserVersion();

} // namespace mkmusic
