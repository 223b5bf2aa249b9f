#include "accompaniment.h"

#include "chords.h"
#include "notation.h"

#include <cmath>

namespace mkmusic {
namespace {

// How much harder the bass and the arpeggios play on the bar line.
constexpr int kBarAccent = 10;

int accented(const ScoreBuilder& builder, double beat, int velocity) {
    return builder.onBarLine(beat) ? velocity + kBarAccent : velocity;
}

std::vector<int> upperTones(const ChordShape& shape) {
    std::vector<int> keys;
    for (const WrittenNote& note : parsePhrase(shape.upper).notes)
        keys.push_back(note.keys.front());
    return keys;
}

// Beats inside a span at which a pattern of the given step fires.
int stepsIn(const ChordSpan& span, double step) {
    return static_cast<int>(std::floor(span.length / step + 1e-9));
}

void bassForSpan(ScoreBuilder& builder, const Part& part, const ChordSpan& span, BassStyle style) {
    int root = span.shape->root + part.transpose;
    double start = part.beat + span.beat;
    switch (style) {
    case BassStyle::Held:
        builder.note(part.section, start, part.channel, root, span.length * 0.97, part.velocity);
        break;
    case BassStyle::Polka:
        for (int i = 0; i < stepsIn(span, 1.0); ++i)
            builder.note(part.section, start + i, part.channel, root + (i % 2 ? 7 : 0), 0.8,
                         accented(builder, start + i, part.velocity - (i % 2) * 8));
        break;
    case BassStyle::Eighths:
        for (int i = 0; i < stepsIn(span, 0.5); ++i)
            builder.note(part.section, start + i * 0.5, part.channel, root + (i % 4 == 3 ? 12 : 0),
                         0.42, accented(builder, start + i * 0.5, part.velocity - (i % 2) * 10));
        break;
    case BassStyle::Waltz:
        for (int i = 0; i < stepsIn(span, 3.0); ++i)
            builder.note(part.section, start + i * 3.0, part.channel, root, 2.9, part.velocity);
        break;
    }
}

} // namespace

void padChords(ScoreBuilder& builder, const Part& part, std::string_view progression) {
    // A chord repeated is held on: struck again, the pad's slow attack would
    // dip at every bar line.
    std::vector<ChordSpan> spans = parseProgression(progression);
    for (size_t i = 0; i < spans.size();) {
        size_t next = i + 1;
        double length = spans[i].length;
        for (; next < spans.size() && spans[next].shape == spans[i].shape; ++next)
            length += spans[next].length;
        builder.chord(part.section, part.beat + spans[i].beat, part.channel, spans[i].shape->pad,
                      length, part.velocity, part.transpose);
        i = next;
    }
}

void bassLine(ScoreBuilder& builder, const Part& part, std::string_view progression,
              BassStyle style) {
    for (const ChordSpan& span : parseProgression(progression))
        bassForSpan(builder, part, span, style);
}

void offbeatChords(ScoreBuilder& builder, const Part& part, std::string_view progression) {
    for (const ChordSpan& span : parseProgression(progression)) {
        std::vector<int> tones = upperTones(*span.shape);
        for (int i = 0; i < stepsIn(span, 1.0); ++i)
            for (size_t t = 0; t + 1 < tones.size(); ++t)
                builder.note(part.section, part.beat + span.beat + i + 0.5, part.channel,
                             tones[t] - 12 + part.transpose, 0.3, part.velocity);
    }
}

void barStabs(ScoreBuilder& builder, const Part& part, std::string_view progression,
              int beatsPerBar) {
    for (const ChordSpan& span : parseProgression(progression))
        for (double beat = std::ceil(span.beat / beatsPerBar - 1e-9) * beatsPerBar;
             beat < span.beat + span.length - 1e-9; beat += beatsPerBar)
            builder.chord(part.section, part.beat + beat, part.channel, span.shape->pad, 0.3,
                          part.velocity, part.transpose);
}

void arpeggio(ScoreBuilder& builder, const Part& part, std::string_view progression, double step) {
    static constexpr int kUpAndDown[] = {0, 1, 2, 3, 2, 1};
    for (const ChordSpan& span : parseProgression(progression)) {
        std::vector<int> tones = upperTones(*span.shape);
        for (int i = 0; i < stepsIn(span, step); ++i) {
            int key = tones[kUpAndDown[i % 6] % tones.size()] + part.transpose;
            const double beat = part.beat + span.beat + i * step;
            builder.note(part.section, beat, part.channel, key, step * 1.6,
                         accented(builder, beat, part.velocity - (i % 2) * 6));
        }
    }
}

} // namespace mkmusic
