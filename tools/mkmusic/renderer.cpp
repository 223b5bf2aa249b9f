#include "renderer.h"

#include "synth.h"

#include <fluidsynth.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <stdexcept>

namespace mkmusic {
namespace {

// Events are applied at the start of the synthesiser's block that holds them:
// as exact as it can be, and the same on every run.
constexpr int kBlockFrames = kSynthBlockFrames;
constexpr int kMidiChannels = 16;

struct SettingsDeleter {
    void operator()(fluid_settings_t* settings) const { delete_fluid_settings(settings); }
};
struct SynthDeleter {
    void operator()(fluid_synth_t* synth) const { delete_fluid_synth(synth); }
};
using SettingsPtr = std::unique_ptr<fluid_settings_t, SettingsDeleter>;
using SynthPtr = std::unique_ptr<fluid_synth_t, SynthDeleter>;

enum class EventKind { Control = 0, NoteOff = 1, NoteOn = 2 }; // order within one block

struct TimedEvent {
    long frame;
    EventKind kind;
    int channel;
    int number; // key or controller
    int value;  // velocity or controller value
};

SettingsPtr makeSettings() {
    SettingsPtr settings(new_fluid_settings());
    fluid_settings_t* s = settings.get();
    fluid_settings_setnum(s, "synth.sample-rate", kSampleRate);
    fluid_settings_setint(s, "synth.cpu-cores", 1);
    fluid_settings_setint(s, "synth.polyphony", 512);
    fluid_settings_setnum(s, "synth.gain", 0.4);
    fluid_settings_setint(s, "synth.reverb.active", 1);
    fluid_settings_setnum(s, "synth.reverb.room-size", 0.72);
    fluid_settings_setnum(s, "synth.reverb.damp", 0.35);
    fluid_settings_setnum(s, "synth.reverb.width", 1.0);
    fluid_settings_setnum(s, "synth.reverb.level", 0.75);
    // NOTE: FluidSynth's chorus returns its wet signal in opposite phase on
    // the two sides: the presets with a large chorus send (the square lead,
    // the synth brass, the warm pad) all but vanish when the track is heard
    // in mono. The track does without it.
    fluid_settings_setint(s, "synth.chorus.active", 0);
    // One stereo output per MIDI channel, so that the mix is ours to make.
    fluid_settings_setint(s, "synth.audio-channels", kMidiChannels);
    fluid_settings_setint(s, "synth.audio-groups", kMidiChannels);
    fluid_settings_setint(s, "synth.dynamic-sample-loading", 0);
    return settings;
}

long toFrame(double seconds) {
    return std::lround(seconds * kSampleRate);
}

std::vector<TimedEvent> scheduleEvents(const Score& score) {
    std::vector<TimedEvent> events;
    for (const NoteEvent& note : score.notes) {
        if (isSynthChannel(note.channel))
            continue;
        long on = toFrame(note.start);
        // Released no earlier than the next block, so that it is not released before it sounds.
        long off =
            std::max((on / kBlockFrames + 1) * kBlockFrames, toFrame(note.start + note.length));
        events.push_back({on, EventKind::NoteOn, note.channel, note.key, note.velocity});
        events.push_back({off, EventKind::NoteOff, note.channel, note.key, 0});
    }
    for (const ControlEvent& control : score.controls)
        events.push_back({toFrame(control.time), EventKind::Control, control.channel,
                          control.controller, control.value});
    // A note that ends where the same key starts again must be released first.
    std::stable_sort(events.begin(), events.end(), [](const TimedEvent& a, const TimedEvent& b) {
        long blockA = a.frame / kBlockFrames, blockB = b.frame / kBlockFrames;
        return blockA != blockB ? blockA < blockB
                                : static_cast<int>(a.kind) < static_cast<int>(b.kind);
    });
    return events;
}

void setUpVoices(fluid_synth_t* synth, const Score& score) {
    for (const Voice& voice : score.voices) {
        if (isSynthChannel(voice.channel))
            continue;
        if (voice.channel != kDrumChannel)
            fluid_synth_program_change(synth, voice.channel, voice.program);
        fluid_synth_cc(synth, voice.channel, 7, voice.volume);
        fluid_synth_cc(synth, voice.channel, 10, voice.pan);
        fluid_synth_cc(synth, voice.channel, 91, voice.reverb);
        fluid_synth_cc(synth, voice.channel, 93, 0);
    }
}

void apply(fluid_synth_t* synth, const TimedEvent& event) {
    switch (event.kind) {
    case EventKind::NoteOn:
        fluid_synth_noteon(synth, event.channel, event.number, event.value);
        break;
    case EventKind::NoteOff:
        fluid_synth_noteoff(synth, event.channel, event.number);
        break;
    case EventKind::Control:
        fluid_synth_cc(synth, event.channel, event.number, event.value);
        break;
    }
}

// One block of the synthesiser's outputs: a dry stereo pair per MIDI
// channel and the shared reverb's wet pair.
class BlockOutputs {
  public:
    void render(fluid_synth_t* synth) {
        for (auto& buffer : dry_)
            buffer.fill(0.0f);
        for (auto& buffer : effects_)
            buffer.fill(0.0f);
        std::array<float*, 2 * kMidiChannels> dry;
        std::array<float*, 4> effects; // reverb left, right; chorus left, right
        for (size_t i = 0; i < dry.size(); ++i)
            dry[i] = dry_[i].data();
        for (size_t i = 0; i < effects.size(); ++i)
            effects[i] = effects_[i].data();
        fluid_synth_process(synth, kBlockFrames, static_cast<int>(effects.size()), effects.data(),
                            static_cast<int>(dry.size()), dry.data());
    }

