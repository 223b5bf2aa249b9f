#include "arrangement.h"

#include "synth.h"
#include "timeline.h"

#include <algorithm>

namespace mkmusic {
namespace {

std::vector<Voice> instruments() {
    using namespace channel;
    // channel, program, volume, pan, reverb, fold to mono, name
    return {
        {kCelesta, 8, 100, 80, 60, false, "celesta"},
        {kGlockenspiel, 9, 72, 36, 60, false, "glockenspiel"},
        {kMusicBox, 10, 100, 60, 70, false, "music box"},
        {kTubularBells, 14, 80, 72, 80, false, "tubular bells"},
        {kWarmPad, 89, 88, 64, 70, false, "warm pad"},
        {kStrings, 48, 78, 44, 70, false, "strings"},
        {kChoir, 52, 80, 82, 85, false, "choir"},
        {kBass, 33, 90, 64, 12, false, "fingered bass"},
        {kDrumChannel, 0, 124, 64, 30, false, "drum kit"},
        {kBrass, 62, 84, 58, 40, true, "synth brass"},
        {kHarp, 46, 92, 34, 60, false, "harp"},
        {kFlute, 73, 78, 66, 60, true, "flute"},
        {kPizzicato, 45, 85, 92, 40, false, "pizzicato strings"},
        {kVibraphone, 11, 88, 84, 60, false, "vibraphone"},
        {kSoftBass, 32, 100, 64, 25, false, "acoustic bass"},
        // Our own voices; the reverb setting is their echo's level.
        {synth::kPulseLead, 0, 100, 64, 40, false, "pulse lead"},
        {synth::kSawLead, 0, 100, 64, 36, false, "saw lead"},
        {synth::kChipArp, 0, 96, 24, 56, false, "chip arpeggio"},
        {synth::kChipBass, 0, 100, 64, 0, false, "chip bass"},
        {synth::kChipKit, 0, 110, 64, 0, false, "chip drums"},
        {synth::kHook, 0, 78, 64, 44, false, "hook"},
        {synth::kSoftLead, 0, 84, 64, 40, false, "soft lead"},
        {synth::kBell, 0, 86, 64, 44, false, "bell"},
        {synth::kSweep, 0, 100, 64, 30, false, "sweep pad"},
    };
}

// Each scene's level in the track's arc, after what its arrangement gives:
// the build to the warp is arranged (more parts, higher, the drums opening
// up), and these only even out the steps between the scenes. Sections move
// the fader inside themselves too (the moon's second half, the warp's title
// card), against these.
constexpr double kSectionTrimDb[kSectionCount] = {0, 1.5, -1.0, -1.0, -2.5, -10.0, 0.5, -2.0, 1.5};

// The fader's moves in time order; at one moment, a section's own move
// (made later) wins over its level.
void sortFaderMoves(Score& score) {
    std::stable_sort(score.fader.begin(), score.fader.end(),
                     [](const FaderMove& a, const FaderMove& b) { return a.time < b.time; });
}

} // namespace

Score buildArrangement() {
    Score score;
    score.voices = instruments();
    for (int section = 0; section < kSectionCount; ++section)
        score.fader.push_back({trackTime(section, 0), kSectionTrimDb[section]});
    ScoreBuilder builder(score, kSectionTrimDb);
    writePreroll(builder);
    writeLetters(builder);
    writeSparkler(builder);
    writeLogo(builder);
    writePlasma(builder);
    writeTree(builder);
    writeMoon(builder);
    writeWarp(builder);
    BeatSpan loop = writeCandles(builder);
    score.loopStart = trackTime(kCandles, loop.from);
    score.loopEnd = trackTime(kCandles, loop.to);
    score.length = score.loopEnd;
    sortFaderMoves(score);
    return score;
}

} // namespace mkmusic
