// The generator's own checks: the track measured as a player decodes it,
// scene by scene, against the goals of its sound (loudness and its arc,
// spectrum, stereo image, downbeats on the cuts, no passage played twice
// alike, accents and fills, the top end's breaks, the motif and our own
// voices heard, oscillators that do not alias).
#pragma once

#include "loop.h"
#include "part_level.h"
#include "renderer.h"
#include "score.h"

#include <cstdio>
#include <string>
#include <vector>

namespace mkmusic {

struct SectionFigures {
    const char* name = "";
    double from = 0.0, to = 0.0;  // seconds
    double loudness = 0.0;        // integrated, LUFS
    double loudnessRange = 0.0;   // LU
    double crestDb = 0.0;         // sample peak over RMS
    double sideToMidDb = 0.0;     // power of (L - R) / 2 against (L + R) / 2
    double correlation = 0.0;     // of the left and right channels
    double monoLossDb = 0.0;      // the channels' power against their mean's
    double leftOverRightDb = 0.0; // power
    std::vector<double> octaves;  // dB, at kOctaveCentres
    double presenceDb = 0.0;      // 2 to 5 kHz, against the loudest octave
    double downbeatMissMs = 0.0;  // the strongest attack near the cut, against the cut
    double downbeatGrowth = 0.0;  // how much that attack outgrows what precedes it
    double repeat = 0.0; // the closest bar-by-bar likeness of a four-bar stretch played again
    double accent = 0.0; // onset strength on the downbeats against the other beats
    // Onsets a second in the scene's last bar before the next cut against the
    // bar before (a scene of one bar: its last beat against those before).
    double fill = 0.0;
    double topBreakDb = 0.0;    // 6-16 kHz in the quietest bar against the middle bar
    double ownLinesDb = -100.0; // our own voices that carry a line, against the mix
};

struct StatementFigures {
    Statement statement;
    PartLevel level; // the motif's voice in the mix, 300 Hz to 6 kHz
};

struct VoiceAliasing {
    std::string name;
    int key = 0; // the highest it plays
    double aliasingDb = 0.0;
};

struct TrackFigures {
    double loudness = 0.0;                // integrated, LUFS
    double loudnessRange = 0.0;           // LU
    double truePeakDb = 0.0;              // dBTP
    std::vector<SectionFigures> sections; // one per scene
    // The arc, in ungated LUFS: the warp from take-off to the candles, its
    // title card before, and the loudest 10 s of the moonlit sky.
    double flight = 0.0, titleCard = 0.0, loudestMoonWindow = 0.0;
    double treeBellsDb = 0.0; // the 8 kHz octave against the 4 kHz one, the tree's worst window
    std::vector<StatementFigures> statements;
    std::vector<VoiceAliasing> aliasing;
};

// The score tells where the motif is stated and what our own voices play.
TrackFigures measureTrack(const StereoBuffer& audio, const Score& score);

// The 8 kHz octave against the 4 kHz one.
double eightOverFourDb(const SectionFigures& f);

// The goals the figures miss, one line each; none when the track meets them all.
std::vector<std::string> missedGoals(const TrackFigures& figures);

// The figures as a table, then the goals missed, or that none is.
void printReport(const TrackFigures& figures, std::FILE* out);

// The step a player takes from the loop's last frame back to its first,
// against the largest step between neighbouring frames in the tenth of a
// second before the end and after the start (the larger of the two sides).
struct Seam {
    double jump = 0.0;
    double ordinary = 0.0;
    bool smooth() const { return jump <= ordinary; }
};
Seam loopSeam(const StereoBuffer& audio, const LoopPoints& loop);

} // namespace mkmusic
