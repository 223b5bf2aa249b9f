// The stepper: a scene that finishes hands over to the next one in the same
// frame, the next one starts its clock at that frame's demo time, and every
// frame is counted and presented once.
#include "gfx/toolkit.h"
#include "scenes/scene_state.h"
#include "scenes/show.h"

#include "support/fixtures.h"

#include <gtest/gtest.h>

namespace {

int presents = 0;
void countPresent(SDL_Surface*, int x, int y, int w, int h) {
    presents += x == 0 && y == 0 && w == 640 && h == 480;
}

} // namespace

TEST(SceneHandover, LetterIntroHandsOverToTheSparklerInTheSameFrame) {
    ScratchFolder folder;
    setBlossaState({});
    setTomteblossState({});
    SDL_Surface* screen = makeScreenSurface(640, 480);
    StdoutCapture quiet;
    installPresentHook(countPresent);

    Show show = startShow(0);
    stepShow(show, screen, 2000);
    EXPECT_EQ(show.scene, 0);
    EXPECT_EQ(blossaState().stid, 2000u);
    stepShow(show, screen, 2000 + 9300);
    EXPECT_EQ(show.scene, 0);
    EXPECT_EQ(tomteblossState().first, 1);

    SDL_FillRect(screen, nullptr, 0x123456);
    stepShow(show, screen, 2000 + 9301);
    EXPECT_EQ(show.scene, 1);
    EXPECT_EQ(show.sceneStartMs, 2000u + 9301);
    EXPECT_EQ(show.frames, 3u);
    EXPECT_EQ(presents, 3);
    EXPECT_EQ(tomteblossState().first, 0);
    EXPECT_EQ(tomteblossState().starttid, 2000u + 9301);
    EXPECT_EQ(countWords(screen, 0x123456), 0);
    EXPECT_GT(countWords(screen, 0), 600 * 400);
    installPresentHook(nullptr);
    SDL_FreeSurface(screen);
}

TEST(SceneHandover, TheIndexOnlyGrowsThroughTheFirstTwoScenes) {
    ScratchFolder folder;
    setBlossaState({});
    setTomteblossState({});
    fillSintab();
    SDL_Surface* screen = makeScreenSurface(640, 480);
    StdoutCapture quiet;

    // Frames 50 ms apart: the intro finishes at 11350 (elapsed 9350), the
    // sparkler at 29400 (elapsed 18050).
    Show show = startShow(0);
    for (Uint32 time = 2000; show.scene < 2; time += 50) {
        ASSERT_LT(time, 40000u);
        const int before = show.scene;
        stepShow(show, screen, time);
        ASSERT_GE(show.scene, before) << time;
        const int expected = time <= 11300 ? 0 : time < 29400 ? 1 : 2;
        ASSERT_EQ(show.scene >= 2 ? 2 : show.scene, expected) << time;
    }
    EXPECT_EQ(tomteblossState().starttid, 11350u);
    SDL_FreeSurface(screen);
}

TEST(SceneHandover, AShowBegunAtTheTreeHoldsItTwoSecondsThenHandsOver) {
    ScratchFolder folder;
    setTannenbaumState({});
    fillSintab();
    SDL_Surface* screen = makeScreenSurface(640, 480);
    StdoutCapture quiet;

    Show show = startShow(4);
    stepShow(show, screen, 60000);
    EXPECT_EQ(show.scene, 4);
    EXPECT_EQ(tannenbaumState().stime, 60000u);
    stepShow(show, screen, 61999);
    EXPECT_EQ(show.scene, 4);
    stepShow(show, screen, 62000);
    EXPECT_GE(show.scene, 5);
    EXPECT_EQ(show.sceneStartMs, 62000u);
    SDL_FreeSurface(screen);
}
