#include "report.h"

#include "band_power.h"
#include "loudness.h"
#include "timeline.h"

#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace mkmusic {
namespace {

// The goals, measured on the gapless decode of the track.
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

// Scenes by their place in the show's scene table.
constexpr int kTreeScene = 4, kWarpScene = 6, kCandleScene = kLastScene;

struct MeterDeleter {
    void operator()(ebur128_state* state) const { ebur128_destroy(&state); }
};
using Meter = std::unique_ptr<ebur128_state, MeterDeleter>;

Meter meterOf(const StereoBuffer& audio, size_t from, size_t to, int mode) {
    Meter meter(ebur128_init(2, kSampleRate, mode));
    ebur128_add_frames_float(meter.get(), audio.samples.data() + from * 2, to - from);
    return meter;
}

double toDb(double power) {
    return 10.0 * std::log10(power + 1e-20);
}

void measureImage(SectionFigures& f, const StereoBuffer& audio, size_t from, size_t to) {
    double left = 0.0, right = 0.0, product = 0.0, peak = 0.0;
    for (size_t frame = from; frame < to; ++frame) {
        const double l = audio.samples[frame * 2], r = audio.samples[frame * 2 + 1];
        left += l * l;
        right += r * r;
        product += l * r;
        peak = std::max({peak, std::fabs(l), std::fabs(r)});
    }
    const double mid = (left + right + 2.0 * product) / 4.0;
    const double side = (left + right - 2.0 * product) / 4.0;
    f.sideToMidDb = toDb(side) - toDb(mid);
    f.correlation = product / std::sqrt(left * right + 1e-30);
    f.monoLossDb = toDb((left + right) / 2.0) - toDb(mid);
    f.leftOverRightDb = toDb(left) - toDb(right);
    f.crestDb = toDecibels(peak) - toDb((left + right) / (2.0 * static_cast<double>(to - from)));
}

void measureSpectrum(SectionFigures& f, PowerSpectrum& spectrum, const StereoBuffer& audio,
                     size_t from, size_t to) {
    spectrum.measure(audio, from, to);
    f.octaves = octaveLevels(spectrum);
    f.presenceDb = toDb(spectrum.bandPower(2000.0, 5000.0)) -
                   *std::max_element(f.octaves.begin(), f.octaves.end());
}

// The strongest attack within 80 ms of a moment: where the energy of the
// mono signal's sample-to-sample change (which an attack's high partials
// fill) grows the most from the 10 ms before to the 10 ms after.
void measureDownbeat(SectionFigures& f, const StereoBuffer& audio, double seconds) {
    const long span = kSampleRate / 100;
    const long first = std::lround((seconds - 0.08) * kSampleRate) - span;
    const long last = std::lround((seconds + 0.08) * kSampleRate) + span;
    if (first < 1 || last >= static_cast<long>(audio.frames()))
        return;
    std::vector<double> rising(static_cast<size_t>(last - first + 1), 0.0);
    for (long frame = first; frame < last; ++frame) {
        const double change = audio.samples[frame * 2] + audio.samples[frame * 2 + 1] -
                              audio.samples[frame * 2 - 2] - audio.samples[frame * 2 - 1];
        rising[frame - first + 1] = rising[frame - first] + change * change;
    }
    for (long at = span; at + span <= last - first; ++at) {
        const double before = rising[at] - rising[at - span];
        const double after = rising[at + span] - rising[at];
        const double growth = (after + 1e-9) / (before + 1e-9);
        if (growth > f.downbeatGrowth) {
            f.downbeatGrowth = growth;
            f.downbeatMissMs = (static_cast<double>(first + at) / kSampleRate - seconds) * 1000.0;
        }
    }
}

// Every four-bar stretch against every later one that does not overlap it:
// the likeness of a pair is that of its least alike pair of bars.
void measureRepeats(SectionFigures& f, PowerSpectrum& spectrum, const StereoBuffer& audio,
                    int section) {
    const double bar = kSections[section].beat * kBeatsPerBar[section];
    std::vector<std::vector<double>> bars;
    for (double at = f.from; at + bar <= f.to + 1e-6; at += bar)
        bars.push_back(barPrint(spectrum, audio, at, at + bar));
    for (size_t a = 0; a + 8 <= bars.size(); ++a)
        for (size_t b = a + 4; b + 4 <= bars.size(); ++b) {
            double least = 1.0;
            for (size_t i = 0; i < 4; ++i)
                least = std::min(least, correlation(bars[a + i], bars[b + i]));
            f.repeat = std::max(f.repeat, least);
        }
}

SectionFigures measureScene(const StereoBuffer& audio, PowerSpectrum& spectrum, int scene) {
    SectionFigures f;
    f.name = kTimeline[scene].name;
    f.from = kTimeline[scene].trackMs / 1000.0;
    f.to = scene < kLastScene ? kTimeline[scene + 1].trackMs / 1000.0
                              : static_cast<double>(audio.frames()) / kSampleRate;
    // A track shorter than the show measures as silence where it has ended.
    const size_t to = std::min(audio.frames(), static_cast<size_t>(f.to * kSampleRate));
    const size_t from = std::min(to, static_cast<size_t>(f.from * kSampleRate));
    Meter meter = meterOf(audio, from, to, EBUR128_MODE_I | EBUR128_MODE_LRA);
    ebur128_loudness_global(meter.get(), &f.loudness);
    ebur128_loudness_range(meter.get(), &f.loudnessRange);
    measureImage(f, audio, from, to);
    measureSpectrum(f, spectrum, audio, from, to);
    measureDownbeat(f, audio, f.from);
    measureRepeats(f, spectrum, audio, scene + 1);
    return f;
}

double octave(const SectionFigures& f, double centre) {
    for (int i = 0; i < kOctaveCount; ++i)
        if (kOctaveCentres[i] == centre)
            return f.octaves[i];
    return 0.0;
}

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

void sectionGoals(const SectionFigures& f, int scene, std::vector<std::string>& missed) {
    const std::string where = std::string(f.name) + ": ";
    if (f.presenceDb < -kPresenceBelowLoudestOctave)
        missed.push_back(where +
                         figure("2-5 kHz at %.1f dB under the loudest octave", -f.presenceDb));
    if (harshnessDb(f) > 0.0)
        missed.push_back(where + figure("harsh: an octave from 2 to 8 kHz %.1f dB over the "
                                        "loudest below 1 kHz",
                                        harshnessDb(f)));
    if (octave(f, 8000) > octave(f, 4000))
        missed.push_back(where + figure("the 8 kHz octave %.1f dB over the 4 kHz one",
                                        octave(f, 8000) - octave(f, 4000)));
    if (f.sideToMidDb > kWidestSideToMid || f.sideToMidDb < kNarrowestSideToMid)
        missed.push_back(where + figure("side/mid %.1f dB", f.sideToMidDb));
    if (f.correlation < kLeastCorrelation)
        missed.push_back(where + figure("correlation %.2f", f.correlation));
    if (f.monoLossDb > kLargestMonoLossDb)
        missed.push_back(where + figure("mono loss %.2f dB", f.monoLossDb));
    if (std::fabs(f.leftOverRightDb) > kLargestImbalanceDb)
        missed.push_back(where + figure("left %+.2f dB against right", f.leftOverRightDb));
    if (scene > 0 && (std::fabs(f.downbeatMissMs) > kLargestDownbeatMissMs ||
                      f.downbeatGrowth < kLeastDownbeatGrowth))
        missed.push_back(where + figure("no downbeat on the cut (the nearest attack %+.1f ms off)",
                                        f.downbeatMissMs));
    if (scene != kCandleScene && f.repeat > kMostAlikeRepeat)
        missed.push_back(where +
                         figure("a four-bar stretch played again alike (r = %.2f)", f.repeat));
    if (scene == kWarpScene && f.crestDb < kLeastWarpCrestDb)
        missed.push_back(where + figure("crest factor %.1f dB", f.crestDb));
}

} // namespace

