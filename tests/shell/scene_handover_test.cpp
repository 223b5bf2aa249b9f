// The stepper: a scene that finishes hands over to the next one in the same
// frame, the next one starts its clock at that frame's demo time, and every
// frame is counted and presented once. Shows are values: two of them in one
// process never share anything.
#include "drivers/virtual_clock.h"
#include "gfx/toolkit.h"
#include "scenes/show.h"

#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Counts what the stepper asks the platform to show.
class CountingPlatform : public ShowPlatform {
  public:
    void presentFrame(SDL_Surface*) override { ++frames; }
    void presentStrip(SDL_Surface*, int height) override { strips.push_back(height); }
    int frames = 0;
    std::vector<int> strips;
};

} // namespace

TEST(SceneHandover, LetterIntroHandsOverToTheSparklerInTheSameFrame) {
    ScratchFolder folder;
    SDL_Surface* screen = makeScreenSurface(640, 480);
    StdoutCapture quiet;
    CountingPlatform platform;

    Show show(0);
    stepShow(show, screen, 2000, platform);
    EXPECT_EQ(show.scene, 0);
    EXPECT_EQ(show.letters.stid, 2000u);
    stepShow(show, screen, 2000 + 9300, platform);
    EXPECT_EQ(show.scene, 0);
    EXPECT_EQ(show.sparkler.first, 1);

    SDL_FillRect(screen, nullptr, 0x123456);
    stepShow(show, screen, 2000 + 9301, platform);
    EXPECT_EQ(show.scene, 1);
    EXPECT_EQ(show.frames, 3u);
    EXPECT_EQ(platform.frames, 3);
    EXPECT_EQ(show.sparkler.first, 0);
    EXPECT_EQ(show.sparkler.starttid, 2000u + 9301);
    EXPECT_EQ(countWords(screen, 0x123456), 0);
    EXPECT_GT(countWords(screen, 0), 600 * 400);
    SDL_FreeSurface(screen);
}

TEST(SceneHandover, TheIndexOnlyGrowsThroughTheFirstTwoScenes) {
    ScratchFolder folder;
    fillSintab();
    SDL_Surface* screen = makeScreenSurface(640, 480);
    StdoutCapture quiet;
    ShowPlatform headless;

    // Frames 50 ms apart: the intro finishes at 11350 (elapsed 9350), the
    // sparkler at 29400 (elapsed 18050).
    Show show(0);
    for (Uint32 time = 2000; show.scene < 2; time += 50) {
        ASSERT_LT(time, 40000u);
        const int before = show.scene;
        stepShow(show, screen, time, headless);
        ASSERT_GE(show.scene, before) << time;
        const int expected = time <= 11300 ? 0 : time < 29400 ? 1 : 2;
        ASSERT_EQ(show.scene >= 2 ? 2 : show.scene, expected) << time;
    }
    EXPECT_EQ(show.sparkler.starttid, 11350u);
    SDL_FreeSurface(screen);
}

TEST(SceneHandover, AShowBegunAtTheTreeHoldsItTwoSecondsThenHandsOver) {
    ScratchFolder folder;
    fillSintab();
    SDL_Surface* screen = makeScreenSurface(640, 480);
    StdoutCapture quiet;
    ShowPlatform headless;

    Show show(4);
    stepShow(show, screen, 60000, headless);
    EXPECT_EQ(show.scene, 4);
    EXPECT_EQ(show.tree.stime, 60000u);
    stepShow(show, screen, 61999, headless);
    EXPECT_EQ(show.scene, 4);
    stepShow(show, screen, 62000, headless);
    EXPECT_GE(show.scene, 5);
    EXPECT_EQ(show.sky.stid, 62000u);
    SDL_FreeSurface(screen);
}

// Each frame is presented whole once, at its end; the plasma's scroller
// strip, once it moves, after each of its ten one-pixel steps.
TEST(SceneHandover, ThePlatformIsToldOfEveryFrameAndEveryStripStep) {
    ScratchFolder folder;
    fillSintab();
    SDL_Surface* screen = makeScreenSurface(640, 480);
    CountingPlatform platform;
    Show show(3);
    stepShow(show, screen, 40000, platform);
    stepShow(show, screen, 44000, platform);
    EXPECT_EQ(platform.frames, 2);
    EXPECT_TRUE(platform.strips.empty());
    stepShow(show, screen, 44001, platform);
    EXPECT_EQ(platform.frames, 3);
    EXPECT_EQ(platform.strips, std::vector<int>(10, 40));
    SDL_FreeSurface(screen);
}

// Two shows with the committed data, stepped by turns in one process, each
// on a screen of its own, draw the frames each would draw alone, and so does
// a third begun afresh later.
TEST(ShowValue, ShowsInOneProcessAreIndependent) {
    enterSourceTree();
    prepareShow();
    ShowPlatform headless;
    const VirtualClock clock{0, 0, 4};
    const int64_t frames = clock.wholeShowFrames();
    struct OnScreen {
        ClockedShow show;
        SDL_Surface* screen = makeScreenSurface(640, 480);
        ~OnScreen() { SDL_FreeSurface(screen); }
    };
    auto hashesOf = [&](std::vector<OnScreen*> shows) {
        StdoutCapture quiet;
        std::vector<uint64_t> hashes;
        for (int64_t n = 0; n < frames; ++n) {
            for (OnScreen* s : shows) {
                s->show.stepFrame(s->screen, headless);
                hashes.push_back(hashFrame(s->screen));
            }
        }
        return hashes;
    };
    OnScreen first{ClockedShow(clock, 7)};
    OnScreen second{ClockedShow(clock, 7)};
    const std::vector<uint64_t> byTurns = hashesOf({&first, &second});
    OnScreen alone{ClockedShow(clock, 7)};
    const std::vector<uint64_t> single = hashesOf({&alone});
    ASSERT_EQ(byTurns.size(), 2 * single.size());
    for (size_t n = 0; n < single.size(); ++n) {
        ASSERT_EQ(byTurns[2 * n], single[n]) << "frame " << n + 1;
        ASSERT_EQ(byTurns[2 * n + 1], single[n]) << "frame " << n + 1;
    }
    EXPECT_EQ(alone.show.scene(), kLastScene);
    releaseShow();
}
