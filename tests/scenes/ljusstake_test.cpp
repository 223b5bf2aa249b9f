#include "scenes/scenes.h"

#include "scenes/flame_pictures.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

namespace {

// Greetings whose rows have colours of their own: row r is greetRow(r).
Uint32 greetRow(int r) {
    return 0x00204060u + 0x00100000u * (Uint32)r;
}

SDL_Surface* greetings() {
    SDL_Surface* s = makeScreenSurface(8, 4);
    for (int r = 0; r < 4; ++r) {
        SDL_Rect row = {0, (Sint16)r, 8, 1};
        SDL_FillRect(s, &row, greetRow(r));
    }
    return s;
}

SDL_Surface* whiteScreen() {
    return makeSolidSurface(640, 480, 0xffffff);
}

struct FlamePlace {
    int x;
    int y;
};
constexpr FlamePlace kFlamePlaces[4] = {{62, 84}, {142, 62}, {220, 42}, {300, 20}};

} // namespace

TEST(Ljusstake, WithoutDataTheFirstFrameIsBlackAndTheFlamesReady) {
    ScratchFolder folder;
    const CandlestickPictures p = loadCandlestickPictures({"data", nullptr, Kernels::Fast});
    EXPECT_EQ(p.iStake, nullptr);
    EXPECT_EQ(p.iGreets, nullptr);
    CandlestickState s;
    makeCandleSurfaces(p, s, Kernels::Fast);
    SDL_Surface* screen = whiteScreen();
    TestFrame frame;
    EXPECT_EQ(ljusstake(p, s, frame.at(screen, 0, true)), 0);
    for (Uint32 word : allWords(screen)) {
        ASSERT_EQ(word, 0u);
    }
    EXPECT_EQ(s.apan, 478);
    for (const OwnedSurface& flame : s.eld) {
        ASSERT_NE(flame, nullptr);
        EXPECT_EQ(pixelsOf(flame.get()), Heat(40 * 128, 0));
        const SDL_Palette* palette = flame.get()->format->palette;
        ASSERT_EQ(palette->ncolors, 256);
        for (int i = 0; i < 256; ++i) {
            const SDL_Color c = palette->colors[i];
            ASSERT_EQ(c.r | c.g | c.b, 0) << "palette entry " << i;
        }
    }
    EXPECT_EQ(ljusstake(p, s, frame.at(screen, 16)), 0);
    EXPECT_EQ(s.apan, 476);
    SDL_FreeSurface(screen);
}

TEST(Ljusstake, EachFlameBurnsInItsOwnPhaseAndCoversTheStakeAtItsPlace) {
    CandlestickPictures p;
    p.flames = dotSeed();
    p.iStake.reset(makeSolidSurface(500, 300, 0xffffff));
    CandlestickState s;
    makeOwnSeeds(p.flames, s.flames, Kernels::Fast);
    for (int k = 0; k < kFlames; ++k) {
        s.eld[k].reset(greySurface(40, 128));
        SDL_Color cold = {(Uint8)(0x10 * (k + 1)), 0x20, 0x30, 0};
        SDL_SetColors(s.eld[k].get(), &cold, 0, 1);
    }
    SDL_Surface* screen = whiteScreen();
    TestFrame frame;
    ljusstake(p, s, frame.at(screen, 0, true));
    // At time 0 all three stamps sit at angle = phase: 0, 3.14, 1.8, 4.0.
    const FlamePlace seeds[4] = {{20, 126}, {20, 118}, {23, 121}, {16, 119}};
    EXPECT_EQ(wordAt(screen, 45, 114), 0xffffffu);
    for (int k = 0; k < kFlames; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(pixelsOf(s.eld[k].get()),
                  smoothed(dotAt(40, 128, seeds[k].x, seeds[k].y), 40, 128));
        // Cold pixels are opaque: the whole rectangle hides the stake.
        const Uint32 cold = 0x10u * (Uint32)(k + 1) << 16 | 0x2030;
        const int x = kFlamePlaces[k].x, y = kFlamePlaces[k].y;
        EXPECT_EQ(wordAt(screen, x, y), cold);
        EXPECT_EQ(wordAt(screen, x, 120), cold);
        EXPECT_EQ(wordAt(screen, x + 39, y + 127), cold);
        EXPECT_EQ(wordAt(screen, x - 1, y + 100), 0xffffffu);
        EXPECT_EQ(wordAt(screen, x + 40, y + 100), 0xffffffu);
        EXPECT_EQ(wordAt(screen, x + 20, y + 128), 0xffffffu);
        EXPECT_EQ(wordAt(screen, x + 20, y - 1), 0u);
    }
    SDL_FreeSurface(screen);
}

