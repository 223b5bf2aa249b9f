// Blitting whole pictures and parts of them, as SDL_UpperBlit does; the
// plain copies the show makes most (the tree, the moon, the candlestick,
// the greetings, the letters) copied row by row here.
#include "gfx/toolkit.h"

#include <cstring>

namespace {

bool plainCopy(const SDL_Surface* src, const SDL_Surface* dst) {
    const SDL_PixelFormat* a = src->format;
    const SDL_PixelFormat* b = dst->format;
    return a->BytesPerPixel == 4 && b->BytesPerPixel == 4 && a->Rmask == b->Rmask &&
           a->Gmask == b->Gmask && a->Bmask == b->Bmask && a->Amask == b->Amask &&
           (src->flags & (SDL_SRCCOLORKEY | SDL_SRCALPHA | SDL_RLEACCEL | SDL_HWSURFACE)) == 0 &&
           (dst->flags & SDL_HWSURFACE) == 0 && !SDL_MUSTLOCK(src) && !SDL_MUSTLOCK(dst);
}

// NOTE: SDL's clipping, step for step, in its own types: the rectangle's
// position is 16 bits and wraps as SDL's does; w and h are ints.
bool clipAsSdl(const SDL_Surface* src, const SDL_Rect* srcrect, const SDL_Surface* dst,
               SDL_Rect* dstrect, SDL_Rect& from) {
    int srcx = 0;
    int srcy = 0;
    int w = src->w;
    int h = src->h;
    if (srcrect != nullptr) {
        srcx = srcrect->x;
        w = srcrect->w;
        if (srcx < 0) {
            w += srcx;
            dstrect->x -= srcx;
            srcx = 0;
        }
        w = w < src->w - srcx ? w : src->w - srcx;
        srcy = srcrect->y;
        h = srcrect->h;
        if (srcy < 0) {
            h += srcy;
            dstrect->y -= srcy;
            srcy = 0;
        }
        h = h < src->h - srcy ? h : src->h - srcy;
    }
    const SDL_Rect& clip = dst->clip_rect;
    int d = clip.x - dstrect->x;
    if (d > 0) {
        w -= d;
        dstrect->x += d;
        srcx += d;
    }
    d = dstrect->x + w - clip.x - clip.w;
    if (d > 0) {
        w -= d;
    }
    d = clip.y - dstrect->y;
    if (d > 0) {
        h -= d;
        dstrect->y += d;
        srcy += d;
    }
    d = dstrect->y + h - clip.y - clip.h;
    if (d > 0) {
        h -= d;
    }
    if (w <= 0 || h <= 0) {
        dstrect->w = dstrect->h = 0;
        return false;
    }
    from = {(Sint16)srcx, (Sint16)srcy, (Uint16)w, (Uint16)h};
    dstrect->w = (Uint16)w;
    dstrect->h = (Uint16)h;
    return true;
}

void copyRows(const SDL_Surface* src, const SDL_Rect& from, SDL_Surface* dst, const SDL_Rect& to) {
    const size_t bytes = (size_t)from.w * 4;
    const Uint8* in =
        static_cast<const Uint8*>(src->pixels) + (size_t)from.y * src->pitch + (size_t)from.x * 4;
    Uint8* out = static_cast<Uint8*>(dst->pixels) + (size_t)to.y * dst->pitch + (size_t)to.x * 4;
    for (int y = 0; y < from.h; ++y) {
        memcpy(out + (size_t)y * dst->pitch, in + (size_t)y * src->pitch, bytes);
    }
}

} // namespace

int blitSurface(SDL_Surface* src, SDL_Rect* srcrect, SDL_Surface* dst, SDL_Rect* dstrect,
                Kernels kernels) {
    if (kernels == Kernels::Literal || src == nullptr || dst == nullptr || src->pixels == nullptr ||
        dst->pixels == nullptr || !plainCopy(src, dst)) {
        return SDL_UpperBlit(src, srcrect, dst, dstrect);
    }
    SDL_Rect whole = {0, 0, 0, 0};
    SDL_Rect* to = dstrect != nullptr ? dstrect : &whole;
    SDL_Rect from;
    if (clipAsSdl(src, srcrect, dst, to, from)) {
        copyRows(src, from, dst, *to);
    }
    return 0;
}

void blitAt(SDL_Surface* picture, SDL_Surface* dst, int x, int y, Kernels kernels) {
    if (picture == nullptr || dst == nullptr) {
        return;
    }
    // NOTE: the rectangle holds the low 16 bits of the position.
    SDL_Rect where = {(Sint16)x, (Sint16)y, 0, 0};
    blitSurface(picture, nullptr, dst, &where, kernels);
}

void blitPartAt(SDL_Surface* picture, int sx, int sy, int w, int h, SDL_Surface* dst, int x, int y,
                SDL_Rect* clipped, Kernels kernels) {
    SDL_Rect where = {(Sint16)x, (Sint16)y, 0, 0};
    if (picture != nullptr && dst != nullptr) {
        SDL_Rect part = {(Sint16)sx, (Sint16)sy, (Uint16)w, (Uint16)h};
        blitSurface(picture, &part, dst, &where, kernels);
    }
    if (clipped != nullptr) {
        *clipped = where;
    }
}
