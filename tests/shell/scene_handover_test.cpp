// A scene that finishes hands over to the next one in the same frame, and the
// next one starts its clock at that frame's demo time.
#include "scenes/blossa_state.h"
#include "scenes/tannenbaum_state.h"
#include "scenes/tomtebloss_state.h"
#include "shell/scene_chain.h"
#include "shell/sine_tables.h"

#include "support/fixtures.h"

#include <gtest/gtest.h>

TEST(SceneHandover, LetterIntroHandsOverToTheSparklerInTheSameFrame) {
    ScratchFolder folder;
    blossaState = LetterIntroState{};
    tomteblossState = SparklerState{};
    SDL_Surface* screen = makeScreenSurface(640, 480);
    StdoutCapture quiet;

    EXPECT_EQ(runFrame(screen, 1, 2000, 0), 0);
    EXPECT_EQ(blossaState.stid, 2000u);
    EXPECT_EQ(runFrame(screen, 2, 2000 + 9300, 0), 0);
    EXPECT_EQ(tomteblossState.first, 1);

    SDL_FillRect(screen, nullptr, 0x123456);
    EXPECT_EQ(runFrame(screen, 3, 2000 + 9301, 0), 1);
    EXPECT_EQ(tomteblossState.first, 0);
    EXPECT_EQ(tomteblossState.starttid, 2000u + 9301);
    EXPECT_EQ(countWords(screen, 0x123456), 0);
    EXPECT_GT(countWords(screen, 0), 600 * 400);
    SDL_FreeSurface(screen);
}

TEST(SceneHandover, TheIndexOnlyGrowsThroughTheFirstTwoScenes) {
    ScratchFolder folder;
    blossaState = LetterIntroState{};
    tomteblossState = SparklerState{};
    fillSintab();
    SDL_Surface* screen = makeScreenSurface(640, 480);
    StdoutCapture quiet;

    // Frames 50 ms apart: the intro finishes at 11350 (elapsed 9350), the
    // sparkler at 29400 (elapsed 18050).
    int index = 0;
    int frame = 0;
    for (Uint32 time = 2000; index < 2; time += 50) {
        ASSERT_LT(time, 40000u);
        const int next = runFrame(screen, ++frame, time, index);
        ASSERT_GE(next, index) << time;
        index = next;
        const int expected = time <= 11300 ? 0 : time < 29400 ? 1 : 2;
        ASSERT_EQ(index >= 2 ? 2 : index, expected) << time;
    }
    EXPECT_EQ(tomteblossState.starttid, 11350u);
    SDL_FreeSurface(screen);
}

TEST(SceneHandover, TheTreeHoldsTwoSecondsThenHandsOver) {
    ScratchFolder folder;
    tannenbaumState = TreeState{};
    fillSintab();
    SDL_Surface* screen = makeScreenSurface(640, 480);
    StdoutCapture quiet;

    EXPECT_EQ(runFrame(screen, 1, 60000, 4), 4);
    EXPECT_EQ(tannenbaumState.stime, 60000u);
    EXPECT_EQ(runFrame(screen, 2, 61999, 4), 4);
    EXPECT_GE(runFrame(screen, 3, 62000, 4), 5);
    SDL_FreeSurface(screen);
}
