#include "support/fixtures.h"
#include "support/run_program.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

// The output line of one frame; other lines (messages about missing
// pictures) may come between the frames.
std::string frameLine(const std::string& out, int frame) {
    const std::string prefix = "frame " + std::to_string(frame) + " ";
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(prefix, 0) == 0) {
            return line;
        }
    }
    return "";
}

} // namespace

// Without data only the speed lines and the flash are drawn. These frames
// depend on every earlier scene: their durations set when the warp starts
// and all of them draw from the one random sequence.
TEST(KnownAnswersWarp, SpeedLinesAndFlashWithoutData) {
    ScratchFolder folder;
    const ProgramResult run =
        runProgram("SNOLK_BIN/snolk-render --hash --seed 1 --fps 60 --frames 5300");
    EXPECT_EQ(frameLine(run.out, 5150), "frame 5150 time 87816 scene 6 hash e9e11ae70fc3fe7a");
    EXPECT_EQ(frameLine(run.out, 5300), "frame 5300 time 90316 scene 6 hash 4a3c6cbb28ce66d5");
}
