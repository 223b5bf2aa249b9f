#include "gfx/font.h"
#include "gfx/toolkit.h"
#include "scenes/scenes.h"

#include "gfx/random.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <cstdlib>

namespace {

constexpr Uint32 kWide = 0x00ff00;
constexpr Uint32 kNarrow = 0xff00ff;

// A warp scene with its own generator and no pictures; its first call is
// its first frame.
struct Warp {
    WarpPictures p;
    WarpSequenceState s;
    TestFrame frame;
    ShowRandom& random = frame.random;
    bool begun = false;

    Warp() { frame.console = nullptr; }

    int at(SDL_Surface* screen, Uint32 elapsed) {
        const bool begins = !begun;
        begun = true;
        return warpEffekt(p, s, frame.at(screen, elapsed, begins));
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
        p.iTomtewarp =
            wideWidth ? keyedOnBlack(makeSolidSurface(wideWidth, 10, kWide), nullptr) : nullptr;
        p.iTomtewarp0 = narrowWidth
                            ? keyedOnBlack(makeSolidSurface(narrowWidth, 10, kNarrow), nullptr)
                            : nullptr;
    }
};

} // namespace

// The first frame clears, sprinkles twenty stars (three draws each, and
// nothing else), holds the picture and says which zoom pictures are
// missing; no later frame says it again.
TEST(WarpEffekt, FirstFrameClearsSprinklesStarsAndHoldsThePicture) {
    fillSintab();
    SDL_Surface* screen = makeSolidSurface(640, 480, 0x123456);
    Warp warp;
    warp.random.srand(9);
    warp.frame.console = stdout;
    StdoutCapture console;
    EXPECT_EQ(warp.at(screen, 0), 0);
    const int afterCall = warp.random.rand();
    EXPECT_EQ(countWords(screen, 0), 640 * 480);
    EXPECT_EQ(warp.s.zoom.tzpos, 1.65f);
    EXPECT_FALSE(warp.s.fieldFlying);
    ShowRandom same(9);
    for (int i = 0; i < 60; ++i) {
        same.rand();
    }
    EXPECT_EQ(same.rand(), afterCall);
    warp.at(screen, 16);
    EXPECT_EQ(console.finish(), "Klingons!!\nett fel av typen 1 har intr\xe4"
                                "ffat\n");
    SDL_FreeSurface(screen);
}

// With a solid font sheet every glyph is a 32 x 32 block: the caption falls
// into "take us to" / "warpspeed," / "rudolph", each line from x = 300.
TEST(WarpEffekt, CaptionWrapsIntoThreeLines) {
    fillSintab();
    Warp warp;
    fillFontstr(warp.frame.font);
    warp.frame.font.surface.reset(makeSolidSurface(320, 192, 0xffffff));
    SDL_Surface* screen = makeScreenSurface(640, 480);
    warp.at(screen, 0);
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
    EXPECT_FALSE(warp.s.fieldFlying);

    // The field is scattered in its first frame (x, y, z for each object)
    // and only then.
    SDL_FillRect(screen, nullptr, 0x123456);
    const float lastZoom = warp.s.zoom.tzpos;
    warp.random.srand(3);
    ShowRandom same(3);
    const float firstX = (float)(same.rand() % 640 - 320);
    EXPECT_EQ(warp.at(screen, 6000), 0);
    EXPECT_TRUE(warp.s.fieldFlying);
    EXPECT_EQ(warp.s.field.starx[0], firstX);
    EXPECT_EQ(warp.s.zoom.tzpos, lastZoom);
    EXPECT_EQ(countWords(screen, 0), 640 * 480);
    std::fill(warp.s.field.starz, warp.s.field.starz + kFieldObjects, 50.0f);
    warp.at(screen, 6016);
    EXPECT_EQ(warp.s.field.starx[0], firstX);

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
