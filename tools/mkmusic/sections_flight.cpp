// Santas under the moon, then the warp: the build and the peak of the track.
#include "accompaniment.h"
#include "arrangement.h"
#include "drums.h"
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
    b.phrase(kMoon, 16, kBrass, tune::kWenceslasRisingLine, 78, kMoonKey + 12);
    b.phrase(kMoon, 16, kGlockenspiel, tune::kWenceslasRisingLine, 50, kMoonKey + 24);

    constexpr std::string_view kRising = "C:2 G:2 | Am:2 D7:2";
    const std::string harmony =
        std::string(tune::kWenceslasMoonHarmony) + " " + std::string(kRising);
    padChords(b, {kMoon, 0, kStrings, 70, kMoonKey + 12}, harmony);
    padChords(b, {kMoon, 0, kWarmPad, 62, kMoonKey + 12}, harmony);
    arpeggio(b, {kMoon, 0, kHarp, 60, kMoonKey}, harmony, 0.5);
    bassLine(b, {kMoon, 0, kSoftBass, 76, kMoonKey + 12}, tune::kWenceslasMoonHarmony,
             BassStyle::Held);
    bassLine(b, {kMoon, 16, kBass, 96, kMoonKey + 12}, kRising, BassStyle::Polka);
    b.ramp(kMoon, kBob, 24, kStrings, 11, 90, 127);
}

void writeMoonDrums(ScoreBuilder& b) {
    // A bell for the sleighs in the sky; the drums come in as the santas
    // start to bob, and build into the warp.
    hit(b, kMoon, 0, drum::kBellTree, 60);
    hit(b, kMoon, 0, drum::kTriangle, 64);
    b.note(kMoon, 0, kTubularBells, 72 + kMoonKey, 3, 72); // the new tonic, G
    hit(b, kMoon, 8, drum::kTriangle, 50);
    hit(b, kMoon, kBob, drum::kSplash, 92);
    hit(b, kMoon, kBob, drum::kBellTree, 70);
    for (int beat = static_cast<int>(kBob); beat < 22; ++beat)
        hit(b, kMoon, beat, drum::kKick, 80 + (beat - 12) * 3);
    tambourine(b, {kMoon, kBob, 22}, 52, 84);
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
        if (to < kWarpBeats)
            tomFill(b, {kWarp, to - 1, to}, 100);
        else
            snareFill(b, {kWarp, to - 1, to}, 70, 112);
    }
    sleighBells(b, {kWarp, 0, kWarpBeats}, 0.5, 74, 84);
}

} // namespace

void writeMoon(ScoreBuilder& b) {
    writeMoonMusic(b);
    writeMoonDrums(b);
}

void writeWarp(ScoreBuilder& b) {
    // The whole refrain of "Jingle Bells", with the full band, one tone up;
    // its last note, the tonic, lands on the candles' first downbeat.
    b.metre(2);
    const std::string melody = tune::jingleRefrain() + " C5:2";
    const std::string harmony = tune::jingleRefrainHarmony();
    b.phrase(kWarp, 0, kLead, melody, 104, kWarpKey);
    b.phrase(kWarp, 0, kBrass, melody, 92, kWarpKey);
    b.phrase(kWarp, 0, kGlockenspiel, melody, 58, kWarpKey + 12);
    b.phrase(kWarp, 0, kStrings, melody, 62, kWarpKey - 12);
    arpeggio(b, {kWarp, 0, kCelesta, 58, kWarpKey}, harmony, 0.25);
    padChords(b, {kWarp, 0, kWarmPad, 80, kWarpKey}, harmony);
    padChords(b, {kWarp, 0, kChoir, 76, kWarpKey}, harmony);
    bassLine(b, {kWarp, 0, kBass, 120, kWarpKey}, harmony, BassStyle::Eighths);
    offbeatChords(b, {kWarp, 0, kPizzicato, 66, kWarpKey}, harmony);
    writeWarpDrums(b);

    // The last bell on the tonic, D, which is the fifth of the candles' first
    // chord: the warp's home becomes the candles' dominant.
    b.note(kWarp, kWarpBeats, kTubularBells, 60 + kWarpKey, 3, 84);
    hit(b, kWarp, kWarpBeats, drum::kKick, 90);
    hit(b, kWarp, kWarpBeats, drum::kBellTree, 70);
    b.metre(4);
}

} // namespace mkmusic
