// What the warp sequence keeps between frames.
#pragma once

#include <SDL.h>

struct WarpSequenceState {
    int first = 1;
    Uint32 stid = 0;                    // demo time of the first call
    SDL_Surface* iTomtewarp0 = nullptr; // in front of the straight flight
    SDL_Surface* iTomtewarp = nullptr;  // in front of the turning flight
};

extern WarpSequenceState warpEffektState;