TEST(Ljusstake, GreetingsRiseFromJustBelowTheBottomEdge) {
    CandlestickPictures p;
    p.iGreets.reset(greetings());
    CandlestickState s;
    SDL_Surface* screen = whiteScreen();
    TestFrame frame;
    ljusstake(p, s, frame.at(screen, 0, true));
    for (int y = 470; y < 480; ++y) {
        EXPECT_EQ(wordAt(screen, 370, y), 0u);
    }
    ljusstake(p, s, frame.at(screen, 16));
    EXPECT_EQ(wordAt(screen, 370, 477), 0u);
    EXPECT_EQ(wordAt(screen, 370, 478), greetRow(0));
    EXPECT_EQ(wordAt(screen, 377, 479), greetRow(1));
    EXPECT_EQ(wordAt(screen, 378, 479), 0u);
    SDL_FreeSurface(screen);
}

TEST(Ljusstake, NeverFinishesAndTheGreetingsComeBackEvery32768Frames) {
    CandlestickPictures p;
    p.iGreets.reset(greetings());
    CandlestickState s;
    SDL_Surface* tiny = makeScreenSurface(4, 4);
    SDL_Surface* screen = whiteScreen();
    TestFrame frame;
    int finished = 0;
    for (int n = 1; n <= 70000; ++n) {
        if (n == 32769) {
            EXPECT_EQ((Sint16)s.apan, 480);
        }
        frame.demoTime = 2000u + 16u * (Uint32)n;
        finished += ljusstake(p, s, frame.at(n == 32770 ? screen : tiny, 16u * (Uint32)(n - 1)));
    }
    EXPECT_EQ(finished, 0);
    EXPECT_EQ(wordAt(screen, 370, 477), 0u);
    EXPECT_EQ(wordAt(screen, 370, 478), greetRow(0));

    // Even past the end of int the cycle goes on: low 16 bits 1, then -1.
    s.apan = INT_MIN + 1;
    ljusstake(p, s, frame.at(screen, 0));
    EXPECT_EQ(wordAt(screen, 370, 1), greetRow(0));
    EXPECT_EQ(s.apan, INT_MAX);
    ljusstake(p, s, frame.at(screen, 0));
    EXPECT_EQ(wordAt(screen, 370, 0), greetRow(1));
    SDL_FreeSurface(screen);
    SDL_FreeSurface(tiny);
}

TEST(Ljusstake, BurnsWithTheShowsData) {
    enterSourceTree();
    SDL_Surface* screen = makeScreenSurface(640, 480);
    const CandlestickPictures p = loadCandlestickPictures({"data", screen, Kernels::Fast});
    ASSERT_NE(p.iStake, nullptr);
    ASSERT_NE(p.iGreets, nullptr);
    ASSERT_NE(p.flames.pattern, nullptr);
    CandlestickState s;
    makeCandleSurfaces(p, s, Kernels::Fast);
    TestFrame frame;
    for (int n = 0; n < 30; ++n) {
        frame.demoTime = 200000u + 16u * (Uint32)n;
        ASSERT_EQ(ljusstake(p, s, frame.at(screen, 16u * (Uint32)n, n == 0)), 0);
    }
    for (int k = 0; k < kFlames; ++k) {
        SCOPED_TRACE(k);
        // The hottest part of the flame shows in colour on the screen.
        const Heat heat = pixelsOf(s.eld[k].get());
        const int hottest = (int)(std::max_element(heat.begin(), heat.end()) - heat.begin());
        EXPECT_GT(heat[(size_t)hottest], 0) << "flame went out";
        EXPECT_NE(
            wordAt(screen, kFlamePlaces[k].x + hottest % 40, kFlamePlaces[k].y + hottest / 40), 0u);
    }
    SDL_FreeSurface(screen);
}
