// The scenes of the show and the sub-effects they call. A scene takes the
// screen and the demo time (unsigned milliseconds), loads its pictures on its
// first call, and returns 0 while it runs and 1 once it has finished: once
// its elapsed time, measured from its own first call, has passed its
// duration. The show's order is the scene table's (show.h).
#pragma once

#include <SDL.h>

// Scene 0: the word in letter pictures, a running highlight, the bottle. The
// highlight runs along the word in kLetterCycleMs (eight steps of 300 ms:
// the "o" holds for two, the last is dark), three times.
constexpr Uint32 kBlossaMs = 9300;
constexpr Uint32 kLetterCycleMs = 2400;
int blossa(SDL_Surface* screen, Uint32 demoTime);

// Scene 1: the sparkler burning down around the anchor (x, y).
constexpr Uint32 kTomteblossMs = 18000;
int tomtebloss(SDL_Surface* screen, int x, int y, Uint32 demoTime);

// Scene 2: the title and the logo that drops in and splits.
constexpr Uint32 kPresentMs = 10000;
int present(SDL_Surface* screen, Uint32 demoTime);

// Scene 3: the palette plasma under the scroller.
constexpr Uint32 kPlasmaMs = 28000;
int plasma(SDL_Surface* screen, Uint32 demoTime, int frameCounter);

// Scene 4: two seconds of the tree (shown while its elapsed time is at most
// 1999 ms).
constexpr Uint32 kTannenbaumMs = 1999;
int tannenbaum(SDL_Surface* screen, Uint32 demoTime);

// Scene 5: moon, flying santas and snow. From kSkyLatePhaseMs on, a second
// picture shows under the moon and the santas bob.
constexpr Uint32 kTomteEffektMs = 15000;
constexpr Uint32 kSkyLatePhaseMs = 7500;
int tomteEffekt(SDL_Surface* screen, Uint32 demoTime);
void tomtefield(SDL_Surface* screen, int wobble);
void snoe(SDL_Surface* screen, int layer);

// Scene 6: the warp flight. The picture holds still until kWarpHoldEndsMs,
// then recedes into a blue flash; from kWarpZoomEndsMs the field of stars and
// gifts flies straight, and from kWarpStraightEndsMs it turns.
constexpr Uint32 kWarpEffektMs = 15000;
constexpr Uint32 kWarpHoldEndsMs = 3000;
constexpr Uint32 kWarpZoomEndsMs = 6000;
constexpr Uint32 kWarpStraightEndsMs = 12000;
int warpEffekt(SDL_Surface* screen, Uint32 demoTime);
void warpspeed(SDL_Surface* screen, int moving);
void star3d(SDL_Surface* screen, int reset, int advance, float angle);
// Loads the star field's pictures ahead of its first call, which then only
// scatters the field: the warp loads everything in its own first frame.
void star3dLoad();

// Scene 7: the candlestick; never finishes.
int ljusstake(SDL_Surface* screen, Uint32 demoTime);
void nextCandleFrame(SDL_Surface* surface, int demoTime, float phase);
