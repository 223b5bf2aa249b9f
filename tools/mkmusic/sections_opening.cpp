// From the black screen to the sparkler: a music-box opening that ticks with
// the letters, then the sleigh ride begins.
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
    // The letters light one per eighth, the third for two, then rest for an
    // eighth: the celesta plays that rhythm for three bars. In the fourth the
    // bottle appears (a held chord) and the whole word flashes twice.
    b.phrase(kLetters, 0, kCelesta,
             "C5:.5 E5 G5:1 C6:.5 G5 E5 r | A4:.5 C5 E5:1 A5:.5 E5 C5 r |"
             "F4:.5 A4 C5:1 F5:.5 C5 A4 r | G4+D5+G5:1.5 F5+G5+B5:.5 r F5+B5+D6 r",
             84, 0, 1.6);
    b.phrase(kLetters, 0, kGlockenspiel, "C6:4 | A5:4 | F5:4 | G5:1.5 B5:1 D6:1", 58);
    padChords(b, {kLetters, 4, kWarmPad, 72}, "Am:4 | F:4 | G7:3.5");
    bassLine(b, {kLetters, 0, kSoftBass, 64}, "C:4 | Am:4 | F:4 | G:3.5", BassStyle::Held);
    hit(b, kLetters, 12, drum::kBellTree, 58);
    sleighBells(b, {kLetters, 13.5, 15.5}, 0.25, 40, 84);
}

void writeSparkler(ScoreBuilder& b) {
    const std::string melody = std::string(tune::kJingleRefrainOpening) + " " +
                               std::string(tune::kJingleRefrainHalfClose) + " " +
                               std::string(tune::kJingleRefrainOpening) + " " +
                               std::string(tune::kJingleRefrainFullClose);
    const std::string harmony =
        std::string(tune::kJingleHarmonyHalf) + " C:2 C:2 C:2 C:2 | F:2 C:2 G7:2";
    b.phrase(kSparkler, 0, kFlute, melody, 92, 0, 0.9);
    b.phrase(kSparkler, 0, kGlockenspiel, melody, 58, 12, 0.9);
    b.phrase(kSparkler, 16, kCelesta, tune::kJingleRefrainOpening, 60, 12);
    padChords(b, {kSparkler, 0, kWarmPad, 60}, harmony);
    bassLine(b, {kSparkler, 0, kBass, 88}, harmony, BassStyle::Polka);
    offbeatChords(b, {kSparkler, 0, kPizzicato, 62}, harmony);
    hit(b, kSparkler, 0, drum::kSplash, 70);
    sleighBells(b, {kSparkler, 0, 30}, 0.5, 78, 86);
    for (int bar = 0; bar < 15; ++bar)
        hit(b, kSparkler, bar * 2.0, drum::kKick, 72);
    hit(b, kSparkler, 16, drum::kTriangle, 60);
    snareFill(b, {kSparkler, 29, 30}, 50, 90);
}

} // namespace mkmusic
