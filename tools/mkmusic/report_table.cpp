// The report as a table: the figures of each scene, the octaves, the arc,
// the motif's statements, the oscillators, then the goals missed.
#include "report.h"

#include "band_power.h"

#include <algorithm>

namespace mkmusic {
namespace {

void printScenes(const TrackFigures& figures, std::FILE* out) {
    std::fprintf(out, "%-9s %7s %6s %4s %5s %5s %5s %4s %5s %5s %5s %5s %7s %4s %6s %4s %5s %5s\n",
                 "scene", "from", "LUFS", "LRA", "crest", "S/M", "corr", "mono", "L-R", "top",
                 "2-5k", "8k-4k", "beat ms", "rep", "accent", "fill", "rest", "own");
    for (const SectionFigures& f : figures.sections) {
        const auto loudest = std::max_element(f.octaves.begin(), f.octaves.end());
        std::fprintf(out,
                     "%-9s %7.3f %6.1f %4.1f %5.1f %5.1f %5.2f %4.1f %+5.2f %5.0f %5.1f %+5.1f "
                     "%+7.1f %4.2f %6.2f %4.2f %5.1f %5.1f\n",
                     f.name, f.from, f.loudness, f.loudnessRange, f.crestDb, f.sideToMidDb,
                     f.correlation, f.monoLossDb, f.leftOverRightDb,
                     kOctaveCentres[loudest - f.octaves.begin()], f.presenceDb, eightOverFourDb(f),
                     f.downbeatMissMs, f.repeat, f.accent, f.fill, f.topBreakDb, f.ownLinesDb);
    }
}

void printOctaves(const TrackFigures& figures, std::FILE* out) {
    std::fprintf(out, "octaves (dB against the loudest):");
    for (double centre : kOctaveCentres)
        std::fprintf(out, " %6.0f", centre);
    std::fprintf(out, "\n");
    for (const SectionFigures& f : figures.sections) {
        const double loudest = *std::max_element(f.octaves.begin(), f.octaves.end());
        std::fprintf(out, "%-33s", f.name);
        for (double level : f.octaves)
            std::fprintf(out, " %6.1f", level - loudest);
        std::fprintf(out, "\n");
    }
}

void printTheRest(const TrackFigures& figures, std::FILE* out) {
    std::fprintf(out,
                 "arc: the flight %.1f LUFS, its title card %.1f, the moonlit sky's loudest 10 s "
                 "%.1f\n",
                 figures.flight, figures.titleCard, figures.loudestMoonWindow);
    std::fprintf(out, "the tree's bells: the 8 kHz octave %+.1f dB against the 4 kHz one at most\n",
                 figures.treeBellsDb);
    for (const StatementFigures& s : figures.statements)
        std::fprintf(out,
                     "motif at %7.3f s, %-20s %+5.1f dB against the mix, %+5.1f over the rest\n",
                     s.statement.start, (s.statement.name + ":").c_str(), s.level.againstMixDb,
                     s.level.overRestDb);
    for (const VoiceAliasing& voice : figures.aliasing)
        std::fprintf(out, "aliasing of the %s at key %d: %.1f dB\n", voice.name.c_str(), voice.key,
                     voice.aliasingDb);
}

} // namespace

void printReport(const TrackFigures& figures, std::FILE* out) {
    printScenes(figures, out);
    printOctaves(figures, out);
    printTheRest(figures, out);
    std::fprintf(out, "track: %.1f LUFS, loudness range %.1f LU, true peak %.2f dBTP\n",
                 figures.loudness, figures.loudnessRange, figures.truePeakDb);
    const std::vector<std::string> missed = missedGoals(figures);
    for (const std::string& line : missed)
        std::fprintf(out, "missed: %s\n", line.c_str());
    if (missed.empty())
        std::fprintf(out, "every goal met\n");
}

} // namespace mkmusic
