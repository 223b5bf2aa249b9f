// A small text notation for writing tunes in the source: whitespace-separated
// tokens "PITCH:BEATS", where PITCH is a note name with octave (C4 is middle
// C, sharps '#', flats 'b'), several joined by '+' for a chord, or 'r' for a
// rest, and BEATS is the length in quarter notes (omitted: same as the token
// before). Bar lines '|' are only for the reader.
//   "E5:.5 E5 E5:1 | C4+E4+G4:2 r:2"
#pragma once

#include <string_view>
#include <vector>

namespace mkmusic {

struct WrittenNote {
    double beat = 0.0; // offset from the start of the phrase
    double length = 0.0;
    std::vector<int> keys; // MIDI keys; empty for a rest
};

struct Phrase {
    std::vector<WrittenNote> notes;
    double length = 0.0; // in beats
};

// Throws std::invalid_argument naming the token it could not read.
Phrase parsePhrase(std::string_view text);

// A length in beats such as "2", "1.5" or ".25".
double parseLength(std::string_view text);

// MIDI key of one note name such as "C4", "F#5" or "Bb3".
int parsePitch(std::string_view name);

} // namespace mkmusic
