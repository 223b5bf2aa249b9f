// The snowfall's state: two layers of flake positions and their sprites.
#pragma once

#include <SDL.h>

struct SnowfallState {
    int first = 1; // the first-call block runs while this is 1
    SDL_Surface* flinga0 = nullptr;
    SDL_Surface* flinga1 = nullptr;
    float px0[60] = {};
    float py0[60] = {};
    float px1[5] = {};
    float py1[5] = {};
    SDL_Rect rt = {}; // width and height of the layer being drawn, last position
};

extern SnowfallState snoeState;
