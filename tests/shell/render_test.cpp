#include "shell/render.h"

#include "support/fixtures.h"
#include "support/run_program.h"

#include <gtest/gtest.h>

TEST(Renderer, VirtualClock) {
    RenderOptions o;
    EXPECT_EQ(demoTimeOfFrame(1, o), 2000u);
    EXPECT_EQ(demoTimeOfFrame(2, o), 2016u);
    EXPECT_EQ(demoTimeOfFrame(559, o), 11300u);
    o.fps = 7;
    o.startSeconds = 600;
    EXPECT_EQ(demoTimeOfFrame(3, o), 602285u);
    // Computed in 64 bits, stored as the unsigned 32-bit demo time.
    o.fps = 1;
    o.startSeconds = 0;
    EXPECT_EQ(demoTimeOfFrame(4294966, o), 4294967000u);
    EXPECT_EQ(demoTimeOfFrame(4294967, o), 704u);
}

TEST(Renderer, OptionsAreCheckedAndBadOnesExitWithTwo) {
    ScratchFolder folder;
    for (const char* bad :
         {"--fps 0", "--frames", "--seed x", "--start 601", "--every 0", "--bogus", "--png"}) {
        const ProgramResult r = runProgram(std::string("SNOLK_BIN/snolk-render ") + bad, true);
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_NE(r.out.find("usage: snolk-render"), std::string::npos) << bad;
    }
}

TEST(Renderer, BlackFirstFrameWithoutData) {
    ScratchFolder folder;
    const ProgramResult r =
        runProgram("SNOLK_BIN/snolk-render --hash --seed 1 --fps 60 --frames 1");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(lineOf(r.out, 0).substr(0, 22), "frame 1 time 2000 scen");
    EXPECT_NE(lineOf(r.out, 0).find("hash f318e0e2f9b92325"), std::string::npos) << r.out;
}

TEST(Renderer, SameArgumentsSameFrames) {
    enterSourceTree();
    const std::string command =
        "SNOLK_BIN/snolk-render --hash --seed 3 --fps 50 --start 2 --frames 900";
    const ProgramResult first = runProgram(command);
    const ProgramResult second = runProgram(command);
    EXPECT_EQ(first.status, 0);
    EXPECT_EQ(first.out, second.out);
    EXPECT_EQ(lineOf(first.out, 899).substr(0, 24), "frame 900 time 21980 sce");
}

TEST(Renderer, WritesTheChosenFramesAsPng) {
    ScratchFolder folder;
    const ProgramResult r = runProgram("mkdir pictures && SNOLK_BIN/snolk-render --frames 7 --png "
                                       "pictures --from 2 --every 3 && ls pictures");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "frame-000002.png\nframe-000005.png\n");
    const ProgramResult missing =
        runProgram("SNOLK_BIN/snolk-render --frames 2 --png nowhere", true);
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.out.find("cannot write nowhere/frame-000001.png"), std::string::npos);
}
