// What the sparkler keeps between frames.
#pragma once

#include <SDL.h>

constexpr int kSparkSlots = 50;

struct SparklerState {
    int first = 1;
    Uint32 starttid = 0;               // demo time of the first call
    SDL_Surface* tomtepinne = nullptr; // the unburnt stick
    SDL_Surface* tomtepub = nullptr;   // the burnt stick
    int fulmeter = 320;                // rows of the stick before it burns
    // A ring of sparks with no alive flag: every slot moves and draws every
    // frame until a new spark takes it over.
    int xpos[kSparkSlots] = {};
    int ypos[kSparkSlots] = {};
    float xspeed[kSparkSlots] = {};
    float yspeed[kSparkSlots] = {};
    int skapa = 0; // the slot the next spark takes
};

extern SparklerState tomteblossState;
