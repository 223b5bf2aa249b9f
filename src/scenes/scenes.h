// The scenes of the show and the sub-effects they call. A scene draws one
// frame from its pictures (scene_pictures.h, loaded ahead), its state
// (scene_state.h) and what the frame hands it: the screen, the demo time,
// its own time since its first frame and whether this is that frame (the
// stepper keeps the start), the show's random generator, font, kernels and
// console. It sets up what its first frame needs (random places, console
// lines) in that frame, and returns 0 while it runs and 1 once its time has
// passed its duration (timeline.h). The show's order is the scene table's
// (show.h).
#pragma once

#include "gfx/toolkit.h"
#include "scenes/scene_pictures.h"
#include "scenes/scene_state.h"
#include "scenes/timeline.h"

#include <SDL.h>

#include <cstdio>

class ShowRandom;
class ShowPlatform;
struct Font;

// What every scene is handed in a frame, besides its pictures and state.
struct ShowFrame {
    SDL_Surface* screen;
    Uint32 demoTime;
    Uint32 elapsed;   // demo time since the scene's first frame (unsigned)
    bool sceneBegins; // this is the scene's first frame
    int frameCounter; // the low 32 bits of the show's frame count
    ShowRandom& random;
    const Font& font;
    Kernels kernels;
    FILE* console; // the show's console lines; NULL: nowhere
    ShowPlatform& platform;
};

// Scene 0: the word in letter pictures, a running highlight, the bottle.
int blossa(const LetterPictures& p, const ShowFrame& f);

// Scene 1: the sparkler burning down around the anchor (x, y).
int tomtebloss(const SparklerPictures& p, SparklerState& s, const ShowFrame& f, int x, int y);

// Scene 2: the title and the logo that drops in and splits.
int present(const LogoPictures& p, PresentState& s, const ShowFrame& f);

// Scene 3: the palette plasma under the scroller, whose strip the platform
// shows after every one-pixel step.
int plasma(const PlasmaTables& t, PlasmaState& s, const ShowFrame& f);

// Scene 4: two seconds of the tree.
int tannenbaum(const TreePictures& p, const ShowFrame& f);

// Scene 5: moon, flying santas and snow.
int tomteEffekt(const MoonlitSkyPictures& p, MoonlitSkyState& s, const ShowFrame& f);

// The santas spread over the sky, and say so: in the moonlit sky's first
// frame, before they first fly.
void tomtefieldBegin(const SantaPictures& p, SantaFieldState& s, const ShowFrame& f);

// The santas fly level, or bob along a sine wave as they fly.
enum class SantaFlight { Level, Bobbing };
void tomtefield(const SantaPictures& p, SantaFieldState& s, const ShowFrame& f, SantaFlight flight);

// The flakes spread over the sky: in the moonlit sky's first frame, before
// they first fall.
void snoeBegin(SnowfallState& s, const ShowFrame& f);

// Moves and draws one layer of flakes: the many small ones or the few large
// ones (any other layer draws nothing).
constexpr int kSmallFlakes = 0;
constexpr int kLargeFlakes = 1;
void snoe(const SnowPictures& p, SnowfallState& s, const ShowFrame& f, int layer);

// Scene 6: the warp flight, in the four stages of the timeline.
int warpEffekt(const WarpPictures& p, WarpSequenceState& s, const ShowFrame& f);

// The words for the zoom's pictures that are missing: in the warp's first
// frame, before the zoom is first drawn.
void warpspeedBegin(const WarpZoomPictures& p, const ShowFrame& f);

// The warp's picture holds still, or recedes and, far enough away, flashes.
enum class ZoomMotion { Hold, Recede };
void warpspeed(const WarpZoomPictures& p, WarpZoomState& s, const ShowFrame& f, ZoomMotion motion);

// What one call of the field does before it draws: scatter every object
// anew (as in the field's first frame), bring every object one unit nearer,
// or both. angle > 0 turns the field by that many radians.
struct FieldMotion {
    bool scatter = false;
    bool advance = false;
};
void star3d(const StarFieldPictures& p, StarFieldState& s, const ShowFrame& f, FieldMotion motion,
            float angle);

// Scene 7: the candlestick; never finishes.
int ljusstake(const CandlestickPictures& p, CandlestickState& s, const ShowFrame& f);

// ---- The surfaces a show draws into, made with the show -------------------------

// The plasma's 8-bit surface with its palette; NULL when none can be made
// as the plasma writes it (one dense byte array).
SDL_Surface* createPlasmaSurface(const PlasmaTables& t);

// The four cold flame surfaces and each flame's copy of the seed.
void makeCandleSurfaces(const CandlestickPictures& p, CandlestickState& s, Kernels kernels);
FlamePictures loadFlamePictures(const PictureSource& from);
void makeOwnSeeds(const FlamePictures& p, CandleFlameState& s, Kernels kernels);

// The next frame of flame number `flame` (0 ... kFlames - 1) on its 8-bit
// surface, for the demo time and the flame's phase.
void nextCandleFrame(const FlamePictures& p, CandleFlameState& s, int flame, SDL_Surface* surface,
                     int demoTime, float phase, Kernels kernels);
