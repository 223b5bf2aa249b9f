// The goals of the track's sound, as the report measures them.
#include "report.h"

#include "band_power.h"
#include "timeline.h"

#include <algorithm>
#include <cmath>

namespace mkmusic {
namespace {

constexpr double kPresenceBelowLoudestOctave = 10.0; // 2-5 kHz, dB
constexpr double kWidestSideToMid = -6.0, kNarrowestSideToMid = -10.0;
constexpr double kLeastCorrelation = 0.4, kLargestMonoLossDb = 1.6, kLargestImbalanceDb = 0.5;
constexpr double kLargestStepBetweenScenesLu = 4.0;
constexpr double kLeastWarpCrestDb = 14.0;
constexpr double kLeastTrackRange = 5.0, kLargestTrackRange = 8.0;
constexpr double kTrackLoudness = -16.0, kTrackLoudnessTolerance = 1.0;
constexpr double kLargestTruePeakDb = -1.0;
constexpr double kLargestDownbeatMissMs = 1000.0 / 60.0;
constexpr double kLeastDownbeatGrowth = 2.0;
constexpr double kMostAlikeRepeat = 0.9;
// The warp is the peak: its flight over the moonlit sky and over its own
// title card, LU.
constexpr double kFlightOverMoon = 2.0, kFlightOverTitleCard = 4.0;
// The motif: statements heard at -3 dB against the mix or louder, and the
// ones meant to stand out 3 dB over the rest.
constexpr double kHeardStatementDb = -3.0, kStandingOutDb = 3.0;
constexpr int kLeastHeardStatements = 4;
constexpr double kLeastAccent = 1.2, kLeastFill = 1.3;
// A scene longer than this lets its top end rest for a bar, this far under
// its middle bar.
constexpr uint32_t kLongestWithoutABreakMs = 15000;
constexpr double kLeastTopBreakDb = 10.0;
constexpr double kLeastOwnLinesDb = -6.0;
constexpr double kMostAliasingDb = -50.0;
constexpr double kLeastTreeBellMarginDb = 3.0;

// Scenes by their place in the show's scene table.
constexpr int kTreeScene = 4, kWarpScene = 6, kCandleScene = kLastScene;

// The loudest octave from 2 to 8 kHz, against the loudest below 1 kHz.
double harshnessDb(const SectionFigures& f) {
    double low = -200.0, high = -200.0;
    for (int i = 0; i < kOctaveCount; ++i) {
        if (kOctaveCentres[i] < 1000.0)
            low = std::max(low, f.octaves[i]);
        else if (kOctaveCentres[i] >= 2000.0 && kOctaveCentres[i] <= 8000.0)
            high = std::max(high, f.octaves[i]);
    }
    return high - low;
}

std::string figure(const char* format, double value) {
    char text[160];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

void soundGoals(const SectionFigures& f, std::vector<std::string>& missed) {
    const std::string where = std::string(f.name) + ": ";
    if (f.presenceDb < -kPresenceBelowLoudestOctave)
        missed.push_back(where +
                         figure("2-5 kHz at %.1f dB under the loudest octave", -f.presenceDb));
    if (harshnessDb(f) > 0.0)
        missed.push_back(where + figure("harsh: an octave from 2 to 8 kHz %.1f dB over the "
                                        "loudest below 1 kHz",
                                        harshnessDb(f)));
    if (eightOverFourDb(f) > 0.0)
        missed.push_back(where +
                         figure("the 8 kHz octave %.1f dB over the 4 kHz one", eightOverFourDb(f)));
    if (f.sideToMidDb > kWidestSideToMid || f.sideToMidDb < kNarrowestSideToMid)
        missed.push_back(where + figure("side/mid %.1f dB", f.sideToMidDb));
    if (f.correlation < kLeastCorrelation)
        missed.push_back(where + figure("correlation %.2f", f.correlation));
    if (f.monoLossDb > kLargestMonoLossDb)
        missed.push_back(where + figure("mono loss %.2f dB", f.monoLossDb));
    if (std::fabs(f.leftOverRightDb) > kLargestImbalanceDb)
        missed.push_back(where + figure("left %+.2f dB against right", f.leftOverRightDb));
    if (f.ownLinesDb < kLeastOwnLinesDb)
        missed.push_back(where + figure("our own voices at %.1f dB against the mix", f.ownLinesDb));
}

void playingGoals(const SectionFigures& f, int scene, std::vector<std::string>& missed) {
    const std::string where = std::string(f.name) + ": ";
    if (scene > 0 && (std::fabs(f.downbeatMissMs) > kLargestDownbeatMissMs ||
                      f.downbeatGrowth < kLeastDownbeatGrowth))
        missed.push_back(where + figure("no downbeat on the cut (the nearest attack %+.1f ms off)",
                                        f.downbeatMissMs));
    if (scene != kCandleScene && f.repeat > kMostAlikeRepeat)
        missed.push_back(where +
                         figure("a four-bar stretch played again alike (r = %.2f)", f.repeat));
    if (scene == kWarpScene && f.crestDb < kLeastWarpCrestDb)
        missed.push_back(where + figure("crest factor %.1f dB", f.crestDb));
    if (scene != kCandleScene && f.accent < kLeastAccent)
        missed.push_back(where + figure("downbeats at %.2f times the other beats", f.accent));
    if (scene != kCandleScene && f.fill < kLeastFill)
        missed.push_back(where +
                         figure("the last bar's onsets at %.2f times the bar before's", f.fill));
    if (kTimeline[scene].durationMs > kLongestWithoutABreakMs && f.topBreakDb > -kLeastTopBreakDb)
        missed.push_back(where +
                         figure("the top end rests at most %.1f dB in a bar", -f.topBreakDb));
}

void arcGoals(const TrackFigures& figures, std::vector<std::string>& missed) {
    // The tree's pause and the candles' calm are meant: the steps into and
    // out of them are free.
    for (int scene = 1; scene < static_cast<int>(figures.sections.size()); ++scene) {
        const SectionFigures &before = figures.sections[scene - 1],
                             &after = figures.sections[scene];
        const bool meant = scene == kTreeScene || scene == kTreeScene + 1 || scene == kCandleScene;
        if (!meant && std::fabs(after.loudness - before.loudness) > kLargestStepBetweenScenesLu)
            missed.push_back(std::string(before.name) + " to " + after.name +
                             figure(": a step of %+.1f LU", after.loudness - before.loudness));
    }
    if (figures.flight - figures.loudestMoonWindow < kFlightOverMoon)
        missed.push_back(figure("arc: the flight %.1f LU over the moonlit sky's loudest 10 s",
                                figures.flight - figures.loudestMoonWindow));
    if (figures.flight - figures.titleCard < kFlightOverTitleCard)
        missed.push_back(figure("arc: the flight %.1f LU over the title card",
                                figures.flight - figures.titleCard));
    if (figures.loudnessRange < kLeastTrackRange || figures.loudnessRange > kLargestTrackRange)
        missed.push_back(figure("track: loudness range %.1f LU", figures.loudnessRange));
    if (std::fabs(figures.loudness - kTrackLoudness) > kTrackLoudnessTolerance)
        missed.push_back(figure("track: %.1f LUFS", figures.loudness));
    if (figures.truePeakDb > kLargestTruePeakDb)
        missed.push_back(figure("track: true peak %.2f dBTP", figures.truePeakDb));
}

void motifGoals(const TrackFigures& figures, std::vector<std::string>& missed) {
    int heard = 0;
    for (const StatementFigures& s : figures.statements) {
        heard += s.level.againstMixDb >= kHeardStatementDb;
        if (s.statement.aboveTheRest && s.level.overRestDb < kStandingOutDb)
            missed.push_back("motif: " + s.statement.name +
                             figure(" only %+.1f dB over the rest of the mix", s.level.overRestDb));
    }
    if (heard < kLeastHeardStatements)
        missed.push_back(figure("motif: %.0f statements heard at -3 dB against the mix", heard));
}

void voiceGoals(const TrackFigures& figures, std::vector<std::string>& missed) {
    for (const VoiceAliasing& voice : figures.aliasing)
        if (voice.aliasingDb > kMostAliasingDb)
            missed.push_back(voice.name + figure(": aliasing at %.1f dB", voice.aliasingDb));
    if (figures.treeBellsDb > -kLeastTreeBellMarginDb)
        missed.push_back(figure("tree: the bells' 8 kHz octave only %.1f dB under the 4 kHz one",
                                -figures.treeBellsDb));
}

} // namespace

double eightOverFourDb(const SectionFigures& f) {
    auto octave = [&f](double centre) {
        return f.octaves[std::find(std::begin(kOctaveCentres), std::end(kOctaveCentres), centre) -
                         std::begin(kOctaveCentres)];
    };
    return octave(8000) - octave(4000);
}

std::vector<std::string> missedGoals(const TrackFigures& figures) {
    std::vector<std::string> missed;
    for (int scene = 0; scene < static_cast<int>(figures.sections.size()); ++scene) {
        soundGoals(figures.sections[scene], missed);
        playingGoals(figures.sections[scene], scene, missed);
    }
    arcGoals(figures, missed);
    motifGoals(figures, missed);
    voiceGoals(figures, missed);
    return missed;
}

} // namespace mkmusic
