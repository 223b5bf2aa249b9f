#include "scenes/scenes.h"

#include "gfx/random.h"
#include "shell/frame_files.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

constexpr Uint32 kUnburnt = 0x00aa00;
constexpr Uint32 kBurnt = 0x550000;

int litPixels(const SDL_Surface* screen) {
    int lit = 0;
    for (Uint32 word : allWords(screen)) {
        lit += word != 0;
    }
    return lit;
}

// Every slot out of sight, so only sparks born in the next frame show,
// within 7 columns of the anchor.
void parkAllSparks(SparklerState& s) {
    for (int i = 0; i < kSparkSlots; ++i) {
        s.xpos[i] = -10000;
        s.ypos[i] = 0;
        s.xspeed[i] = 0;
        s.yspeed[i] = 0;
    }
}

class TomteblossTest : public testing::Test {
  protected:
    void SetUp() override { screen = makeScreenSurface(640, 480); }

    void TearDown() override { SDL_FreeSurface(screen); }

    int frameAt(Uint32 elapsed) { return frameAt(s, elapsed); }
    int frameAt(SparklerState& state, Uint32 elapsed) {
        return tomtebloss(p, state, frame.at(screen, elapsed), 300, 360);
    }

    SparklerPictures p;
    SparklerState s;
    TestFrame frame;
    ShowRandom& random = frame.random;
    SDL_Surface* screen = nullptr;
};

} // namespace

// The pictures are read ahead; the first frame clears the screen and says
// which of them are missing, and no later frame says it again.
TEST(Tomtebloss, FirstFrameClearsAndReportsMissingPictures) {
    ScratchFolder folder;
    const SparklerPictures none = loadSparklerPictures({"data", nullptr, Kernels::Fast});
    SparklerState s;
    TestFrame frame;
    SDL_Surface* screen = makeSolidSurface(640, 480, 0x123456);
    StdoutCapture capture;
    EXPECT_EQ(tomtebloss(none, s, frame.at(screen, 0, true), 300, 360), 0);
    EXPECT_EQ(tomtebloss(none, s, frame.at(screen, 16), 300, 360), 0);
    EXPECT_EQ(capture.finish(), "blota!!\nblota brunnit!!\n");
    EXPECT_EQ(wordAt(screen, 600, 200), 0u);

    // Only the burnt stick there: the unburnt one is still tried and reported.
    ASSERT_TRUE(std::filesystem::create_directory("data"));
    SDL_Surface* burnt = makeSolidSurface(20, 320, kBurnt);
    ASSERT_TRUE(writePng(burnt, "data/tbub.png"));
    SDL_FreeSurface(burnt);
    const SparklerPictures some = loadSparklerPictures({"data", screen, Kernels::Fast});
    EXPECT_EQ(some.tomtepinne, nullptr);
    ASSERT_NE(some.tomtepub, nullptr);
    SparklerState again;
    StdoutCapture second;
    EXPECT_EQ(tomtebloss(some, again, frame.at(screen, 0, true), 300, 360), 0);
    EXPECT_EQ(second.finish(), "blota!!\n");
    EXPECT_EQ(wordAt(screen, 290, 40), kBurnt);
    SDL_FreeSurface(screen);
}

// The unburnt stick is the left 20 columns and top 320 - e / 80 rows of its
// picture, over the whole burnt stick, both hanging from (290, 40).
TEST_F(TomteblossTest, StickBurnsDownARowEvery80ms) {
    p.tomtepinne.reset(makeSolidSurface(40, 400, kUnburnt));
    p.tomtepub.reset(makeSolidSurface(20, 320, kBurnt));
    struct Case {
        Uint32 elapsed;
        int lastUnburntRow;
        int result;
    };
    const Case cases[] = {{0, 359, 0},     {79, 359, 0},    {80, 358, 0},
                          {15999, 160, 0}, {18000, 134, 0}, {18001, 134, 1}};
    for (const Case& c : cases) {
        parkAllSparks(s);
        EXPECT_EQ(frameAt(c.elapsed), c.result) << c.elapsed;
        for (int column : {290, 291, 308, 309}) {
            EXPECT_EQ(wordAt(screen, column, 40), kUnburnt) << c.elapsed;
            EXPECT_EQ(wordAt(screen, column, c.lastUnburntRow), kUnburnt) << c.elapsed;
            if (c.lastUnburntRow < 359) {
                EXPECT_EQ(wordAt(screen, column, c.lastUnburntRow + 1), kBurnt) << c.elapsed;
            }
            EXPECT_EQ(wordAt(screen, column, 39), 0u) << c.elapsed;
            EXPECT_EQ(wordAt(screen, column, 360), 0u) << c.elapsed;
        }
        EXPECT_EQ(wordAt(screen, 289, 100), 0u) << c.elapsed;
        EXPECT_EQ(wordAt(screen, 310, 100), 0u) << c.elapsed;
    }
}

