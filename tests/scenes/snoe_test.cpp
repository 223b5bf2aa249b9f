#include "gfx/random.h"
#include "scenes/scenes.h"
#include "scenes/sky_test_support.h"
#include "shell/frame_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

constexpr Uint32 kSmall = 0x00c0c0f0, kLarge = 0x00f0f0ff;

class Snowfall : public testing::Test {
  protected:
    void TearDown() override { SDL_FreeSurface(screen); }

    // Spreads the flakes as the first frame does, gives the layers flakes of
    // 6 x 5 and 10 x 12 pixels and parks every flake far off the right edge,
    // where it falls unseen for a long time.
    void startWithParkedFlakes() {
        snoeBegin(s, frame.at(screen, 0, true));
        p.flinga0 = keyedOnBlack(makeSolidSurface(6, 5, kSmall), screen);
        p.flinga1 = keyedOnBlack(makeSolidSurface(10, 12, kLarge), screen);
        change([](SnowfallState& n) {
            std::fill(n.px0, n.px0 + 60, 10000.0f);
            std::fill(n.px1, n.px1 + 5, 10000.0f);
            std::fill(n.py0, n.py0 + 60, 0.0f);
            std::fill(n.py1, n.py1 + 5, 0.0f);
        });
    }
    template <class Edit> void change(Edit edit) { edit(s); }
    void fall(int layer) {
        SDL_FillRect(screen, nullptr, 0);
        snoe(p, s, frame.at(screen, 16), layer);
    }
    std::vector<float> positions() const {
        std::vector<float> all(s.px0, s.px0 + 60);
        all.insert(all.end(), s.py0, s.py0 + 60);
        all.insert(all.end(), s.px1, s.px1 + 5);
        all.insert(all.end(), s.py1, s.py1 + 5);
        return all;
    }

    ScratchFolder folder;
    SnowPictures p;
    SnowfallState s;
    TestFrame frame;
    ShowRandom& random = frame.random;
    SDL_Surface* screen = makeScreenSurface(640, 480);
};

// The flakes are read ahead, keyed on black; the first frame spreads both
// layers, two numbers a flake, before the first layer falls.
TEST_F(Snowfall, FirstFramePlacesBothLayersAndMovesOnlyTheOneAskedFor) {
    std::filesystem::create_directory("data");
    SDL_Surface* small = makeSolidSurface(6, 5, kSmall);
    SDL_Surface* large = makeSolidSurface(10, 12, kLarge);
    writePng(small, "data/flinga0.png");
    writePng(large, "data/flinga1.png");
    SDL_FreeSurface(small);
    SDL_FreeSurface(large);
    p = std::move(loadMoonlitSkyPictures({"data", screen, Kernels::Fast}).snow);
    const std::vector<int> r = randomNumbers(5, 131);
    random.srand(5);
    snoeBegin(s, frame.at(screen, 0, true));
    fall(0);
    for (SDL_Surface* sprite : {p.flinga0.get(), p.flinga1.get()}) {
        ASSERT_NE(sprite, nullptr);
        EXPECT_TRUE(sprite->flags & SDL_SRCCOLORKEY);
        EXPECT_EQ(sprite->format->colorkey, 0u);
    }
    EXPECT_EQ(s.px0[59], (float)((double)(r[118] % 640) - 0.1));
    EXPECT_EQ(s.py0[59], (float)((double)(r[119] % 480) + 0.2));
    EXPECT_EQ(s.px1[4], (float)(r[128] % 640));
    EXPECT_EQ(s.py1[4], (float)(r[129] % 480));
    EXPECT_NE(boxOf(screen, kSmall)[0], -1);
    EXPECT_EQ(boxOf(screen, kLarge)[0], -1);
    fall(1);
    EXPECT_EQ(random.rand(), r[130]); // placed once; nothing has fallen out yet
    EXPECT_EQ(s.py1[4], (float)((double)(r[129] % 480) + 0.4));
    EXPECT_EQ(boxOf(screen, kSmall)[0], -1);
    EXPECT_NE(boxOf(screen, kLarge)[0], -1);
}

