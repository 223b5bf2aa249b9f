#include "gfx/toolkit.h"
#include "scenes/scenes.h"
#include "scenes/warpspeed_state.h"
#include "shell/sine_tables.h"

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

int countWords(const SDL_Surface* screen, Uint32 colour) {
    int n = 0;
    for (Uint32 w : allWords(screen)) {
        n += w == colour;
    }
    return n;
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
    EXPECT_EQ(warpspeedState.first, 0);
    EXPECT_EQ(warpspeedState.enterprise, nullptr);
    EXPECT_EQ(warpspeedState.black, nullptr);
    EXPECT_EQ(countWords(screen, 0), 640 * 480);
    SDL_FreeSurface(screen);
}

TEST(Warpspeed, HoldingStillChangesNothingFromCallToCall) {
    fillSintab();
    SDL_Surface* screen = makeScreenSurface(640, 480);
    startWithoutData(screen);
    warpspeedState.enterprise = solidSquare(40, kRed);
    warpspeedState.black = solidSquare(40, kBlackMark);
    warpspeed(screen, 0);
    const auto once = allWords(screen);
    for (int i = 0; i < 5; ++i) {
        warpspeed(screen, 0);
    }
    EXPECT_EQ(allWords(screen), once);
    EXPECT_EQ(warpspeedState.tzpos, 1.65f);
    EXPECT_EQ(warpspeedState.zpos, 0.95f);
    EXPECT_EQ(warpspeedState.apanap, 0.0f);
    // The picture's top-left corner at distance 1.65 and no speed lines.
    EXPECT_EQ(wordAt(screen, 351, 321), kRed);
    EXPECT_EQ(wordAt(screen, 350, 321), 0u);
    EXPECT_EQ(wordAt(screen, 351, 320), 0u);
    EXPECT_EQ(countWords(screen, kBlue), 0);
}

// The first moving call wipes the old picture with black, draws the picture
// one pixel nearer the vanishing point and the speed lines at y = 410.
TEST(Warpspeed, FirstMovingCallCoversTheOldPictureAndDrawsSpeedLines) {
    fillSintab();
    SDL_Surface* screen = makeScreenSurface(640, 480);
    startWithoutData(screen);
    warpspeedState.enterprise = solidSquare(40, kRed);
    warpspeedState.black = solidSquare(40, kBlackMark);
    warpspeed(screen, 0);
    warpspeed(screen, 1);
    EXPECT_EQ(wordAt(screen, 350, 320), kRed);
    EXPECT_EQ(wordAt(screen, 349, 320), 0u);
    // Only the new picture is red: 24 x 24 samples at step 1.65 * 1.01.
    EXPECT_EQ(countWords(screen, kRed), 24 * 24);
    EXPECT_GT(countWords(screen, kBlackMark), 0);
    // Twenty points a little more than a pixel apart on each line.
    EXPECT_EQ(countWords(screen, kBlue), 20 + 20);
    for (int x : {410, 430, 463, 483}) {
        EXPECT_EQ(wordAt(screen, x, 410), kBlue) << x;
    }
    for (int x : {409, 431, 462, 484}) {
        EXPECT_EQ(wordAt(screen, x, 410), 0u) << x;
    }
    EXPECT_EQ(warpspeedState.tzpos, (float)(1.65f * 1.01));
    EXPECT_EQ(warpspeedState.zpos, (float)(0.95f * 1.01));
}

TEST(Warpspeed, After167MovingCallsThePictureReachesTheFlashStage) {
    fillSintab();
    SDL_Surface* screen = makeScreenSurface(640, 480);
    startWithoutData(screen);
    warpspeedState.enterprise = solidSquare(20, kRed);
    warpspeedState.black = solidSquare(20, kBlackMark);
    recedeToTheFlash(screen);
    EXPECT_NEAR(warpspeedState.zpos, 5.0049f, 1e-4f);
    EXPECT_GE(warpspeedState.zpos, 5.0f);
    EXPECT_NEAR(warpspeedState.tzpos, 8.6927f, 1e-4f);
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
    EXPECT_EQ(warpspeedState.apanap, 2.0f);
    EXPECT_EQ(countWords(screen, kBlue), 4);
    EXPECT_EQ(wordAt(screen, 233, 223), kBlue);
    EXPECT_EQ(wordAt(screen, 234, 224), kBlue);
    EXPECT_EQ(countWords(screen, 0), 640 * 480 - 4);
}

// Each call wipes the last blue ellipse with a black one of the same radii;
// the blue one is seen for 63 calls, and once the sine turns negative
// nothing more is drawn.
TEST(Warpspeed, FlashIsVisibleFor63CallsAndThenNothingIsDrawn) {
    fillSintab();
    SDL_Surface* screen = makeScreenSurface(640, 480);
    startWithoutData(screen);
    recedeToTheFlash(screen);
    SDL_FillRect(screen, nullptr, 0);
    int visible = 0;
    float widest = 0;
    for (int call = 0; call < 200; ++call) {
        warpspeed(screen, call % 2);
        const int blue = countWords(screen, kBlue);
        visible += blue > 0;
        EXPECT_EQ(blue > 0, call < 63) << call;
        EXPECT_EQ(wordAt(screen, 233, 223), blue > 0 ? kBlue : 0u) << call;
        if (call == 31) {
            // Index 64, the widest: r ~ 10, vertical radius ~ 30.
            int top = 223;
            while (wordAt(screen, 233, top - 1) == kBlue) {
                --top;
            }
            widest = 223 - top;
        }
    }
    EXPECT_EQ(visible, 63);
    EXPECT_EQ(widest, 28.0f); // rows cy + 1 - j for j up to 29
    EXPECT_EQ(warpspeedState.apanap, 254.0f);
    EXPECT_EQ(countWords(screen, 0), 640 * 480);
}

TEST(Warpspeed, FlashStageIgnoresMoving) {
    fillSintab();
    SDL_Surface* screen = makeScreenSurface(640, 480);
    startWithoutData(screen);
    recedeToTheFlash(screen);
    for (int i = 0; i < 20; ++i) {
        warpspeed(screen, 1);
    }
    const WarpZoomState before = warpspeedState;
    SDL_Surface* still = makeScreenSurface(640, 480);
    SDL_Surface* moving = makeScreenSurface(640, 480);
    warpspeed(still, 0);
    const WarpZoomState afterStill = warpspeedState;
    warpspeedState = before;
    warpspeed(moving, 1);
    EXPECT_EQ(allWords(still), allWords(moving));
    EXPECT_EQ(warpspeedState.apanap, afterStill.apanap);
    EXPECT_EQ(warpspeedState.tzpos, before.tzpos);
    EXPECT_EQ(warpspeedState.zpos, before.zpos);
}
