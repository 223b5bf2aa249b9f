// Accompaniment written from a chord progression (see chords.h): sustained
// pads, bass lines in a few styles, off-beat chords and arpeggios. The bass
// and the arpeggios lean on the bar line of the builder's metre.
#pragma once

#include "score_builder.h"

#include <string_view>

namespace mkmusic {

enum class BassStyle {
    Held,    // the root for the whole chord
    Polka,   // root and fifth on alternating beats
    Eighths, // driving eighths with an octave leap on every off-beat of beat two
    Waltz,   // the root on the first of every three beats
};

struct Part {
    int section;
    double beat; // where the progression starts inside the section
    int channel;
    int velocity;
    int transpose = 0;
};

// Held chords; a chord repeated across bar lines is held on, not struck again.
void padChords(ScoreBuilder& builder, const Part& part, std::string_view progression);
void bassLine(ScoreBuilder& builder, const Part& part, std::string_view progression,
              BassStyle style);
// Short chords on the second half of every beat.
void offbeatChords(ScoreBuilder& builder, const Part& part, std::string_view progression);
// A short chord on every bar line (bars of `beatsPerBar` from the part's
// start): the band leaning on the downbeat.
void barStabs(ScoreBuilder& builder, const Part& part, std::string_view progression,
              int beatsPerBar);
// The chord's upper tones up and down, one every `step` beats.
void arpeggio(ScoreBuilder& builder, const Part& part, std::string_view progression, double step);

} // namespace mkmusic
