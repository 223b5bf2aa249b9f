// Plays a Score through FluidSynth offline, with the synth voices of our own
// (synth.h) beside it: no audio driver, one thread, fixed settings, so the
// same score always gives the same samples.
#pragma once

#include "score.h"

#include <string>
#include <vector>

namespace mkmusic {

inline constexpr int kSampleRate = 44100;
// FluidSynth works in blocks of this many frames and only looks at new events
// at a block boundary.
inline constexpr int kSynthBlockFrames = 64;

struct StereoBuffer {
    std::vector<float> samples; // interleaved left, right
    size_t frames() const { return samples.size() / 2; }
};

// What renderScore returns: the whole mix, or a stem for measuring the
// balance: one MIDI channel's dry signal, the shared reverb alone, or one
// synth channel dry (17 and up, see synth.h).
inline constexpr int kWholeMix = -1;
inline constexpr int kReverbStem = 16;

// Throws std::runtime_error when the synthesiser or the SoundFont cannot be set up.
StereoBuffer renderScore(const Score& score, const std::string& soundFontPath,
                         int stem = kWholeMix);

// Some of our own voices (synth channels, see synth.h) alone, as they sound
// in the whole mix before mastering: with their echo and the master fader.
StereoBuffer renderOwnVoices(const Score& score, const std::vector<int>& channels);

// The SoundFont the track is written for.
std::string defaultSoundFont();

// "fluidsynth X.Y.Z": part of the fingerprint of a rendering.
std::string synthesiserVersion();

} // namespace mkmusic
