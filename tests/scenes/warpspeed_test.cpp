#include "gfx/toolkit.h"
#include "scenes/scenes.h"

#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr Uint32 kRed = 0xff0000;
constexpr Uint32 kBlackMark = 0x000001;
constexpr Uint32 kBlue = 255;

// The zoom with its pictures (solid, fully opaque squares in the screen's
// layout: key 0 skips nothing), or none.
struct Zoom {
    WarpZoomPictures p;
    WarpZoomState s;
    TestFrame frame;

    Zoom() = default;
    Zoom(int size, Uint32 colour) {
        p.enterprise.reset(makeSolidSurface(size, size, colour));
        p.black.reset(makeSolidSurface(size, size, kBlackMark));
    }

    void step(SDL_Surface* screen, ZoomMotion motion) {
        warpspeed(p, s, frame.at(screen, 0), motion);
    }

    // Takes the zoom to its flash stage with 167 moving calls, as phase 2 does.
    void recedeToTheFlash(SDL_Surface* screen) {
        for (int i = 0; i < 167; ++i) {
            step(screen, ZoomMotion::Recede);
        }
    }
};

} // namespace

// Read ahead from a folder without data: no pictures, and the first frame
// says so in two lines.
TEST(Warpspeed, MissingPicturesPrintBothMessagesAndDrawNothing) {
    ScratchFolder folder;
    SDL_Surface* screen = makeScreenSurface(640, 480);
    Zoom zoom;
    zoom.p = std::move(loadWarpPictures({"data", screen, Kernels::Fast}).zoom);
    EXPECT_EQ(zoom.p.enterprise, nullptr);
    EXPECT_EQ(zoom.p.black, nullptr);
    StdoutCapture out;
    warpspeedBegin(zoom.p, zoom.frame.at(screen, 0, true));
    zoom.step(screen, ZoomMotion::Hold);
    EXPECT_EQ(out.finish(), "Klingons!!\nett fel av typen 1 har intr\xe4"
                            "ffat\n");
    EXPECT_EQ(countWords(screen, 0), 640 * 480);
    SDL_FreeSurface(screen);
}

TEST(Warpspeed, HoldingStillChangesNothingFromCallToCall) {
    fillSintab();
    SDL_Surface* screen = makeScreenSurface(640, 480);
    Zoom zoom(40, kRed);
    zoom.step(screen, ZoomMotion::Hold);
    const auto once = allWords(screen);
    for (int i = 0; i < 5; ++i) {
        zoom.step(screen, ZoomMotion::Hold);
    }
    EXPECT_EQ(allWords(screen), once);
    EXPECT_EQ(zoom.s.tzpos, 1.65f);
    EXPECT_EQ(zoom.s.zpos, 0.95f);
    EXPECT_EQ(zoom.s.apanap, 0.0f);
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
    Zoom zoom(20, kRed);
    zoom.recedeToTheFlash(screen);
    EXPECT_NEAR(zoom.s.zpos, 5.0049f, 1e-4f);
    EXPECT_GE(zoom.s.zpos, 5.0f);
    EXPECT_NEAR(zoom.s.tzpos, 8.6927f, 1e-4f);
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
    zoom.step(screen, ZoomMotion::Recede);
    EXPECT_EQ(zoom.s.apanap, 2.0f);
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
    Zoom zoom;
    zoom.recedeToTheFlash(screen);
    SDL_FillRect(screen, nullptr, 0);
    int visible = 0;
    for (int call = 0; call < 200; ++call) {
        zoom.step(screen, call % 2 == 0 ? ZoomMotion::Hold : ZoomMotion::Recede);
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
    EXPECT_EQ(zoom.s.apanap, 254.0f);
    EXPECT_EQ(countWords(screen, 0), 640 * 480);
    SDL_FreeSurface(screen);
}
