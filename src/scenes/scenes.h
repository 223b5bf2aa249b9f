// The scenes of the show and the sub-effects they call. A scene takes the
// screen and the demo time (unsigned milliseconds), loads its pictures on its
// first call, and returns 0 while it runs and 1 once it has finished.
#pragma once

#include <SDL.h>

// Scene 0: the word in letter pictures, a running highlight, the bottle.
int blossa(SDL_Surface* screen, Uint32 demoTime);

// Scene 1: the sparkler burning down around the anchor (x, y).
int tomtebloss(SDL_Surface* screen, int x, int y, Uint32 demoTime);

// Scene 2: the title and the logo that drops in and splits.
int present(SDL_Surface* screen, Uint32 demoTime);

// Scene 3: the palette plasma under the scroller.
int plasma(SDL_Surface* screen, Uint32 demoTime, int frameCounter);

// Scene 4: two seconds of the tree.
int tannenbaum(SDL_Surface* screen, Uint32 demoTime);

// Scene 5: moon, flying santas and snow.
int tomteEffekt(SDL_Surface* screen, Uint32 demoTime);
void tomtefield(SDL_Surface* screen, int wobble);
void snoe(SDL_Surface* screen, int layer);

// Scene 6: the warp flight.
int warpEffekt(SDL_Surface* screen, Uint32 demoTime);
void warpspeed(SDL_Surface* screen, int moving);
void star3d(SDL_Surface* screen, int reset, int advance, float angle);
// Loads the star field's pictures ahead of its first call, which then only
// scatters the field: the warp loads everything in its own first frame.
void star3dLoad();

// Scene 7: the candlestick; never finishes.
int ljusstake(SDL_Surface* screen, Uint32 demoTime);
void nextCandleFrame(SDL_Surface* surface, int demoTime, float phase);
