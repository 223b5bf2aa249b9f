// The outside programs the music tests use: the generator and ffmpeg's
// EBU R128 meter.
#pragma once

#include <string>

namespace music_test {

struct CommandResult {
    int exitCode = -1;
    std::string output; // standard output and standard error
};

CommandResult runCommand(const std::string& command);

std::string generatorPath();
std::string committedTrackPath();
// The smaller coding of the same track that the web page plays.
std::string committedWebTrackPath();
// The loop points of the track's ending, written by the generator beside it.
std::string committedLoopPath();

struct LoudnessMeasurement {
    bool measured = false;
    double integratedLufs = 0.0;
    double truePeakDb = 0.0;
};

// Integrated loudness and true peak of a file, from ffmpeg's ebur128 summary.
LoudnessMeasurement measureLoudness(const std::string& path);

} // namespace music_test