TrackFigures measureTrack(const StereoBuffer& audio) {
    TrackFigures figures;
    Meter meter = meterOf(audio, 0, audio.frames(),
                          EBUR128_MODE_I | EBUR128_MODE_LRA | EBUR128_MODE_TRUE_PEAK);
    ebur128_loudness_global(meter.get(), &figures.loudness);
    ebur128_loudness_range(meter.get(), &figures.loudnessRange);
    double peak = 0.0;
    for (unsigned side = 0; side < 2; ++side) {
        double channelPeak = 0.0;
        ebur128_true_peak(meter.get(), side, &channelPeak);
        peak = std::max(peak, channelPeak);
    }
    figures.truePeakDb = toDecibels(peak);
    PowerSpectrum spectrum;
    for (int scene = 0; scene < kSceneCount; ++scene)
        figures.sections.push_back(measureScene(audio, spectrum, scene));
    return figures;
}

std::vector<std::string> missedGoals(const TrackFigures& figures) {
    std::vector<std::string> missed;
    for (int scene = 0; scene < static_cast<int>(figures.sections.size()); ++scene)
        sectionGoals(figures.sections[scene], scene, missed);
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
    if (figures.loudnessRange < kLeastTrackRange || figures.loudnessRange > kLargestTrackRange)
        missed.push_back(figure("track: loudness range %.1f LU", figures.loudnessRange));
    if (std::fabs(figures.loudness - kTrackLoudness) > kTrackLoudnessTolerance)
        missed.push_back(figure("track: %.1f LUFS", figures.loudness));
    if (figures.truePeakDb > kLargestTruePeakDb)
        missed.push_back(figure("track: true peak %.2f dBTP", figures.truePeakDb));
    return missed;
}

