// What each scene and sub-effect keeps between frames. Every state is a
// member of the show (show.h) and starts out as below: a scene loads its
// pictures and takes its start time on its first frame, when its `first`
// flag is still set. Pictures belong to the state and are freed with it; a
// picture that failed to load is NULL and never drawn.
#pragma once

#include "gfx/toolkit.h"
#include "scenes/plasma_field.h"

#include <SDL.h>

#include <vector>

// What the letter intro keeps between frames.

struct LetterIntroState {
    int first = 1;
    Uint32 stid = 0; // demo time of the first call
    // One highlight ("f") and one base ("g") picture per letter, and the
    // bottle.
    Picture bf, bg, lf, lg, of, og, sf, sg, af, ag;
    Picture flaska;
};

// What the sparkler keeps between frames.

constexpr int kSparkSlots = 50;

struct SparklerState {
    int first = 1;
    Uint32 starttid = 0; // demo time of the first call
    Picture tomtepinne;  // the unburnt stick
    Picture tomtepub;    // the burnt stick
    int fulmeter = 320;  // rows of the stick before it burns
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
    int first = 1;        // set until the first call has loaded the pictures
    Picture krx4;         // the logo
    Picture seven;        // the piece that fills the gap
    Uint32 starttid = 0;  // demo time of the first call
    int stage = 0;        // 0 drop, 1 split and swing, 2 settled
};

// What the plasma and its scroller keep between frames.

struct PlasmaState {
    int first = 1;  // set until the first call has set the scene up
    Picture plasma; // 640 x 440, 8 bits; NULL when it could not be made
    int attx[3] = {0, 0, 0}; // wave centres on the plasma surface
    int atty[3] = {0, 0, 0};
    Uint32 stid = 0; // demo time of the first call
    char scroller[90] = "feel the snolk           coke? coffee? tea?   no!! snolk is the "
                        "superior dryck at juletid";
    int scrollerx = 10;    // screen x of the text's first glyph
    int scrollermove = 10; // one-pixel steps per frame once the text moves
    PlasmaCache cache;     // what the fast kernel keeps from frame to frame
};

// What the tree interlude keeps between frames.

struct TreeState {
    int first = 1;
    Uint32 stime = 0; // demo time of the first call
    Picture baum;     // the tree
};

// The flying santas: three layers of positions and their sprites.

struct SantaFieldState {
    int first = 1; // the first-call block runs while this is 1
    Picture tomte0, tomte1, tomte2;
    float px0[25] = {};
    float py0[25] = {};
    float px1[10] = {};
    float py1[10] = {};
    float px2[3] = {};
    float py2[3] = {};
};

// The snowfall: two layers of flake positions and their sprites.

struct SnowfallState {
    int first = 1; // the first-call block runs while this is 1
    Picture flinga0, flinga1;
    float px0[60] = {};
    float py0[60] = {};
    float px1[5] = {};
    float py1[5] = {};
};

// The moonlit sky: its two pictures, its start time, and the santas and the
// snow it draws.

struct MoonlitSkyState {
    int first = 1; // non-zero until the scene has started
    Picture iMoon;
    Picture iLitenapanap;
    Uint32 stid = 0; // demo time of the first call
    SantaFieldState santas;
    SnowfallState snow;
};

// What the warp zoom keeps between calls.

struct WarpZoomState {
    int first = 1;
    Picture enterprise;   // the receding picture
    Picture black;        // drawn where the picture was last call
    float zpos = 0.95f;   // distance of the speed lines; >= 5 means flash
    float tzpos = 1.65f;  // distance of the picture, also its sampling step
    float apanap = 0.0f;  // sine table position of the flash
};

// What the star and gift field keeps between calls.

constexpr int kFieldObjects = 40;
constexpr int kFieldKinds = 3; // star, first gift, second gift

struct StarFieldState {
    int first = 1;
    int loaded = 0;             // the pictures are loaded (possibly ahead of the first call)
    Picture bild[kFieldKinds];  // one sprite per kind
    // Offsets from the viewing axis in field units (y grows downwards) and the
    // distance, a whole number that lies in 1 ... 100 whenever it is drawn.
    float starx[kFieldObjects] = {};
    float stary[kFieldObjects] = {};
    float starz[kFieldObjects] = {};
    int start[kFieldObjects] = {}; // the kind: index into bild
};

// What the warp sequence keeps between frames, and the zoom and the field
// it shows.

struct WarpSequenceState {
    int first = 1;
    Uint32 stid = 0;     // demo time of the first call
    Picture iTomtewarp0; // in front of the straight flight
    Picture iTomtewarp;  // in front of the turning flight
    WarpZoomState zoom;
    StarFieldState field;
};

// What the candle flames keep between calls: the seed picture they stamp
// and the buffer the smoothed heat goes into.

struct CandleFlameState {
    int first = 1;
    Picture pattern; // shared by every flame
    // Grows to the largest flame seen and is then reused, frame after frame.
    std::vector<Uint8> scratch;
    // Each flame's own copy of the seed, loaded the first time that flame is
    // stamped: SDL rebuilds (and allocates) a sprite's colour map whenever it
    // is blitted to another surface than the last one. A flame whose copy
    // could not be loaded stamps the shared seed.
    struct OwnSeed {
        const SDL_Surface* flame = nullptr; // whose copy this is; NULL: free
        Picture pattern;
    };
    OwnSeed ownSeeds[4];
};

// What the candlestick scene keeps: its pictures, the four flame surfaces
// and the height the greetings have risen to.

struct CandlestickState {
    int first = 1;
    Picture iStake;
    Picture eld[4];
    Picture iGreets;
    int apan = 480; // top edge of the greetings in the next frame
    CandleFlameState flames;
};
