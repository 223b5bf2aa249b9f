#include "gfx/toolkit.h"
#include "scenes/scene_state.h"
#include "scenes/scenes.h"

#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr Uint32 kRed = 0xff0000;
constexpr Uint32 kBlackMark = 0x000001;
constexpr Uint32 kBlue = 255;

// A solid, fully opaque square in the screen's layout (key 0 skips nothing).
SDL_Surface* solidSquare(int size, Uint32 colour) {
    SDL_Surface* s = makeScreenSurface(size, size);
    SDL_FillRect(s, nullptr, colour);
    return s;
}

// First call from a folder without data: both messages, no pictures.
std::string startWithoutData(SDL_Surface* screen) {
    ScratchFolder folder;
    StdoutCapture out;
    warpspeed(screen, 0);
    return out.finish();
}

// Takes the zoom to its flash stage with 167 moving calls, as phase 2 does.
void recedeToTheFlash(SDL_Surface* screen) {
    for (int i = 0; i < 167; ++i) {
        warpspeed(screen, 1);
    }
}

} // namespace

TEST(Warpspeed, MissingPicturesPrintBothMessagesAndDrawNothing) {
    SDL_Surface* screen = makeScreenSurface(640, 480);
    EXPECT_EQ(startWithoutData(screen), "Klingons!!\nett fel av typen 1 har intr\xe4"
                                        "ffat\n");
    EXPECT_EQ(warpspeedState().first, 0);
    EXPECT_EQ(warpspeedState().enterprise, nullptr);
    EXPECT_EQ(warpspeedState().black, nullptr);
    EXPECT_EQ(countWords(screen, 0), 640 * 480);
    SDL_FreeSurface(screen);
}

TEST(Warpspeed, HoldingStillChangesNothingFromCallToCall) {
    fillSintab();
    SDL_Surface* screen = makeScreenSurface(640, 480);
    startWithoutData(screen);
    WarpZoomState pictures = warpspeedState();
    pictures.enterprise = solidSquare(40, kRed);
    pictures.black = solidSquare(40, kBlackMark);
    setWarpspeedState(pictures);
    warpspeed(screen, 0);
    const auto once = allWords(screen);
    for (int i = 0; i < 5; ++i) {
        warpspeed(screen, 0);
    }
    EXPECT_EQ(allWords(screen), once);
    EXPECT_EQ(warpspeedState().tzpos, 1.65f);
    EXPECT_EQ(warpspeedState().zpos, 0.95f);
    EXPECT_EQ(warpspeedState().apanap, 0.0f);
    // The picture's top-left corner at distance 1.65 and no speed lines.
    EXPECT_EQ(wordAt(screen, 351, 321), kRed);
    EXPECT_EQ(wordAt(screen, 350, 321), 0u);
    EXPECT_EQ(wordAt(screen, 351, 320), 0u);
    EXPECT_EQ(countWords(screen, kBlue), 0);
    SDL_FreeSurface(screen);
}

TEST(Warpspeed, After167MovingCallsThePictureReachesTheFlashStage) {
    fillSintab();
    SDL_Surface* screen = makeScreenSurface(640, 480);
    startWithoutData(screen);
    WarpZoomState pictures = warpspeedState();
    pictures.enterprise = solidSquare(20, kRed);
    pictures.black = solidSquare(20, kBlackMark);
    setWarpspeedState(pictures);
    recedeToTheFlash(screen);
    EXPECT_NEAR(warpspeedState().zpos, 5.0049f, 1e-4f);
    EXPECT_GE(warpspeedState().zpos, 5.0f);
    EXPECT_NEAR(warpspeedState().tzpos, 8.6927f, 1e-4f);
    // Black has covered every earlier picture: only the last one is red, 2 x 2
    // samples at step 8.69 with its top-left corner at (228, 223).
    EXPECT_EQ(countWords(screen, kRed), 4);
    EXPECT_EQ(wordAt(screen, 228, 223), kRed);
    EXPECT_EQ(wordAt(screen, 229, 224), kRed);
    // The last speed lines, at y = 240, with black of earlier pictures between.
    for (int x = 235; x < 260; ++x) {
        const bool line = (x >= 240 && x <= 244) || (x >= 250 && x <= 254);
        EXPECT_EQ(wordAt(screen, x, 240) == kBlue, line) << x;
    }

    // The first flash call draws no black ellipse (radius 0) and a blue 2 x 2
    // one at index 2 around (233, 223); the pictures are no longer drawn.
    SDL_FillRect(screen, nullptr, 0);
    warpspeed(screen, 1);
    EXPECT_EQ(warpspeedState().apanap, 2.0f);
    EXPECT_EQ(countWords(screen, kBlue), 4);
    EXPECT_EQ(wordAt(screen, 233, 223), kBlue);
    EXPECT_EQ(wordAt(screen, 234, 224), kBlue);
    EXPECT_EQ(countWords(screen, 0), 640 * 480 - 4);
    SDL_FreeSurface(screen);
}

// Each call wipes the last blue ellipse with a black one of the same radii,
// whatever moving is; the blue one is seen for 63 calls, and once the sine
// turns negative nothing more is drawn.
TEST(Warpspeed, FlashIsVisibleFor63CallsAndThenNothingIsDrawn) {
    fillSintab();
    SDL_Surface* screen = makeScreenSurface(640, 480);
    startWithoutData(screen);
    recedeToTheFlash(screen);
    SDL_FillRect(screen, nullptr, 0);
    int visible = 0;
    for (int call = 0; call < 200; ++call) {
        warpspeed(screen, call % 2);
        const bool blue = countWords(screen, kBlue) > 0;
        visible += blue;
        EXPECT_EQ(blue, call < 63) << call;
        EXPECT_EQ(wordAt(screen, 233, 223), blue ? kBlue : 0u) << call;
        if (call == 31) {
            // Index 64: r ~ 10 and three times that upwards, rows down to cy - 28.
            EXPECT_EQ(wordAt(screen, 233, 195), kBlue);
            EXPECT_EQ(wordAt(screen, 233, 194), 0u);
            EXPECT_EQ(wordAt(screen, 242, 223), kBlue);
            EXPECT_EQ(wordAt(screen, 243, 223), 0u);
        }
    }
    EXPECT_EQ(visible, 63);
    EXPECT_EQ(warpspeedState().apanap, 254.0f);
    EXPECT_EQ(countWords(screen, 0), 640 * 480);
    SDL_FreeSurface(screen);
}
