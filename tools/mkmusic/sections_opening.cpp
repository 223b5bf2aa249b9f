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
    // letter: the motif first, then the chords' tones. In the fourth bar the
    // bottle appears (a held chord) and the whole word flashes twice.
    const std::string letters = std::string(tune::kMotif) + " " + std::string(tune::kMotifAnswer) +
                                " | A4:.5 C5 E5:1 A5:.5 E5 C5 r | F4:.5 A4 C5:1 F5:.5 C5 A4 r |"
                                " G4+D5+G5:1.5 F5+G5+B5:.5 r F5+B5+D6 r";
    b.phrase(kLetters, 0, kCelesta, letters, 84, 0, 1.6);
    // The thin pulse answers each letter an octave up, its echo running on.
    b.phrase(kLetters, 0, synth::kChipArp, letters, 70, 12, 0.5);
    b.phrase(kLetters, 0, kGlockenspiel, "C6:4 | A5:4 | F5:4 | G5:1.5 B5:1 D6:1", 58);
    padChords(b, {kLetters, 4, kWarmPad, 72}, "Am:4 | F:4 | G7:3.5");
    bassLine(b, {kLetters, 0, kSoftBass, 64}, "C:4 | Am:4 | F:4 | G:3.5", BassStyle::Held);
    hit(b, kLetters, 12, drum::kBellTree, 44);
    snareFill(b, {kLetters, 14, 15.5}, 30, 76);
}

void writeSparkler(ScoreBuilder& b) {
    // The verse of "Jingle Bells", a polka: first flute and bells over the
    // march; then the pulse lead takes the tune, the flute an octave above
    // it, and the drums open up.
    b.metre(2);
    constexpr double kSecondHalf = 16;
    b.phrase(kSparkler, 0, kFlute, tune::kJingleVerseFirstHalf, 92, 0, 0.9);
    b.phrase(kSparkler, 0, kGlockenspiel, tune::kJingleVerseFirstHalf, 56, 12, 0.9);
    offbeatChords(b, {kSparkler, 0, kPizzicato, 62}, tune::kJingleVerseFirstHarmony);
    bassLine(b, {kSparkler, 0, kBass, 96}, tune::kJingleVerseFirstHarmony, BassStyle::Polka);
    padChords(b, {kSparkler, 0, kWarmPad, 64}, tune::kJingleVerseFirstHarmony);
    arpeggio(b, {kSparkler, 0, synth::kChipArp, 50, -12}, tune::kJingleVerseFirstHarmony, 0.5);
    marchGroove(b, {kSparkler, 0, kSecondHalf}, 84);
    sleighBells(b, {kSparkler, 0, kSecondHalf}, 1.0, 56, 62);

    b.phrase(kSparkler, kSecondHalf, synth::kPulseLead, tune::kJingleVerseSecondHalf, 90, 0, 0.85);
    b.phrase(kSparkler, kSecondHalf, kFlute, tune::kJingleVerseSecondHalf, 74, 12, 0.8);
    arpeggio(b, {kSparkler, kSecondHalf, synth::kChipArp, 60, -12}, tune::kJingleVerseSecondHarmony,
             0.25);
    offbeatChords(b, {kSparkler, kSecondHalf, kPizzicato, 66}, tune::kJingleVerseSecondHarmony);
    bassLine(b, {kSparkler, kSecondHalf, kBass, 100}, tune::kJingleVerseSecondHarmony,
             BassStyle::Eighths);
    padChords(b, {kSparkler, kSecondHalf, kStrings, 56}, tune::kJingleVerseSecondHarmony);
    hit(b, kSparkler, 0, drum::kSplash, 76);
    hit(b, kSparkler, kSecondHalf, drum::kCrash, 84);
    marchGroove(b, {kSparkler, kSecondHalf, 28}, 88);
    chipBeat(b, {kSparkler, kSecondHalf, 28}, 2, 84, false);
    sleighBells(b, {kSparkler, kSecondHalf, 28}, 1.0, 62, 68);
    snareFill(b, {kSparkler, 28, 30}, 50, 96);
    b.metre(4);
}

} // namespace mkmusic
