// Whole surfaces: the clear to one colour, and the copy a show makes of the
// surfaces it owns when the show itself is copied.
#include "gfx/toolkit.h"

#include <algorithm>
#include <cstring>

namespace {

// SDL's fill goes through a general routine and, in some builds, through a
// shared library call for every row; a 32-bit surface in memory takes the
// same words written row by row.
bool fillsWordByWord(const SDL_Surface* surface, Kernels kernels) {
    return kernels == Kernels::Fast && surface->format->BytesPerPixel == 4 &&
           !SDL_MUSTLOCK(surface) && (surface->flags & SDL_HWSURFACE) == 0;
}

void fillWords(SDL_Surface* surface, const SDL_Rect& area, Uint32 colour) {
    Uint8* top = static_cast<Uint8*>(surface->pixels) + (size_t)area.y * surface->pitch;
    // A colour of four equal bytes (black, above all) over whole rows is one
    // run of bytes.
    const bool sameBytes = colour == (colour & 0xffu) * 0x01010101u;
    if (sameBytes && area.x == 0 && area.w * 4 == surface->pitch) {
        memset(top, (int)(colour & 0xffu), (size_t)area.h * surface->pitch);
        return;
    }
    for (int y = 0; y < area.h; ++y) {
        Uint32* row = reinterpret_cast<Uint32*>(top + (size_t)y * surface->pitch) + area.x;
        std::fill(row, row + area.w, colour);
    }
}

// The part of a inside b, as SDL clips a fill; false when none is.
bool intersect(const SDL_Rect& a, const SDL_Rect& b, SDL_Rect& inside) {
    const int left = std::max<int>(a.x, b.x);
    const int top = std::max<int>(a.y, b.y);
    const int right = std::min<int>(a.x + a.w, b.x + b.w);
    const int bottom = std::min<int>(a.y + a.h, b.y + b.h);
    if (right <= left || bottom <= top) {
        return false;
    }
    inside = {(Sint16)left, (Sint16)top, (Uint16)(right - left), (Uint16)(bottom - top)};
    return true;
}

} // namespace

void clearSurface(SDL_Surface* surface, Uint32 colour, Kernels kernels) {
    if (surface == nullptr) {
        return;
    }
    if (fillsWordByWord(surface, kernels)) {
        fillWords(surface, surface->clip_rect, colour);
    } else {
        SDL_FillRect(surface, nullptr, colour);
    }
}

void clearRect(SDL_Surface* surface, SDL_Rect rect, Uint32 colour, Kernels kernels) {
    if (surface == nullptr) {
        return;
    }
    SDL_Rect area;
    if (!fillsWordByWord(surface, kernels)) {
        SDL_FillRect(surface, &rect, colour);
    } else if (intersect(rect, surface->clip_rect, area)) {
        fillWords(surface, area, colour);
    }
}

SDL_Surface* copyOfSurface(const SDL_Surface* s) {
    if (s == nullptr) {
        return nullptr;
    }
    const SDL_PixelFormat* f = s->format;
    SDL_Surface* copy = SDL_CreateRGBSurface(SDL_SWSURFACE, s->w, s->h, f->BitsPerPixel, f->Rmask,
                                             f->Gmask, f->Bmask, f->Amask);
    if (copy == nullptr) {
        return nullptr;
    }
    // The same depth: a palette as long as the source's can be.
    SDL_Palette* palette = copy->format->palette;
    if (palette != nullptr && f->palette != nullptr) {
        palette->ncolors = f->palette->ncolors;
        memcpy(palette->colors, f->palette->colors, sizeof(SDL_Color) * f->palette->ncolors);
    }
    SDL_SetColorKey(copy, s->flags & (SDL_SRCCOLORKEY | SDL_RLEACCELOK), f->colorkey);
    SDL_SetAlpha(copy, s->flags & SDL_SRCALPHA, f->alpha);
    const size_t rowBytes = (size_t)s->w * f->BytesPerPixel;
    for (int y = 0; y < s->h; ++y) {
        memcpy(static_cast<Uint8*>(copy->pixels) + y * copy->pitch,
               static_cast<const Uint8*>(s->pixels) + y * s->pitch, rowBytes);
    }
    return copy;
}

OwnedSurface& OwnedSurface::operator=(const OwnedSurface& other) {
    if (this != &other) {
        surface_.reset(copyOfSurface(other.get()));
    }
    return *this;
}
