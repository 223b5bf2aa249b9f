// Forty stars, with now and then a gift among them, fly at the viewer out of
// the vanishing point (320, 270), growing as they come nearer; on request the
// whole field also turns clockwise about the viewing axis.
#include "scenes/scenes.h"

#include "gfx/random.h"
#include "gfx/toolkit.h"

#include <cmath>

namespace {

constexpr float kFarthest = 100.0f;

// A reset always makes a star; the three draws come in the order x, y, z.
void scatter(StarFieldState& s, ShowRandom& random, int i) {
    s.starx[i] = random.rand() % 640 - 320;
    s.stary[i] = random.rand() % 480 - 240;
    s.kind[i] = 0;
    s.starz[i] = random.rand() % 100 + 1;
}

// Back to the far end at a new place; one respawn in a hundred becomes each
// of the two gifts. The draws come in the order x, y, kind.
void respawn(StarFieldState& s, ShowRandom& random, int i) {
    s.starz[i] = kFarthest;
    s.starx[i] = random.rand() % 640 - 320;
    s.stary[i] = random.rand() % 480 - 240;
    const int r = random.rand() % 100;
    s.kind[i] = (r == 1 || r == 2) ? r : 0;
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
void draw(const StarFieldPictures& p, SDL_Surface* screen, const StarFieldState& s, int i,
          Kernels kernels) {
    const float z = s.starz[i];
    // NOTE: single precision here, unlike the rotation.
    const int px = (int)(s.starx[i] / z * 32.0f) + 320;
    const int py = (int)(s.stary[i] / z * 32.0f) + 270;
    if (px > 0 && px <= 639 && py > 0 && py <= 479) {
        blitScaleDown(screen, p.bild[s.kind[i]].get(), z / 64.0f, px, py, kernels);
    }
}

} // namespace

void star3d(const StarFieldPictures& p, StarFieldState& s, const ShowFrame& f, FieldMotion motion,
            float angle) {
    ShowRandom& random = f.random;
    // Every step of one object, random draws included, before the next one.
    for (int i = 0; i < kFieldObjects; ++i) {
        if (motion.scatter) {
            scatter(s, random, i);
        }
        if (motion.advance) {
            s.starz[i] -= 1;
        }
        if (s.starz[i] <= 0) {
            respawn(s, random, i);
        }
        if (angle > 0) {
            turn(s, i, angle);
        }
        draw(p, f.screen, s, i, f.kernels);
    }
}