    // Adds the chosen part of the block to the output, in a fixed order.
    void mixInto(float* out, const std::array<bool, kMidiChannels>& folded, int stem) const {
        for (int channel = 0; channel < kMidiChannels; ++channel) {
            if (stem != kWholeMix && stem != channel)
                continue;
            const auto& left = dry_[2 * channel];
            const auto& right = folded[channel] ? left : dry_[2 * channel + 1];
            for (int i = 0; i < kBlockFrames; ++i) {
                out[2 * i] += left[i];
                out[2 * i + 1] += right[i];
            }
        }
        if (stem != kWholeMix && stem != kReverbStem)
            return;
        for (int i = 0; i < kBlockFrames; ++i) {
            out[2 * i] += effects_[0][i];
            out[2 * i + 1] += effects_[1][i];
        }
    }

  private:
    std::array<std::array<float, kBlockFrames>, 2 * kMidiChannels> dry_{};
    std::array<std::array<float, kBlockFrames>, 4> effects_{};
};

void rideFader(const std::vector<FaderMove>& moves, StereoBuffer& out) {
    constexpr double kRampSeconds = 0.005;
    double from = 0.0; // dB before the next move
    size_t next = 0;
    for (size_t frame = 0; frame < out.frames(); ++frame) {
        const double t = static_cast<double>(frame) / kSampleRate;
        while (next < moves.size() && t >= moves[next].time) {
            from = moves[next].gainDb;
            ++next;
        }
        double db = from;
        if (next < moves.size() && t > moves[next].time - kRampSeconds)
            db += (moves[next].gainDb - from) * (t - (moves[next].time - kRampSeconds)) /
                  kRampSeconds;
        const float gain = static_cast<float>(std::pow(10.0, db / 20.0));
        out.samples[frame * 2] *= gain;
        out.samples[frame * 2 + 1] *= gain;
    }
}

std::array<bool, kMidiChannels> foldedChannels(const Score& score) {
    std::array<bool, kMidiChannels> folded{};
    for (const Voice& voice : score.voices)
        if (voice.channel < kMidiChannels)
            folded[voice.channel] = voice.foldToMono;
    return folded;
}

} // namespace

std::string defaultSoundFont() {
    return "/usr/share/sounds/sf2/FluidR3_GM.sf2";
}

std::string synthesiserVersion() {
    return std::string("fluidsynth ") + fluid_version_str();
}

StereoBuffer renderOwnVoices(const Score& score, const std::vector<int>& channels) {
    StereoBuffer out;
    out.samples.assign(static_cast<size_t>(toFrame(score.length)) * 2, 0.0f);
    addSynthChannels(score, out, channels);
    rideFader(score.fader, out);
    return out;
}

StereoBuffer renderScore(const Score& score, const std::string& soundFontPath, int stem) {
    SettingsPtr settings = makeSettings();
    SynthPtr synth(new_fluid_synth(settings.get()));
    if (!synth)
        throw std::runtime_error("cannot create the FluidSynth synthesiser");
    if (fluid_synth_sfload(synth.get(), soundFontPath.c_str(), 1) == FLUID_FAILED)
        throw std::runtime_error("cannot load SoundFont " + soundFontPath);
    setUpVoices(synth.get(), score);

    std::vector<TimedEvent> events = scheduleEvents(score);
    const std::array<bool, kMidiChannels> folded = foldedChannels(score);
    long totalFrames = (toFrame(score.length) + kBlockFrames - 1) / kBlockFrames * kBlockFrames;
    StereoBuffer out;
    out.samples.assign(static_cast<size_t>(totalFrames) * 2, 0.0f);
    auto outputs = std::make_unique<BlockOutputs>();
    size_t next = 0;
    for (long block = 0; block < totalFrames; block += kBlockFrames) {
        while (next < events.size() && events[next].frame < block + kBlockFrames)
            apply(synth.get(), events[next++]);
        outputs->render(synth.get());
        outputs->mixInto(out.samples.data() + block * 2, folded, stem);
    }
    addSynthVoices(score, out, stem);
    rideFader(score.fader, out);
    return out;
}

} // namespace mkmusic
