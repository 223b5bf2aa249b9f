// The candles: "Silent Night", slow and warm, ending softly.
#include "accompaniment.h"
#include "arrangement.h"
#include "drums.h"
#include "timeline.h"
#include "tunes.h"

#include <string>

namespace mkmusic {

using namespace channel;

namespace {

constexpr double kIntroBeats = 6;   // two bars of waltz before the tune
constexpr double kMelodyBeats = 72; // twenty-four bars of three beats
constexpr double kOutroBeats = 6;   // a music-box echo over the last chord
constexpr double kFadeBeats = 8;    // the fade that closes the track

void writeMelody(ScoreBuilder& b) {
    // The first half on bells, then the flute takes the tune and the choir joins.
    const double firstHalf = kIntroBeats;
    const double secondHalf = kIntroBeats + kMelodyBeats / 2;
    b.phrase(kCandles, firstHalf, kCelesta, tune::kSilentNightFirstHalf, 82, 12, 1.0);
    b.phrase(kCandles, firstHalf, kVibraphone, tune::kSilentNightFirstHalf, 62, 12);
    b.phrase(kCandles, secondHalf, kFlute, tune::kSilentNightSecondHalf, 90, 12, 0.95);
    b.phrase(kCandles, secondHalf, kCelesta, tune::kSilentNightSecondHalf, 46, 12, 1.0);
}

void writeAccompaniment(ScoreBuilder& b) {
    const std::string harmony = "C:3 C:3 | " + std::string(tune::kSilentNightFirstHarmony) + " " +
                                std::string(tune::kSilentNightSecondHarmony) + " C:6";
    padChords(b, {kCandles, 0, kWarmPad, 64}, harmony);
    padChords(b, {kCandles, 0, kStrings, 48}, harmony);
    padChords(b, {kCandles, kIntroBeats + kMelodyBeats / 2, kChoir, 54},
              std::string(tune::kSilentNightSecondHarmony) + " C:6");
    arpeggio(b, {kCandles, 0, kHarp, 56}, harmony, 0.5);
    bassLine(b, {kCandles, 0, kSoftBass, 66}, harmony, BassStyle::Waltz);
}

void writeBells(ScoreBuilder& b) {
    b.note(kCandles, 0, kTubularBells, 60, 6, 64);
    for (double bar = 0; bar < kIntroBeats + kMelodyBeats; bar += 12)
        hit(b, kCandles, bar, drum::kSleighBells, 40);
    hit(b, kCandles, kIntroBeats + kMelodyBeats, drum::kBellTree, 46);
}

void writeEnding(ScoreBuilder& b) {
    const double end = kIntroBeats + kMelodyBeats;
    b.phrase(kCandles, end, kMusicBox, "G5:1.5 A5:.5 G5:1 | E5:3", 58, 0, 1.4);
    for (int voice : {kWarmPad, kStrings, kChoir, kHarp, kSoftBass})
        b.ramp(kCandles, end, end + kFadeBeats, voice, 11, 127, 0);
}

} // namespace

double writeCandles(ScoreBuilder& b) {
    writeMelody(b);
    writeAccompaniment(b);
    writeBells(b);
    writeEnding(b);
    return kIntroBeats + kMelodyBeats + kFadeBeats;
}

} // namespace mkmusic
