// The tables the scenes index: the shared sine and cosine tables, and the
// palettes of the 8-bit effect surfaces, read from row 1 of a bitmap, and
// the surfaces themselves.
#include "gfx/toolkit.h"

#include <cmath>

float sintab[256];
float costab[256];

void fillSintab() {
    for (int i = 0; i < 256; ++i) {
        // NOTE: evaluated left to right in double, stored as float.
        const double angle = (double)i / 255.0 * 2.0 * 3.141592653589793;
        sintab[i] = (float)sin(angle);
        costab[i] = (float)cos(angle);
    }
}

void skapaPalett(SDL_Surface* surface, const char* path) {
    if (surface == nullptr) {
        return;
    }
    SDL_Surface* bitmap = loadBitmap(path);
    if (bitmap == nullptr) {
        return;
    }
    if (bitmap->w >= 256 && bitmap->h >= 2) {
        SDL_Color colours[256];
        for (int i = 0; i < 256; ++i) {
            const Uint32 value = getpixel(bitmap, i, 1);
            colours[i] = {(Uint8)(value >> 16 & 255), (Uint8)(value >> 8 & 255),
                          (Uint8)(value & 255), 0};
        }
        SDL_SetColors(surface, colours, 0, 256);
    }
    // The colours are copied into the surface's palette; the bitmap is done.
    SDL_FreeSurface(bitmap);
}

SDL_Surface* createPaletteSurface(int w, int h, const char* palettePath) {
    SDL_Surface* surface = SDL_CreateRGBSurface(0, w, h, 8, 0, 0, 0, 0);
    if (surface == nullptr) {
        return nullptr;
    }
    SDL_Color black[256] = {};
    SDL_SetColors(surface, black, 0, 256);
    skapaPalett(surface, palettePath);
    return surface;
}
