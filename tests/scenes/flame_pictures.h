// Heat pictures for the flame tests: plain byte arrays, and 8-bit surfaces
// whose palette is the grey ramp, so blits between them keep every index.
#pragma once

#include "scenes/candle_flame.h"
#include "scenes/scene_pictures.h"
#include "scenes/scene_state.h"

#include <SDL.h>

#include <algorithm>
#include <vector>

// A picture of heat values, row after row.
using Heat = std::vector<Uint8>;

inline Heat smoothed(const Heat& in, int w, int h) {
    Heat out(in.size(), 77);
    smoothFlame(in.data(), out.data(), w, h, w);
    return out;
}

inline Heat dotAt(int w, int h, int x, int y, Uint8 background = 0) {
    Heat picture((size_t)(w * h), background);
    picture[(size_t)(y * w + x)] = 255;
    return picture;
}

inline SDL_Surface* greySurface(int w, int h) {
    SDL_Surface* s = SDL_CreateRGBSurface(0, w, h, 8, 0, 0, 0, 0);
    SDL_Color grey[256];
    for (int i = 0; i < 256; ++i) {
        grey[i] = {(Uint8)i, (Uint8)i, (Uint8)i, 0};
    }
    SDL_SetColors(s, grey, 0, 256);
    SDL_FillRect(s, nullptr, 0);
    return s;
}

inline Heat pixelsOf(const SDL_Surface* s) {
    Heat picture;
    for (int y = 0; y < s->h; ++y) {
        const Uint8* row = static_cast<const Uint8*>(s->pixels) + y * s->pitch;
        picture.insert(picture.end(), row, row + s->w);
    }
    return picture;
}

// Flames whose seed is one pixel of heat 255, so each stamp marks exactly
// its corner, and that have no palette.
inline FlamePictures dotSeed() {
    FlamePictures p;
    p.pattern.reset(greySurface(1, 1));
    SDL_FillRect(p.pattern.get(), nullptr, 255);
    SDL_SetColorKey(p.pattern.get(), SDL_SRCCOLORKEY, 0);
    return p;
}
