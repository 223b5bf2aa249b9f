#include "gfx/toolkit.h"

#include "gfx/random.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>

// Without a star picture nothing is drawn, but the random sequence advances
// exactly as it would with one: three numbers per star.
TEST(StarSlump, DrawsNothingWithoutAPictureButKeepsTheRandomOrder) {
    ScratchFolder folder;
    SDL_Surface* screen = makeScreenSurface(640, 480);
    showSrand(5);
    starSlump(screen, nullptr);
    const int next = showRand();
    showSrand(5);
    for (int i = 0; i < 60; ++i) {
        showRand();
    }
    EXPECT_EQ(showRand(), next);
    for (Uint32 w : allWords(screen)) {
        ASSERT_EQ(w, 0u);
    }
    SDL_FreeSurface(screen);
}
