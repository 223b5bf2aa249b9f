#include "report.h"

#include "aliasing.h"
#include "band_power.h"
#include "loudness.h"
#include "onsets.h"
#include "synth.h"
#include "timeline.h"

#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace mkmusic {
namespace {

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

// What the whole report looks at besides the scene in hand.
struct Track {
    const StereoBuffer& audio;
    PowerSpectrum spectrum;
    OnsetEnvelope onsets;
    PartInMix ownLines;
};

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

double barSeconds(int section) {
    return kSections[section].beat * kBeatsPerBar[section];
}

// The bars of a scene that lie whole inside it, by their starts.
std::vector<double> barStarts(const SectionFigures& f, int section) {
    std::vector<double> starts;
    for (double at = f.from; at + barSeconds(section) <= f.to + 1e-6; at += barSeconds(section))
        starts.push_back(at);
    return starts;
}

// Every four-bar stretch against every later one that does not overlap it:
// the likeness of a pair is that of its least alike pair of bars.
void measureRepeats(SectionFigures& f, Track& track, int section) {
    std::vector<std::vector<double>> bars;
    for (double at : barStarts(f, section))
        bars.push_back(barPrint(track.spectrum, track.audio, at, at + barSeconds(section)));
    for (size_t a = 0; a + 8 <= bars.size(); ++a)
        for (size_t b = a + 4; b + 4 <= bars.size(); ++b) {
            double least = 1.0;
            for (size_t i = 0; i < 4; ++i)
                least = std::min(least, correlation(bars[a + i], bars[b + i]));
            f.repeat = std::max(f.repeat, least);
        }
}

// The onset strength on the downbeats against that on the other beats.
void measureAccents(SectionFigures& f, const OnsetEnvelope& onsets, int section) {
    double downbeats = 0.0, others = 0.0;
    int downbeatCount = 0, otherCount = 0;
    for (int beat = 0; kSections[section].beat * beat < f.to - f.from - 1e-6; ++beat) {
        const double strength = onsets.strengthNear(trackTime(section, beat));
        if (beat % kBeatsPerBar[section] == 0) {
            downbeats += strength;
            ++downbeatCount;
        } else {
            others += strength;
            ++otherCount;
        }
    }
    if (downbeatCount && otherCount && others > 0.0)
        f.accent = (downbeats / downbeatCount) / (others / otherCount);
}

// The onsets a second of the scene's last bar against the bar before; in a
// scene of one bar, of its last beat against the beats before it.
void measureFill(SectionFigures& f, const OnsetEnvelope& onsets, int section) {
    const double bar = barSeconds(section);
    const double last = f.to - f.from < 2.0 * bar - 1e-6 ? kSections[section].beat : bar;
    const double earlier = std::min(bar, f.to - last - f.from);
    const double lastRate = onsets.onsetsBetween(f.to - last, f.to) / last;
    const double earlierRate = onsets.onsetsBetween(f.to - last - earlier, f.to - last) / earlier;
    f.fill = earlierRate > 0.0 ? lastRate / earlierRate : lastRate > 0.0 ? 99.0 : 0.0;
}

// Where the hats and cymbals live: the top end of the quietest bar against
// that of the middle bar (by the top end's power).
void measureTopBreak(SectionFigures& f, Track& track, int section) {
    std::vector<double> tops;
    for (double at : barStarts(f, section)) {
        track.spectrum.measure(track.audio, static_cast<size_t>(at * kSampleRate),
                               static_cast<size_t>((at + barSeconds(section)) * kSampleRate));
        tops.push_back(toDb(track.spectrum.bandPower(6000.0, 16000.0)));
    }
    if (tops.size() < 2)
        return;
    std::sort(tops.begin(), tops.end());
    f.topBreakDb = tops.front() - tops[tops.size() / 2];
}

SectionFigures measureScene(Track& track, int scene) {
    const StereoBuffer& audio = track.audio;
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
    measureSpectrum(f, track.spectrum, audio, from, to);
    measureDownbeat(f, audio, f.from);
    const int section = scene + 1;
    measureRepeats(f, track, section);
    measureAccents(f, track.onsets, section);
    if (scene < kLastScene)
        measureFill(f, track.onsets, section);
    measureTopBreak(f, track, section);
    f.ownLinesDb = track.ownLines.between(f.from, f.to).againstMixDb;
    return f;
}

// The 8 kHz octave against the 4 kHz one in every window of half a second,
// one second and two seconds inside a scene, a quarter second apart: the
// largest.
double worstEightOverFour(PowerSpectrum& spectrum, const StereoBuffer& audio,
                          const SectionFigures& f) {
    double worst = -100.0;
    for (double window : {0.5, 1.0, 2.0})
        for (double at = f.from; at + window <= f.to + 1e-6; at += 0.25) {
            spectrum.measure(audio, static_cast<size_t>(at * kSampleRate),
                             static_cast<size_t>((at + window) * kSampleRate));
            worst = std::max(
                worst, toDb(spectrum.bandPower(8000 / std::sqrt(2.0), 8000 * std::sqrt(2.0))) -
                           toDb(spectrum.bandPower(4000 / std::sqrt(2.0), 4000 * std::sqrt(2.0))));
        }
    return worst;
}

void measureArc(TrackFigures& figures, const StereoBuffer& audio) {
    const SpanLoudness loudness(audio);
    const double warp = kTimeline[kWarp - 1].trackMs / 1000.0;
    const double takeOff = warp + kWarpHoldEndsMs / 1000.0;
    figures.flight = loudness.between(takeOff, kTimeline[kCandles - 1].trackMs / 1000.0);
    figures.titleCard = loudness.between(warp, takeOff);
    figures.loudestMoonWindow =
        loudness.loudestWindow(kTimeline[kMoon - 1].trackMs / 1000.0, warp, 10.0);
}

std::vector<StatementFigures> measureStatements(const StereoBuffer& audio, const Score& score) {
    const PartInMix motif(audio, renderOwnVoices(score, {synth::kHook}));
    std::vector<StatementFigures> figures;
    for (const Statement& statement : score.statements)
        figures.push_back({statement, motif.between(statement.start, statement.end)});
    return figures;
}

std::vector<VoiceAliasing> measureAliasing(const Score& score) {
    std::vector<VoiceAliasing> voices;
    for (const Voice& voice : score.voices) {
        int highest = -1;
        for (const NoteEvent& note : score.notes)
            if (note.channel == voice.channel)
                highest = std::max(highest, note.key);
        std::vector<float> tone = steadyTone(voice.channel, highest, 1.2);
        if (highest < 0 || tone.empty())
            continue;
        tone.erase(tone.begin(), tone.begin() + kSampleRate / 5); // its start's click
        const double hz = 440.0 * std::pow(2.0, (highest - 69) / 12.0);
        voices.push_back({voice.name, highest, aliasingDb(tone, hz)});
    }
    return voices;
}

std::vector<int> ownLineChannels(const Score& score) {
    std::vector<int> channels;
    for (const Voice& voice : score.voices)
        if (carriesALine(voice.channel))
            channels.push_back(voice.channel);
    return channels;
}

} // namespace

TrackFigures measureTrack(const StereoBuffer& audio, const Score& score) {
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
    Track track{audio, PowerSpectrum(), OnsetEnvelope(audio),
                PartInMix(audio, renderOwnVoices(score, ownLineChannels(score)))};
    for (int scene = 0; scene < kSceneCount; ++scene)
        figures.sections.push_back(measureScene(track, scene));
    figures.treeBellsDb = worstEightOverFour(track.spectrum, audio, figures.sections[kTree - 1]);
    measureArc(figures, audio);
    figures.statements = measureStatements(audio, score);
    figures.aliasing = measureAliasing(score);
    return figures;
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

} // namespace mkmusic
