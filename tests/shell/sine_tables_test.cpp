#include "gfx/toolkit.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(SineTables, OnePeriodOverIndexesZeroTo255) {
    fillSintab();
    EXPECT_EQ(sintab[0], 0.0f);
    EXPECT_NEAR(sintab[255], 0.0f, 1e-6);
    EXPECT_EQ(costab[0], 1.0f);
    EXPECT_EQ(costab[255], 1.0f);
    EXPECT_NEAR(sintab[64], 0.99998f, 1e-5);
    // Divisor 255, not 256: index 64 is just short of a quarter turn.
    EXPECT_LT(sintab[64], 1.0f);
    for (int i = 0; i < 256; ++i) {
        const double angle = (double)i / 255.0 * 2.0 * 3.141592653589793;
        EXPECT_EQ(sintab[i], (float)std::sin(angle)) << i;
        EXPECT_EQ(costab[i], (float)std::cos(angle)) << i;
    }
}
