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
// Two-beat march: kick and an open hat on one, snare on two, closed hats on
// the other eighths; a fill on the last beat of every fourth bar. Like every
// groove here, it leans on the downbeat.
void marchGroove(ScoreBuilder& builder, const DrumSpan& span, int velocity);
// Four-beat groove: kick on one and three (or pushed to the half beat before
// three in every second bar), snare and a soft clap on two and four, closed
// hats on the other eighths, an open one and the ride's bell on the bar
// line; a fill on the last beat of every fourth bar.
void backbeatGroove(ScoreBuilder& builder, const DrumSpan& span, int velocity);
// Kick on every beat, clap on every second, hats in sixteenths with an open
// one on the bar line: the lift of the warp. No fills: the warp places its
// own before each picture change.
void drivingGroove(ScoreBuilder& builder, const DrumSpan& span, int velocity);
// Snare in sixteenths growing louder: a fill into the next section.
void snareFill(ScoreBuilder& builder, const DrumSpan& span, int fromVelocity, int toVelocity);
// A snare roll that speeds up as it grows: sixteenths, then thirty-seconds
// in its last beat, and a sixteenth's breath before the downbeat. A build
// into a cut.
void snareBuild(ScoreBuilder& builder, const DrumSpan& span, int fromVelocity, int toVelocity);
// Sixteenths running down the toms, the last on the snare.
void tomFill(ScoreBuilder& builder, const DrumSpan& span, int velocity);
// Tambourine in eighths, louder on the beat, growing across the span.
void tambourine(ScoreBuilder& builder, const DrumSpan& span, int fromVelocity, int toVelocity);
void hit(ScoreBuilder& builder, int section, double beat, int key, int velocity);
// The synth kit under the General MIDI one: kick on one (and three in four),
// snare on the back beats, closed hats off the beat, and on every sixteenth
// between when `sixteenths`.
void chipBeat(ScoreBuilder& builder, const DrumSpan& span, int beatsPerBar, int velocity,
              bool sixteenths);

} // namespace mkmusic
