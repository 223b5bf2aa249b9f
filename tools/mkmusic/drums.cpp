#include "drums.h"

#include "synth.h"

#include <algorithm>
#include <cmath>

namespace mkmusic {
namespace {

int stepCount(const DrumSpan& span, double step) {
    return static_cast<int>(std::floor((span.to - span.from) / step + 1e-9));
}

bool onBeat(double beat) {
    return std::fabs(beat - std::round(beat)) < 1e-9;
}

// The velocity of step i of n, growing from one value to another.
int growing(int i, int steps, int from, int to) {
    return from + (to - from) * i / std::max(1, steps - 1);
}

// The last beat of every fourth bar (counted from the span's start) is left
// to a fill, snare and toms in turn.
bool fillsBeat(const DrumSpan& span, double beat, int beatsPerBar) {
    const int barsIn = static_cast<int>(std::floor((beat - span.from) / beatsPerBar + 1e-9));
    const double barEnd = span.from + (barsIn + 1) * beatsPerBar;
    return barsIn % 4 == 3 && beat >= barEnd - 1.0 - 1e-9 && barEnd <= span.to + 1e-9;
}

void fillOnLastBeats(ScoreBuilder& builder, const DrumSpan& span, int beatsPerBar, int velocity) {
    for (int bar = 3; span.from + (bar + 1) * beatsPerBar <= span.to + 1e-9; bar += 4) {
        const double beat = span.from + (bar + 1) * beatsPerBar - 1.0;
        if (bar % 8 == 3)
            snareFill(builder, {span.section, beat, beat + 1.0}, velocity - 40, velocity - 10);
        else
            tomFill(builder, {span.section, beat, beat + 1.0}, velocity - 10);
    }
}

} // namespace

void hit(ScoreBuilder& builder, int section, double beat, int key, int velocity) {
    builder.note(section, beat, kDrumChannel, key, 0.25, velocity);
}

void chipBeat(ScoreBuilder& builder, const DrumSpan& span, int beatsPerBar, int velocity,
              bool sixteenths) {
    for (int i = 0; i < stepCount(span, 0.25); ++i) {
        const double beat = span.from + i * 0.25;
        const int inBar = i % (4 * beatsPerBar); // sixteenths into the bar
        auto play = [&](int key, int level) {
            builder.note(span.section, beat, synth::kChipKit, key, 0.25, level);
        };
        if (inBar == 0 || (beatsPerBar == 4 && inBar == 8))
            play(drum::kKick, inBar == 0 ? velocity : velocity - 16);
        if (inBar % 8 == 4)
            play(drum::kSnare, velocity - 24);
        if (i % 4 == 2)
            play(drum::kClosedHat, velocity - 20);
        else if (sixteenths && i % 2 == 1)
            play(drum::kClosedHat, velocity - 38);
    }
}

void sleighBells(ScoreBuilder& builder, const DrumSpan& span, double step, int fromVelocity,
                 int toVelocity) {
    int steps = stepCount(span, step);
    for (int i = 0; i < steps; ++i) {
        double beat = span.from + i * step;
        int velocity = growing(i, steps, fromVelocity, toVelocity);
        hit(builder, span.section, beat, drum::kSleighBells,
            onBeat(beat) ? velocity : velocity - 15);
    }
}

void marchGroove(ScoreBuilder& builder, const DrumSpan& span, int velocity) {
    for (int i = 0; i < stepCount(span, 0.5); ++i) {
        double beat = span.from + i * 0.5;
        if (fillsBeat(span, beat, 2))
            continue;
        if (i % 4 == 0) {
            hit(builder, span.section, beat, drum::kKick, velocity);
            hit(builder, span.section, beat, drum::kOpenHat, velocity - 30);
        } else {
            if (i % 4 == 2)
                hit(builder, span.section, beat, drum::kSnare, velocity - 34);
            hit(builder, span.section, beat, drum::kClosedHat, velocity - (i % 2 ? 40 : 30));
        }
    }
    fillOnLastBeats(builder, span, 2, velocity);
}

void backbeatGroove(ScoreBuilder& builder, const DrumSpan& span, int velocity) {
    for (int i = 0; i < stepCount(span, 0.5); ++i) {
        double beat = span.from + i * 0.5;
        if (fillsBeat(span, beat, 4))
            continue;
        const int step = i % 8;
        const bool pushed = (i / 8) % 2 == 1; // every second bar anticipates beat three
        if (step == 0 || step == (pushed ? 3 : 4) || (!pushed && step == 5))
            hit(builder, span.section, beat, drum::kKick, step == 0 ? velocity : velocity - 20);
        if (step == 0)
            hit(builder, span.section, beat, drum::kRideBell, velocity - 20);
        if (step == 2 || step == 6) {
            hit(builder, span.section, beat, drum::kClap, velocity - 44);
            hit(builder, span.section, beat, drum::kSnare, velocity - 30);
        }
        // The open hat marks the bar line; the snare beats go without.
        const int hat = step == 0 ? drum::kOpenHat : drum::kClosedHat;
        if (step != 2 && step != 6)
            hit(builder, span.section, beat, hat, velocity - (step == 0 ? 25 : i % 2 ? 45 : 35));
    }
    fillOnLastBeats(builder, span, 4, velocity);
}

void drivingGroove(ScoreBuilder& builder, const DrumSpan& span, int velocity) {
    for (int i = 0; i < stepCount(span, 0.25); ++i) {
        double beat = span.from + i * 0.25;
        if (i % 4 == 0)
            hit(builder, span.section, beat, drum::kKick, i % 8 == 0 ? velocity : velocity - 30);
        if (i % 8 == 4)
            hit(builder, span.section, beat, drum::kClap, velocity - 36);
        // Closed hats on every sixteenth, an open one on the bar line.
        if (i % 8 == 0)
            hit(builder, span.section, beat, drum::kOpenHat, velocity - 25);
        else
            hit(builder, span.section, beat, drum::kClosedHat, velocity - (i % 2 ? 50 : 40));
    }
}

void snareFill(ScoreBuilder& builder, const DrumSpan& span, int fromVelocity, int toVelocity) {
    int steps = stepCount(span, 0.25);
    for (int i = 0; i < steps; ++i)
        hit(builder, span.section, span.from + i * 0.25, drum::kSnare,
            growing(i, steps, fromVelocity, toVelocity));
}

void snareBuild(ScoreBuilder& builder, const DrumSpan& span, int fromVelocity, int toVelocity) {
    // Sixteenths, thirty-seconds in the last beat, then a sixteenth's breath
    // before the downbeat it builds to.
    const double end = span.to - 0.25, faster = std::max(span.from, end - 1.0);
    const int slow = stepCount({span.section, span.from, faster}, 0.25);
    const int steps = slow + stepCount({span.section, faster, end}, 0.125);
    for (int i = 0; i < steps; ++i) {
        const double beat = i < slow ? span.from + i * 0.25 : faster + (i - slow) * 0.125;
        hit(builder, span.section, beat, drum::kSnare, growing(i, steps, fromVelocity, toVelocity));
    }
}

void tomFill(ScoreBuilder& builder, const DrumSpan& span, int velocity) {
    static constexpr int kDown[] = {drum::kHighTom, drum::kHighTom, drum::kMidTom,  drum::kMidTom,
                                    drum::kLowTom,  drum::kLowTom,  drum::kFloorTom};
    const int steps = stepCount(span, 0.25);
    for (int i = 0; i < steps; ++i) {
        const int left = steps - 1 - i;
        const int key = left == 0 ? drum::kSnare : kDown[std::min(i * 7 / steps, 6)];
        hit(builder, span.section, span.from + i * 0.25, key, velocity - (i % 2) * 8);
    }
}

void tambourine(ScoreBuilder& builder, const DrumSpan& span, int fromVelocity, int toVelocity) {
    int steps = stepCount(span, 0.5);
    for (int i = 0; i < steps; ++i) {
        int velocity = growing(i, steps, fromVelocity, toVelocity);
        hit(builder, span.section, span.from + i * 0.5, drum::kTambourine,
            i % 2 ? velocity - 18 : velocity);
    }
}

} // namespace mkmusic
