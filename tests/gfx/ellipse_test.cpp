#include "gfx/toolkit.h"

#include "support/fixtures.h"

#include <gtest/gtest.h>

TEST(RitaElips, NonPositiveRadiiDrawNothing) {
    SDL_Surface* s = makeScreenSurface(20, 20);
    ritaElips(s, 10, 10, 0.0f, 5.0f, 255);
    ritaElips(s, 10, 10, 5.0f, 0.0f, 255);
    ritaElips(s, 10, 10, -3.0f, -9.0f, 255);
    for (Uint32 w : allWords(s)) {
        EXPECT_EQ(w, 0u);
    }
    SDL_FreeSurface(s);
}

TEST(RitaElips, UnitRadiiFillFourPixels) {
    SDL_Surface* s = makeScreenSurface(20, 20);
    ritaElips(s, 10, 10, 1.0f, 1.0f, 255);
    int count = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            const bool lit = (x == 10 || x == 11) && (y == 10 || y == 11);
            EXPECT_EQ(wordAt(s, x, y), lit ? 255u : 0u) << x << "," << y;
            count += wordAt(s, x, y) != 0;
        }
    }
    EXPECT_EQ(count, 4);
    SDL_FreeSurface(s);
}

TEST(RitaElips, SymmetricAboutTheHalfPixelCentre) {
    SDL_Surface* s = makeScreenSurface(60, 100);
    ritaElips(s, 30, 50, 7.3f, 21.9f, 0xff);
    for (int y = 2; y < 100; ++y) {
        for (int x = 2; x < 60; ++x) {
            EXPECT_EQ(wordAt(s, x, y), wordAt(s, 61 - x, y)) << x << "," << y;
            EXPECT_EQ(wordAt(s, x, y), wordAt(s, x, 101 - y)) << x << "," << y;
        }
    }
    // Widest row: 7 columns each side of the centre; tallest column: 22 rows.
    EXPECT_EQ(wordAt(s, 37, 50), 0xffu);
    EXPECT_EQ(wordAt(s, 38, 50), 0u);
    EXPECT_EQ(wordAt(s, 30, 71), 0xffu);
    EXPECT_EQ(wordAt(s, 30, 72), 0u);
    SDL_FreeSurface(s);
}
