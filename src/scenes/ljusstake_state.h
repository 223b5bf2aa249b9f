// What the candlestick scene keeps: its pictures, the four flame surfaces and
// the height the greetings have risen to.
#pragma once

#include <SDL.h>

struct CandlestickState {
    int first = 1;
    SDL_Surface* iStake = nullptr;
    SDL_Surface* eld[4] = {nullptr, nullptr, nullptr, nullptr};
    SDL_Surface* iGreets = nullptr;
    int apan = 480; // top edge of the greetings in the next frame
};

extern CandlestickState ljusstakeState;
