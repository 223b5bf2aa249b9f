#include "synth.h"

#include "kit.h"
#include "tones.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace mkmusic {
namespace {

// The echo: three repeats, each softer, on the left, the right, the left.
constexpr int kEchoRepeats = 3;
constexpr double kEchoFeedback = 0.4;

// One voice's dry signal and its echo, each a side apart, before volume
// and pan.
struct VoiceTracks {
    std::vector<float> dryLeft, dryRight, echoLeft, echoRight;
    explicit VoiceTracks(size_t frames)
        : dryLeft(frames), dryRight(frames), echoLeft(frames), echoRight(frames) {}
};

// A note (interleaved stereo) into the voice's tracks: dry from its start,
// and softened repeats of its mono sum every `echo` seconds after it, from
// side to side, the first on the left or, for every other key, on the right
// (so that a line's echo leans to neither side).
void place(const std::vector<float>& note, int key, long start, double echo, VoiceTracks& tracks) {
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
        std::vector<float>& side = (repeat + key) % 2 ? tracks.echoLeft : tracks.echoRight;
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
                playKitHit(event, note);
            place(note, event.key, start, withEcho ? event.echo : 0.0, tracks);
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
    return tone ? heldTone(*tone, key, seconds) : std::vector<float>();
}

} // namespace mkmusic
