#include "arrangement.h"

#include "timeline.h"

namespace mkmusic {
namespace {

// Reverb tail left after the last note has faded.
constexpr double kTailSeconds = 1.2;

std::vector<Voice> instruments() {
    using namespace channel;
    // channel, program, volume, pan, reverb, chorus, name
    return {
        {kCelesta, 8, 100, 78, 60, 10, "celesta"},
        {kGlockenspiel, 9, 72, 46, 60, 0, "glockenspiel"},
        {kMusicBox, 10, 100, 64, 70, 0, "music box"},
        {kTubularBells, 14, 80, 72, 80, 0, "tubular bells"},
        {kWarmPad, 89, 88, 64, 70, 40, "warm pad"},
        {kStrings, 48, 78, 52, 70, 20, "strings"},
        {kChoir, 52, 80, 76, 85, 20, "choir"},
        {kBass, 33, 105, 64, 12, 0, "fingered bass"},
        {kLead, 80, 70, 64, 45, 35, "square lead"},
        {kDrumChannel, 0, 100, 64, 30, 0, "drum kit"},
        {kBrass, 62, 76, 58, 40, 20, "synth brass"},
        {kHarp, 46, 92, 40, 60, 0, "harp"},
        {kFlute, 73, 100, 66, 60, 0, "flute"},
        {kPizzicato, 45, 85, 86, 40, 0, "pizzicato strings"},
        {kVibraphone, 11, 88, 72, 60, 10, "vibraphone"},
        {kSoftBass, 32, 100, 64, 25, 0, "acoustic bass"},
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
    double lastBeat = writeCandles(builder);
    score.length = trackTime(kCandles, lastBeat) + kTailSeconds;
    return score;
}

} // namespace mkmusic
