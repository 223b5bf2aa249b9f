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
    int chorus = 0;
    std::string name;
};

struct NoteEvent {
    double start = 0.0; // seconds
    double length = 0.0;
    int channel = 0;
    int key = 60;
    int velocity = 80;
};

// A controller change (expression swells and fades).
struct ControlEvent {
    double time = 0.0;
    int channel = 0;
    int controller = 11;
    int value = 127;
};

struct Score {
    std::vector<Voice> voices;
    std::vector<NoteEvent> notes;
    std::vector<ControlEvent> controls;
    double length = 0.0; // seconds, including the release tail
};

} // namespace mkmusic
