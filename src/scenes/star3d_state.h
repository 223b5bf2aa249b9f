// What the star and gift field keeps between calls.
#pragma once

#include <SDL.h>

constexpr int kFieldObjects = 40;
constexpr int kFieldKinds = 3; // star, first gift, second gift

struct StarFieldState {
    int first = 1;
    int loaded = 0; // the pictures are loaded (possibly ahead of the first call)
    SDL_Surface* bild[kFieldKinds] = {}; // one sprite per kind; NULL when missing
    // Offsets from the viewing axis in field units (y grows downwards) and the
    // distance, a whole number that lies in 1 ... 100 whenever it is drawn.
    float starx[kFieldObjects] = {};
    float stary[kFieldObjects] = {};
    float starz[kFieldObjects] = {};
    int start[kFieldObjects] = {}; // the kind: index into bild
};

extern StarFieldState star3dState;
