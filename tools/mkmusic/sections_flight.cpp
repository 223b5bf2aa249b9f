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

// The warp lifts the sleigh ride a whole tone.
constexpr int kWarpKey = 2;

} // namespace

void writeMoon(ScoreBuilder& b) {
    // "Brightly shone the moon that night", soft, then rising into the warp.
    b.phrase(kMoon, 0, kVibraphone, tune::kWenceslasMoonLine, 80, 12);
    b.phrase(kMoon, 0, kFlute, tune::kWenceslasMoonLine, 84);
    b.phrase(kMoon, 16, kFlute, tune::kWenceslasRisingLine, 90, 12);
    b.phrase(kMoon, 16, kBrass, tune::kWenceslasRisingLine, 76);
    b.phrase(kMoon, 16, kGlockenspiel, tune::kWenceslasRisingLine, 50, 24);

    constexpr std::string_view kHarmony =
        "C:2 G7:2 | C:1 G:1 C:2 | F:2 G:2 | C:4 | C:2 G:2 | Am:2 A7sus4:2 | A7:1";
    padChords(b, {kMoon, 0, kStrings, 70}, kHarmony);
    padChords(b, {kMoon, 0, kWarmPad, 62}, kHarmony);
    arpeggio(b, {kMoon, 0, kHarp, 60}, kHarmony, 0.5);
    bassLine(b, {kMoon, 0, kSoftBass, 70}, "C:2 G7:2 | C:1 G:1 C:2 | F:2 G:2 | C:4",
             BassStyle::Held);
    bassLine(b, {kMoon, 16, kBass, 86}, "C:2 G:2 | Am:2 A7sus4:2 | A7:1", BassStyle::Polka);
    b.ramp(kMoon, 16, 25, kStrings, 11, 90, 127);

    // The sleighs fly in: bells from a whisper to full, then the drums.
    hit(b, kMoon, 0, drum::kBellTree, 60);
    sleighBells(b, {kMoon, 0, 16}, 0.5, 44, 70);
    sleighBells(b, {kMoon, 16, 24}, 0.25, 66, 92);
    for (int beat = 16; beat < 22; ++beat)
        hit(b, kMoon, beat, drum::kKick, 70 + (beat - 16) * 4);
    snareFill(b, {kMoon, 22, 25}, 40, 110);
}

void writeWarp(ScoreBuilder& b) {
    // The whole refrain of "Jingle Bells", with the full band, one tone up.
    const std::string melody = std::string(tune::kJingleRefrainOpening) + " " +
                               std::string(tune::kJingleRefrainHalfClose) + " " +
                               std::string(tune::kJingleRefrainFullClose) + " C5:3";
    const std::string harmony = std::string(tune::kJingleHarmonyHalf) + " F:2 C:2 G7:2 C:3";
    b.phrase(kWarp, 0, kLead, melody, 104, kWarpKey);
    b.phrase(kWarp, 0, kBrass, melody, 88, kWarpKey);
    b.phrase(kWarp, 0, kGlockenspiel, melody, 60, kWarpKey + 12);
    b.phrase(kWarp, 0, kStrings, melody, 60, kWarpKey - 12);
    arpeggio(b, {kWarp, 0, kCelesta, 60, kWarpKey}, harmony, 0.25);
    padChords(b, {kWarp, 0, kWarmPad, 70, kWarpKey}, harmony);
    padChords(b, {kWarp, 0, kChoir, 64, kWarpKey}, harmony);
    bassLine(b, {kWarp, 0, kBass, 100, kWarpKey}, harmony, BassStyle::Eighths);
    offbeatChords(b, {kWarp, 0, kPizzicato, 66, kWarpKey}, harmony);

    for (double crash : {0.0, 8.0, 16.0, 22.0})
        hit(b, kWarp, crash, drum::kCrash, 108);
    drivingGroove(b, {kWarp, 0, 22}, 102);
    sleighBells(b, {kWarp, 0, 22}, 0.25, 76, 84);
    b.note(kWarp, 22, kTubularBells, 62 + kWarpKey, 3, 84);
    hit(b, kWarp, 22, drum::kKick, 108);
    hit(b, kWarp, 22, drum::kBellTree, 70);
}

} // namespace mkmusic
