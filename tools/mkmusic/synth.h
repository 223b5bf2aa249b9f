// Voices of the track's own, beside the SoundFont's: band-limited pulse and
// saw waves with vibrato, and a drum kit of sine sweeps and noise, as the
// trackers and sound chips of the demo scene play them. Like FluidSynth,
// they start notes at the 64-frame block that holds them, and they draw on
// nothing but the notes: a passage written twice sounds twice the same, to
// the sample.
#pragma once

#include "renderer.h"
#include "score.h"

namespace mkmusic {

// Channels past the sixteen of MIDI (16 is the reverb's stem).
namespace synth {
inline constexpr int kPulseLead = 17; // 25 % pulse with delayed vibrato
inline constexpr int kSawLead = 18;   // two saws a little apart, softened
inline constexpr int kChipArp = 19;   // thin 12.5 % pulse, short and plucked
inline constexpr int kChipBass = 20;  // 50 % pulse, round and short
inline constexpr int kChipKit = 21;   // kick, snare and hats on the General MIDI keys
inline constexpr int kHook = 22;      // the show's own motif: a pulse whose width swings
inline constexpr int kSoftLead = 23;  // a square with vibrato, steeply softened: round like a flute
inline constexpr int kBell = 24;      // a struck bell of a few partials
inline constexpr int kSweep = 25;     // detuned saws behind a filter that opens over the note
inline constexpr int kFirst = kPulseLead, kLast = kSweep;
} // namespace synth

inline bool isSynthChannel(int channel) {
    return channel >= synth::kFirst && channel <= synth::kLast;
}

// Our own voices that carry a line (a melody, a counter-melody, an
// arpeggio): all but the kit, the bass and the sweeping pad.
inline bool carriesALine(int channel) {
    return isSynthChannel(channel) && channel != synth::kChipKit && channel != synth::kChipBass &&
           channel != synth::kSweep;
}

// Adds the synth channels' notes to `out` (frames from the track's start),
// each at its voice's volume and pan, with a ping-pong echo (the note's
// `echo` apart) as loud as the voice's reverb setting says. `stem` as for
// renderScore: the whole mix, or one synth channel dry.
void addSynthVoices(const Score& score, StereoBuffer& out, int stem);
// The same for a few synth channels, each with its echo, as in the mix.
void addSynthChannels(const Score& score, StereoBuffer& out, const std::vector<int>& channels);

// One layer of a voice's tone held at a key at full level, without vibrato,
// as mono samples: for measuring its spectrum. Empty for the kit.
std::vector<float> steadyTone(int channel, int key, double seconds);

} // namespace mkmusic
