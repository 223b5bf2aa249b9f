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

std::unique_ptr<Palette> readPalette(const char* path) {
    Picture bitmap(loadBitmap(path));
    if (bitmap == nullptr || bitmap->w < 256 || bitmap->h < 2) {
        return nullptr;
    }
    auto palette = std::make_unique<Palette>();
    for (int i = 0; i < 256; ++i) {
        const Uint32 value = getpixel(bitmap.get(), i, 1);
        palette->colours[i] = {(Uint8)(value >> 16 & 255), (Uint8)(value >> 8 & 255),
                               (Uint8)(value & 255), 0};
    }
    return palette;
}

void skapaPalett(SDL_Surface* surface, const char* path) {
    const std::unique_ptr<Palette> palette = readPalette(path);
    if (surface != nullptr && palette != nullptr) {
        SDL_SetColors(surface, palette->colours, 0, 256);
    }
}

SDL_Surface* createPaletteSurface(int w, int h, const Palette* palette) {
    SDL_Surface* surface = SDL_CreateRGBSurface(0, w, h, 8, 0, 0, 0, 0);
    if (surface == nullptr) {
        return nullptr;
    }
    Palette colours = palette != nullptr ? *palette : Palette{};
    SDL_SetColors(surface, colours.colours, 0, 256);
    return surface;
}
