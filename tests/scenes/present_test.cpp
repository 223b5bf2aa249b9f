#include "scenes/scenes.h"

#include "gfx/font.h"
#include "shell/frame_files.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr Uint32 kLogoMark = 0x800000;
constexpr Uint32 kSeven = 0x00ff00;

// Every logo pixel tells its own column and row: 0x800000 | row << 10 | column.
SDL_Surface* makeLogo(int w, int h) {
    SDL_Surface* logo = makeScreenSurface(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            static_cast<Uint32*>(logo->pixels)[y * w + x] = kLogoMark | (Uint32)y << 10 | (Uint32)x;
        }
    }
    return logo;
}

// The logo column shown at (x, y) of the screen, or -1 where no logo is.
int logoColumnAt(const SDL_Surface* screen, int x, int y) {
    const Uint32 word = wordAt(screen, x, y);
    return (word & kLogoMark) != 0 ? (int)(word & 0x3ff) : -1;
}

int logoRowAt(const SDL_Surface* screen, int x, int y) {
    const Uint32 word = wordAt(screen, x, y);
    return (word & kLogoMark) != 0 ? (int)(word >> 10 & 0x3f) : -1;
}

// A 300 x 60 logo (centred at x = 170, at rest at y = 40) and a 40 x 60 seven.
class PresentTest : public testing::Test {
  protected:
    void SetUp() override {
        p.krx4.reset(makeLogo(300, 60));
        p.seven.reset(makeSolidSurface(40, 60, kSeven));
        screen = makeSolidSurface(640, 480, 0x123456);
    }

    void TearDown() override { SDL_FreeSurface(screen); }

    int frameAt(Uint32 elapsed) { return present(p, s, frame.at(screen, elapsed, elapsed == 0)); }

    // Both pieces stand at y = 40 with their outer and inner columns where
    // expected, and black around them.
    void expectPieces(int leftX, int rightX) {
        EXPECT_EQ(logoColumnAt(screen, leftX - 1, 40), -1);
        EXPECT_EQ(logoColumnAt(screen, leftX, 40), 0);
        EXPECT_EQ(logoColumnAt(screen, leftX + 119, 40), 119);
        EXPECT_EQ(logoColumnAt(screen, rightX, 40), 120);
        EXPECT_EQ(logoColumnAt(screen, rightX + 179, 99), 299);
        EXPECT_EQ(logoColumnAt(screen, rightX + 180, 40), -1);
        EXPECT_EQ(logoRowAt(screen, leftX, 99), 59);
        EXPECT_EQ(wordAt(screen, leftX, 39), 0u);
        EXPECT_EQ(wordAt(screen, rightX, 100), 0u);
    }

    LogoPictures p;
    PresentState s;
    TestFrame frame;
    SDL_Surface* screen = nullptr;
};

} // namespace

TEST_F(PresentTest, LogoDropsOnePixelPer30msUntilItRestsAt40) {
    EXPECT_EQ(frameAt(0), 0);
    EXPECT_EQ(wordAt(screen, 170, 0), 0u); // wholly above the screen
    EXPECT_EQ(s.stage, 0);

    frameAt(30);
    EXPECT_EQ(logoRowAt(screen, 170, 0), 59);
    EXPECT_EQ(logoColumnAt(screen, 169, 0), -1);
    EXPECT_EQ(logoColumnAt(screen, 469, 0), 299);

    frameAt(2999);
    EXPECT_EQ(logoRowAt(screen, 170, 39), 0);
    EXPECT_EQ(wordAt(screen, 170, 38), 0u);
    EXPECT_EQ(s.stage, 0);

    // The frame that reaches the resting place still shows the drop.
    frameAt(3000);
    EXPECT_EQ(logoRowAt(screen, 170, 40), 0);
    EXPECT_EQ(s.stage, 1);
}

TEST_F(PresentTest, LateLastDropFrameDrawsTheLogoBelowItsRest) {
    frameAt(3600);
    EXPECT_EQ(logoRowAt(screen, 170, 60), 0);
    EXPECT_EQ(wordAt(screen, 170, 59), 0u);
    EXPECT_EQ(s.stage, 1);
}

TEST_F(PresentTest, PiecesSwingApartInOneRadianSteps) {
    struct Case {
        Uint32 elapsed;
        int leftX;
        int rightX;
        int stageAfter;
    };
    const Case cases[] = {
        {3000, 170, 290, 1},                      // s = 0: the whole logo at rest
        {3299, 170, 290, 1}, {3600, 169, 291, 1}, // s = 2, g = -1 (-1.98 toward zero)
        {7200, 153, 307, 1},                      // s = 14, g = 3
        {7500, 160, 300, 2},                      // s = 15, g = -5: still a swing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.elapsed);
        s.stage = 1;
        EXPECT_EQ(frameAt(c.elapsed), 0);
        expectPieces(c.leftX, c.rightX);
        EXPECT_EQ(s.stage, c.stageAfter);
    }
}

