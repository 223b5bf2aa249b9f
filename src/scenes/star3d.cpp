// Forty stars, with now and then a gift among them, fly at the viewer out of
// the vanishing point (320, 270), growing as they come nearer; on request the
// whole field also turns clockwise about the viewing axis.
#include "scenes/scene_state.h"
#include "scenes/scenes.h"

#include "gfx/random.h"
#include "gfx/toolkit.h"

#include <cmath>
#include <cstdlib>

namespace {
StarFieldState state;
} // namespace

const StarFieldState& star3dState() {
    return state;
}

void setStar3dState(const StarFieldState& replacement) {
    state = replacement;
}

namespace {

constexpr float kFarthest = 100.0f;

void loadSprites(StarFieldState& s) {
    s.bild[0] = loadPixelSprite("data/star.png");
    s.bild[1] = loadPixelSprite("data/paket0.png");
    s.bild[2] = loadPixelSprite("data/paket1.png");
    for (SDL_Surface* sprite : s.bild) {
        setColourKey(sprite, 0);
    }
    s.loaded = 1;
}

// A reset always makes a star; the three draws come in the order x, y, z.
void scatter(StarFieldState& s, int i) {
    s.starx[i] = showRand() % 640 - 320;
    s.stary[i] = showRand() % 480 - 240;
    s.start[i] = 0;
    s.starz[i] = showRand() % 100 + 1;
}

// Back to the far end at a new place; one respawn in a hundred becomes each
// of the two gifts. The draws come in the order x, y, kind.
void respawn(StarFieldState& s, int i) {
    s.starz[i] = kFarthest;
    s.starx[i] = showRand() % 640 - 320;
    s.stary[i] = showRand() % 480 - 240;
    const int r = showRand() % 100;
    s.start[i] = (r == 1 || r == 2) ? r : 0;
}

// NOTE: cosine and sine of the float angle in double, products with the old
// x and y in double, stored back as floats.
void turn(StarFieldState& s, int i, float angle) {
    const double c = cos((double)angle);
    const double n = sin((double)angle);
    const double x = s.starx[i];
    const double y = s.stary[i];
    s.starx[i] = (float)(c * x - n * y);
    s.stary[i] = (float)(n * x + c * y);
}

// Only the sprite's top-left corner is tested against the screen, and against
// these constants rather than the surface's size.
void draw(SDL_Surface* screen, const StarFieldState& s, int i) {
    const float z = s.starz[i];
    // NOTE: single precision here, unlike the rotation.
    const int px = (int)(s.starx[i] / z * 32.0f) + 320;
    const int py = (int)(s.stary[i] / z * 32.0f) + 270;
    if (px > 0 && px <= 639 && py > 0 && py <= 479) {
        blitScaleDown(screen, s.bild[s.start[i]], z / 64.0f, px, py);
    }
}

} // namespace

void star3dLoad() {
    if (!state.loaded) {
        loadSprites(state);
    }
}

void star3d(SDL_Surface* screen, int reset, int advance, float angle) {
    StarFieldState& s = state;
    if (s.first) {
        star3dLoad();
        s.first = 0;
        reset = 1;
    }
    // Every step of one object, random draws included, before the next one.
    for (int i = 0; i < kFieldObjects; ++i) {
        if (reset) {
            scatter(s, i);
        }
        if (advance) {
            s.starz[i] -= 1;
        }
        if (s.starz[i] <= 0) {
            respawn(s, i);
        }
        if (angle > 0) {
            turn(s, i, angle);
        }
        draw(screen, s, i);
    }
}
