// From the black screen to the sparkler: the show's motif ticks with the
// letters, then the sleigh ride begins.
#include "accompaniment.h"
#include "arrangement.h"
#include "drums.h"
#include "synth.h"
#include "timeline.h"
#include "tunes.h"

#include <string>

namespace mkmusic {

using namespace channel;

void writePreroll(ScoreBuilder& b) {
    // The pad swells in from nothing and holds into the first letter bar.
    b.control(kPreroll, 0, kWarmPad, 11, 25);
    b.phrase(kPreroll, 0, kWarmPad, "C3+G3+E4:7", 72, 0, 1.0);
    b.ramp(kPreroll, 0, 3, kWarmPad, 11, 25, 110);
    // A shimmer rising to the first letter.
    b.phrase(kPreroll, 0, kCelesta, "C5:.25 D5 E5 G5 A5 C6 D6 E6 G6 A6 C7 D7", 44, 0, 2.0);
    hit(b, kPreroll, 0, drum::kBellTree, 40);
}

void writeLetters(ScoreBuilder& b) {
    // A bar for each run of the highlight along the letters, a note for each
    // letter: the hook's call and answer, then the call again. In the fourth
    // bar the bottle appears (a held chord) and the whole word flashes twice,
    // and the thin pulse and the snare run up into the sleigh ride.
    const std::string letters = tune::wholeMotif() + " | " + std::string(tune::kMotif) +
                                " | G4+D5+G5:1.5 F5+G5+B5:.5 r F5+B5+D6 r";
    b.phrase(kLetters, 0, synth::kHook, tune::wholeMotif(), 96, 0, 0.9);
    b.statement("letters", kLetters, 0, 8, false);
    b.phrase(kLetters, 8, synth::kHook, tune::kMotif, 84, 0, 0.9);
    b.phrase(kLetters, 0, kCelesta, letters, 66, 0, 1.6);
    // The thin pulse answers each letter an octave up, its echo running on.
    b.phrase(kLetters, 0, synth::kChipArp, letters, 56, 12, 0.5);
    b.phrase(kLetters, 0, kGlockenspiel, "E6:4 | C6:4 | A5:4 | G5:1.5 B5:1 D6:1", 50);
    padChords(b, {kLetters, 4, kWarmPad, 72}, "Am:4 | F:4 | G7:3.5");
    bassLine(b, {kLetters, 0, kSoftBass, 64}, "C:4 | Am:4 | F:4 | G:3.5", BassStyle::Held);
    hit(b, kLetters, 12, drum::kBellTree, 44);
    b.phrase(kLetters, 12.5, synth::kChipArp, "G4:.25 B4 D5 G5 B5 D6 G6 F6 D6 B5 G5 F5", 66, 0,
             0.8);
    snareBuild(b, {kLetters, 13, 15.5}, 30, 90);
}

void writeSparkler(ScoreBuilder& b) {
    // The verse of "Jingle Bells", a polka: first the soft lead with bells
    // over the march; a bar's break without hats or bells; then the pulse lead
    // takes the tune, the soft lead an octave above it, and the drums open up.
    b.metre(2);
    constexpr double kBreak = 14, kSecondHalf = 16;
    b.phrase(kSparkler, 0, synth::kSoftLead, tune::kJingleVerseFirstHalf, 98, 0, 0.9);
    b.phrase(kSparkler, 0, kFlute, tune::kJingleVerseFirstHalf, 56, 0, 0.9);
    b.phrase(kSparkler, 0, kGlockenspiel, tune::kJingleVerseFirstHalf, 48, 12, 0.9);
    offbeatChords(b, {kSparkler, 0, kPizzicato, 62}, tune::kJingleVerseFirstHarmony);
    barStabs(b, {kSparkler, 0, kPizzicato, 84}, tune::kJingleVerseFirstHarmony, 2);
    bassLine(b, {kSparkler, 0, kBass, 96}, tune::kJingleVerseFirstHarmony, BassStyle::Polka);
    padChords(b, {kSparkler, 0, kWarmPad, 64}, tune::kJingleVerseFirstHarmony);
    arpeggio(b, {kSparkler, 0, synth::kChipArp, 50, -12}, tune::kJingleVerseFirstHarmony, 0.5);
    marchGroove(b, {kSparkler, 0, kBreak}, 84);
    sleighBells(b, {kSparkler, 0, kBreak}, 1.0, 56, 62);
    hit(b, kSparkler, kBreak, drum::kKick, 84);
    b.note(kSparkler, kBreak, synth::kChipKit, drum::kKick, 0.25, 84);

    b.phrase(kSparkler, kSecondHalf, synth::kPulseLead, tune::kJingleVerseSecondHalf, 92, 0, 0.85);
    b.phrase(kSparkler, kSecondHalf, synth::kSoftLead, tune::kJingleVerseSecondHalf, 72, 12, 0.8);
    arpeggio(b, {kSparkler, kSecondHalf, synth::kChipArp, 60, -12}, tune::kJingleVerseSecondHarmony,
             0.25);
    offbeatChords(b, {kSparkler, kSecondHalf, kPizzicato, 66}, tune::kJingleVerseSecondHarmony);
    barStabs(b, {kSparkler, kSecondHalf, kPizzicato, 88}, tune::kJingleVerseSecondHarmony, 2);
    bassLine(b, {kSparkler, kSecondHalf, kBass, 100}, tune::kJingleVerseSecondHarmony,
             BassStyle::Eighths);
    padChords(b, {kSparkler, kSecondHalf, kStrings, 56}, tune::kJingleVerseSecondHarmony);
    hit(b, kSparkler, 0, drum::kSplash, 76);
    hit(b, kSparkler, kSecondHalf, drum::kCrash, 84);
    marchGroove(b, {kSparkler, kSecondHalf, 28}, 88);
    chipBeat(b, {kSparkler, kSecondHalf, 28}, 2, 84, false);
    sleighBells(b, {kSparkler, kSecondHalf, 28}, 1.0, 62, 68);
    snareBuild(b, {kSparkler, 28, 30}, 50, 100);
    b.metre(4);
}

} // namespace mkmusic
