#include "score_builder.h"

#include "notation.h"
#include "timeline.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace mkmusic {
namespace {

bool startsOn(double beat, double grid) {
    double steps = beat / grid;
    return std::fabs(steps - std::round(steps)) < 1e-6;
}

// The middle of the phrase's range, which its high notes rise above.
int middleKey(const Phrase& phrase) {
    int low = 127, high = 0;
    for (const WrittenNote& written : phrase.notes)
        for (int key : written.keys) {
            low = std::min(low, key);
            high = std::max(high, key);
        }
    return low <= high ? (low + high) / 2 : 60;
}

} // namespace

int phrasedVelocity(int velocity, double beat, double phraseLength, int keyAboveMiddle,
                    int beatsPerBar) {
    int metre = startsOn(beat, beatsPerBar) ? 6 : startsOn(beat, 1.0) ? 2 : -4;
    double middle = phraseLength > 0.0 ? std::sin(std::numbers::pi * beat / phraseLength) : 1.0;
    int swell = static_cast<int>(std::lround(8.0 * middle)) - 4;
    int contour = std::clamp(keyAboveMiddle * 2 / 3, -6, 6);
    return std::clamp(velocity + metre + swell + contour, 1, 127);
}

bool ScoreBuilder::onBarLine(double beat) const {
    return startsOn(beat, beatsPerBar_);
}

void ScoreBuilder::note(int section, double beat, int channel, int key, double beats,
                        int velocity) {
    double start = trackTime(section, beat);
    double length = trackTime(section, beat + beats) - start;
    // The synth voices echo a dotted eighth later, in the section's tempo.
    const double echo = 0.75 * kSections[section].beat;
    score_.notes.push_back({start, length, channel, key, std::clamp(velocity, 1, 127), echo});
}

void ScoreBuilder::phrase(int section, double beat, int channel, std::string_view text,
                          int velocity, int transpose, double legato) {
    Phrase parsed = parsePhrase(text);
    const int middle = middleKey(parsed);
    for (const WrittenNote& written : parsed.notes)
        for (int key : written.keys)
            note(
                section, beat + written.beat, channel, key + transpose, written.length * legato,
                phrasedVelocity(velocity, written.beat, parsed.length, key - middle, beatsPerBar_));
}

void ScoreBuilder::chord(int section, double beat, int channel, std::string_view keys, double beats,
                         int velocity, int transpose) {
    for (const WrittenNote& written : parsePhrase(keys).notes)
        for (int key : written.keys)
            note(section, beat, channel, key + transpose, beats, velocity);
}

void ScoreBuilder::control(int section, double beat, int channel, int controller, int value) {
    score_.controls.push_back({trackTime(section, beat), channel, controller, value});
}

void ScoreBuilder::fader(int section, double beat, double gainDb) {
    score_.fader.push_back({trackTime(section, beat), sectionLevelsDb_[section] + gainDb});
}

void ScoreBuilder::statement(const std::string& name, int section, double fromBeat, double toBeat,
                             bool aboveTheRest) {
    score_.statements.push_back(
        {name, trackTime(section, fromBeat), trackTime(section, toBeat), aboveTheRest});
}

void ScoreBuilder::ramp(int section, double fromBeat, double toBeat, int channel, int controller,
                        int from, int to) {
    constexpr double kStep = 0.125;
    int steps = std::max(1, static_cast<int>((toBeat - fromBeat) / kStep));
    for (int i = 0; i <= steps; ++i) {
        double share = static_cast<double>(i) / steps;
        int value = from + static_cast<int>((to - from) * share + (to > from ? 0.5 : -0.5));
        control(section, fromBeat + (toBeat - fromBeat) * share, channel, controller, value);
    }
}

} // namespace mkmusic
