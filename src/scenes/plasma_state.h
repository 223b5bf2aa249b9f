// What the plasma and its scroller keep between frames.
#pragma once

#include <SDL.h>

struct PlasmaState {
    int first = 1;                 // set until the first call has set the scene up
    SDL_Surface* plasma = nullptr; // 640 x 440, 8 bits; NULL when it could not be made
    int attx[3] = {0, 0, 0};       // wave centres on the plasma surface
    int atty[3] = {0, 0, 0};
    Uint32 stid = 0; // demo time of the first call
    char scroller[90] = "feel the snolk           coke? coffee? tea?   no!! snolk is the "
                        "superior dryck at juletid";
    int scrollerx = 10;    // screen x of the text's first glyph
    int scrollermove = 10; // one-pixel steps per frame once the text moves
};

extern PlasmaState plasmaState;
