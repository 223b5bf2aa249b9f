// What the warp zoom keeps between calls.
#pragma once

#include <SDL.h>

struct WarpZoomState {
    int first = 1;
    SDL_Surface* enterprise = nullptr; // the receding picture; NULL when missing
    SDL_Surface* black = nullptr;      // drawn where the picture was last call
    float zpos = 0.95f;                // distance of the speed lines; >= 5 means flash
    float tzpos = 1.65f;               // distance of the picture, also its sampling step
    float apanap = 0.0f;               // sine table position of the flash
};

extern WarpZoomState warpspeedState;
