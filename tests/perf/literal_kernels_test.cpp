// The fast kernels and the plain ones they replace, checked against each
// other on every frame of the whole show.
#include "support/fixtures.h"
#include "support/run_program.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

int lineCount(const std::string& text) {
    int lines = 0;
    for (char c : text) {
        lines += c == '\n' ? 1 : 0;
    }
    return lines;
}

} // namespace

TEST(LiteralKernels, WholeShowHashesEqualTheFastOnesFrameByFrame) {
    enterSourceTree();
    const std::string command = "SNOLK_BIN/snolk-render --hash --seed 1 --fps 60";
    const ProgramResult fast = runProgram(command);
    const ProgramResult literal = runProgram(command + " --literal");
    ASSERT_EQ(fast.status, 0);
    ASSERT_EQ(literal.status, 0);
    // Every scene took part: the last lines belong to the candlestick.
    ASSERT_GT(lineCount(fast.out), 6000);
    EXPECT_NE(fast.out.find(" scene 7 hash "), std::string::npos);
    std::istringstream fastLines(fast.out);
    std::istringstream literalLines(literal.out);
    std::string a;
    std::string b;
    while (std::getline(fastLines, a)) {
        ASSERT_TRUE(std::getline(literalLines, b)) << "literal run ends before: " << a;
        ASSERT_EQ(a, b);
    }
    EXPECT_FALSE(std::getline(literalLines, b)) << "literal run goes on: " << b;
}

// The bench mode draws the real chain, times it, and prints a line per scene
// that drew a frame and a total over all frames; it writes no hashes.
TEST(BenchMode, PrintsFramesPerSceneAndTheTotal) {
    enterSourceTree();
    const ProgramResult r = runProgram("SNOLK_BIN/snolk-render --bench --frames 600");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out.find("hash"), std::string::npos);
    EXPECT_EQ(lineOf(r.out, 0).substr(0, 22), "scene      frames    m");
    std::istringstream lines(r.out);
    std::string line;
    std::string name;
    long frames = 0;
    long sceneFrames = 0;
    long totalFrames = 0;
    int scenes = 0;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        if (!(fields >> name >> frames)) {
            continue;
        }
        if (name == "total") {
            totalFrames = frames;
        } else {
            sceneFrames += frames;
            ++scenes;
        }
    }
    // At 60 fps the letters take 559 frames; the sparkler starts in frame 560.
    EXPECT_EQ(scenes, 2);
    EXPECT_EQ(sceneFrames, 600);
    EXPECT_EQ(totalFrames, 600);
    EXPECT_NE(r.out.find("letters       559 "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("sparkler       41 "), std::string::npos) << r.out;
}
