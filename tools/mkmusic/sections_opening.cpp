// From the black screen to the sparkler: the show's motif ticks with the
// letters, then the sleigh ride begins.
#include "accompaniment.h"
#include "arrangement.h"
#include "drums.h"
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
    hit(b, kPreroll, 0, drum::kBellTree, 55);
}

void writeLetters(ScoreBuilder& b) {
    // A bar for each run of the highlight along the letters, a note for each
    // letter: the motif first, then the chords' tones. In the fourth bar the
    // bottle appears (a held chord) and the whole word flashes twice.
    const std::string letters = std::string(tune::kMotif) + " " + std::string(tune::kMotifAnswer) +
                                " | A4:.5 C5 E5:1 A5:.5 E5 C5 r | F4:.5 A4 C5:1 F5:.5 C5 A4 r |"
                                " G4+D5+G5:1.5 F5+G5+B5:.5 r F5+B5+D6 r";
    b.phrase(kLetters, 0, kCelesta, letters, 84, 0, 1.6);
    b.phrase(kLetters, 0, kGlockenspiel, "C6:4 | A5:4 | F5:4 | G5:1.5 B5:1 D6:1", 58);
    padChords(b, {kLetters, 4, kWarmPad, 72}, "Am:4 | F:4 | G7:3.5");
    bassLine(b, {kLetters, 0, kSoftBass, 64}, "C:4 | Am:4 | F:4 | G:3.5", BassStyle::Held);
    hit(b, kLetters, 12, drum::kBellTree, 58);
    snareFill(b, {kLetters, 14, 15.5}, 30, 76);
}

void writeSparkler(ScoreBuilder& b) {
    b.metre(2);
    const std::string melody = tune::jingleRefrain();
    const std::string harmony = tune::jingleRefrainHarmony();
    b.phrase(kSparkler, 0, kFlute, melody, 92, 0, 0.9);
    b.phrase(kSparkler, 0, kGlockenspiel, melody, 56, 12, 0.9);
    b.phrase(kSparkler, 16, kCelesta, tune::kJingleRefrainOpening, 60, 12);
    padChords(b, {kSparkler, 0, kWarmPad, 60}, harmony);
    bassLine(b, {kSparkler, 0, kBass, 96}, harmony, BassStyle::Polka);
    offbeatChords(b, {kSparkler, 0, kPizzicato, 62}, harmony);
    hit(b, kSparkler, 0, drum::kSplash, 76);
    sleighBells(b, {kSparkler, 0, 30}, 0.5, 66, 76);
    marchGroove(b, {kSparkler, 0, 28}, 84);
    hit(b, kSparkler, 16, drum::kTriangle, 60);
    snareFill(b, {kSparkler, 28, 30}, 50, 96);
    b.metre(4);
}

} // namespace mkmusic
