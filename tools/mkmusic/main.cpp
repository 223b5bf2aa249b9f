// mkmusic: writes the show's music track.
//   mkmusic OUT.mp3      arrange, render, master and encode; the loop points
//                        of the ending go to OUT.loop beside it, and a
//                        smaller coding for the web page to OUT-web.mp3;
//                        then both are decoded and checked
//   mkmusic --fingerprint
//                        print what the samples depend on (library versions
//                        and SoundFont), which the track also carries in its
//                        ID3 comment
//   mkmusic --report TRACK.mp3
//                        measure a track as a player decodes it against the
//                        goals of its sound; exits 1 when one is missed (a new
//                        track is measured so as it is written)
//   mkmusic --stem CHANNEL OUT.f32
//                        for balancing the mix: one MIDI channel's dry signal
//                        (0-15, 16 for the reverb, 17-25 the synth voices)
//                        at the gain the whole
//                        mix is mastered with, as raw 32-bit float stereo
#include "arrangement.h"
#include "decoder.h"
#include "encoder.h"
#include "loop.h"
#include "mastering.h"
#include "renderer.h"
#include "report.h"
#include "synth.h"

#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace {

using namespace mkmusic;

std::string fingerprint(const std::string& soundFont) {
    std::error_code error;
    auto size = std::filesystem::file_size(soundFont, error);
    return "mkmusic; " + synthesiserVersion() + "; " + encoderVersion() + "; " +
           std::filesystem::path(soundFont).filename().string() + " " +
           (error ? std::string("missing") : std::to_string(size) + " bytes");
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

StereoBuffer renderAndMaster(const Score& score, const std::string& soundFont,
                             std::chrono::steady_clock::time_point started) {
    StereoBuffer audio = renderScore(score, soundFont);
    std::printf("rendered %zu notes, %.2f s, in %.1f s\n", score.notes.size(),
                static_cast<double>(audio.frames()) / kSampleRate, secondsSince(started));
    MasteringReport report = master(audio, MasteringTarget{});
    std::printf("mastered: %.2f LUFS -> %.2f LUFS (gain %+.2f dB), true peak %.2f dBTP, "
                "peaks limited by up to %.1f dB\n",
                report.inputLoudness, report.outputLoudness, report.gainDb, report.outputTruePeak,
                report.deepestLimitingDb);
    return audio;
}

// A file written beside its target and renamed when complete, so that a
// failure leaves the old one in place; removed unless committed.
class PartialFile {
  public:
    explicit PartialFile(std::string path)
        : path_(std::move(path)), partial_(path_ + ".part"),
          out_(partial_, std::ios::binary | std::ios::trunc) {
        if (!out_)
            throw std::runtime_error("cannot write " + path_);
    }
    ~PartialFile() {
        if (!committed_) {
            out_.close();
            std::filesystem::remove(partial_);
        }
    }
    std::ofstream& stream() { return out_; }
    void commit() {
        out_.close();
        if (!out_)
            throw std::runtime_error("cannot write " + path_);
        std::filesystem::rename(partial_, path_);
        committed_ = true;
    }

  private:
    std::string path_, partial_;
    std::ofstream out_;
    bool committed_ = false;
};

// OUT.mp3 -> OUT.loop
std::string loopPathFor(const std::string& trackPath) {
    return std::filesystem::path(trackPath).replace_extension(".loop").string();
}

// OUT.mp3 -> OUT-web.mp3
std::string webPathFor(const std::string& trackPath) {
    std::filesystem::path path(trackPath);
    return (path.parent_path() / (path.stem().string() + "-web" + path.extension().string()))
        .string();
}

// The two codings as a player decodes them: the same length, each with a
// seamless loop. 0 when they are.
int checkCodings(const std::string& path, const LoopPoints& loop) {
    const StereoBuffer release = decodeMp3(path), web = decodeMp3(webPathFor(path));
    const Seam releaseSeam = loopSeam(release, loop), webSeam = loopSeam(web, loop);
    const auto bytes = std::filesystem::file_size(webPathFor(path));
    std::printf("decoded: %zu frames (%zu in the web copy, %.0f kB, %.0f kbit/s); the loop's "
                "seam steps %.4f (%.4f in the web copy), its neighbourhood up to %.4f (%.4f)\n",
                release.frames(), web.frames(), bytes / 1000.0,
                bytes * 8.0 / 1000.0 / (static_cast<double>(web.frames()) / kSampleRate),
                releaseSeam.jump, webSeam.jump, releaseSeam.ordinary, webSeam.ordinary);
    const bool sound = web.frames() == release.frames() && releaseSeam.smooth() && webSeam.smooth();
    if (!sound)
        std::printf("missed: the web copy's length, or a loop seam\n");
    return sound ? 0 : 1;
}

// Measures a written track; 0 when it meets every goal.
int reportOn(const std::string& path) {
    const TrackFigures figures = measureTrack(decodeMp3(path), buildArrangement());
    printReport(figures, stdout);
    return missedGoals(figures).empty() ? 0 : 1;
}

int makeTrack(const std::string& path) {
    auto started = std::chrono::steady_clock::now();
    // Opened first, so that a wrong path does not cost a whole rendering.
    PartialFile track(path), loopFile(loopPathFor(path)), webTrack(webPathFor(path));
    const std::string soundFont = defaultSoundFont();
    const Score score = buildArrangement();
    StereoBuffer audio = renderAndMaster(score, soundFont, started);
    const LoopPoints loop = loopFrames(score);
    closeLoop(audio, loop);
    const TrackTags tags{"Snolk", "the snolk demo", fingerprint(soundFont)};
    encodeMp3(audio, tags, Mp3Rate::Release, track.stream());
    encodeMp3(audio, tags, Mp3Rate::Web, webTrack.stream());
    loopFile.stream() << loopFileText(loop);
    track.commit();
    webTrack.commit();
    loopFile.commit();
    std::printf("wrote %s (%.2f s, the loop from %.3f s to %.3f s) in %.1f s\n", path.c_str(),
                static_cast<double>(audio.frames()) / kSampleRate,
                static_cast<double>(loop.start) / kSampleRate,
                static_cast<double>(loop.end) / kSampleRate, secondsSince(started));
    const int codings = checkCodings(path, loop);
    return reportOn(path) | codings;
}

int writeStem(int stem, const std::string& path) {
    if (stem < 0 || stem > synth::kLast)
        throw std::invalid_argument("a stem is a MIDI channel 0-15, 16 for the reverb, or a "
                                    "synth channel 17-" +
                                    std::to_string(synth::kLast));
    PartialFile out(path);
    const std::string soundFont = defaultSoundFont();
    const Score score = buildArrangement();
    StereoBuffer mix = renderScore(score, soundFont);
    const double gainDb = master(mix, MasteringTarget{}).gainDb;
    StereoBuffer part = renderScore(score, soundFont, stem);
    removeInfrasound(part);
    shapeTone(part);
    applyGain(part, gainDb);
    out.stream().write(reinterpret_cast<const char*>(part.samples.data()),
                       static_cast<std::streamsize>(part.samples.size() * sizeof(float)));
    out.commit();
    std::printf("wrote stem %d at %+.2f dB to %s\n", stem, gainDb, path.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const bool stem = argc == 4 && std::string(argv[1]) == "--stem";
    const bool report = argc == 3 && std::string(argv[1]) == "--report";
    if (argc != 2 && !stem && !report) {
        std::fprintf(stderr, "usage: mkmusic OUT.mp3\n       mkmusic --fingerprint\n"
                             "       mkmusic --report TRACK.mp3\n"
                             "       mkmusic --stem CHANNEL OUT.f32\n");
        return 2;
    }
    try {
        std::string argument = argv[1];
        if (stem)
            return writeStem(std::stoi(argv[2]), argv[3]);
        if (report)
            return reportOn(argv[2]);
        if (argument == "--fingerprint") {
            std::printf("%s\n", fingerprint(defaultSoundFont()).c_str());
            return 0;
        }
        return makeTrack(argument);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "mkmusic: %s\n", error.what());
        return 1;
    }
}
