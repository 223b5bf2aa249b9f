// What each scene and sub-effect changes from frame to frame. Every state is
// a member of the show (show.h) and starts out as below; a scene sets up the
// rest of it in its first frame. The pictures it draws are not here but in
// scene_pictures.h, loaded ahead and shared; the surfaces a scene draws into
// are its own, and a copy of the show copies them.
#pragma once

#include "gfx/toolkit.h"
#include "scenes/scene_pictures.h"

#include <SDL.h>

#include <vector>

// The letters and the tree change nothing but the screen.

// What the sparkler keeps between frames.

constexpr int kSparkSlots = 50;

struct SparklerState {
    int fulmeter = 320; // rows of the stick before it burns
    // A ring of sparks with no alive flag: every slot moves and draws every
    // frame until a new spark takes it over.
    int xpos[kSparkSlots] = {};
    int ypos[kSparkSlots] = {};
    float xspeed[kSparkSlots] = {};
    float yspeed[kSparkSlots] = {};
    int skapa = 0; // the slot the next spark takes
};

// What the logo presentation keeps between frames.

struct PresentState {
    int stage = 0; // 0 drop, 1 split and swing, 2 settled
};

// What the plasma and its scroller keep between frames.

struct PlasmaState {
    OwnedSurface plasma;     // 640 x 440, 8 bits; NULL when it could not be made
    int attx[3] = {0, 0, 0}; // wave centres on the plasma surface
    int atty[3] = {0, 0, 0};
    char scroller[90] = "feel the snolk           coke? coffee? tea?   no!! snolk is the "
                        "superior dryck at juletid";
    int scrollerx = 10;    // screen x of the text's first glyph
    int scrollermove = 10; // one-pixel steps per frame once the text moves
};

// The flying santas: three layers of positions.

struct SantaFieldState {
    float px0[25] = {};
    float py0[25] = {};
    float px1[10] = {};
    float py1[10] = {};
    float px2[3] = {};
    float py2[3] = {};
};

// The snowfall: two layers of flake positions.

struct SnowfallState {
    float px0[60] = {};
    float py0[60] = {};
    float px1[5] = {};
    float py1[5] = {};
};

// The moonlit sky: the santas and the snow it draws.

struct MoonlitSkyState {
    SantaFieldState santas;
    SnowfallState snow;
};

// What the warp zoom keeps between calls.

struct WarpZoomState {
    float zpos = 0.95f;  // distance of the speed lines; >= 5 means flash
    float tzpos = 1.65f; // distance of the picture, also its sampling step
    float apanap = 0.0f; // sine table position of the flash
};

// What the star and gift field keeps between calls.

constexpr int kFieldObjects = 40;

struct StarFieldState {
    // Offsets from the viewing axis in field units (y grows downwards) and the
    // distance, a whole number that lies in 1 ... 100 whenever it is drawn.
    float starx[kFieldObjects] = {};
    float stary[kFieldObjects] = {};
    float starz[kFieldObjects] = {};
    int kind[kFieldObjects] = {}; // which picture: an index into bild
};

// What the warp sequence keeps between frames: the zoom and the field it
// shows, and whether the field has started to fly (it is scattered in its
// first frame, six seconds into the scene).

struct WarpSequenceState {
    WarpZoomState zoom;
    StarFieldState field;
    bool fieldFlying = false;
};

// What the candle flames keep between calls: each flame's own copy of the
// seed, and the buffer the smoothed heat goes into.

constexpr int kFlames = 4;

struct CandleFlameState {
    // SDL rebuilds (and allocates) a sprite's colour map whenever it is
    // blitted to another surface than the last one, so each flame stamps a
    // copy of its own. A flame whose copy could not be made stamps the
    // shared seed.
    OwnedSurface ownSeeds[kFlames];
    // Holds the largest flame and is reused, frame after frame.
    std::vector<Uint8> scratch;
};

// What the candlestick scene keeps: the four flame surfaces and the height
// the greetings have risen to.

struct CandlestickState {
    OwnedSurface eld[kFlames];
    int apan = 480; // top edge of the greetings in the next frame
    CandleFlameState flames;
};