// Any layer but 0 and 1 moves and draws nothing.
TEST_F(Snowfall, LayerTwoChangesNothing) {
    const std::vector<int> r = randomNumbers(6, 131);
    random.srand(6);
    snoeBegin(s, frame.at(screen, 0, true));
    EXPECT_EQ(s.px1[4], (float)(r[128] % 640));
    EXPECT_EQ(s.py1[4], (float)(r[129] % 480));
    s.py0[0] = 480.0f; // due to be sent back by a real layer
    const std::vector<float> before = positions();
    SDL_FillRect(screen, nullptr, 0x123456);
    snoe(p, s, frame.at(screen, 16), 2);
    EXPECT_EQ(positions(), before);
    EXPECT_EQ(boxOf(screen, 0x123456), (Box{0, 0, 639, 479}));
    EXPECT_EQ(random.rand(), r[130]);
}

TEST_F(Snowfall, FlakesOutAtTheBottomOrLeftRestartAboveTheTop) {
    startWithParkedFlakes();
    change([](SnowfallState& n) {
        n.px0[0] = 100.0f;
        n.py0[0] = 480.0f; // at the bottom edge: sent back
        n.px0[1] = 200.0f;
        n.py0[1] = 479.9f; // moves on to 480.1, drawn at row 480, unseen
        n.px0[2] = -5.95f; // drifts on to -6.05, drawn at -6, unseen
        n.px0[3] = -6.0f;  // at -(width) it still moves once more
    });
    const std::vector<int> r = randomNumbers(10, 4);
    random.srand(10);
    fall(0);
    EXPECT_EQ(s.py0[0], -5.0f);
    EXPECT_EQ(s.px0[0], (float)(r[0] % 640));
    EXPECT_EQ(s.py0[1], (float)(479.9f + 0.2));
    EXPECT_EQ(s.px0[3], (float)(-6.0 - 0.1));
    EXPECT_EQ(boxOf(screen, kSmall)[0], -1);
    fall(0);
    // Back one call later at -5 + 0.2, so one row shows.
    const int x = (int)((double)(r[0] % 640) - 0.1);
    EXPECT_EQ(boxOf(screen, kSmall), (Box{x, 0, x + 5, 0}));
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(s.py0[i], -5.0f) << i;
        EXPECT_EQ(s.px0[i], (float)(r[i] % 640)) << i;
    }
}

TEST_F(Snowfall, DoubleStepsTruncatedTowardZero) {
    startWithParkedFlakes();
    change([](SnowfallState& n) {
        n.px1[0] = -3.5f;  // -3.9 is drawn at column -3
        n.py1[0] = -10.2f; // -9.8 is drawn at row -9
    });
    fall(1);
    EXPECT_EQ(boxOf(screen, kLarge), (Box{0, 0, 6, 2}));
    // Steps are taken in double: near zero a float step would land elsewhere.
    change([](SnowfallState& n) {
        n.px1[0] = 2.0f;
        n.py1[0] = -2.0f;
    });
    for (int call = 0; call < 5; ++call) {
        fall(1);
    }
    EXPECT_EQ(s.px1[0], 0x1.19999ap-24f);
    EXPECT_EQ(s.py1[0], -0x1.19999ap-24f);
}

// A missing picture leaves its layer falling unseen; flakes still restart
// and draw random numbers as they would with it.
TEST_F(Snowfall, MissingPicturesDrawNothingButKeepTheRandomOrder) {
    const std::vector<int> r = randomNumbers(12, 132);
    random.srand(12);
    snoeBegin(s, frame.at(screen, 0, true));
    fall(kSmallFlakes);
    s.px1[2] = -0.1f; // left of -(width 0)
    fall(kLargeFlakes);
    EXPECT_EQ(s.py1[2], 0.0f);
    EXPECT_EQ(s.px1[2], (float)(r[130] % 640));
    EXPECT_EQ(random.rand(), r[131]);
    for (Uint32 word : allWords(screen)) {
        ASSERT_EQ(word, 0u);
    }
}

} // namespace
