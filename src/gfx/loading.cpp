// NULL-safe loading and blitting of pictures: a missing or broken file gives a
// NULL surface, and a NULL surface is never drawn or dereferenced.
#include "gfx/toolkit.h"

#include <SDL_image.h>

SDL_Surface* loadImage(const char* path) {
    return IMG_Load(path);
}

SDL_Surface* loadBitmap(const char* path) {
    SDL_RWops* stream = SDL_RWFromFile(path, "rb");
    if (stream == nullptr) {
        return nullptr;
    }
    return SDL_LoadBMP_RW(stream, 1);
}

namespace {

bool isDense32(const SDL_Surface* s) {
    return s->format->BytesPerPixel == 4 && s->pitch == 4 * s->w;
}

// The screen's own layout: 0x00RRGGBB, no alpha.
SDL_Surface* convertToDense32(SDL_Surface* picture) {
    SDL_Surface* model =
        SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, 0x00ff0000, 0x0000ff00, 0x000000ff, 0);
    if (model == nullptr) {
        return nullptr;
    }
    SDL_Surface* converted = SDL_ConvertSurface(picture, model->format, SDL_SWSURFACE);
    SDL_FreeSurface(model);
    if (converted != nullptr && !isDense32(converted)) {
        SDL_FreeSurface(converted);
        converted = nullptr;
    }
    return converted;
}

} // namespace

SDL_Surface* loadPixelSprite(const char* path) {
    SDL_Surface* picture = IMG_Load(path);
    if (picture == nullptr || isDense32(picture)) {
        return picture;
    }
    SDL_Surface* converted = convertToDense32(picture);
    SDL_FreeSurface(picture);
    return converted;
}

void setColourKey(SDL_Surface* surface, Uint32 key) {
    if (surface != nullptr) {
        SDL_SetColorKey(surface, SDL_SRCCOLORKEY, key);
    }
}

void blitAt(SDL_Surface* picture, SDL_Surface* dst, int x, int y) {
    if (picture == nullptr || dst == nullptr) {
        return;
    }
    // NOTE: the rectangle holds the low 16 bits of the position.
    SDL_Rect where = {(Sint16)x, (Sint16)y, 0, 0};
    SDL_UpperBlit(picture, nullptr, dst, &where);
}

void blitPartAt(SDL_Surface* picture, int sx, int sy, int w, int h, SDL_Surface* dst, int x, int y,
                SDL_Rect* clipped) {
    SDL_Rect where = {(Sint16)x, (Sint16)y, 0, 0};
    if (picture != nullptr && dst != nullptr) {
        SDL_Rect part = {(Sint16)sx, (Sint16)sy, (Uint16)w, (Uint16)h};
        SDL_UpperBlit(picture, &part, dst, &where);
    }
    if (clipped != nullptr) {
        *clipped = where;
    }
}