Seam loopSeam(const StereoBuffer& audio, const LoopPoints& loop) {
    Seam seam;
    const long around = kSampleRate / 10;
    if (loop.start < 0 || loop.end > static_cast<long>(audio.frames()) ||
        loop.end - loop.start < 2 * around)
        return {1.0, 0.0};
    const auto& x = audio.samples;
    for (size_t side = 0; side < 2; ++side) {
        auto at = [&](long frame) { return static_cast<double>(x[frame * 2 + side]); };
        seam.jump = std::max(seam.jump, std::fabs(at(loop.start) - at(loop.end - 1)));
        for (long i = 0; i + 1 < around; ++i)
            seam.ordinary =
                std::max({seam.ordinary,
                          std::fabs(at(loop.end - around + i + 1) - at(loop.end - around + i)),
                          std::fabs(at(loop.start + i + 1) - at(loop.start + i))});
    }
    return seam;
}

void printReport(const TrackFigures& figures, std::FILE* out) {
    std::fprintf(out, "%-9s %7s %6s %4s %5s %5s %5s %4s %5s %5s %5s %5s %7s %4s\n", "scene", "from",
                 "LUFS", "LRA", "crest", "S/M", "corr", "mono", "L-R", "top", "2-5k", "8k-4k",
                 "beat ms", "rep");
    for (const SectionFigures& f : figures.sections) {
        const auto loudest = std::max_element(f.octaves.begin(), f.octaves.end());
        std::fprintf(out,
                     "%-9s %7.3f %6.1f %4.1f %5.1f %5.1f %5.2f %4.1f %+5.2f %5.0f %5.1f %+5.1f "
                     "%+7.1f %4.2f\n",
                     f.name, f.from, f.loudness, f.loudnessRange, f.crestDb, f.sideToMidDb,
                     f.correlation, f.monoLossDb, f.leftOverRightDb,
                     kOctaveCentres[loudest - f.octaves.begin()], f.presenceDb,
                     octave(f, 8000) - octave(f, 4000), f.downbeatMissMs, f.repeat);
    }
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
    std::fprintf(out, "track: %.1f LUFS, loudness range %.1f LU, true peak %.2f dBTP\n",
                 figures.loudness, figures.loudnessRange, figures.truePeakDb);
    const std::vector<std::string> missed = missedGoals(figures);
    for (const std::string& line : missed)
        std::fprintf(out, "missed: %s\n", line.c_str());
    if (missed.empty())
        std::fprintf(out, "every goal met\n");
}

} // namespace mkmusic
