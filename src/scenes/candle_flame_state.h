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
};

extern CandleFlameState candleFlameState;
