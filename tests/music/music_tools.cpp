#include "music_tools.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>

namespace music_test {
namespace {

// The number after the last "label" followed by blanks: the summary comes
// last, and the running lines before it use other labels.
bool findNumber(const std::string& text, const std::string& label, double& value) {
    bool found = false;
    for (size_t at = text.find(label); at != std::string::npos; at = text.find(label, at + 1)) {
        size_t number = at + label.size();
        if (number >= text.size() || (text[number] != ' ' && text[number] != '\t')) {
            continue;
        }
        number = text.find_first_not_of(" \t", number);
        if (number == std::string::npos) {
            break;
        }
        if (text.compare(number, 4, "-inf") == 0) {
            value = -1000.0;
            found = true;
            continue;
        }
        char* end = nullptr;
        const double parsed = strtod(text.c_str() + number, &end);
        if (end != text.c_str() + number) {
            value = parsed;
            found = true;
        }
    }
    return found;
}

} // namespace

CommandResult runCommand(const std::string& command) {
    CommandResult result;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return result;
    std::array<char, 4096> chunk{};
    size_t count = 0;
    while ((count = fread(chunk.data(), 1, chunk.size(), pipe)) > 0)
        result.output.append(chunk.data(), count);
    int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string generatorPath() {
    return SNOLK_BINARY_DIR "/tools/mkmusic/mkmusic";
}

std::string committedTrackPath() {
    return SNOLK_SOURCE_DIR "/data/laten2.mp3";
}

std::string committedWebTrackPath() {
    return SNOLK_SOURCE_DIR "/data/laten2-web.mp3";
}

std::string committedLoopPath() {
    return SNOLK_SOURCE_DIR "/data/laten2.loop";
}

LoudnessMeasurement measureLoudness(const std::string& path) {
    LoudnessMeasurement measurement;
    CommandResult ffmpeg = runCommand("ffmpeg -hide_banner -nostats -i '" + path +
                                      "' -af ebur128=peak=true -f null -");
    if (ffmpeg.exitCode != 0)
        return measurement;
    measurement.measured = findNumber(ffmpeg.output, "I:", measurement.integratedLufs) &&
                           findNumber(ffmpeg.output, "Peak:", measurement.truePeakDb);
    return measurement;
}

} // namespace music_test
