// The candles: "Silent Night" in G, slow and warm, and the show's motif; the
// scene lasts until the viewer quits, so its music repeats without a seam.
//
// The loop is "Silent Night" and an eight-bar coda whose last four bars (the
// motif once more and two bars turning back to the tune) are also played once
// before the loop starts: what sounds just before the loop's start (held
// chords, ringing notes, the reverb) is then what sounds just before its end.
#include "accompaniment.h"
#include "arrangement.h"
#include "drums.h"
#include "renderer.h"
#include "timeline.h"
#include "tunes.h"

#include <string>

namespace mkmusic {

using namespace channel;

namespace {

// "Silent Night" written in C sounds in G: the warp's D is its dominant.
constexpr int kCandleKey = 7;

constexpr double kClosingBeats = 12; // four bars: the motif and the turn to the tune
constexpr double kLoopStart = kClosingBeats;
constexpr double kMelodyBeats = 72; // twenty-four bars of three beats
constexpr double kCodaStart = kLoopStart + kMelodyBeats;
constexpr double kCodaBeats = 24; // eight bars, the last four the closing
constexpr double kLoopEnd = kCodaStart + kCodaBeats;

// NOTE: FluidSynth takes events at 64-frame block boundaries. The loop is a
// whole number of blocks long, so that the closing bars are played the same,
// to the sample, before the loop and at its end.
static_assert(static_cast<long>((kLoopEnd - kLoopStart) * kSections[kCandles].beat * kSampleRate +
                                0.5) %
                  kSynthBlockFrames ==
              0);

// The coda's last four bars: the motif softly over the tonic, then two bars
// on the dominant that turn back to the tune.
void writeClosing(ScoreBuilder& b, double beat) {
    constexpr std::string_view kHarmony = "C:3 | Am:3 | G:3 | G7:3";
    padChords(b, {kCandles, beat, kWarmPad, 60, kCandleKey}, kHarmony);
    padChords(b, {kCandles, beat, kStrings, 48, kCandleKey}, kHarmony);
    arpeggio(b, {kCandles, beat, kHarp, 54, kCandleKey - 12}, kHarmony, 0.5);
    bassLine(b, {kCandles, beat, kSoftBass, 64, kCandleKey}, kHarmony, BassStyle::Waltz);
    b.phrase(kCandles, beat, kCelesta, "E5:.5 G5 C6:2 | B5:.5 G5 A5:2 | G5:1.5 F5:.5 D5:1 | B4:3",
             60, kCandleKey - 12, 1.2);
}

void writeMelody(ScoreBuilder& b) {
    // The first half on bells, then the flute takes the tune and the choir joins.
    const double secondHalf = kLoopStart + kMelodyBeats / 2;
    b.phrase(kCandles, kLoopStart, kCelesta, tune::kSilentNightFirstHalf, 86, kCandleKey, 1.0);
    b.phrase(kCandles, kLoopStart, kVibraphone, tune::kSilentNightFirstHalf, 68, kCandleKey);
    b.phrase(kCandles, secondHalf, kFlute, tune::kSilentNightSecondHalf, 88, kCandleKey, 0.95);
    b.phrase(kCandles, secondHalf, kCelesta, tune::kSilentNightSecondHalf, 46, kCandleKey, 1.0);
}

void writeAccompaniment(ScoreBuilder& b) {
    const std::string harmony = std::string(tune::kSilentNightFirstHarmony) + " " +
                                std::string(tune::kSilentNightSecondHarmony);
    padChords(b, {kCandles, kLoopStart, kWarmPad, 64, kCandleKey}, harmony);
    padChords(b, {kCandles, kLoopStart, kStrings, 48, kCandleKey}, harmony);
    padChords(b, {kCandles, kLoopStart + kMelodyBeats / 2, kChoir, 54, kCandleKey},
              tune::kSilentNightSecondHarmony);
    arpeggio(b, {kCandles, kLoopStart, kHarp, 56, kCandleKey - 12}, harmony, 0.5);
    bassLine(b, {kCandles, kLoopStart, kSoftBass, 66, kCandleKey}, harmony, BassStyle::Waltz);
}

void writeCoda(ScoreBuilder& b) {
    // The motif in three on the music box, and its answer, with the choir.
    constexpr std::string_view kHarmony = "C:3 | Am:3 | F:3 | G:3";
    b.phrase(kCandles, kCodaStart, kMusicBox,
             "E5:.5 G5 C6:2 | B5:.5 G5 A5:2 | A5:.5 F5 C6:2 | B5:.5 G5 D5:2", 76, kCandleKey - 12,
             1.3);
    padChords(b, {kCandles, kCodaStart, kWarmPad, 60, kCandleKey}, kHarmony);
    padChords(b, {kCandles, kCodaStart, kStrings, 48, kCandleKey}, kHarmony);
    padChords(b, {kCandles, kCodaStart, kChoir, 48, kCandleKey}, kHarmony);
    arpeggio(b, {kCandles, kCodaStart, kHarp, 54, kCandleKey - 12}, kHarmony, 0.5);
    bassLine(b, {kCandles, kCodaStart, kSoftBass, 64, kCandleKey}, kHarmony, BassStyle::Waltz);
}

void writeBells(ScoreBuilder& b) {
    // A soft bell tree at the start of each eight-bar phrase of the loop.
    for (double beat = kLoopStart; beat < kLoopEnd; beat += 24)
        hit(b, kCandles, beat, drum::kBellTree, 40);
}

} // namespace

BeatSpan writeCandles(ScoreBuilder& b) {
    b.metre(3);
    writeClosing(b, 0);
    writeMelody(b);
    writeAccompaniment(b);
    writeCoda(b);
    writeBells(b);
    writeClosing(b, kLoopEnd - kClosingBeats);
    b.metre(4);
    return {kLoopStart, kLoopEnd};
}

} // namespace mkmusic
