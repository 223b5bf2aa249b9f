#include "gfx/random.h"
#include "gfx/toolkit.h"
#include "scenes/scenes.h"
#include "scenes/sky_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

constexpr Uint32 kFar = 0x00a00000, kMiddle = 0x0000a000, kNear = 0x000000a0;

class SantaField : public testing::Test {
  protected:
    void SetUp() override {
        fillSintab();
        frame.console = nullptr; // the tests that listen say so
    }
    void TearDown() override { SDL_FreeSurface(screen); }

    // Spreads and flies the santas as the first frame does, then gives the
    // layers sprites 8, 12 and 16 pixels wide, keyed on black as loaded.
    void startWithSprites() {
        tomtefieldBegin(p, s, frame.at(screen, 0, true));
        fly(SantaFlight::Level);
        p.tomte0 = keyedOnBlack(makeSolidSurface(8, 6, kFar), screen);
        p.tomte1 = keyedOnBlack(makeSolidSurface(12, 8, kMiddle), screen);
        p.tomte2 = keyedOnBlack(makeSolidSurface(16, 10, kNear), screen);
    }
    template <class Edit> void change(Edit edit) { edit(s); }
    // Far off the right edge a santa flies unseen and never comes back.
    void parkAll() {
        change([](SantaFieldState& n) {
            std::fill(n.px0, n.px0 + 25, 10000.0f);
            std::fill(n.px1, n.px1 + 10, 10000.0f);
            std::fill(n.px2, n.px2 + 3, 10000.0f);
        });
    }
    void fly(SantaFlight flight) {
        SDL_FillRect(screen, nullptr, 0);
        tomtefield(p, s, frame.at(screen, 16), flight);
    }

    ScratchFolder folder;
    SantaPictures p;
    SantaFieldState s;
    TestFrame frame;
    ShowRandom& random = frame.random;
    SDL_Surface* screen = makeScreenSurface(640, 480);
};

// The santas are read ahead, keyed on black; the first frame spreads them,
// two numbers a santa, and says they have come, before they first fly.
TEST_F(SantaField, FirstFramePlacesAndAnnouncesOnce) {
    std::filesystem::create_directory("data");
    const Uint32 colours[] = {kFar, kMiddle, kNear};
    const char* files[] = {"data/tomte0.bmp", "data/tomte1.bmp", "data/tomte2.bmp"};
    for (int i = 0; i < 3; ++i) {
        SDL_Surface* picture = makeSolidSurface(10 + 2 * i, 6, colours[i]);
        SDL_SaveBMP(picture, files[i]);
        SDL_FreeSurface(picture);
    }
    p = std::move(loadMoonlitSkyPictures({"data", screen, Kernels::Fast}).santas);
    const std::vector<int> r = randomNumbers(3, 77);
    random.srand(3);
    frame.console = stdout;
    StdoutCapture console;
    tomtefieldBegin(p, s, frame.at(screen, 0, true));
    fly(SantaFlight::Level);
    EXPECT_EQ(random.rand(), r[76]); // two numbers per santa, none sent back yet
    EXPECT_EQ(s.py0[0], (float)(r[1] % 480));
    EXPECT_EQ(s.px0[0], (float)((double)(r[0] % 640) - 0.2));
    EXPECT_EQ(s.px1[0], (float)((double)(r[50] % 640) - 0.4));
    EXPECT_EQ(s.px2[2], (float)((double)(r[74] % 640) - 1.5));
    EXPECT_EQ(s.py2[2], (float)(r[75] % 480));
    for (SDL_Surface* sprite : {p.tomte0.get(), p.tomte1.get(), p.tomte2.get()}) {
        ASSERT_NE(sprite, nullptr);
        EXPECT_TRUE(sprite->flags & SDL_SRCCOLORKEY);
        EXPECT_EQ(sprite->format->colorkey, 0u);
    }
    EXPECT_NE(boxOf(screen, kNear)[0], -1);
    fly(SantaFlight::Bobbing);
    EXPECT_EQ(console.finish(), "tomten har kommit\n");
}

// Without pictures the santas still fly and come back, invisible, and
// the random sequence advances exactly as it would with them.
TEST_F(SantaField, MissingPicturesDrawNothingButKeepTheRandomOrder) {
    const std::vector<int> r = randomNumbers(8, 78);
    random.srand(8);
    tomtefieldBegin(p, s, frame.at(screen, 0, true));
    fly(SantaFlight::Bobbing);
    parkAll();
    s.px0[0] = 0.0f; // at -(width 0): sent back
    fly(SantaFlight::Bobbing);
    EXPECT_EQ(s.px0[0], 640.0f);
    EXPECT_EQ(s.py0[0], (float)(r[76] % 480));
    EXPECT_EQ(random.rand(), r[77]);
    for (Uint32 word : allWords(screen)) {
        ASSERT_EQ(word, 0u);
    }
}

