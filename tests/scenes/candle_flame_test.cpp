#include "scenes/candle_flame.h"
#include "scenes/scenes.h"

#include "scenes/flame_pictures.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include <filesystem>

TEST(SmoothFlame, SpreadsASinglePixelSidewaysAndUpward) {
    const int w = 20, h = 16, px = 9, py = 10;
    const Heat out = smoothed(dotAt(w, h, px, py), w, h);
    // Rows py - 2 .. py, columns px - 2 .. px + 2; 0 everywhere else.
    const int spread[3][5] = {{0, 15, 15, 15, 0}, {15, 31, 15, 31, 15}, {15, 31, 0, 31, 15}};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool near = y >= py - 2 && y <= py && x >= px - 2 && x <= px + 2;
            const int want = near ? spread[y - py + 2][x - px + 2] : 0;
            EXPECT_EQ(out[(size_t)(y * w + x)], want) << "at " << x << "," << y;
        }
    }
}

TEST(SmoothFlame, KeepsAUniformAreaZeroesTheBordersAndCountsNothingBelowTheLastRow) {
    const int w = 12, h = 9;
    // The picture sits in a longer buffer whose next row is hot: a kernel that
    // reads below the last row would pick that heat up.
    Heat buffer((size_t)(w * (h + 1)), 255);
    std::fill_n(buffer.begin(), w * h, 200);
    Heat out((size_t)(w * h), 77);
    smoothFlame(buffer.data(), out.data(), w, h, w);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int want = 200;
            if (y == 0 || y == h - 1 || x < 2 || x > w - 3) {
                want = 0;
            } else if (y == h - 2) {
                want = 13 * 200 >> 4; // the three taps of weight 1 are missing
            }
            EXPECT_EQ(out[(size_t)(y * w + x)], want) << "at " << x << "," << y;
        }
    }
}

TEST(FlameStamps, MeetBelowTheMiddleAtTimeZeroAndStepAt80And400Ms) {
    double angles[3];
    flameStampAngles(0, 0.0f, angles);
    for (double angle : angles) {
        EXPECT_EQ(angle, 0.0);
        EXPECT_EQ(flameStampPlace(angle, 40, 128, 10, 8).x, 15);
        EXPECT_EQ(flameStampPlace(angle, 40, 128, 10, 8).y, 122);
        EXPECT_EQ(flameStampPlace(angle, 41, 127, 9, 7).x, 16); // whole halves
        EXPECT_EQ(flameStampPlace(angle, 41, 127, 9, 7).y, 122);
    }
    flameStampAngles(79, 0.5f, angles);
    EXPECT_EQ(angles[0], 0.5);
    EXPECT_EQ(angles[1], 79 * 3.5 / 80 + 0.5);
    flameStampAngles(80, 0.0f, angles);
    EXPECT_EQ(angles[0], 1.0);
    EXPECT_EQ(angles[1], 3.5);
    flameStampAngles(399, 0.5f, angles);
    EXPECT_EQ(angles[2], 0.5);
    flameStampAngles(400, 0.5f, angles);
    EXPECT_EQ(angles[2], -0.5);
    flameStampAngles(-400, 0.0f, angles); // both quotients truncate toward zero
    EXPECT_EQ(angles[0], -5.0);
    EXPECT_EQ(angles[2], 1.0);
    // One radian along the circle at 18.37, 120.16; 3.5 radians at 13.60, 114.25.
    EXPECT_EQ(flameStampPlace(1.0, 40, 128, 10, 8).x, 18);
    EXPECT_EQ(flameStampPlace(1.0, 40, 128, 10, 8).y, 120);
    EXPECT_EQ(flameStampPlace(3.5, 40, 128, 10, 8).x, 13);
    EXPECT_EQ(flameStampPlace(3.5, 40, 128, 10, 8).y, 114);
    EXPECT_EQ(flameStampPlace(-1.0, 40, 128, 10, 8).x, 11); // 11.63
}

TEST(FlameStamps, FirstAndThirdAnglesAreSummedInSinglePrecision) {
    double angles[3];
    flameStampAngles(2000000000, 3.14f, angles);
    // 25,000,000 + 3.14 rounds to a float step of 2; 5,000,000 to one of 0.5.
    EXPECT_EQ(angles[0], 25000004.0);
    EXPECT_EQ(angles[1], 87500000.0 + (double)3.14f);
    EXPECT_EQ(angles[2], -4999997.0);
    const FlameStamp first = flameStampPlace(angles[0], 40, 128, 10, 8);
    EXPECT_EQ(first.x, 18);  // a double sum would give 16
    EXPECT_EQ(first.y, 118); // and 121

    flameStampAngles(INT_MIN, 0.0f, angles); // stays defined at the very end
    EXPECT_EQ(angles[2], 5368709.0);
}

