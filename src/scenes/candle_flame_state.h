// What the candle flame keeps between calls: the seed picture it stamps and
// the buffer the smoothed heat goes into.
#pragma once

#include <SDL.h>

#include <vector>

struct CandleFlameState {
    int first = 1;
    SDL_Surface* pattern = nullptr; // shared by every flame; NULL when missing
    // Grows to the largest flame seen and is then reused, frame after frame.
    std::vector<Uint8> scratch;
    // Each flame's own copy of the seed, loaded the first time that flame is
    // stamped: SDL rebuilds (and allocates) a sprite's colour map whenever it
    // is blitted to another surface than the last one.
    struct OwnSeed {
        SDL_Surface* flame = nullptr;
        SDL_Surface* pattern = nullptr;
    };
    OwnSeed ownSeeds[4];
};

extern CandleFlameState candleFlameState;
