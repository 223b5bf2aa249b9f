// What each scene and sub-effect keeps between frames. The state lives in
// the scene's own file, behind its first-call flag; this header gives its
// shape and one door per scene, through which tests read the state and put
// the scene into a given state. The show itself never uses the doors.
#pragma once

#include <SDL.h>

#include <vector>

// What the letter intro keeps between frames.

struct LetterIntroState {
    int first = 1;
    Uint32 stid = 0; // demo time of the first call
    // One highlight ("f") and one base ("g") picture per letter, and the
    // bottle. NULL when a file is missing: that picture is never drawn.
    SDL_Surface* bf = nullptr;
    SDL_Surface* bg = nullptr;
    SDL_Surface* lf = nullptr;
    SDL_Surface* lg = nullptr;
    SDL_Surface* of = nullptr;
    SDL_Surface* og = nullptr;
    SDL_Surface* sf = nullptr;
    SDL_Surface* sg = nullptr;
    SDL_Surface* af = nullptr;
    SDL_Surface* ag = nullptr;
    SDL_Surface* flaska = nullptr;
};

const LetterIntroState& blossaState();
void setBlossaState(const LetterIntroState& state);

// What the sparkler keeps between frames.

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

const SparklerState& tomteblossState();
void setTomteblossState(const SparklerState& state);

// What the logo presentation keeps between frames.

struct PresentState {
    int first = 1;                // set until the first call has loaded the pictures
    SDL_Surface* krx4 = nullptr;  // the logo; NULL when it failed to load
    SDL_Surface* seven = nullptr; // the piece that fills the gap
    Uint32 starttid = 0;          // demo time of the first call
    int stage = 0;                // 0 drop, 1 split and swing, 2 settled
};

const PresentState& presentState();
void setPresentState(const PresentState& state);

// What the plasma and its scroller keep between frames.

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

const PlasmaState& plasmaState();
void setPlasmaState(const PlasmaState& state);

// What the tree interlude keeps between frames.

struct TreeState {
    int first = 1;
    Uint32 stime = 0;            // demo time of the first call
    SDL_Surface* baum = nullptr; // the tree; NULL when the file is missing
};

const TreeState& tannenbaumState();
void setTannenbaumState(const TreeState& state);

// The moonlit sky's state: its two pictures and its start time.

struct MoonlitSkyState {
    int first = 1; // non-zero until the scene has started
    SDL_Surface* iMoon = nullptr;
    SDL_Surface* iLitenapanap = nullptr;
    Uint32 stid = 0; // demo time of the first call
};

const MoonlitSkyState& tomteEffektState();
void setTomteEffektState(const MoonlitSkyState& state);

// The flying santas' state: three layers of positions and their sprites.

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

const SantaFieldState& tomtefieldState();
void setTomtefieldState(const SantaFieldState& state);

// The snowfall's state: two layers of flake positions and their sprites.

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

const SnowfallState& snoeState();
void setSnoeState(const SnowfallState& state);

// What the warp sequence keeps between frames.

struct WarpSequenceState {
    int first = 1;
    Uint32 stid = 0;                    // demo time of the first call
    SDL_Surface* iTomtewarp0 = nullptr; // in front of the straight flight
    SDL_Surface* iTomtewarp = nullptr;  // in front of the turning flight
};

const WarpSequenceState& warpEffektState();
void setWarpEffektState(const WarpSequenceState& state);

// What the warp zoom keeps between calls.

struct WarpZoomState {
    int first = 1;
    SDL_Surface* enterprise = nullptr; // the receding picture; NULL when missing
    SDL_Surface* black = nullptr;      // drawn where the picture was last call
    float zpos = 0.95f;                // distance of the speed lines; >= 5 means flash
    float tzpos = 1.65f;               // distance of the picture, also its sampling step
    float apanap = 0.0f;               // sine table position of the flash
};

const WarpZoomState& warpspeedState();
void setWarpspeedState(const WarpZoomState& state);

// What the star and gift field keeps between calls.

constexpr int kFieldObjects = 40;
constexpr int kFieldKinds = 3; // star, first gift, second gift

struct StarFieldState {
    int first = 1;
    int loaded = 0; // the pictures are loaded (possibly ahead of the first call)
    SDL_Surface* bild[kFieldKinds] = {}; // one sprite per kind; NULL when missing
    // Offsets from the viewing axis in field units (y grows downwards) and the
    // distance, a whole number that lies in 1 ... 100 whenever it is drawn.
    float starx[kFieldObjects] = {};
    float stary[kFieldObjects] = {};
    float starz[kFieldObjects] = {};
    int start[kFieldObjects] = {}; // the kind: index into bild
};

const StarFieldState& star3dState();
void setStar3dState(const StarFieldState& state);

// What the candlestick scene keeps: its pictures, the four flame surfaces and
// the height the greetings have risen to.

struct CandlestickState {
    int first = 1;
    SDL_Surface* iStake = nullptr;
    SDL_Surface* eld[4] = {nullptr, nullptr, nullptr, nullptr};
    SDL_Surface* iGreets = nullptr;
    int apan = 480; // top edge of the greetings in the next frame
};

const CandlestickState& ljusstakeState();
void setLjusstakeState(const CandlestickState& state);

// What the candle flame keeps between calls: the seed picture it stamps and
// the buffer the smoothed heat goes into.

struct CandleFlameState {
    int first = 1;
    SDL_Surface* pattern = nullptr; // shared by every flame; NULL when missing
    // Grows to the largest flame seen and is then reused, frame after frame.
    std::vector<Uint8> scratch;
    // Each flame's own copy of the seed, loaded the first time that flame is
    // stamped: SDL rebuilds (and allocates) a sprite's colour map whenever it
    // is blitted to another surface than the last one.
    struct OwnSeed {
        SDL_Surface* flame = nullptr;
        SDL_Surface* pattern = nullptr;
    };
    OwnSeed ownSeeds[4];
};

const CandleFlameState& candleFlameState();
void setCandleFlameState(const CandleFlameState& state);
