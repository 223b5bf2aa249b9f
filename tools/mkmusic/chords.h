// The chords the arrangement uses, and chord progressions written as text:
// "C:2 F:2 G7:4" (chord name and length in beats).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mkmusic {

struct ChordShape {
    std::string name;
    int root = 36;     // bass register, around C2
    std::string pad;   // a close voicing around C4, in the note notation
    std::string upper; // the chord tones an octave up, low to high, for arpeggios
};

struct ChordSpan {
    const ChordShape* shape = nullptr;
    double beat = 0.0; // offset from the start of the progression
    double length = 0.0;
};

// Throws std::invalid_argument for a chord the table does not know.
const ChordShape& chordNamed(std::string_view name);
std::vector<ChordSpan> parseProgression(std::string_view text);

} // namespace mkmusic
