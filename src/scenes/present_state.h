// What the logo presentation keeps between frames.
#pragma once

#include <SDL.h>

struct PresentState {
    int first = 1;                // set until the first call has loaded the pictures
    SDL_Surface* krx4 = nullptr;  // the logo; NULL when it failed to load
    SDL_Surface* seven = nullptr; // the piece that fills the gap
    Uint32 starttid = 0;          // demo time of the first call
    int stage = 0;                // 0 drop, 1 split and swing, 2 settled
};

extern PresentState presentState;
