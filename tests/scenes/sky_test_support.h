// The night-sky tests' random numbers, and where their one-colour sprites
// landed.
#pragma once

#include "gfx/random.h"
#include "support/fixtures.h"

#include <SDL.h>

#include <array>
#include <cstdlib>
#include <vector>

// The first count numbers a generator seeded with seed gives.
inline std::vector<int> randomNumbers(unsigned seed, int count) {
    ShowRandom random(seed);
    std::vector<int> numbers(count);
    for (int& n : numbers) {
        n = random.rand();
    }
    return numbers;
}

// Left, top, right, bottom of the pixels of one colour; all -1 when none.
using Box = std::array<int, 4>;

inline Box boxOf(const SDL_Surface* screen, Uint32 colour) {
    Box box = {-1, -1, -1, -1};
    for (int y = 0; y < screen->h; ++y) {
        for (int x = 0; x < screen->w; ++x) {
            if (wordAt(screen, x, y) != colour) {
                continue;
            }
            const bool first = box[0] < 0;
            box[0] = first || x < box[0] ? x : box[0];
            box[1] = first ? y : box[1];
            box[2] = x > box[2] ? x : box[2];
            box[3] = y;
        }
    }
    return box;
}
