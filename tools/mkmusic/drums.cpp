#include "drums.h"

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

} // namespace

void hit(ScoreBuilder& builder, int section, double beat, int key, int velocity) {
    builder.note(section, beat, kDrumChannel, key, 0.25, velocity);
}

void sleighBells(ScoreBuilder& builder, const DrumSpan& span, double step, int fromVelocity,
                 int toVelocity) {
    int steps = stepCount(span, step);
    for (int i = 0; i < steps; ++i) {
        double beat = span.from + i * step;
        int velocity = fromVelocity + (toVelocity - fromVelocity) * i / std::max(1, steps - 1);
        hit(builder, span.section, beat, drum::kSleighBells,
            onBeat(beat) ? velocity : velocity - 15);
    }
}

void marchGroove(ScoreBuilder& builder, const DrumSpan& span, int velocity) {
    for (int i = 0; i < stepCount(span, 0.5); ++i) {
        double beat = span.from + i * 0.5;
        if (i % 4 == 0)
            hit(builder, span.section, beat, drum::kKick, velocity);
        if (i % 4 == 2)
            hit(builder, span.section, beat, drum::kSnare, velocity - 20);
        hit(builder, span.section, beat, drum::kClosedHat, velocity - (i % 2 ? 35 : 25));
    }
}

void backbeatGroove(ScoreBuilder& builder, const DrumSpan& span, int velocity) {
    for (int i = 0; i < stepCount(span, 0.5); ++i) {
        double beat = span.from + i * 0.5;
        if (i % 8 == 0 || i % 8 == 4 || i % 8 == 5)
            hit(builder, span.section, beat, drum::kKick, i % 8 == 5 ? velocity - 20 : velocity);
        if (i % 8 == 2 || i % 8 == 6) {
            hit(builder, span.section, beat, drum::kClap, velocity - 10);
            hit(builder, span.section, beat, drum::kSnare, velocity - 25);
        }
        hit(builder, span.section, beat, i % 2 ? drum::kOpenHat : drum::kClosedHat,
            velocity - (i % 2 ? 40 : 30));
    }
}

void drivingGroove(ScoreBuilder& builder, const DrumSpan& span, int velocity) {
    for (int i = 0; i < stepCount(span, 0.5); ++i) {
        double beat = span.from + i * 0.5;
        if (i % 2 == 0)
            hit(builder, span.section, beat, drum::kKick, velocity);
        if (i % 4 == 2) {
            hit(builder, span.section, beat, drum::kClap, velocity - 5);
            hit(builder, span.section, beat, drum::kSnare, velocity - 20);
        }
        hit(builder, span.section, beat, i % 2 ? drum::kOpenHat : drum::kClosedHat,
            velocity - (i % 2 ? 35 : 30));
    }
}

void snareFill(ScoreBuilder& builder, const DrumSpan& span, int fromVelocity, int toVelocity) {
    int steps = stepCount(span, 0.25);
    for (int i = 0; i < steps; ++i)
        hit(builder, span.section, span.from + i * 0.25, drum::kSnare,
            fromVelocity + (toVelocity - fromVelocity) * i / std::max(1, steps - 1));
}

} // namespace mkmusic
