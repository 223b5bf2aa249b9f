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

// The scene past its first call with nothing loaded: each test puts in
// just the pictures it looks at.
void startedWithNothing(CandlestickState& s) {
    s.first = 0;
    s.flames.first = 0;
}

SDL_Surface* whiteScreen() {
    SDL_Surface* screen = makeScreenSurface(640, 480);
    SDL_FillRect(screen, nullptr, 0xffffff);
    return screen;
}

struct FlamePlace {
    int x;
    int y;
};
constexpr FlamePlace kFlamePlaces[4] = {{62, 84}, {142, 62}, {220, 42}, {300, 20}};

} // namespace

TEST(Ljusstake, WithoutDataTheFirstFrameIsBlackAndTheFlamesReady) {
    ScratchFolder folder;
    CandlestickState s;
    SDL_Surface* screen = whiteScreen();
    EXPECT_EQ(ljusstake(s, screen, 2000), 0);
    for (Uint32 word : allWords(screen)) {
        ASSERT_EQ(word, 0u);
    }
    EXPECT_EQ(s.first, 0);
    EXPECT_EQ(s.iStake, nullptr);
    EXPECT_EQ(s.iGreets, nullptr);
    EXPECT_EQ(s.apan, 478);
    for (const Picture& flame : s.eld) {
        ASSERT_NE(flame, nullptr);
        EXPECT_EQ(pixelsOf(flame.get()), Heat(40 * 128, 0));
        const SDL_Palette* palette = flame->format->palette;
        ASSERT_EQ(palette->ncolors, 256);
        for (int i = 0; i < 256; ++i) {
            const SDL_Color c = palette->colors[i];
            ASSERT_EQ(c.r | c.g | c.b, 0) << "palette entry " << i;
        }
    }
    EXPECT_EQ(ljusstake(s, screen, 2016), 0);
    EXPECT_EQ(s.apan, 476);
    SDL_FreeSurface(screen);
}

TEST(Ljusstake, EachFlameBurnsInItsOwnPhaseAndCoversTheStakeAtItsPlace) {
    ScratchFolder folder; // no copy of the seed to be loaded: the dot is stamped
    CandlestickState s;
    startedWithNothing(s);
    useDotPattern(s.flames);
    s.iStake.reset(makeScreenSurface(500, 300));
    SDL_FillRect(s.iStake.get(), nullptr, 0xffffff);
    for (int k = 0; k < 4; ++k) {
        s.eld[k].reset(greySurface(40, 128));
        SDL_Color cold = {(Uint8)(0x10 * (k + 1)), 0x20, 0x30, 0};
        SDL_SetColors(s.eld[k].get(), &cold, 0, 1);
    }
    SDL_Surface* screen = whiteScreen();
    ljusstake(s, screen, 0);
    // At time 0 all three stamps sit at angle = phase: 0, 3.14, 1.8, 4.0.
    const FlamePlace seeds[4] = {{20, 126}, {20, 118}, {23, 121}, {16, 119}};
    EXPECT_EQ(wordAt(screen, 45, 114), 0xffffffu);
    for (int k = 0; k < 4; ++k) {
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
    CandlestickState s;
    startedWithNothing(s);
    s.iGreets.reset(greetings());
    SDL_Surface* screen = whiteScreen();
    ljusstake(s, screen, 1000);
    for (int y = 470; y < 480; ++y) {
        EXPECT_EQ(wordAt(screen, 370, y), 0u);
    }
    ljusstake(s, screen, 1016);
    EXPECT_EQ(wordAt(screen, 370, 477), 0u);
    EXPECT_EQ(wordAt(screen, 370, 478), greetRow(0));
    EXPECT_EQ(wordAt(screen, 377, 479), greetRow(1));
    EXPECT_EQ(wordAt(screen, 378, 479), 0u);
    SDL_FreeSurface(screen);
}

TEST(Ljusstake, NeverFinishesAndTheGreetingsComeBackEvery32768Frames) {
    CandlestickState s;
    startedWithNothing(s);
    s.iGreets.reset(greetings());
    SDL_Surface* tiny = makeScreenSurface(4, 4);
    SDL_Surface* screen = whiteScreen();
    int finished = 0;
    for (int frame = 1; frame <= 70000; ++frame) {
        if (frame == 32769) {
            EXPECT_EQ((Sint16)s.apan, 480);
        }
        finished += ljusstake(s, frame == 32770 ? screen : tiny, 2000u + 16u * (Uint32)frame);
    }
    EXPECT_EQ(finished, 0);
    EXPECT_EQ(wordAt(screen, 370, 477), 0u);
    EXPECT_EQ(wordAt(screen, 370, 478), greetRow(0));

    // Even past the end of int the cycle goes on: low 16 bits 1, then -1.
    s.apan = INT_MIN + 1;
    ljusstake(s, screen, 0);
    EXPECT_EQ(wordAt(screen, 370, 1), greetRow(0));
    EXPECT_EQ(s.apan, INT_MAX);
    ljusstake(s, screen, 0);
    EXPECT_EQ(wordAt(screen, 370, 0), greetRow(1));
    SDL_FreeSurface(screen);
    SDL_FreeSurface(tiny);
}

TEST(Ljusstake, BurnsWithTheShowsData) {
    enterSourceTree();
    CandlestickState s;
    SDL_Surface* screen = makeScreenSurface(640, 480);
    for (int frame = 0; frame < 30; ++frame) {
        ASSERT_EQ(ljusstake(s, screen, 200000u + 16u * (Uint32)frame), 0);
    }
    ASSERT_NE(s.iStake, nullptr);
    ASSERT_NE(s.iGreets, nullptr);
    ASSERT_NE(s.flames.pattern, nullptr);
    for (int k = 0; k < 4; ++k) {
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
