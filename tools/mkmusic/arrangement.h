// The show's track: a medley of traditional carols, one section per scene.
#pragma once

#include "score.h"
#include "score_builder.h"

namespace mkmusic {

// One MIDI channel per instrument, so no program changes mid-track.
namespace channel {
inline constexpr int kCelesta = 0;
inline constexpr int kGlockenspiel = 1;
inline constexpr int kMusicBox = 2;
inline constexpr int kTubularBells = 3;
inline constexpr int kWarmPad = 4;
inline constexpr int kStrings = 5;
inline constexpr int kChoir = 6;
inline constexpr int kBass = 7;
inline constexpr int kBrass = 10;
inline constexpr int kHarp = 11;
inline constexpr int kFlute = 12;
inline constexpr int kPizzicato = 13;
inline constexpr int kVibraphone = 14;
inline constexpr int kSoftBass = 15;
} // namespace channel

Score buildArrangement();

// The sections, in track order; each writes only inside its own time span
// (sounding notes may ring on into the next).
void writePreroll(ScoreBuilder& builder);
void writeLetters(ScoreBuilder& builder);
void writeSparkler(ScoreBuilder& builder);
void writeLogo(ScoreBuilder& builder);
void writePlasma(ScoreBuilder& builder);
void writeTree(ScoreBuilder& builder);
void writeMoon(ScoreBuilder& builder);
void writeWarp(ScoreBuilder& builder);
struct BeatSpan {
    double from;
    double to;
};
// Returns the beats, inside the candle section, that repeat for as long as
// the candles burn; the track ends where they end.
BeatSpan writeCandles(ScoreBuilder& builder);

} // namespace mkmusic