// The show makes each flame's copy of the seed and the buffer the heat is
// smoothed into, which holds the largest flame: no frame allocates.
TEST(NextCandleFrame, StampsTheSeedAndSmoothsOnceEveryCallInABufferMadeWithTheShow) {
    const FlamePictures p = dotSeed();
    CandleFlameState s;
    makeOwnSeeds(p, s, Kernels::Fast);
    ASSERT_NE(s.ownSeeds[0], nullptr);
    const Uint8* scratch = s.scratch.data();
    SDL_Surface* flame = greySurface(40, 128);
    nextCandleFrame(p, s, 0, flame, 0, 0.0f, Kernels::Fast);
    Heat expected = smoothed(dotAt(40, 128, 20, 126), 40, 128);
    EXPECT_EQ(pixelsOf(flame), expected);
    expected[126 * 40 + 20] = 255;
    nextCandleFrame(p, s, 0, flame, 0, 0.0f, Kernels::Fast);
    EXPECT_EQ(pixelsOf(flame), smoothed(expected, 40, 128));

    SDL_Surface* small = greySurface(20, 30);
    nextCandleFrame(p, s, 1, small, 0, 0.0f, Kernels::Fast);
    EXPECT_EQ(s.scratch.data(), scratch) << "scratch buffer reallocated";
    SDL_FreeSurface(small);
    SDL_FreeSurface(flame);
}

// Each flame's own copy of the seed (fast kernels) and the shared seed
// (plain kernels) both keep black transparent.
TEST(NextCandleFrame, SeedLoadedAheadStampsWithBlackAsTransparent) {
    ScratchFolder folder;
    ASSERT_TRUE(std::filesystem::create_directory("data"));
    SDL_Surface* seed = greySurface(3, 1);
    static_cast<Uint8*>(seed->pixels)[1] = 255;
    ASSERT_EQ(SDL_SaveBMP(seed, "data/firePattern.bmp"), 0);
    SDL_FreeSurface(seed);
    for (Kernels kernels : {Kernels::Fast, Kernels::Literal}) {
        SCOPED_TRACE(kernels == Kernels::Fast ? "fast" : "literal");
        const FlamePictures p = loadFlamePictures({"data", nullptr, kernels});
        ASSERT_NE(p.pattern, nullptr);
        CandleFlameState s;
        makeOwnSeeds(p, s, kernels);
        EXPECT_EQ(s.ownSeeds[3] != nullptr, kernels == Kernels::Fast);
        SDL_Surface* flame = greySurface(40, 128);
        SDL_FillRect(flame, nullptr, 100);
        nextCandleFrame(p, s, 3, flame, 0, 0.0f, kernels);
        // The seed's black ends, at x = 19 and 21, leave the 100 beneath them.
        EXPECT_EQ(pixelsOf(flame), smoothed(dotAt(40, 128, 20, 126, 100), 40, 128));
        SDL_FreeSurface(flame);
    }
}

TEST(NextCandleFrame, WithoutASeedStillSmoothsAndSparesRowPaddingAndOtherSurfaces) {
    ScratchFolder folder;
    const FlamePictures p = loadFlamePictures({"data", nullptr, Kernels::Fast});
    EXPECT_EQ(p.pattern, nullptr);
    EXPECT_EQ(p.palette, nullptr);
    CandleFlameState s;
    makeOwnSeeds(p, s, Kernels::Fast);
    for (const OwnedSurface& own : s.ownSeeds) {
        EXPECT_EQ(own, nullptr);
    }
    SDL_Surface* flame = greySurface(38, 20);
    ASSERT_GT(flame->pitch, flame->w);
    memset(flame->pixels, 0xab, (size_t)(flame->pitch * flame->h));
    const Heat before = pixelsOf(flame);
    nextCandleFrame(p, s, 2, flame, 1234, 1.8f, Kernels::Fast);
    EXPECT_EQ(pixelsOf(flame), smoothed(before, 38, 20));
    for (int y = 0; y < flame->h; ++y) {
        const Uint8* row = static_cast<const Uint8*>(flame->pixels) + y * flame->pitch;
        for (int x = flame->w; x < flame->pitch; ++x) {
            EXPECT_EQ(row[x], 0xab) << "padding at " << x << "," << y;
        }
    }
    SDL_Surface* deep = makeSolidSurface(40, 128, 0x123456);
    nextCandleFrame(p, s, 0, deep, 0, 0.0f, Kernels::Fast);
    EXPECT_EQ(wordAt(deep, 20, 60), 0x123456u);
    nextCandleFrame(p, s, 0, nullptr, 0, 0.0f, Kernels::Fast);
    SDL_FreeSurface(deep);
    SDL_FreeSurface(flame);
}
