#include "notation.h"

#include <charconv>
#include <stdexcept>
#include <string>

namespace mkmusic {
namespace {

// Bar lines separate tokens like spaces do.
constexpr const char* kSeparators = " \t\n|";

[[noreturn]] void reject(std::string_view what, std::string_view token) {
    throw std::invalid_argument(std::string(what) + ": '" + std::string(token) + "'");
}

int semitoneOfLetter(char letter, std::string_view name) {
    switch (letter) {
    case 'C':
        return 0;
    case 'D':
        return 2;
    case 'E':
        return 4;
    case 'F':
        return 5;
    case 'G':
        return 7;
    case 'A':
        return 9;
    case 'B':
        return 11;
    default:
        reject("unknown note letter", name);
    }
}

std::vector<int> parseChord(std::string_view text) {
    std::vector<int> keys;
    if (text == "r")
        return keys;
    while (!text.empty()) {
        size_t plus = text.find('+');
        keys.push_back(parsePitch(text.substr(0, plus)));
        text = plus == std::string_view::npos ? std::string_view() : text.substr(plus + 1);
    }
    return keys;
}

} // namespace

double parseLength(std::string_view text) {
    // from_chars wants a digit first; ".5" is the natural way to write half a beat.
    std::string padded(text.starts_with('.') ? 1 : 0, '0');
    padded.append(text);
    double beats = 0.0;
    auto [end, error] = std::from_chars(padded.data(), padded.data() + padded.size(), beats);
    if (error != std::errc() || end != padded.data() + padded.size() || beats <= 0.0)
        reject("bad length", text);
    return beats;
}

int parsePitch(std::string_view name) {
    if (name.size() < 2)
        reject("bad pitch", name);
    int semitone = semitoneOfLetter(name[0], name);
    size_t position = 1;
    if (name[position] == '#' || name[position] == 'b') {
        semitone += name[position] == '#' ? 1 : -1;
        ++position;
    }
    int octave = 0;
    auto [end, error] = std::from_chars(name.data() + position, name.data() + name.size(), octave);
    if (error != std::errc() || end != name.data() + name.size() || octave < 0 || octave > 8)
        reject("bad octave", name);
    return 12 * (octave + 1) + semitone;
}

Phrase parsePhrase(std::string_view text) {
    Phrase phrase;
    double lastLength = 1.0;
    size_t position = 0;
    while (position < text.size()) {
        size_t start = text.find_first_not_of(kSeparators, position);
        if (start == std::string_view::npos)
            break;
        size_t end = text.find_first_of(kSeparators, start);
        std::string_view token =
            text.substr(start, end == std::string_view::npos ? end : end - start);
        position = end == std::string_view::npos ? text.size() : end;
        size_t colon = token.find(':');
        if (colon != std::string_view::npos)
            lastLength = parseLength(token.substr(colon + 1));
        WrittenNote note{phrase.length, lastLength, parseChord(token.substr(0, colon))};
        phrase.length += lastLength;
        phrase.notes.push_back(std::move(note));
    }
    return phrase;
}

} // namespace mkmusic
