// A sprinkle of twenty stars at random places, each drawn at twice or at two
// thirds of its size (a sampling step of 0.5 or 1.5).
#include "gfx/toolkit.h"

#include <cstdlib>

namespace {
SDL_Surface* star = nullptr;
int first = 1;
} // namespace

void starSlump(SDL_Surface* dst) {
    if (first) {
        // Never colour-keyed: the key stays what loading left, 0.
        star = loadPixelSprite("data/star.png");
        first = 0;
    }
    for (int i = 0; i < 20; ++i) {
        // The three draws happen even without a star picture, so the random
        // sequence is the same either way.
        const int x = rand() % dst->w;
        const int y = rand() % dst->h;
        const float step = (rand() % 2) + 0.5;
        blitScaleDown(dst, star, step, x, y);
    }
}
