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
    {{1.0, 1.0}, {2.0, 0.5}, {3.0, 0.3}, {4.16, 0.4}, {5.43, 0.16}, {6.79, 0.06}}};
constexpr double kBellBrightSeconds = 0.8; // the second partial's decay

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
          wave_(
              WaveTable::sawFor(hz * std::exp2((tone.vibratoCents + tone.detuneCents) / 1200.0))) {
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
        if (cutoffHz != cutoffHz_) { // most filters stay where they are
            cutoffHz_ = cutoffHz;
            a_ = 1.0 - std::exp(-kTwoPi * cutoffHz / kSampleRate);
        }
        const double a = a_;
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
    double cutoffHz_ = 0.0, a_ = 0.0; // the filter's coefficient at that cutoff
};

double cutoffAt(const Tone& tone, double t, double held) {
    if (tone.openToHz <= 0.0 || tone.lowPassHz <= 0.0)
        return tone.lowPassHz;
    return tone.lowPassHz * std::pow(tone.openToHz / tone.lowPassHz, std::min(1.0, t / held));
}

// Each synth channel's sound; the kit has none.
struct VoiceTone {
    int channel;
    Tone tone;
};
constexpr VoiceTone kTones[] = {
    {synth::kPulseLead,
     {.wave = Tone::Pulse,
      .duty = 0.25,
      .detuneCents = 4.0,
      .spread = 0.6,
      .vibratoCents = 18.0,
      .vibratoHz = 5.5,
      .vibratoDelay = 0.22,
      .lowPassHz = 5000.0,
      .steep = true,
      .envelope = {0.004, 0.35, 0.7, 0.10},
      .level = 0.21}},
    {synth::kSawLead,
     {.wave = Tone::Saw,
      .detuneCents = 8.0,
      .spread = 0.7,
      .vibratoCents = 10.0,
      .vibratoHz = 5.0,
      .vibratoDelay = 0.30,
      .lowPassHz = 5200.0,
      .envelope = {0.012, 0.45, 0.75, 0.14},
      .level = 0.16}},
    {synth::kChipArp,
     {.wave = Tone::Pulse,
      .duty = 0.125,
      .lowPassHz = 6000.0,
      .steep = true,
      .envelope = {0.002, 0.10, 0.25, 0.05},
      .level = 0.21}},
    {synth::kChipBass,
     {.wave = Tone::Pulse,
      .duty = 0.5,
      .lowPassHz = 1800.0,
      .steep = true,
      .envelope = {0.003, 0.20, 0.55, 0.04},
      .level = 0.32}},
    {synth::kHook,
     {.wave = Tone::Pulse,
      .duty = 0.3,
      .pwmDepth = 0.12,
      .pwmHz = 0.7,
      .detuneCents = 5.0,
      .spread = 0.45,
      .vibratoCents = 14.0,
      .vibratoHz = 5.2,
      .vibratoDelay = 0.18,
      .lowPassHz = 4000.0,
      .envelope = {0.005, 0.3, 0.8, 0.16},
      .level = 0.22}},
    {synth::kSoftLead,
     {.wave = Tone::Pulse,
      .duty = 0.5,
      .detuneCents = 3.0,
      .spread = 0.4,
      .vibratoCents = 12.0,
      .vibratoHz = 4.8,
      .vibratoDelay = 0.25,
      .lowPassHz = 3200.0,
      .steep = true,
      .envelope = {0.025, 0.4, 0.85, 0.2},
      .level = 0.2}},
    {synth::kBell,
     {.wave = Tone::Bell,
      .detuneCents = 3.0,
      .spread = 0.4,
      .envelope = {0.002, 1.4, 0.0, 0.35},
      .level = 0.3}},
    {synth::kSweep,
     {.wave = Tone::Saw,
      .detuneCents = 10.0,
      .spread = 0.8,
      .lowPassHz = 250.0,
      .steep = true,
      .openToHz = 6000.0,
      .envelope = {0.4, 1.0, 0.9, 0.25},
      .level = 0.12}},
};

} // namespace

double keyHz(double key) {
    return 440.0 * std::pow(2.0, (key - 69.0) / 12.0);
}

const Tone* toneOf(int channel) {
    for (const VoiceTone& voice : kTones)
        if (voice.channel == channel)
            return &voice.tone;
    return nullptr;
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
        // Layers of a bell start together; the others half a cycle apart.
        voice.emplace_back(tone, keyHz(note.key + cents / 100.0),
                           tone.wave == Tone::Bell ? 0.0 : 0.5 * layer);
    }
    const double near = 0.5 + 0.5 * tone.spread, far = 1.0 - near;
    double softened[2] = {0.0, 0.0};
    for (long i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double depth =
            tone.vibratoCents * std::clamp((t - tone.vibratoDelay) / 0.25, 0.0, 1.0);
        const double bend =
            depth > 0.0 ? std::exp2(depth * std::sin(kTwoPi * tone.vibratoHz * t) / 1200.0) : 1.0;
        const double duty = tone.pwmDepth > 0.0
                                ? tone.duty + tone.pwmDepth * std::sin(kTwoPi * tone.pwmHz * t)
                                : tone.duty;
        const double cutoff = cutoffAt(tone, t, held);
        for (int layer = 0; layer < layers; ++layer)
            softened[layer] =
                voice[layer].soften(voice[layer].next(bend, t, duty), cutoff, tone.steep);
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
            layer.soften(layer.next(1.0, 0.0, tone.duty), tone.lowPassHz, tone.steep)));
    return samples;
}

} // namespace mkmusic
