// The moonlit sky's state: its two pictures and its start time.
#pragma once

#include <SDL.h>

struct MoonlitSkyState {
    int first = 1; // non-zero until the scene has started
    SDL_Surface* iMoon = nullptr;
    SDL_Surface* iLitenapanap = nullptr;
    Uint32 stid = 0; // demo time of the first call
};

extern MoonlitSkyState tomteEffektState;
