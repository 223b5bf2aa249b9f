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
// The warp's picture changes.
constexpr double kHoldEnds = cueBeat(kWarp, kWarpHoldEndsMs);
constexpr double kZoomEnds = cueBeat(kWarp, kWarpZoomEndsMs);
constexpr double kStraightEnds = cueBeat(kWarp, kWarpStraightEndsMs);
constexpr double kWarpBeats = 30;

void writeMoonMusic(ScoreBuilder& b) {
    // "Brightly shone the moon that night", soft, then rising into the warp.
    b.phrase(kMoon, 0, kVibraphone, tune::kWenceslasMoonLine, 78, kMoonKey + 24);
    b.phrase(kMoon, 0, kFlute, tune::kWenceslasMoonLine, 84, kMoonKey + 12);
    b.phrase(kMoon, 16, kFlute, tune::kWenceslasRisingLine, 92, kMoonKey + 12);
    b.phrase(kMoon, 16, synth::kPulseLead, tune::kWenceslasRisingLine, 86, kMoonKey + 12);
    b.phrase(kMoon, 16, kBrass, tune::kWenceslasRisingLine, 78, kMoonKey + 12);
    b.phrase(kMoon, 16, kGlockenspiel, tune::kWenceslasRisingLine, 50, kMoonKey + 24);

    constexpr std::string_view kRising = "C:2 G:2 | Am:2 D7:2";
    const std::string harmony =
        std::string(tune::kWenceslasMoonHarmony) + " " + std::string(kRising);
    padChords(b, {kMoon, 0, kStrings, 70, kMoonKey + 12}, harmony);
    padChords(b, {kMoon, 0, kWarmPad, 62, kMoonKey + 12}, harmony);
    arpeggio(b, {kMoon, 0, kHarp, 60, kMoonKey}, harmony, 0.5);
    // From the bob the thin pulse runs along with the harp, in sixteenths
    // when the tune starts to climb.
    static_assert(kBob == 12, "the bob starts the tune's last bar before the climb");
    arpeggio(b, {kMoon, kBob, synth::kChipArp, 56, kMoonKey}, "C:4", 0.5);
    arpeggio(b, {kMoon, 16, synth::kChipArp, 62, kMoonKey}, kRising, 0.25);
    bassLine(b, {kMoon, 0, kSoftBass, 76, kMoonKey + 12}, tune::kWenceslasMoonHarmony,
             BassStyle::Held);
    bassLine(b, {kMoon, 16, kBass, 96, kMoonKey + 12}, kRising, BassStyle::Polka);
    bassLine(b, {kMoon, kBob, synth::kChipBass, 80, kMoonKey + 24}, "C:4 " + std::string(kRising),
             BassStyle::Eighths);
    b.ramp(kMoon, kBob, 24, kStrings, 11, 90, 127);
}

void writeMoonDrums(ScoreBuilder& b) {
    // A bell for the sleighs in the sky; the drums come in as the santas
    // start to bob, and build into the warp.
    hit(b, kMoon, 0, drum::kBellTree, 60);
    hit(b, kMoon, 0, drum::kTriangle, 50);
    b.note(kMoon, 0, kTubularBells, 72 + kMoonKey, 3, 72); // the new tonic, G
    hit(b, kMoon, 8, drum::kTriangle, 40);
    hit(b, kMoon, kBob, drum::kSplash, 92);
    for (int beat = static_cast<int>(kBob); beat < 22; ++beat)
        hit(b, kMoon, beat, drum::kKick, 80 + (beat - 12) * 3);
    chipBeat(b, {kMoon, 16, 22}, 4, 88, true);
    tambourine(b, {kMoon, kBob, 22}, 40, 64);
    snareFill(b, {kMoon, 22, 24}, 44, 112);
}

