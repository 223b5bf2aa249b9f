// The sounds of our own voices: band-limited pulses and saws with vibrato, a pulse width that may
// swing and a softening filter that may open over a note, and a bell of a few partials. Each sound
// draws on nothing but the note, so a passage written twice sounds twice the same.
#pragma once

#include "score.h"

#include <vector>

namespace mkmusic {

struct Envelope {
    double attack, decay, sustain, release; // seconds, seconds, level, seconds
};

struct Tone {
    enum Wave { Pulse, Saw, Bell } wave = Pulse;
    double duty = 0.5;     // of a pulse
    double pwmDepth = 0.0; // how far the duty swings either way, and how fast
    double pwmHz = 0.0;
    double detuneCents = 0.0;  // two layers, this far above and below
    double spread = 0.0;       // 0: both layers in the middle; 1: one on each side
    double vibratoCents = 0.0; // depth, reached after the delay
    double vibratoHz = 0.0;
    double vibratoDelay = 0.0; // seconds
    double lowPassHz = 0.0;    // a softening filter; 0 for none
    bool steep = false;        // the filter with two poles instead of one
    double openToHz = 0.0;     // the filter opens to this over the note; 0: it stays
    Envelope envelope{};
    double level = 0.0;
};

// The tone of a synth channel; none for the kit.
const Tone* toneOf(int channel);

double keyHz(double key);

// A note as interleaved stereo: a tone of two layers leans its lower one to
// the left and its higher one to the right, as far as its spread says; a
// tone of one layer is alike on both sides.
void playTone(const Tone& tone, const NoteEvent& note, std::vector<float>& out);

// One layer of a tone held at a key at full level, without vibrato, detuning
// or a moving filter.
std::vector<float> heldTone(const Tone& tone, int key, double seconds);

} // namespace mkmusic
