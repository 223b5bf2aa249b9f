// The arrangement as timed events: what the renderer plays, in seconds of
// track time, independent of how the notes were written down.
#pragma once

#include <string>
#include <vector>

namespace mkmusic {

inline constexpr int kDrumChannel = 9;

// One MIDI channel's instrument and mixer settings, set before the first note.
struct Voice {
    int channel = 0;
    int program = 0; // General MIDI program, 0-based
    int volume = 100;
    int pan = 64;
    int reverb = 40;
    // Keep only the left output of the channel, in both channels. For presets
    // built from a stereo pair of layers (detuned, or a stereo sample) that
    // cancel each other when a listener hears the track in mono.
    bool foldToMono = false;
    std::string name;
};

struct NoteEvent {
    double start = 0.0; // seconds
    double length = 0.0;
    int channel = 0;
    int key = 60;
    int velocity = 80;
    double echo = 0.0; // seconds between the repeats of the synth voices' echo
};

// A controller change (expression swells and fades).
struct ControlEvent {
    double time = 0.0;
    int channel = 0;
    int controller = 11;
    int value = 127;
};

// The whole mix's level from a moment on, in dB: the hand on the master
// fader that sets each scene's place in the track's arc. It moves over the
// 5 ms before the moment.
struct FaderMove {
    double time = 0.0;
    double gainDb = 0.0;
};

// Where the show's own motif is stated, so that the report can tell how
// well it is heard.
struct Statement {
    std::string name;
    double start = 0.0; // seconds
    double end = 0.0;
    bool aboveTheRest = false; // meant to stand out 3 dB over the rest of the mix
};

struct Score {
    std::vector<Voice> voices;
    std::vector<NoteEvent> notes;
    std::vector<ControlEvent> controls;
    std::vector<FaderMove> fader; // in time order
    std::vector<Statement> statements;
    double length = 0.0; // seconds
    // The ending that repeats for as long as the last scene lasts, in
    // seconds; the track ends where the loop does.
    double loopStart = 0.0;
    double loopEnd = 0.0;
};

} // namespace mkmusic