void writeWarpDrums(ScoreBuilder& b) {
    // Crashes on the picture changes and on the second "Jingle bells", each
    // announced by a fill on the beat before.
    constexpr double kAccents[] = {0.0, kHoldEnds, kZoomEnds, 16.0, kStraightEnds, kWarpBeats};
    for (size_t i = 0; i + 1 < std::size(kAccents); ++i) {
        const double from = kAccents[i], to = kAccents[i + 1];
        if (from < kWarpBeats)
            hit(b, kWarp, from, drum::kCrash, 110);
        drivingGroove(b, {kWarp, from, to - 1}, 96);
        chipBeat(b, {kWarp, from, to - 1}, 2, 96, to > 16);
        if (to < kWarpBeats)
            tomFill(b, {kWarp, to - 1, to}, 100);
        else
            snareFill(b, {kWarp, to - 1, to}, 70, 112);
    }
    sleighBells(b, {kWarp, 0, kWarpBeats}, 1.0, 60, 68);
}

} // namespace

void writeMoon(ScoreBuilder& b) {
    writeMoonMusic(b);
    writeMoonDrums(b);
}

void writeWarp(ScoreBuilder& b) {
    // The whole refrain of "Jingle Bells", with the full band, one tone up;
    // its last note, the tonic, lands on the candles' first downbeat. The
    // pulse lead has the first "Jingle bells"; for the second the saw takes
    // the tune, the pulse an octave above it, and the thin pulse's
    // sixteenths move to the celesta.
    b.metre(2);
    constexpr double kSecondHalf = 16;
    const std::string first =
        std::string(tune::kJingleRefrainOpening) + " " + std::string(tune::kJingleRefrainHalfClose);
    const std::string second = std::string(tune::kJingleRefrainOpening) + " " +
                               std::string(tune::kJingleRefrainFullClose) + " C5:2";
    b.phrase(kWarp, 0, synth::kPulseLead, first, 100, kWarpKey);
    b.phrase(kWarp, 0, kBrass, first, 84, kWarpKey);
    b.phrase(kWarp, 0, kGlockenspiel, first, 52, kWarpKey + 12);
    b.phrase(kWarp, 0, kStrings, first, 62, kWarpKey - 12);
    arpeggio(b, {kWarp, 0, synth::kChipArp, 62, kWarpKey - 12}, tune::kJingleHarmonyHalf, 0.25);
    arpeggio(b, {kWarp, 0, kCelesta, 54, kWarpKey}, tune::kJingleHarmonyHalf, 0.5);
    padChords(b, {kWarp, 0, kWarmPad, 76, kWarpKey}, tune::kJingleHarmonyHalf);

    b.phrase(kWarp, kSecondHalf, synth::kSawLead, second, 100, kWarpKey);
    b.phrase(kWarp, kSecondHalf, synth::kPulseLead, second, 80, kWarpKey + 12);
    b.phrase(kWarp, kSecondHalf, kBrass, second, 80, kWarpKey);
    b.phrase(kWarp, kSecondHalf, kStrings, second, 62, kWarpKey - 12);
    arpeggio(b, {kWarp, kSecondHalf, kCelesta, 58, kWarpKey}, tune::kJingleHarmonyClose, 0.25);
    arpeggio(b, {kWarp, kSecondHalf, synth::kChipArp, 60, kWarpKey}, tune::kJingleHarmonyClose,
             0.5);
    padChords(b, {kWarp, kSecondHalf, kChoir, 76, kWarpKey}, tune::kJingleHarmonyClose);

    const std::string harmony = tune::jingleRefrainHarmony();
    bassLine(b, {kWarp, 0, kBass, 106, kWarpKey}, harmony, BassStyle::Eighths);
    bassLine(b, {kWarp, 0, synth::kChipBass, 78, kWarpKey + 12}, harmony, BassStyle::Eighths);
    offbeatChords(b, {kWarp, 0, kPizzicato, 62, kWarpKey}, harmony);
    writeWarpDrums(b);

    // The last bell on the tonic, D, which is the fifth of the candles' first
    // chord: the warp's home becomes the candles' dominant.
    b.note(kWarp, kWarpBeats, kTubularBells, 60 + kWarpKey, 3, 84);
    hit(b, kWarp, kWarpBeats, drum::kKick, 90);
    hit(b, kWarp, kWarpBeats, drum::kBellTree, 70);
    b.metre(4);
}

} // namespace mkmusic
