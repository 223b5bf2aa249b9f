#include "kit.h"

#include "renderer.h"
#include "score_builder.h"

#include <cmath>
#include <cstdint>
#include <numbers>

namespace mkmusic {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

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

void playHit(const NoteEvent& note, std::vector<float>& out) {
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
        case drum::kKick: // kick: a sine falling from about 160 Hz to 48 Hz, with a click
            phase += (48.0 + 110.0 * std::exp(-t / 0.03)) / kSampleRate;
            x = std::tanh(1.6 * std::sin(kTwoPi * phase)) * std::exp(-t / 0.26) +
                0.25 * white * std::exp(-t / 0.0015);
            x *= 0.55;
            break;
        case drum::kSnare: // snare: a short tone under a burst of noise
            phase += 190.0 / kSampleRate;
            x = 0.35 * std::sin(kTwoPi * phase) * std::exp(-t / 0.045) +
                0.32 * (0.6 * white + 0.4 * high) * std::exp(-t / 0.10);
            break;
        case drum::kClosedHat: // closed hat
            x = 0.16 * high * std::exp(-t / 0.018);
            break;
        case drum::kOpenHat: // open hat
            x = 0.12 * high * std::exp(-t / 0.09);
            break;
        default:
            return;
        }
        out[i * 2] = out[i * 2 + 1] = static_cast<float>(0.7 * gain * x);
    }
}

// Noise through a band-pass that rises from 400 Hz to 6 kHz as it swells,
// over the length of the note, and stops with it.
void playRiser(const NoteEvent& note, std::vector<float>& out) {
    const double gain = std::pow(note.velocity / 127.0, 2.0);
    const long frames = std::lround(note.length * kSampleRate);
    out.assign(static_cast<size_t>(frames) * 2, 0.0f);
    Noise noise;
    double low = 0.0, band = 0.0; // a state-variable filter's two states
    for (long i = 0; i < frames; ++i) {
        const double share = static_cast<double>(i) / static_cast<double>(frames);
        const double hz = 400.0 * std::pow(15.0, share);
        const double f = 2.0 * std::sin(std::numbers::pi * hz / kSampleRate);
        const double high = noise.next() - low - 0.7 * band;
        band += f * high;
        low += f * band;
        const double fade = std::min(1.0, (frames - i) / (0.01 * kSampleRate));
        out[i * 2] = out[i * 2 + 1] = static_cast<float>(0.5 * gain * share * share * fade * band);
    }
}

} // namespace

void playKitHit(const NoteEvent& note, std::vector<float>& out) {
    if (note.key == drum::kRiser)
        playRiser(note, out);
    else
        playHit(note, out);
}

} // namespace mkmusic
