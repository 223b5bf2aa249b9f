// Percussion patterns on the General MIDI drum channel, placed by section and
// beat like the melodic parts.
#pragma once

#include "score_builder.h"

namespace mkmusic {

struct DrumSpan {
    int section;
    double from; // beats inside the section
    double to;
};

// Sleigh bells every `step` beats, louder on the beat, growing from one
// velocity to another across the span.
void sleighBells(ScoreBuilder& builder, const DrumSpan& span, double step, int fromVelocity,
                 int toVelocity);
// Two-beat march: kick on one, snare on two, hats on the eighths.
void marchGroove(ScoreBuilder& builder, const DrumSpan& span, int velocity);
// Four-beat groove: kick on one and three, clap on two and four, open hats off the beat.
void backbeatGroove(ScoreBuilder& builder, const DrumSpan& span, int velocity);
// Kick on every beat, clap on every second: the lift of the warp.
void drivingGroove(ScoreBuilder& builder, const DrumSpan& span, int velocity);
// Snare in sixteenths growing louder: a fill into the next section.
void snareFill(ScoreBuilder& builder, const DrumSpan& span, int fromVelocity, int toVelocity);
void hit(ScoreBuilder& builder, int section, double beat, int key, int velocity);

} // namespace mkmusic