// From 80 ms on every spark is drawn one pixel higher than the same frame
// would draw it at 79 ms.
TEST_F(TomteblossTest, SparksRiseWithTheBurningPoint) {
    // Two sparklers that burn alike until their last frames.
    SparklerState other;
    for (SparklerState* sparkler : {&s, &other}) {
        random.srand(4);
        for (Uint32 elapsed = 0; elapsed < 60; elapsed += 10) {
            frameAt(*sparkler, elapsed);
        }
    }
    random.srand(11);
    frameAt(s, 79);
    SDL_Surface* lower = SDL_ConvertSurface(screen, screen->format, SDL_SWSURFACE);
    random.srand(11);
    frameAt(other, 80);
    EXPECT_GT(litPixels(lower), 100);
    for (int y = 1; y < 479; ++y) {
        for (int x = 0; x < 640; ++x) {
            ASSERT_EQ(wordAt(screen, x, y), wordAt(lower, x, y + 1)) << x << "," << y;
        }
    }
    SDL_FreeSurface(lower);
}

// New sparks still start at the anchor at 15999 ms; from 16000 ms they are
// parked far left and never show.
TEST_F(TomteblossTest, BurntOutSparksAreParkedOutOfSight) {
    // Two frames each: a spark born after its slot's turn shows a frame later.
    parkAllSparks(s);
    random.srand(2);
    frameAt(15999);
    frameAt(15999);
    const int born = s.skapa;
    ASSERT_GT(born, 0);
    EXPECT_NEAR(s.xpos[0], 300, 8);
    EXPECT_GT(litPixels(screen), 0);

    s.skapa = 0;
    parkAllSparks(s);
    random.srand(2);
    frameAt(16000);
    frameAt(16000);
    EXPECT_EQ(s.skapa, born);
    EXPECT_NEAR(s.xpos[0], -10000, 8);
    EXPECT_EQ(litPixels(screen), 0);
    for (Uint32 elapsed = 16016; elapsed < 17000; elapsed += 16) {
        frameAt(elapsed);
    }
    EXPECT_EQ(litPixels(screen), 0);
}

// Positions are whole pixels: each step is a single-precision sum cut toward
// zero, so negative positions round up and slow downward sparks stand still.
TEST_F(TomteblossTest, StepsTruncateTowardZero) {
    s.skapa = 0; // births this frame take the low slots, not the ones below
    s.ypos[45] = 2;
    s.yspeed[45] = (float)(-4 + 9.82 / 200);
    s.xpos[46] = 2;
    s.xspeed[46] = -3.5f;
    s.ypos[47] = 100;
    s.yspeed[47] = 0.9f;
    s.xpos[48] = -7;
    s.xspeed[48] = 2.5f;
    s.ypos[49] = 100;
    s.yspeed[49] = 1.99f;
    random.srand(1);
    frameAt(0);
    ASSERT_LT(s.skapa, 45);
    EXPECT_EQ(s.ypos[45], -1);
    EXPECT_EQ(s.xpos[46], -1);
    EXPECT_EQ(s.ypos[47], 100);
    EXPECT_EQ(s.xpos[48], -4);
    EXPECT_EQ(s.ypos[49], 101);
    EXPECT_GT(s.yspeed[47], 0.9f);
}
