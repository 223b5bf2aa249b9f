#include "music_tools.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <regex>

namespace music_test {
namespace {

bool findNumber(const std::string& text, const std::string& label, double& value) {
    // The summary comes last; the running lines before it use other labels.
    std::regex pattern(label + R"(\s+(-?[0-9.]+|-inf))");
    std::smatch match;
    std::string::const_iterator start = text.begin();
    bool found = false;
    while (std::regex_search(start, text.end(), match, pattern)) {
        value = match[1] == "-inf" ? -1000.0 : std::stod(match[1]);
        found = true;
        start = match[0].second;
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
