// The candles: "Silent Night" in G, slow and warm, and the show's hook; the
// scene lasts until the viewer quits, so its music repeats without a seam.
//
// The loop is "Silent Night" and an eight-bar coda whose last four bars (the
// hook in three, turning back to the tune) are also played once before the
// loop starts: what sounds just before the loop's start (held chords, ringing
// notes, the reverb) is then what sounds just before its end.
#include "accompaniment.h"
#include "arrangement.h"
#include "drums.h"
#include "renderer.h"
#include "synth.h"
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

// The hook in three, over the band held soft.
void writeHookInThree(ScoreBuilder& b, double beat, std::string_view harmony, int velocity) {
    padChords(b, {kCandles, beat, kWarmPad, 52, kCandleKey}, harmony);
    padChords(b, {kCandles, beat, kStrings, 40, kCandleKey}, harmony);
    arpeggio(b, {kCandles, beat, kHarp, 46, kCandleKey - 12}, harmony, 1.0);
    bassLine(b, {kCandles, beat, kSoftBass, 64, kCandleKey}, harmony, BassStyle::Waltz);
    b.phrase(kCandles, beat, synth::kHook, tune::kMotifInThree, velocity, kCandleKey - 12, 0.95);
}

// The coda's last four bars: the hook over the tonic, turning to the
// dominant, back to the tune.
void writeClosing(ScoreBuilder& b, double beat) {
    writeHookInThree(b, beat, "C:3 | Am:3 | F:3 | G7:3", 78);
}

void writeMelody(ScoreBuilder& b) {
    // The first half on our bell, high like a music box, then the soft lead
    // takes the tune and the choir joins; the SoundFont's celesta and flute
    // under them.
    const double secondHalf = kLoopStart + kMelodyBeats / 2;
    b.phrase(kCandles, kLoopStart, synth::kBell, tune::kSilentNightFirstHalf, 92, kCandleKey + 12,
             1.0);
    b.phrase(kCandles, kLoopStart, kCelesta, tune::kSilentNightFirstHalf, 54, kCandleKey, 1.0);
    b.phrase(kCandles, secondHalf, synth::kSoftLead, tune::kSilentNightSecondHalf, 92, kCandleKey,
             0.95);
    b.phrase(kCandles, secondHalf, kFlute, tune::kSilentNightSecondHalf, 60, kCandleKey, 0.95);
}

void writeAccompaniment(ScoreBuilder& b) {
    const std::string harmony = std::string(tune::kSilentNightFirstHarmony) + " " +
                                std::string(tune::kSilentNightSecondHarmony);
    padChords(b, {kCandles, kLoopStart, kWarmPad, 56, kCandleKey}, harmony);
    padChords(b, {kCandles, kLoopStart, kStrings, 44, kCandleKey}, harmony);
    padChords(b, {kCandles, kLoopStart + kMelodyBeats / 2, kChoir, 54, kCandleKey},
              tune::kSilentNightSecondHarmony);
    arpeggio(b, {kCandles, kLoopStart, kHarp, 56, kCandleKey - 12}, harmony, 0.5);
    bassLine(b, {kCandles, kLoopStart, kSoftBass, 66, kCandleKey}, harmony, BassStyle::Waltz);
}

void writeCoda(ScoreBuilder& b) {
    // The hook once more, with the choir.
    writeHookInThree(b, kCodaStart, "C:3 | Am:3 | F:3 | G:3", 84);
    padChords(b, {kCandles, kCodaStart, kChoir, 44, kCandleKey}, "C:3 | Am:3 | F:3 | G:3");
}

void writeBells(ScoreBuilder& b) {
    // A soft bell tree at the start of each eight-bar phrase of the tune;
    // sleigh bells on the second and third beats from the tune's second line
    // to the coda's hook, resting in the bar where the tune's second half
    // first holds its note; the top end rests in the tune's first line and
    // the closing.
    for (double beat = kLoopStart; beat < kCodaStart; beat += 24)
        hit(b, kCandles, beat, drum::kBellTree, 40);
    for (double beat = kLoopStart + 12; beat < kCodaStart + kClosingBeats; beat += 3) {
        if (beat == kLoopStart + kMelodyBeats / 2 + 9)
            continue;
        hit(b, kCandles, beat + 1, drum::kSleighBells, 40);
        hit(b, kCandles, beat + 2, drum::kSleighBells, 34);
    }
}

} // namespace

BeatSpan writeCandles(ScoreBuilder& b) {
    b.metre(3);
    writeClosing(b, 0);
    b.statement("candles' entrance", kCandles, 0, kClosingBeats, true);
    writeMelody(b);
    writeAccompaniment(b);
    writeCoda(b);
    writeBells(b);
    b.statement("candles' coda", kCandles, kCodaStart, kCodaStart + kClosingBeats, false);
    writeClosing(b, kLoopEnd - kClosingBeats);
    b.statement("before the loop's end", kCandles, kLoopEnd - kClosingBeats, kLoopEnd, false);
    b.metre(4);
    return {kLoopStart, kLoopEnd};
}

} // namespace mkmusic
