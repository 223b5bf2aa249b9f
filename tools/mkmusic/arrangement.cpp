#include "arrangement.h"

#include "timeline.h"

namespace mkmusic {
namespace {

std::vector<Voice> instruments() {
    using namespace channel;
    // channel, program, volume, pan, reverb, fold to mono, name
    return {
        {kCelesta, 8, 100, 78, 60, false, "celesta"},
        {kGlockenspiel, 9, 72, 46, 60, false, "glockenspiel"},
        {kMusicBox, 10, 100, 64, 70, false, "music box"},
        {kTubularBells, 14, 80, 72, 80, false, "tubular bells"},
        {kWarmPad, 89, 88, 64, 70, false, "warm pad"},
        {kStrings, 48, 78, 52, 70, false, "strings"},
        {kChoir, 52, 80, 76, 85, false, "choir"},
        {kBass, 33, 90, 64, 12, false, "fingered bass"},
        {kLead, 80, 84, 64, 45, true, "square lead"},
        {kDrumChannel, 0, 124, 64, 30, false, "drum kit"},
        {kBrass, 62, 84, 58, 40, true, "synth brass"},
        {kHarp, 46, 92, 40, 60, false, "harp"},
        {kFlute, 73, 78, 66, 60, true, "flute"},
        {kPizzicato, 45, 85, 86, 40, false, "pizzicato strings"},
        {kVibraphone, 11, 88, 72, 60, false, "vibraphone"},
        {kSoftBass, 32, 100, 64, 25, false, "acoustic bass"},
    };
}

} // namespace

Score buildArrangement() {
    Score score;
    score.voices = instruments();
    ScoreBuilder builder(score);
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
    return score;
}

} // namespace mkmusic
