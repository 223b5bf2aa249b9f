// The stepper: a scene that finishes hands over to the next one in the same
// frame, the stepper keeps the one start time and tells the next scene that
// this is its first frame, and every frame is counted and presented once.
// Shows are values: two of them in one process never share anything.
#include "drivers/virtual_clock.h"
#include "gfx/toolkit.h"
#include "scenes/show.h"
#include "scenes/show_assets.h"

#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <memory>
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

// Shows drawn without a single data file, on a screen of their own.
class SceneHandover : public testing::Test {
  protected:
    void SetUp() override {
        assets = loadShowAssets(folder.path() + "/data", nullptr);
        screen = makeScreenSurface(640, 480);
    }
    void TearDown() override { SDL_FreeSurface(screen); }

    ScratchFolder folder;
    std::unique_ptr<ShowAssets> assets;
    SDL_Surface* screen = nullptr;
    ShowPlatform headless;
};

} // namespace

// The sparkler's first frame is the frame that ends the letters: it clears
// the screen and says which of its pictures are missing there, and only there.
TEST_F(SceneHandover, LetterIntroHandsOverToTheSparklerInTheSameFrame) {
    CountingPlatform platform;
    Show show(*assets, 0);
    StdoutCapture letters;
    stepShow(show, screen, 2000, platform);
    EXPECT_EQ(show.scene, 0);
    EXPECT_EQ(show.sceneStartMs, 2000u);
    stepShow(show, screen, 2000 + 9300, platform);
    EXPECT_EQ(show.scene, 0);
    EXPECT_EQ(show.sceneStartMs, 2000u);
    EXPECT_EQ(letters.finish(), "");

    SDL_FillRect(screen, nullptr, 0x123456);
    StdoutCapture sparkler;
    stepShow(show, screen, 2000 + 9301, platform);
    EXPECT_EQ(sparkler.finish(), "blota!!\nblota brunnit!!\n");
    EXPECT_EQ(show.scene, 1);
    EXPECT_EQ(show.frames, 3u);
    EXPECT_EQ(platform.frames, 3);
    EXPECT_EQ(show.sceneStartMs, 2000u + 9301);
    EXPECT_EQ(countWords(screen, 0x123456), 0);
    EXPECT_GT(countWords(screen, 0), 600 * 400);
}

TEST_F(SceneHandover, TheIndexOnlyGrowsThroughTheFirstTwoScenes) {
    // Frames 50 ms apart: the intro finishes at 11350 (elapsed 9350), the
    // sparkler at 29400 (elapsed 18050).
    Show show(*assets, 0);
    show.console = nullptr;
    for (Uint32 time = 2000; show.scene < 2; time += 50) {
        ASSERT_LT(time, 40000u);
        const int before = show.scene;
        stepShow(show, screen, time, headless);
        ASSERT_GE(show.scene, before) << time;
        const int expected = time <= 11300 ? 0 : time < 29400 ? 1 : 2;
        ASSERT_EQ(show.scene >= 2 ? 2 : show.scene, expected) << time;
        if (before == 0 && show.scene == 1) {
            EXPECT_EQ(show.sceneStartMs, time);
        }
    }
}

// A scene's time is the unsigned difference of the clock since its first
// frame: a scene begun just before the 32-bit clock wraps lasts its whole
// duration, and the next one begins in the frame that ends it, its start
// that frame's time.
TEST_F(SceneHandover, EachSceneLastsItsDurationAcrossTheClocksWrap) {
    const Uint32 start = 0xfffffc00u; // 1024 ms before the wrap
    for (int scene : {2, 3, 4}) {
        SCOPED_TRACE(scene);
        const Uint32 duration = kTimeline[scene].durationMs;
        Show show(*assets, scene);
        show.console = nullptr;
        stepShow(show, screen, start, headless);
        EXPECT_EQ(show.sceneStartMs, start);
        stepShow(show, screen, start + duration, headless);
        EXPECT_EQ(show.scene, scene);
        stepShow(show, screen, start + duration + 1, headless);
        EXPECT_EQ(show.scene, scene + 1);
        EXPECT_EQ(show.sceneStartMs, start + duration + 1);
    }
}

// Each frame is presented whole once, at its end; the plasma's scroller
// strip, once it moves, after each of its ten one-pixel steps.
TEST_F(SceneHandover, ThePlatformIsToldOfEveryFrameAndEveryStripStep) {
    CountingPlatform platform;
    Show show(*assets, 3);
    stepShow(show, screen, 40000, platform);
    stepShow(show, screen, 44000, platform);
    EXPECT_EQ(platform.frames, 2);
    EXPECT_TRUE(platform.strips.empty());
    stepShow(show, screen, 44001, platform);
    EXPECT_EQ(platform.frames, 3);
    EXPECT_EQ(platform.strips, std::vector<int>(10, 40));
}

// Two shows with the committed data, stepped by turns in one process, each
// on a screen of its own, draw the frames each would draw alone, and so does
// a third begun afresh later.
TEST(ShowValue, ShowsInOneProcessAreIndependent) {
    enterSourceTree();
    const std::unique_ptr<ShowAssets> assets = loadShowAssets("data", nullptr);
    ShowPlatform headless;
    const VirtualClock clock{0, 0, 4};
    const int64_t frames = clock.wholeShowFrames();
    struct OnScreen {
        ClockedShow show;
        SDL_Surface* screen = makeScreenSurface(640, 480);
        ~OnScreen() { SDL_FreeSurface(screen); }
    };
    auto hashesOf = [&](std::vector<OnScreen*> shows) {
        std::vector<uint64_t> hashes;
        for (int64_t n = 0; n < frames; ++n) {
            for (OnScreen* s : shows) {
                s->show.stepFrame(s->screen, headless);
                hashes.push_back(hashFrame(s->screen));
            }
        }
        return hashes;
    };
    auto quiet = [&]() {
        ClockedShow show(clock, *assets, 7);
        show.show().console = nullptr;
        return show;
    };
    OnScreen first{quiet()};
    OnScreen second{quiet()};
    const std::vector<uint64_t> byTurns = hashesOf({&first, &second});
    OnScreen alone{quiet()};
    const std::vector<uint64_t> single = hashesOf({&alone});
    ASSERT_EQ(byTurns.size(), 2 * single.size());
    for (size_t n = 0; n < single.size(); ++n) {
        ASSERT_EQ(byTurns[2 * n], single[n]) << "frame " << n + 1;
        ASSERT_EQ(byTurns[2 * n + 1], single[n]) << "frame " << n + 1;
    }
    EXPECT_EQ(alone.show.scene(), kLastScene);
}
