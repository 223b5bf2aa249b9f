// What the tree interlude keeps between frames.
#pragma once

#include <SDL.h>

struct TreeState {
    int first = 1;
    Uint32 stime = 0;            // demo time of the first call
    SDL_Surface* baum = nullptr; // the tree; NULL when the file is missing
};

extern TreeState tannenbaumState;
