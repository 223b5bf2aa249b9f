// Santas under the moon, then the warp: the build and the peak of the track.
#include "accompaniment.h"
#include "arrangement.h"
#include "drums.h"
#include "synth.h"
#include "timeline.h"
#include "tunes.h"

#include <string>

namespace mkmusic {

using namespace channel;

namespace {

// The moon turns to G major; its last chord, A7, leads into the warp's D.
constexpr int kMoonKey = -5;
// The warp lifts the sleigh ride a whole tone above the sparkler.
constexpr int kWarpKey = 2;

// The santas start to bob: the drums come in and the music builds.
constexpr double kBob = cueBeat(kMoon, kSkyLatePhaseMs);
// The warp's picture changes: it takes off, flies straight, then turns.
constexpr double kTakeOff = cueBeat(kWarp, kWarpHoldEndsMs);
constexpr double kZoomEnds = cueBeat(kWarp, kWarpZoomEndsMs);
constexpr double kStraightEnds = cueBeat(kWarp, kWarpStraightEndsMs);
constexpr double kWarpBeats = 30;
// The hook crowns the flight: its call and answer in the last eight beats.
constexpr double kWarpHook = kWarpBeats - 8;

void writeMoonMusic(ScoreBuilder& b) {
    // "Brightly shone the moon that night", soft, then rising into the warp.
    b.phrase(kMoon, 0, synth::kSoftLead, tune::kWenceslasMoonLine, 96, kMoonKey + 12);
    b.phrase(kMoon, 0, kVibraphone, tune::kWenceslasMoonLine, 58, kMoonKey + 24);
    b.phrase(kMoon, 16, synth::kSoftLead, tune::kWenceslasRisingLine, 92, kMoonKey + 24);
    b.phrase(kMoon, 16, synth::kPulseLead, tune::kWenceslasRisingLine, 86, kMoonKey + 12);
    b.phrase(kMoon, 16, kBrass, tune::kWenceslasRisingLine, 66, kMoonKey);
    b.phrase(kMoon, 16, kGlockenspiel, tune::kWenceslasRisingLine, 44, kMoonKey + 24);

    constexpr std::string_view kRising = "C:2 G:2 | Am:2 D7:2";
    const std::string harmony =
        std::string(tune::kWenceslasMoonHarmony) + " " + std::string(kRising);
    padChords(b, {kMoon, 0, kStrings, 70, kMoonKey + 12}, harmony);
    padChords(b, {kMoon, 0, kWarmPad, 62, kMoonKey + 12}, harmony);
    arpeggio(b, {kMoon, 0, kHarp, 60, kMoonKey}, harmony, 0.5);
    // From the bob the thin pulse runs along with the harp, in sixteenths
    // when the tune starts to climb.
    static_assert(kBob == 12, "the bob starts the tune's last bar before the climb");
    arpeggio(b, {kMoon, kBob, synth::kChipArp, 52, kMoonKey}, "C:4", 0.5);
    arpeggio(b, {kMoon, 16, synth::kChipArp, 56, kMoonKey}, kRising, 0.25);
    bassLine(b, {kMoon, 0, kSoftBass, 76, kMoonKey + 12}, tune::kWenceslasMoonHarmony,
             BassStyle::Held);
    bassLine(b, {kMoon, 16, kBass, 90, kMoonKey + 12}, kRising, BassStyle::Polka);
    bassLine(b, {kMoon, kBob, synth::kChipBass, 74, kMoonKey + 24}, "C:4 " + std::string(kRising),
             BassStyle::Eighths);
    b.ramp(kMoon, kBob, 24, kStrings, 11, 90, 120);
}

void writeMoonDrums(ScoreBuilder& b) {
    // A bell for the sleighs in the sky; the drums come in softly as the
    // santas start to bob, holding back for the warp, and build in the last
    // bar.
    hit(b, kMoon, 0, drum::kBellTree, 60);
    hit(b, kMoon, 0, drum::kTriangle, 50);
    b.note(kMoon, 0, kTubularBells, 72 + kMoonKey, 3, 72); // the new tonic, G
    hit(b, kMoon, 8, drum::kTriangle, 40);
    b.fader(kMoon, kBob, -2.5);
    hit(b, kMoon, kBob, drum::kSplash, 84);
    for (int beat = static_cast<int>(kBob); beat < 20; ++beat)
        hit(b, kMoon, beat, drum::kKick, beat % 4 == 0 ? 84 : 64);
    chipBeat(b, {kMoon, 16, 20}, 4, 80, false);
    tambourine(b, {kMoon, kBob, 20}, 36, 56);
    snareBuild(b, {kMoon, 20, 24}, 36, 100);
    tomFill(b, {kMoon, 22, 23}, 90);
}

// The title card: the picture holds still, the drums hold back; a filter
// opens on the chord and noise rises into take-off.
void writeTitleCard(ScoreBuilder& b) {
    hit(b, kWarp, 0, drum::kCrash, 104);
    hit(b, kWarp, 0, drum::kKick, 110);
    b.note(kWarp, 0, synth::kChipKit, drum::kKick, 0.25, 104);
    b.chord(kWarp, 0, synth::kSweep, "D3+A3+D4+F#4+A4", kTakeOff, 76);
    // The noise stops a sixteenth before take-off, so that the drop lands.
    b.note(kWarp, 0, synth::kChipKit, drum::kRiser, kTakeOff - 0.25, 72);
    for (double beat = 0; beat < kTakeOff; beat += 2)
        b.note(kWarp, beat, kBass, 38, 1.8, 64 + static_cast<int>(beat) * 4);
    b.phrase(kWarp, 0, kCelesta, "D5:.5 F#5 A5 D6 | E6:.5 F#6 A6 D7 | E7:2", 36);
    snareBuild(b, {kWarp, kTakeOff - 2, kTakeOff}, 24, 76);
}

void writeWarpDrums(ScoreBuilder& b) {
    // From take-off, crashes on the picture changes and on the hook, each
    // announced by a fill on the beat before, and a build into the candles.
    constexpr double kAccents[] = {kTakeOff, kZoomEnds, kWarpHook, kStraightEnds, kWarpBeats - 2};
    static_assert(kWarpHook < kStraightEnds, "the hook is under way when the field turns");
    for (size_t i = 0; i + 1 < std::size(kAccents); ++i) {
        const double from = kAccents[i], to = kAccents[i + 1];
        hit(b, kWarp, from, drum::kCrash, 110);
        drivingGroove(b, {kWarp, from, to - 1}, 100);
        chipBeat(b, {kWarp, from, to - 1}, 2, 96, to > kWarpHook);
        if (i + 2 < std::size(kAccents))
            tomFill(b, {kWarp, to - 1, to}, 100);
        else
            drivingGroove(b, {kWarp, to - 1, to}, 100);
    }
    sleighBells(b, {kWarp, kTakeOff, kWarpBeats - 2}, 1.0, 62, 70);
    // The band holds its last chord and the drums run down the toms alone.
    tomFill(b, {kWarp, kWarpBeats - 2, kWarpBeats}, 108);
}

} // namespace

void writeMoon(ScoreBuilder& b) {
    writeMoonMusic(b);
    writeMoonDrums(b);
}

void writeWarp(ScoreBuilder& b) {
    // The title card builds; at take-off the full band drops in with the
    // first half of the "Jingle Bells" refrain, one tone up, the pulse lead
    // on the tune; then the hook crowns the flight, the saw lead in thirds
    // under it, and the last bar builds into the candles.
    b.metre(2);
    writeTitleCard(b);
    const std::string refrain =
        std::string(tune::kJingleRefrainOpening) + " " + std::string(tune::kJingleRefrainHalfClose);
    b.phrase(kWarp, kTakeOff, synth::kPulseLead, refrain, 100, kWarpKey);
    b.phrase(kWarp, kTakeOff, kBrass, refrain, 74, kWarpKey);
    b.phrase(kWarp, kTakeOff, kGlockenspiel, refrain, 46, kWarpKey + 12);
    b.phrase(kWarp, kTakeOff, kStrings, refrain, 62, kWarpKey - 12);
    arpeggio(b, {kWarp, kTakeOff, synth::kChipArp, 60, kWarpKey - 12}, tune::kJingleHarmonyHalf,
             0.25);
    arpeggio(b, {kWarp, kTakeOff, kCelesta, 50, kWarpKey}, tune::kJingleHarmonyHalf, 0.5);
    padChords(b, {kWarp, kTakeOff, kWarmPad, 76, kWarpKey}, tune::kJingleHarmonyHalf);
    bassLine(b, {kWarp, kTakeOff, kBass, 106, kWarpKey}, tune::kJingleHarmonyHalf,
             BassStyle::Eighths);
    bassLine(b, {kWarp, kTakeOff, synth::kChipBass, 78, kWarpKey + 12}, tune::kJingleHarmonyHalf,
             BassStyle::Eighths);
    offbeatChords(b, {kWarp, kTakeOff, kPizzicato, 62, kWarpKey}, tune::kJingleHarmonyHalf);
    barStabs(b, {kWarp, kTakeOff, kPizzicato, 92, kWarpKey}, tune::kJingleHarmonyHalf, 2);

    // The hook, in D: two bars of four become four of two.
    b.metre(4);
    b.phrase(kWarp, kWarpHook, synth::kHook, tune::wholeMotif(), 122, kWarpKey, 0.92);
    b.statement("warp", kWarp, kWarpHook, kWarpBeats, false);
    b.phrase(kWarp, kWarpHook, synth::kSawLead, tune::kMotifThirdBelow, 72, kWarpKey);
    b.metre(2);
    const std::string hookHarmony = std::string(tune::kMotifHarmony);
    padChords(b, {kWarp, kWarpHook, kChoir, 70, kWarpKey}, hookHarmony);
    padChords(b, {kWarp, kWarpHook, kWarmPad, 70, kWarpKey}, hookHarmony);
    arpeggio(b, {kWarp, kWarpHook, synth::kChipArp, 58, kWarpKey}, "C:2 Am:2 | F:2", 0.25);
    barStabs(b, {kWarp, kWarpHook, kPizzicato, 92, kWarpKey}, hookHarmony, 2);
    bassLine(b, {kWarp, kWarpHook, kBass, 106, kWarpKey}, hookHarmony, BassStyle::Eighths);
    bassLine(b, {kWarp, kWarpHook, synth::kChipBass, 78, kWarpKey + 12}, hookHarmony,
             BassStyle::Eighths);
    writeWarpDrums(b);

    // The candles' downbeat: a soft kick under the candles' own first notes.
    hit(b, kWarp, kWarpBeats, drum::kKick, 84);
    b.metre(4);
}

} // namespace mkmusic
