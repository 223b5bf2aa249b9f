#include "gfx/font.h"
#include "gfx/toolkit.h"
#include "scenes/scenes.h"

#include "gfx/random.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <cstdlib>

namespace {

constexpr Uint32 kStart = 1000; // demo time of the scene's first call
constexpr Uint32 kWide = 0x00ff00;
constexpr Uint32 kNarrow = 0xff00ff;

SDL_Surface* solidPicture(int w, int h, Uint32 colour) {
    SDL_Surface* s = makeScreenSurface(w, h);
    SDL_FillRect(s, nullptr, colour);
    SDL_SetColorKey(s, SDL_SRCCOLORKEY, 0);
    return s;
}

// A warp scene with its own generator, run from a folder without data.
struct Warp {
    WarpSequenceState s;
    ShowRandom random;

    int at(SDL_Surface* screen, Uint32 elapsed) {
        ScratchFolder folder;
        StdoutCapture quiet;
        return warpEffekt(s, random, screen, kStart + elapsed);
    }

    // The star field turned this call when an object on the x axis left it.
    bool fieldTurned(SDL_Surface* screen, Uint32 elapsed) {
        StarFieldState& field = s.field;
        std::fill(field.starx, field.starx + kFieldObjects, 100.0f);
        std::fill(field.stary, field.stary + kFieldObjects, 0.0f);
        std::fill(field.starz, field.starz + kFieldObjects, 50.0f);
        at(screen, elapsed);
        return field.stary[0] != 0.0f;
    }

    // Both warp pictures in place of the ones that failed to load.
    void givePictures(int wideWidth, int narrowWidth) {
        s.iTomtewarp.reset(wideWidth ? solidPicture(wideWidth, 10, kWide) : nullptr);
        s.iTomtewarp0.reset(narrowWidth ? solidPicture(narrowWidth, 10, kNarrow) : nullptr);
    }
};

} // namespace

TEST(WarpEffekt, FirstCallClearsSprinklesStarsAndHoldsThePicture) {
    fillSintab();
    SDL_Surface* screen = makeScreenSurface(640, 480);
    SDL_FillRect(screen, nullptr, 0x123456);
    Warp warp;
    warp.random.srand(9);
    EXPECT_EQ(warp.at(screen, 0), 0);
    const int afterCall = warp.random.rand();
    EXPECT_EQ(countWords(screen, 0), 640 * 480);
    EXPECT_EQ(warp.s.first, 0);
    EXPECT_EQ(warp.s.stid, kStart);
    EXPECT_EQ(warp.s.zoom.first, 0);
    EXPECT_EQ(warp.s.zoom.tzpos, 1.65f);
    EXPECT_EQ(warp.s.field.first, 1);
    // Twenty stars, three draws each, and nothing else.
    ShowRandom same(9);
    for (int i = 0; i < 60; ++i) {
        same.rand();
    }
    EXPECT_EQ(same.rand(), afterCall);
    SDL_FreeSurface(screen);
}

// With a solid font sheet every glyph is a 32 x 32 block: the caption falls
// into "take us to" / "warpspeed," / "rudolph", each line from x = 300.
TEST(WarpEffekt, CaptionWrapsIntoThreeLines) {
    fillSintab();
    fillFontstr(redfont);
    redfont.surface = solidPicture(320, 192, 0xffffff);
    SDL_Surface* screen = makeScreenSurface(640, 480);
    Warp().at(screen, 0);
    EXPECT_EQ(countWords(screen, 0xffffff), 2 * 340 * 32 + 7 * 32 * 32);
    EXPECT_EQ(wordAt(screen, 639, 20), 0xffffffu);
    EXPECT_EQ(wordAt(screen, 639, 85), 0xffffffu);
    EXPECT_EQ(wordAt(screen, 300, 88), 0xffffffu);
    EXPECT_EQ(wordAt(screen, 523, 119), 0xffffffu);
    EXPECT_EQ(wordAt(screen, 524, 88), 0u);
    EXPECT_EQ(wordAt(screen, 299, 20), 0u);
    EXPECT_EQ(wordAt(screen, 300, 52), 0u);
    SDL_FreeSurface(screen);
}

TEST(WarpEffekt, PhasesFollowTheElapsedTime) {
    fillSintab();
    SDL_Surface* screen = makeScreenSurface(640, 480);
    Warp warp;
    warp.at(screen, 0);
    EXPECT_EQ(warp.at(screen, 2999), 0);
    EXPECT_EQ(warp.s.zoom.tzpos, 1.65f);
    EXPECT_EQ(warp.at(screen, 3000), 0);
    const float receded = warp.s.zoom.tzpos;
    EXPECT_GT(receded, 1.65f);
    EXPECT_EQ(warp.at(screen, 5999), 0);
    EXPECT_GT(warp.s.zoom.tzpos, receded);
    EXPECT_EQ(warp.s.field.first, 1);

    SDL_FillRect(screen, nullptr, 0x123456);
    const float lastZoom = warp.s.zoom.tzpos;
    EXPECT_EQ(warp.at(screen, 6000), 0);
    EXPECT_EQ(warp.s.field.first, 0);
    EXPECT_EQ(warp.s.zoom.tzpos, lastZoom);
    EXPECT_EQ(countWords(screen, 0), 640 * 480);

    EXPECT_FALSE(warp.fieldTurned(screen, 11999));
    EXPECT_EQ(warp.s.field.starz[0], 49.0f);
    EXPECT_TRUE(warp.fieldTurned(screen, 12000));
    EXPECT_EQ(warp.at(screen, 15000), 0);
    EXPECT_EQ(warp.at(screen, 15001), 1);
    SDL_FreeSurface(screen);
}

// Both pictures are centred by the width of iTomtewarp, 250 pixels down, so
// without iTomtewarp neither is drawn; without iTomtewarp0 only the straight
// flight loses its picture.
TEST(WarpEffekt, PicturesArePlacedByTheWidthOfTomtewarp) {
    fillSintab();
    SDL_Surface* screen = makeScreenSurface(640, 480);
    Warp warp;
    warp.at(screen, 0);
    warp.givePictures(100, 50);
    warp.at(screen, 6000);
    EXPECT_EQ(countWords(screen, kNarrow), 50 * 10);
    EXPECT_EQ(wordAt(screen, 270, 250), kNarrow);
    EXPECT_EQ(wordAt(screen, 319, 259), kNarrow);
    warp.at(screen, 12000);
    EXPECT_EQ(countWords(screen, kWide), 100 * 10);
    EXPECT_EQ(wordAt(screen, 270, 250), kWide);
    EXPECT_EQ(wordAt(screen, 369, 259), kWide);

    warp.givePictures(0, 50);
    warp.at(screen, 7000);
    EXPECT_EQ(countWords(screen, 0), 640 * 480);
    warp.givePictures(100, 0);
    warp.at(screen, 8000);
    EXPECT_EQ(countWords(screen, 0), 640 * 480);
    warp.at(screen, 13000);
    EXPECT_EQ(countWords(screen, kWide), 100 * 10);
    SDL_FreeSurface(screen);
}
