#include "chords.h"

#include "notation.h"

#include <array>
#include <stdexcept>

namespace mkmusic {
namespace {

const std::array<ChordShape, 15>& chordTable() {
    static const std::array<ChordShape, 15> table{{
        {"C", 36, "C3+G3+C4+E4", "C5 E5 G5 C6"},
        {"C7", 36, "C3+G3+Bb3+E4", "C5 E5 G5 Bb5"},
        {"Dm", 38, "D3+A3+D4+F4", "D5 F5 A5 D6"},
        {"D", 38, "D3+A3+D4+F#4", "D5 F#5 A5 D6"},
        {"D7", 38, "D3+A3+C4+F#4", "D5 F#5 A5 C6"},
        {"E7", 40, "E3+B3+D4+G#4", "E5 G#5 B5 D6"},
        {"F", 41, "F3+A3+C4+F4", "C5 F5 A5 C6"},
        {"G", 43, "G3+B3+D4+G4", "D5 G5 B5 D6"},
        {"G7", 43, "G3+B3+D4+F4", "D5 F5 G5 B5"},
        {"Am", 33, "A2+E3+A3+C4", "C5 E5 A5 C6"},
        {"A", 33, "A2+E3+A3+C#4", "C#5 E5 A5 C#6"},
        {"A7", 33, "A2+E3+G3+C#4", "C#5 E5 G5 A5"},
        {"A7sus4", 33, "A2+E3+G3+D4", "D5 E5 G5 A5"},
        {"Em", 40, "E3+B3+E4+G4", "E5 G5 B5 E6"},
        {"Bb", 34, "Bb2+F3+Bb3+D4", "D5 F5 Bb5 D6"},
    }};
    return table;
}

} // namespace

const ChordShape& chordNamed(std::string_view name) {
    for (const ChordShape& shape : chordTable())
        if (shape.name == name)
            return shape;
    throw std::invalid_argument("unknown chord: '" + std::string(name) + "'");
}

std::vector<ChordSpan> parseProgression(std::string_view text) {
    std::vector<ChordSpan> spans;
    double beat = 0.0;
    size_t position = 0;
    while (position < text.size()) {
        size_t start = text.find_first_not_of(" |\n", position);
        if (start == std::string_view::npos)
            break;
        size_t end = text.find_first_of(" |\n", start);
        std::string_view token =
            text.substr(start, end == std::string_view::npos ? end : end - start);
        position = end == std::string_view::npos ? text.size() : end;
        size_t colon = token.find(':');
        if (colon == std::string_view::npos)
            throw std::invalid_argument("chord without length: '" + std::string(token) + "'");
        double length = parseLength(token.substr(colon + 1));
        spans.push_back({&chordNamed(token.substr(0, colon)), beat, length});
        beat += length;
    }
    return spans;
}

} // namespace mkmusic