TEST_F(SantaField, SentBackAtMinusWidthAndAbsentForOneCall) {
    startWithSprites();
    parkAll();
    change([](SantaFieldState& n) {
        n.px0[0] = -8.0f; // exactly -(width)
        n.px0[1] = -7.9f; // moves to -8.1, drawn once more wholly off-screen
        n.px2[0] = -16.0f;
    });
    const std::vector<int> r = randomNumbers(9, 3);
    random.srand(9);
    fly(SantaFlight::Level);
    EXPECT_EQ(s.px0[0], 640.0f);
    EXPECT_EQ(s.py0[0], (float)(r[0] % 480));
    EXPECT_EQ(s.px2[0], 640.0f);
    EXPECT_EQ(boxOf(screen, kFar)[0], -1);
    EXPECT_EQ(boxOf(screen, kNear)[0], -1);
    fly(SantaFlight::Level);
    EXPECT_EQ(s.py0[1], (float)(r[2] % 480));
    EXPECT_EQ(boxOf(screen, kFar), (Box{639, r[0] % 480, 639, r[0] % 480 + 5}));
    EXPECT_EQ(boxOf(screen, kNear)[0], 638);
}

TEST_F(SantaField, DoubleStepsTruncatedTowardZero) {
    startWithSprites();
    parkAll();
    change([](SantaFieldState& n) {
        n.px0[0] = -3.5f; // -3.7 is drawn at -3
        n.py0[0] = 20.0f;
    });
    fly(SantaFlight::Level);
    EXPECT_EQ(boxOf(screen, kFar), (Box{0, 20, 4, 25}));
    // Bobbed: 5 + 10 sin(192 / 255 of a turn) = -4.9986, drawn at row -4.
    change([](SantaFieldState& n) {
        n.px0[0] = 184.5f;
        n.py0[0] = 5.0f;
    });
    fly(SantaFlight::Bobbing);
    EXPECT_EQ(boxOf(screen, kFar), (Box{184, 0, 191, 1}));
    // Steps are taken in double: near zero a float step would land elsewhere.
    change([](SantaFieldState& n) { n.px0[0] = 1.0f; });
    for (int call = 0; call < 5; ++call) {
        fly(SantaFlight::Level);
    }
    EXPECT_EQ(s.px0[0], 0x1.19999ap-25f);
}

TEST_F(SantaField, BobbingPhaseFollowsTheDrawnPosition) {
    startWithSprites();
    parkAll();
    change([](SantaFieldState& n) {
        n.px0[0] = 56.5f; // index 56 + 8 = 64: a quarter turn, +10
        n.px1[0] = 20.5f; // index 2 (20 + 12) = 64: +20
        // Drawn at -17, wholly off the screen: index 2 (-17 + 16) = -2 must
        // be taken as 254, never read before the table.
        n.px2[2] = -15.5f;
        n.py0[0] = n.py1[0] = n.py2[2] = 100.0f;
    });
    fly(SantaFlight::Bobbing);
    EXPECT_EQ(boxOf(screen, kFar)[1], 109);
    EXPECT_EQ(boxOf(screen, kMiddle)[1], 119);
    EXPECT_EQ(boxOf(screen, kNear)[0], -1);
    EXPECT_EQ(s.py0[0], 100.0f); // the stored height never bobs
}

// Bobbing changes only where a santa is drawn, never where it is.
TEST_F(SantaField, AlternatingWobbleMovesLikeStraightFlight) {
    auto run = [&](bool alternate) {
        s = SantaFieldState();
        p = SantaPictures();
        random.srand(4);
        startWithSprites();
        for (int call = 0; call < 600; ++call) {
            fly(alternate && call % 2 == 1 ? SantaFlight::Bobbing : SantaFlight::Level);
        }
        std::vector<float> where(s.px0, s.px0 + 25);
        where.insert(where.end(), s.py0, s.py0 + 25);
        where.insert(where.end(), s.px2, s.px2 + 3);
        where.insert(where.end(), s.py2, s.py2 + 3);
        where.push_back((float)random.rand());
        return where;
    };
    EXPECT_EQ(run(false), run(true));
}

} // namespace
