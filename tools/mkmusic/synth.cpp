#include "synth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace mkmusic {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
// The echo: three repeats, each softer, on the left, the right, the left.
constexpr int kEchoRepeats = 3;
constexpr double kEchoFeedback = 0.4;

struct Envelope {
    double attack, decay, sustain, release; // seconds, seconds, level, seconds
};

struct Tone {
    enum Wave { Pulse, Saw } wave;
    double duty;         // of a pulse
    double detuneCents;  // two layers, this far above and below
    double spread;       // 0: both layers in the middle; 1: one on each side
    double vibratoCents; // depth, reached after the delay
    double vibratoHz;
    double vibratoDelay; // seconds
    double lowPassHz;    // a one-pole softening; 0 for none
    Envelope envelope;
    double level;
};

// PolyBLEP: the step a naive wave takes at its discontinuities, rounded off
// over one sample either side, which takes away most of its aliasing.
double blep(double phase, double step) {
    if (phase < step) {
        const double t = phase / step;
        return t + t - t * t - 1.0;
    }
    if (phase > 1.0 - step) {
        const double t = (phase - 1.0) / step;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

double oscillator(const Tone& tone, double phase, double step) {
    if (tone.wave == Tone::Saw)
        return 2.0 * phase - 1.0 - blep(phase, step);
    double shifted = phase + 1.0 - tone.duty;
    shifted -= std::floor(shifted);
    const double naive = phase < tone.duty ? 1.0 : -1.0;
    // Less its mean, so that a note neither thumps nor leaves an offset.
    return naive + blep(phase, step) - blep(shifted, step) - (2.0 * tone.duty - 1.0);
}

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

const Tone* toneOf(int channel) {
    static const Tone kPulse{
        Tone::Pulse, 0.25, 4.0, 0.6, 18.0, 5.5, 0.22, 0.0, {0.004, 0.35, 0.7, 0.10}, 0.21};
    static const Tone kSaw{
        Tone::Saw, 0.0, 8.0, 0.7, 10.0, 5.0, 0.30, 5200.0, {0.012, 0.45, 0.75, 0.14}, 0.16};
    static const Tone kArp{
        Tone::Pulse, 0.125, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, {0.002, 0.10, 0.25, 0.05}, 0.21};
    static const Tone kBass{
        Tone::Pulse, 0.5, 0.0, 0.0, 0.0, 0.0, 0.0, 1800.0, {0.003, 0.20, 0.55, 0.04}, 0.32};
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

double keyHz(double key) {
    return 440.0 * std::pow(2.0, (key - 69.0) / 12.0);
}

// A note as interleaved stereo: a tone of two layers leans its lower one to
// the left and its higher one to the right, as far as its spread says; a
// tone of one layer is alike on both sides.
void playTone(const Tone& tone, const NoteEvent& note, std::vector<float>& out) {
    const double held = note.length;
    const double gain = tone.level * std::pow(note.velocity / 127.0, 2.0);
    const long frames = static_cast<long>((held + 6.0 * tone.envelope.release) * kSampleRate);
    out.assign(static_cast<size_t>(frames) * 2, 0.0f);
    const int layers = tone.detuneCents > 0.0 ? 2 : 1;
    double phases[2] = {0.0, 0.5};
    double softened[2] = {0.0, 0.0};
    const double near = 0.5 + 0.5 * tone.spread, far = 1.0 - near;
    const double lowPass =
        tone.lowPassHz > 0.0 ? 1.0 - std::exp(-kTwoPi * tone.lowPassHz / kSampleRate) : 1.0;
    for (long i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double depth =
            tone.vibratoCents * std::clamp((t - tone.vibratoDelay) / 0.25, 0.0, 1.0);
        const double bend = depth * std::sin(kTwoPi * tone.vibratoHz * t) / 100.0;
        const double level = gain * envelopeAt(tone.envelope, t, held);
        for (int layer = 0; layer < layers; ++layer) {
            const double cents = layers == 2 ? (layer ? 1.0 : -1.0) * tone.detuneCents : 0.0;
            const double step = keyHz(note.key + bend + cents / 100.0) / kSampleRate;
            softened[layer] += lowPass * (oscillator(tone, phases[layer], step) - softened[layer]);
            phases[layer] += step;
            phases[layer] -= std::floor(phases[layer]);
        }
        const double low = softened[0], high = softened[layers - 1];
        out[i * 2] = static_cast<float>(level * (near * low + far * high));
        out[i * 2 + 1] = static_cast<float>(level * (far * low + near * high));
    }
}

// White noise from a fixed seed: every hit of a drum is the same hit.
struct Noise {
    uint32_t state = 0x9e3779b9u;
    double next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<double>(state) / 2147483648.0 - 1.0;
    }
};

void playDrum(const NoteEvent& note, std::vector<float>& out) {
    const double gain = std::pow(note.velocity / 127.0, 2.0);
    const long frames = kSampleRate / 2;
    out.assign(static_cast<size_t>(frames) * 2, 0.0f);
    Noise noise;
    double low = 0.0, phase = 0.0;
    for (long i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double white = noise.next();
        low += 0.35 * (white - low);
        const double high = white - low; // the noise above about 3 kHz
        double x = 0.0;
        switch (note.key) {
        case 36: // kick: a sine falling from about 160 Hz to 48 Hz, with a click
            phase += (48.0 + 110.0 * std::exp(-t / 0.03)) / kSampleRate;
            x = std::tanh(1.6 * std::sin(kTwoPi * phase)) * std::exp(-t / 0.26) +
                0.25 * white * std::exp(-t / 0.0015);
            x *= 0.55;
            break;
        case 38: // snare: a short tone under a burst of noise
            phase += 190.0 / kSampleRate;
            x = 0.35 * std::sin(kTwoPi * phase) * std::exp(-t / 0.045) +
                0.32 * (0.6 * white + 0.4 * high) * std::exp(-t / 0.10);
            break;
        case 42: // closed hat
            x = 0.16 * high * std::exp(-t / 0.018);
            break;
        case 46: // open hat
            x = 0.12 * high * std::exp(-t / 0.09);
            break;
        default:
            return;
        }
        out[i * 2] = out[i * 2 + 1] = static_cast<float>(0.7 * gain * x);
    }
}

// One voice's dry signal and its echo, each a side apart, before volume
// and pan.
struct VoiceTracks {
    std::vector<float> dryLeft, dryRight, echoLeft, echoRight;
    explicit VoiceTracks(size_t frames)
        : dryLeft(frames), dryRight(frames), echoLeft(frames), echoRight(frames) {}
};

// A note (interleaved stereo) into the voice's tracks: dry from its start,
// and softened repeats of its mono sum every `echo` seconds after it, first
// on the left, then on the right.
void place(const std::vector<float>& note, long start, double echo, VoiceTracks& tracks) {
    const long frames = static_cast<long>(tracks.dryLeft.size());
    const long length = static_cast<long>(note.size() / 2);
    for (long i = 0; i < length && start + i < frames; ++i) {
        tracks.dryLeft[start + i] += note[i * 2];
        tracks.dryRight[start + i] += note[i * 2 + 1];
    }
    if (echo <= 0.0)
        return;
    std::vector<float> soft(static_cast<size_t>(length));
    double state = 0.0;
    for (long i = 0; i < length; ++i)
        soft[i] =
            static_cast<float>(state += 0.35 * (0.5 * (note[i * 2] + note[i * 2 + 1]) - state));
    double gain = 1.0;
    for (int repeat = 1; repeat <= kEchoRepeats; ++repeat, gain *= kEchoFeedback) {
        std::vector<float>& side = repeat % 2 ? tracks.echoLeft : tracks.echoRight;
        const long at = start + std::lround(repeat * echo * kSampleRate);
        for (long i = 0; i < length && at + i < frames; ++i)
            side[at + i] += static_cast<float>(gain * soft[i]);
    }
}

long blockStart(double seconds) {
    const long frame = std::lround(seconds * kSampleRate);
    return frame / kSynthBlockFrames * kSynthBlockFrames;
}

template <typename Chosen>
void addVoices(const Score& score, StereoBuffer& out, Chosen chosen, bool withEcho) {
    std::vector<float> note;
    for (const Voice& setting : score.voices) {
        if (!isSynthChannel(setting.channel) || !chosen(setting.channel))
            continue;
        VoiceTracks tracks(out.frames());
        for (const NoteEvent& event : score.notes) {
            const long start = blockStart(event.start);
            if (event.channel != setting.channel || start >= static_cast<long>(out.frames()))
                continue;
            if (const Tone* tone = toneOf(event.channel))
                playTone(*tone, event, note);
            else
                playDrum(event, note);
            place(note, start, withEcho ? event.echo : 0.0, tracks);
        }
        // MIDI's volume curve and a constant-power pan, unity in the middle.
        const double volume = std::pow(setting.volume / 127.0, 2.0);
        const double angle = std::clamp(setting.pan, 0, 127) / 127.0 * std::numbers::pi / 2.0;
        const double left = std::numbers::sqrt2 * std::cos(angle);
        const double right = std::numbers::sqrt2 * std::sin(angle);
        const double send = setting.reverb / 127.0;
        for (size_t i = 0; i < out.frames(); ++i) {
            out.samples[i * 2] +=
                static_cast<float>(volume * (left * tracks.dryLeft[i] + send * tracks.echoLeft[i]));
            out.samples[i * 2 + 1] += static_cast<float>(
                volume * (right * tracks.dryRight[i] + send * tracks.echoRight[i]));
        }
    }
}

} // namespace

void addSynthVoices(const Score& score, StereoBuffer& out, int stem) {
    addVoices(
        score, out, [stem](int channel) { return stem == kWholeMix || stem == channel; },
        stem == kWholeMix);
}

void addSynthChannels(const Score& score, StereoBuffer& out, const std::vector<int>& channels) {
    addVoices(
        score, out,
        [&channels](int channel) {
            return std::find(channels.begin(), channels.end(), channel) != channels.end();
        },
        true);
}

std::vector<float> steadyTone(int channel, int key, double seconds) {
    const Tone* tone = toneOf(channel);
    std::vector<float> samples;
    if (!tone)
        return samples;
    const double step = keyHz(key) / kSampleRate;
    const double lowPass =
        tone->lowPassHz > 0.0 ? 1.0 - std::exp(-kTwoPi * tone->lowPassHz / kSampleRate) : 1.0;
    double phase = 0.0, softened = 0.0;
    for (long i = 0; i < std::lround(seconds * kSampleRate); ++i) {
        softened += lowPass * (oscillator(*tone, phase, step) - softened);
        samples.push_back(static_cast<float>(softened));
        phase += step;
        phase -= std::floor(phase);
    }
    return samples;
}

} // namespace mkmusic
