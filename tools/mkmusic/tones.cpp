#include "tones.h"

#include "oscillators.h"
#include "renderer.h"
#include "synth.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace mkmusic {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// A bell's partials (a struck bar's, a little stretched), each dying away
// the sooner the higher it lies.
struct Partial {
    double ratio, level;
};
constexpr std::array<Partial, 6> kBellPartials{
    {{1.0, 1.0}, {2.0, 0.45}, {3.0, 0.12}, {4.16, 0.22}, {5.43, 0.08}, {6.79, 0.04}}};
constexpr double kBellBrightSeconds = 0.5; // the second partial's decay

double envelopeAt(const Envelope& e, double t, double held) {
    auto sounding = [&](double at) {
        if (at < e.attack)
            return at / e.attack;
        return e.sustain + (1.0 - e.sustain) * std::exp(-(at - e.attack) / e.decay);
    };
    if (t < held)
        return sounding(t);
    return sounding(held) * std::exp(-(t - held) / e.release);
}

// One layer of a tone: its phase, its band-limited wave, its filter.
class Layer {
  public:
    Layer(const Tone& tone, double hz, double startPhase)
        : tone_(tone), step_(hz / kSampleRate), phase_(startPhase),
          wave_(WaveTable::forPitch(
              tone.wave == Tone::Triangle ? WaveTable::Triangle : WaveTable::Saw,
              hz * std::exp2((tone.vibratoCents + tone.detuneCents) / 1200.0))) {
        for (size_t i = 0; i < kBellPartials.size(); ++i)
            partialPhases_[i] = startPhase;
    }

    // The next sample, the pitch bent by a ratio; t seconds into the note.
    double next(double bend, double t, double duty) {
        const double x = tone_.wave == Tone::Bell ? bell(bend, t) : wave(duty);
        phase_ += step_ * bend;
        phase_ -= std::floor(phase_);
        return x;
    }

    // The filter for the next sample (cutoff in Hz): one pole, or two when
    // it moves.
    double soften(double x, double cutoffHz, bool twoPoles) {
        if (cutoffHz <= 0.0)
            return x;
        const double a = 1.0 - std::exp(-kTwoPi * cutoffHz / kSampleRate);
        first_ += a * (x - first_);
        if (!twoPoles)
            return first_;
        second_ += a * (first_ - second_);
        return second_;
    }

  private:
    double wave(double duty) const {
        switch (tone_.wave) {
        case Tone::Pulse:
            return pulseAt(wave_, phase_, duty);
        case Tone::Saw:
        case Tone::Triangle:
            return wave_.at(phase_);
        default:
            return 0.0;
        }
    }

    double bell(double bend, double t) {
        double x = 0.0;
        for (size_t i = 0; i < kBellPartials.size(); ++i) {
            const Partial& p = kBellPartials[i];
            if (step_ * p.ratio * kSampleRate >= kTopHz)
                break;
            x += p.level * std::exp(-t * (p.ratio - 1.0) / kBellBrightSeconds) *
                 std::sin(kTwoPi * partialPhases_[i]);
            partialPhases_[i] += step_ * p.ratio * bend;
            partialPhases_[i] -= std::floor(partialPhases_[i]);
        }
        return x;
    }

    const Tone& tone_;
    double step_, phase_;
    const WaveTable& wave_;
    std::array<double, kBellPartials.size()> partialPhases_{};
    double first_ = 0.0, second_ = 0.0;
};

double cutoffAt(const Tone& tone, double t, double held) {
    if (tone.openToHz <= 0.0 || tone.lowPassHz <= 0.0)
        return tone.lowPassHz;
    return tone.lowPassHz * std::pow(tone.openToHz / tone.lowPassHz, std::min(1.0, t / held));
}

} // namespace

double keyHz(double key) {
    return 440.0 * std::pow(2.0, (key - 69.0) / 12.0);
}

const Tone* toneOf(int channel) {
    static const Tone kPulse{.wave = Tone::Pulse,
                             .duty = 0.25,
                             .detuneCents = 4.0,
                             .spread = 0.6,
                             .vibratoCents = 18.0,
                             .vibratoHz = 5.5,
                             .vibratoDelay = 0.22,
                             .envelope = {0.004, 0.35, 0.7, 0.10},
                             .level = 0.21};
    static const Tone kSaw{.wave = Tone::Saw,
                           .detuneCents = 8.0,
                           .spread = 0.7,
                           .vibratoCents = 10.0,
                           .vibratoHz = 5.0,
                           .vibratoDelay = 0.30,
                           .lowPassHz = 5200.0,
                           .envelope = {0.012, 0.45, 0.75, 0.14},
                           .level = 0.16};
    static const Tone kArp{
        .wave = Tone::Pulse, .duty = 0.125, .envelope = {0.002, 0.10, 0.25, 0.05}, .level = 0.21};
    static const Tone kBass{.wave = Tone::Pulse,
                            .duty = 0.5,
                            .lowPassHz = 1800.0,
                            .envelope = {0.003, 0.20, 0.55, 0.04},
                            .level = 0.32};
    switch (channel) {
    case synth::kPulseLead:
        return &kPulse;
    case synth::kSawLead:
        return &kSaw;
    case synth::kChipArp:
        return &kArp;
    case synth::kChipBass:
        return &kBass;
    default:
        return nullptr;
    }
}

void playTone(const Tone& tone, const NoteEvent& note, std::vector<float>& out) {
    const double held = note.length;
    const double gain = tone.level * std::pow(note.velocity / 127.0, 2.0);
    const long frames = static_cast<long>((held + 6.0 * tone.envelope.release) * kSampleRate);
    out.assign(static_cast<size_t>(frames) * 2, 0.0f);
    const int layers = tone.detuneCents > 0.0 ? 2 : 1;
    std::vector<Layer> voice;
    for (int layer = 0; layer < layers; ++layer) {
        const double cents = layers == 2 ? (layer ? 1.0 : -1.0) * tone.detuneCents : 0.0;
        voice.emplace_back(tone, keyHz(note.key + cents / 100.0), 0.5 * layer);
    }
    const double near = 0.5 + 0.5 * tone.spread, far = 1.0 - near;
    const bool opens = tone.openToHz > 0.0;
    double softened[2] = {0.0, 0.0};
    for (long i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double depth =
            tone.vibratoCents * std::clamp((t - tone.vibratoDelay) / 0.25, 0.0, 1.0);
        const double bend =
            depth > 0.0 ? std::exp2(depth * std::sin(kTwoPi * tone.vibratoHz * t) / 1200.0) : 1.0;
        const double duty = tone.duty + tone.pwmDepth * std::sin(kTwoPi * tone.pwmHz * t);
        const double cutoff = cutoffAt(tone, t, held);
        for (int layer = 0; layer < layers; ++layer)
            softened[layer] = voice[layer].soften(voice[layer].next(bend, t, duty), cutoff, opens);
        const double level = gain * envelopeAt(tone.envelope, t, held);
        const double low = softened[0], high = softened[layers - 1];
        out[i * 2] = static_cast<float>(level * (near * low + far * high));
        out[i * 2 + 1] = static_cast<float>(level * (far * low + near * high));
    }
}

std::vector<float> heldTone(const Tone& tone, int key, double seconds) {
    Layer layer(tone, keyHz(key), 0.0);
    std::vector<float> samples;
    for (long i = 0; i < std::lround(seconds * kSampleRate); ++i)
        samples.push_back(static_cast<float>(
            layer.soften(layer.next(1.0, 0.0, tone.duty), tone.lowPassHz, false)));
    return samples;
}

} // namespace mkmusic
