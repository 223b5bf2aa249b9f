// The fast kernels and the plain ones they replace, checked against each
// other on every frame of the whole show, both drawn in this process.
#include "support/fixtures.h"
#include "support/run_program.h"

#include <gtest/gtest.h>

#include <sstream>

// Both shows step in turn, each on a screen of its own, and the screens are
// compared word for word after every frame.
TEST(LiteralKernels, WholeShowFramesEqualTheFastOnesFrameByFrame) {
    enterSourceTree();
    SDL_Surface* fastScreen = makeScreenSurface(640, 480);
    SDL_Surface* literalScreen = makeScreenSurface(640, 480);
    const std::unique_ptr<ShowAssets> fastAssets = loadShowAssets("data", fastScreen);
    const std::unique_ptr<ShowAssets> literalAssets =
        loadShowAssets("data", literalScreen, Kernels::Literal);
    const VirtualClock clock{0, 0, 60};
    ClockedShow fast(clock, *fastAssets, 1);
    ClockedShow literal(clock, *literalAssets, 1);
    fast.show().console = literal.show().console = nullptr;
    ShowPlatform unseen;
    for (int64_t n = clock.wholeShowFrames(); n > 0; --n) {
        fast.stepFrame(fastScreen, unseen);
        literal.stepFrame(literalScreen, unseen);
        ASSERT_EQ(allWords(fastScreen), allWords(literalScreen)) << "frame " << fast.frame();
    }
    // Every scene took part.
    EXPECT_EQ(fast.scene(), kLastScene);
    SDL_FreeSurface(fastScreen);
    SDL_FreeSurface(literalScreen);
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
