// mkmusic: writes the show's music track.
//   mkmusic OUT.mp3      arrange, render, master and encode
//   mkmusic --fingerprint
//                        print what the samples depend on (library versions
//                        and SoundFont), which the track also carries in its
//                        ID3 comment
#include "arrangement.h"
#include "encoder.h"
#include "mastering.h"
#include "renderer.h"

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

StereoBuffer renderAndMaster(const std::string& soundFont,
                             std::chrono::steady_clock::time_point started) {
    Score score = buildArrangement();
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

int makeTrack(const std::string& path) {
    auto started = std::chrono::steady_clock::now();
    // Written beside the target and renamed at the end, so that a failure
    // leaves the old track in place; opened first, so that a wrong path
    // does not cost a whole rendering.
    const std::string partial = path + ".part";
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    if (!out)
        throw std::runtime_error("cannot write " + path);
    try {
        const std::string soundFont = defaultSoundFont();
        StereoBuffer audio = renderAndMaster(soundFont, started);
        encodeMp3(audio, {"Snolk", "the snolk demo", fingerprint(soundFont)}, out);
        out.close();
        std::filesystem::rename(partial, path);
    } catch (...) {
        out.close();
        std::filesystem::remove(partial);
        throw;
    }
    std::printf("wrote %s in %.1f s\n", path.c_str(), secondsSince(started));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mkmusic OUT.mp3\n       mkmusic --fingerprint\n");
        return 2;
    }
    try {
        std::string argument = argv[1];
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