TEST_F(PresentTest, SettledPiecesStand40ApartWithTheSevenBetween) {
    s.stage = 2;
    frameAt(8000);
    expectPieces(150, 310);
    EXPECT_EQ(wordAt(screen, 270, 40), kSeven);
    EXPECT_EQ(wordAt(screen, 309, 99), kSeven);
    EXPECT_EQ(wordAt(screen, 270, 100), 0u);
    EXPECT_EQ(s.stage, 2);
}

TEST_F(PresentTest, TitleStandsAtX100Y400) {
    fillFontstr(frame.font);
    frame.font.surface.reset(makeSolidSurface(320, 192, 0xffffff));
    frameAt(0);
    // Fourteen glyphs, the blanks included (this sheet has no empty cell).
    EXPECT_EQ(wordAt(screen, 100, 400), 0xffffffu);
    EXPECT_EQ(wordAt(screen, 547, 431), 0xffffffu);
    EXPECT_EQ(wordAt(screen, 99, 400), 0u);
    EXPECT_EQ(wordAt(screen, 548, 400), 0u);
    EXPECT_EQ(wordAt(screen, 100, 399), 0u);
    EXPECT_EQ(wordAt(screen, 100, 432), 0u);
}

TEST_F(PresentTest, FinishesOnlyAfter10000ms) {
    EXPECT_EQ(frameAt(10000), 0);
    EXPECT_EQ(frameAt(10001), 1);
}

// A 50 x 120 logo is too tall for the drop and too narrow to split: the drop
// ends at once, the spread stays 0 until 3000 ms, and no right piece is drawn.
TEST_F(PresentTest, TallNarrowLogoGivesNoGarbage) {
    p.krx4.reset(makeLogo(50, 120)); // cx = 295, top = -20
    frameAt(0);
    EXPECT_EQ(s.stage, 1);

    for (Uint32 elapsed : {100u, 2999u, 3299u}) {
        SCOPED_TRACE(elapsed);
        frameAt(elapsed);
        EXPECT_EQ(s.stage, 1);
        EXPECT_EQ(logoRowAt(screen, 295, 0), 20);
        EXPECT_EQ(logoColumnAt(screen, 344, 99), 49);
        EXPECT_EQ(wordAt(screen, 294, 0), 0u);
        EXPECT_EQ(wordAt(screen, 345, 0), 0u);
    }
    frameAt(7500);
    EXPECT_EQ(s.stage, 2);
    frameAt(7600);
    EXPECT_EQ(logoColumnAt(screen, 275, 0), 0);
    EXPECT_EQ(wordAt(screen, 325, 0), 0u);
    EXPECT_EQ(wordAt(screen, 395, 0), kSeven);
    EXPECT_EQ(wordAt(screen, 435, 0), 0u);
}

TEST(Present, LogoAndSevenLoadedAheadAreDrawnFromTheFirstFrame) {
    ScratchFolder folder;
    ASSERT_TRUE(std::filesystem::create_directory("data"));
    SDL_Surface* logo = makeLogo(300, 60);
    SDL_Surface* seven = makeSolidSurface(40, 60, kSeven);
    ASSERT_TRUE(writePng(logo, "data/krx4.png"));
    ASSERT_TRUE(writePng(seven, "data/7.png"));
    SDL_FreeSurface(logo);
    SDL_FreeSurface(seven);
    SDL_Surface* screen = makeSolidSurface(640, 480, 0x123456);
    const LogoPictures p = loadLogoPictures({"data", screen, Kernels::Fast});
    ASSERT_NE(p.krx4, nullptr);
    ASSERT_NE(p.seven, nullptr);
    PresentState s;
    TestFrame frame;

    EXPECT_EQ(present(p, s, frame.at(screen, 0, true)), 0);
    present(p, s, frame.at(screen, 3000));
    present(p, s, frame.at(screen, 7500));
    present(p, s, frame.at(screen, 8000));
    EXPECT_EQ(logoColumnAt(screen, 150, 40), 0);
    EXPECT_EQ(wordAt(screen, 270, 40), kSeven);
    EXPECT_EQ(logoColumnAt(screen, 310, 40), 120);
    SDL_FreeSurface(screen);
}

TEST(Present, WithEveryPictureMissingKeepsTheTimingAndDrawsOnlyBlack) {
    ScratchFolder folder;
    const LogoPictures p = loadLogoPictures({"data", nullptr, Kernels::Fast});
    PresentState s;
    TestFrame frame;
    SDL_Surface* screen = makeSolidSurface(640, 480, 0x123456);
    for (Uint32 elapsed = 0; elapsed <= 10000; elapsed += 100) {
        ASSERT_EQ(present(p, s, frame.at(screen, elapsed, elapsed == 0)), 0) << elapsed;
    }
    EXPECT_EQ(s.stage, 0);
    EXPECT_EQ(present(p, s, frame.at(screen, 10001)), 1);
    for (Uint32 word : allWords(screen)) {
        ASSERT_EQ(word, 0u);
    }
    SDL_FreeSurface(screen);
}
