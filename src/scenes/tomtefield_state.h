// The flying santas' state: three layers of positions and their sprites.
#pragma once

#include <SDL.h>

struct SantaFieldState {
    int first = 1; // the first-call block runs while this is 1
    SDL_Surface* tomte0 = nullptr;
    SDL_Surface* tomte1 = nullptr;
    SDL_Surface* tomte2 = nullptr;
    float px0[25] = {};
    float py0[25] = {};
    float px1[10] = {};
    float py1[10] = {};
    float px2[3] = {};
    float py2[3] = {};
    SDL_Rect rt = {}; // width and height of the layer being drawn, last position
};

extern SantaFieldState tomtefieldState;
