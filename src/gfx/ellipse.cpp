// The filled ellipse, mirrored about the half-pixel centre (cx + 0.5, cy + 0.5).
#include "gfx/toolkit.h"

void ritaElips(SDL_Surface* dst, int cx, int cy, float rx, float ry, Uint32 colour) {
    // NOTE: single precision throughout; a radius <= 0 (or NaN) draws nothing.
    for (int j = 0; ry > (float)j; ++j) {
        for (int n = 0; rx > (float)n; ++n) {
            const float v = (float)j / ry;
            const float u = (float)n / rx;
            if (v * v + u * u < 1.0f) {
                putpixel(dst, cx + n, cy + j, colour);
                putpixel(dst, cx + 1 - n, cy + j, colour);
                putpixel(dst, cx + n, cy + 1 - j, colour);
                putpixel(dst, cx + 1 - n, cy + 1 - j, colour);
            }
        }
    }
}
