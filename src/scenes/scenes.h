// The scenes of the show and the sub-effects they call. A scene takes its
// own state (scene_state.h), the screen and the demo time (unsigned
// milliseconds), loads its pictures on its first call, and returns 0 while
// it runs and 1 once it has finished: once its elapsed time, measured from
// its own first call, has passed its duration. Scenes that scatter things
// at random draw from the show's generator. The show's order is the scene
// table's (show.h).
#pragma once

#include "scenes/scene_state.h"

#include <SDL.h>

class ShowRandom;
class ShowPlatform;

// Scene 0: the word in letter pictures, a running highlight, the bottle. The
// highlight runs along the word in kLetterCycleMs (eight steps of 300 ms:
// the "o" holds for two, the last is dark), three times.
constexpr Uint32 kBlossaMs = 9300;
constexpr Uint32 kLetterCycleMs = 2400;
int blossa(LetterIntroState& s, SDL_Surface* screen, Uint32 demoTime);

// Scene 1: the sparkler burning down around the anchor (x, y).
constexpr Uint32 kTomteblossMs = 18000;
int tomtebloss(SparklerState& s, ShowRandom& random, SDL_Surface* screen, int x, int y,
               Uint32 demoTime);

// Scene 2: the title and the logo that drops in and splits.
constexpr Uint32 kPresentMs = 10000;
int present(PresentState& s, SDL_Surface* screen, Uint32 demoTime);

// Scene 3: the palette plasma under the scroller, whose strip the platform
// shows after every one-pixel step.
constexpr Uint32 kPlasmaMs = 28000;
int plasma(PlasmaState& s, ShowRandom& random, ShowPlatform& platform, SDL_Surface* screen,
           Uint32 demoTime, int frameCounter);

// Scene 4: two seconds of the tree (shown while its elapsed time is at most
// 1999 ms).
constexpr Uint32 kTannenbaumMs = 1999;
int tannenbaum(TreeState& s, SDL_Surface* screen, Uint32 demoTime);

// Scene 5: moon, flying santas and snow. From kSkyLatePhaseMs on, a second
// picture shows under the moon and the santas bob.
constexpr Uint32 kTomteEffektMs = 15000;
constexpr Uint32 kSkyLatePhaseMs = 7500;
int tomteEffekt(MoonlitSkyState& s, ShowRandom& random, SDL_Surface* screen, Uint32 demoTime);

// The santas fly level, or bob along a sine wave as they fly.
enum class SantaFlight { Level, Bobbing };
void tomtefield(SantaFieldState& s, ShowRandom& random, SDL_Surface* screen, SantaFlight flight);

// Moves and draws one layer of flakes: the many small ones or the few large
// ones (any other layer only sets the snow up).
constexpr int kSmallFlakes = 0;
constexpr int kLargeFlakes = 1;
void snoe(SnowfallState& s, ShowRandom& random, SDL_Surface* screen, int layer);

// Scene 6: the warp flight. The picture holds still until kWarpHoldEndsMs,
// then recedes into a blue flash; from kWarpZoomEndsMs the field of stars and
// gifts flies straight, and from kWarpStraightEndsMs it turns.
constexpr Uint32 kWarpEffektMs = 15000;
constexpr Uint32 kWarpHoldEndsMs = 3000;
constexpr Uint32 kWarpZoomEndsMs = 6000;
constexpr Uint32 kWarpStraightEndsMs = 12000;
int warpEffekt(WarpSequenceState& s, ShowRandom& random, SDL_Surface* screen, Uint32 demoTime);

// The warp's picture holds still, or recedes and, far enough away, flashes.
enum class ZoomMotion { Hold, Recede };
void warpspeed(WarpZoomState& s, SDL_Surface* screen, ZoomMotion motion);

// What one call of the field does before it draws: scatter every object
// anew, bring every object one unit nearer, or both (a first call always
// scatters). angle > 0 turns the field by that many radians.
struct FieldMotion {
    bool scatter = false;
    bool advance = false;
};
void star3d(StarFieldState& s, ShowRandom& random, SDL_Surface* screen, FieldMotion motion,
            float angle);
// Loads the star field's pictures ahead of its first call, which then only
// scatters the field: the warp loads everything in its own first frame.
void star3dLoad(StarFieldState& s);

// Scene 7: the candlestick; never finishes.
int ljusstake(CandlestickState& s, SDL_Surface* screen, Uint32 demoTime);
void nextCandleFrame(CandleFlameState& s, SDL_Surface* surface, int demoTime, float phase);
