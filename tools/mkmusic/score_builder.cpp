#include "score_builder.h"

#include "notation.h"
#include "timeline.h"

#include <algorithm>

namespace mkmusic {

int ScoreBuilder::humanise(int velocity) {
    return std::clamp(velocity + rng_.between(-4, 4), 1, 127);
}

void ScoreBuilder::note(int section, double beat, int channel, int key, double beats,
                        int velocity) {
    double start = trackTime(section, beat);
    double length = trackTime(section, beat + beats) - start;
    score_.notes.push_back({start, length, channel, key, humanise(velocity)});
}

void ScoreBuilder::phrase(int section, double beat, int channel, std::string_view text,
                          int velocity, int transpose, double legato) {
    Phrase parsed = parsePhrase(text);
    for (const WrittenNote& written : parsed.notes)
        for (int key : written.keys)
            note(section, beat + written.beat, channel, key + transpose, written.length * legato,
                 velocity);
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
