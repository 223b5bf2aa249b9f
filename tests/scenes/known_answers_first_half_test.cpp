// Whole frames of the show's opening, rendered without data so that only the
// sparks draw, compared bit for bit with known hashes.
#include "support/fixtures.h"
#include "support/run_program.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> hashLines(const std::string& output) {
    std::vector<std::string> lines;
    std::istringstream text(output);
    for (std::string line; std::getline(text, line);) {
        if (line.rfind("frame ", 0) == 0) {
            lines.push_back(line);
        }
    }
    return lines;
}

} // namespace

TEST(KnownAnswersFirstHalf, LetterIntroAndSparklerWithoutData) {
    ScratchFolder folder;
    const ProgramResult run =
        runProgram("SNOLK_BIN/snolk-render --hash --seed 1 --fps 60 --frames 1000 2>console");
    ASSERT_EQ(run.status, 0);
    const std::vector<std::string> frames = hashLines(run.out);
    ASSERT_EQ(frames.size(), 1000u);

    // Without pictures the letter intro draws nothing for its 9.3 seconds.
    const std::string blank = "hash f318e0e2f9b92325";
    EXPECT_EQ(frames[0], "frame 1 time 2000 scene 0 " + blank);
    EXPECT_EQ(frames[558], "frame 559 time 11300 scene 0 " + blank);
    for (int i = 0; i < 559; ++i) {
        ASSERT_NE(frames[i].find(" scene 0 " + blank), std::string::npos) << frames[i];
    }

    EXPECT_EQ(frames[559], "frame 560 time 11316 scene 1 hash 2c9f5eecb6a08e2b");
    EXPECT_EQ(frames[560], "frame 561 time 11333 scene 1 hash 786fee0efb86abc0");
    EXPECT_EQ(frames[599], "frame 600 time 11983 scene 1 hash d90e25d19645f09d");
    EXPECT_EQ(frames[999], "frame 1000 time 18650 scene 1 hash 3504522554574ee8");

    // Both stick pictures are reported missing, once, on standard error:
    // standard output holds the hash lines alone.
    const std::string console = runProgram("cat console").out;
    EXPECT_EQ(console.find("blota!!\n"), console.rfind("blota!!\n"));
    EXPECT_NE(console.find("blota!!\nblota brunnit!!\n"), std::string::npos) << console;
    EXPECT_EQ(run.out.find("blota"), std::string::npos);
}
