#include "gfx/font.h"
#include "gfx/toolkit.h"
#include "scenes/scene_state.h"
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

// Runs the scene at an elapsed time, from a folder without data.
int at(SDL_Surface* screen, Uint32 elapsed) {
    ScratchFolder folder;
    StdoutCapture quiet;
    return warpEffekt(screen, kStart + elapsed);
}

// The star field turned this call when an object on the x axis left it.
bool fieldTurned(SDL_Surface* screen, Uint32 elapsed) {
    StarFieldState s = star3dState();
    std::fill(s.starx, s.starx + kFieldObjects, 100.0f);
    std::fill(s.stary, s.stary + kFieldObjects, 0.0f);
    std::fill(s.starz, s.starz + kFieldObjects, 50.0f);
    setStar3dState(s);
    at(screen, elapsed);
    return star3dState().stary[0] != 0.0f;
}

// Both warp pictures in place of the ones that failed to load.
void givePictures(int wideWidth, int narrowWidth) {
    WarpSequenceState s = warpEffektState();
    SDL_FreeSurface(s.iTomtewarp);
    SDL_FreeSurface(s.iTomtewarp0);
    s.iTomtewarp = wideWidth ? solidPicture(wideWidth, 10, kWide) : nullptr;
    s.iTomtewarp0 = narrowWidth ? solidPicture(narrowWidth, 10, kNarrow) : nullptr;
    setWarpEffektState(s);
}

} // namespace

TEST(WarpEffekt, FirstCallClearsSprinklesStarsAndHoldsThePicture) {
    fillSintab();
    SDL_Surface* screen = makeScreenSurface(640, 480);
    SDL_FillRect(screen, nullptr, 0x123456);
    showSrand(9);
    EXPECT_EQ(at(screen, 0), 0);
    const int afterCall = showRand();
    EXPECT_EQ(countWords(screen, 0), 640 * 480);
    EXPECT_EQ(warpEffektState().first, 0);
    EXPECT_EQ(warpEffektState().stid, kStart);
    EXPECT_EQ(warpspeedState().first, 0);
    EXPECT_EQ(warpspeedState().tzpos, 1.65f);
    EXPECT_EQ(star3dState().first, 1);
    // Twenty stars, three draws each, and nothing else.
    showSrand(9);
    for (int i = 0; i < 60; ++i) {
        showRand();
    }
    EXPECT_EQ(showRand(), afterCall);
    SDL_FreeSurface(screen);
}

// With a solid font sheet every glyph is a 32 x 32 block: the caption falls
// into "take us to" / "warpspeed," / "rudolph", each line from x = 300.
TEST(WarpEffekt, CaptionWrapsIntoThreeLines) {
    fillSintab();
    fillFontstr(redfont);
    redfont.surface = solidPicture(320, 192, 0xffffff);
    SDL_Surface* screen = makeScreenSurface(640, 480);
    at(screen, 0);
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
    at(screen, 0);
    EXPECT_EQ(at(screen, 2999), 0);
    EXPECT_EQ(warpspeedState().tzpos, 1.65f);
    EXPECT_EQ(at(screen, 3000), 0);
    const float receded = warpspeedState().tzpos;
    EXPECT_GT(receded, 1.65f);
    EXPECT_EQ(at(screen, 5999), 0);
    EXPECT_GT(warpspeedState().tzpos, receded);
    EXPECT_EQ(star3dState().first, 1);

    SDL_FillRect(screen, nullptr, 0x123456);
    const float lastZoom = warpspeedState().tzpos;
    EXPECT_EQ(at(screen, 6000), 0);
    EXPECT_EQ(star3dState().first, 0);
    EXPECT_EQ(warpspeedState().tzpos, lastZoom);
    EXPECT_EQ(countWords(screen, 0), 640 * 480);

    EXPECT_FALSE(fieldTurned(screen, 11999));
    EXPECT_EQ(star3dState().starz[0], 49.0f);
    EXPECT_TRUE(fieldTurned(screen, 12000));
    EXPECT_EQ(at(screen, 15000), 0);
    EXPECT_EQ(at(screen, 15001), 1);
    SDL_FreeSurface(screen);
}

// Both pictures are centred by the width of iTomtewarp, 250 pixels down, so
// without iTomtewarp neither is drawn; without iTomtewarp0 only the straight
// flight loses its picture.
TEST(WarpEffekt, PicturesArePlacedByTheWidthOfTomtewarp) {
    fillSintab();
    SDL_Surface* screen = makeScreenSurface(640, 480);
    at(screen, 0);
    givePictures(100, 50);
    at(screen, 6000);
    EXPECT_EQ(countWords(screen, kNarrow), 50 * 10);
    EXPECT_EQ(wordAt(screen, 270, 250), kNarrow);
    EXPECT_EQ(wordAt(screen, 319, 259), kNarrow);
    at(screen, 12000);
    EXPECT_EQ(countWords(screen, kWide), 100 * 10);
    EXPECT_EQ(wordAt(screen, 270, 250), kWide);
    EXPECT_EQ(wordAt(screen, 369, 259), kWide);

    givePictures(0, 50);
    at(screen, 7000);
    EXPECT_EQ(countWords(screen, 0), 640 * 480);
    givePictures(100, 0);
    at(screen, 8000);
    EXPECT_EQ(countWords(screen, 0), 640 * 480);
    at(screen, 13000);
    EXPECT_EQ(countWords(screen, kWide), 100 * 10);
    SDL_FreeSurface(screen);
}
