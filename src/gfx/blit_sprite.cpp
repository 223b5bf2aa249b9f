// Sprites that SDL blits whole, made ready once at load time: stored in the
// screen's own layout, so each blit is a plain copy instead of a conversion
// of every pixel, and, with a colour key, run-length encoded, so the
// transparent runs are skipped instead of tested pixel by pixel. Only what
// leaves every blitted pixel as it was is done.
#include "gfx/toolkit.h"

namespace {

bool hasAlpha(const SDL_Surface* s) {
    return s->format->Amask != 0 || (s->flags & SDL_SRCALPHA) != 0;
}

bool isKeyed(const SDL_Surface* s) {
    return (s->flags & SDL_SRCCOLORKEY) != 0;
}

// A key wider than the pixels can never equal one of them: such a sprite
// blits exactly as one without a key.
bool keyNeverMatches(const SDL_Surface* s) {
    const int bits = s->format->BitsPerPixel;
    return bits < 32 && (s->format->colorkey >> bits) != 0;
}

bool sameLayout(const SDL_PixelFormat* a, const SDL_PixelFormat* b) {
    return a->BitsPerPixel == b->BitsPerPixel && a->Rmask == b->Rmask && a->Gmask == b->Gmask &&
           a->Bmask == b->Bmask && a->Amask == b->Amask;
}

// Whether a keyed sprite keeps its transparent pixels, and only those, in
// the screen's layout: every bit of a pixel is colour and every channel has
// eight bits, so the conversion maps distinct pixels to distinct pixels. A
// palette sprite's key is an index, which two entries of one colour share
// in no other layout. The masks hold 32 bits, so a wider pixel (a 64-bit
// BMP) never qualifies, and the shift below stays under 32.
bool keyCarriesOver(const SDL_PixelFormat* f) {
    if (f->BitsPerPixel > 32) {
        return false;
    }
    const Uint32 used = f->Rmask | f->Gmask | f->Bmask;
    const Uint32 all = f->BitsPerPixel == 32 ? 0xffffffffu : (1u << f->BitsPerPixel) - 1;
    return f->palette == nullptr && used == all && f->Rloss == 0 && f->Gloss == 0 && f->Bloss == 0;
}

// SDL builds a sprite's blit map, and its run-length encoding, on the first
// blit to a surface. One pixel blitted and put back makes that happen now,
// at load time, instead of in whichever later frame first shows the sprite.
void mapOnto(SDL_Surface* sprite, SDL_Surface* screen) {
    if (SDL_MUSTLOCK(screen) || screen->format->BytesPerPixel != 4) {
        return;
    }
    Uint32* corner = static_cast<Uint32*>(screen->pixels);
    const Uint32 saved = *corner;
    SDL_Rect part = {0, 0, 1, 1};
    SDL_Rect at = {0, 0, 0, 0};
    SDL_UpperBlit(sprite, &part, screen, &at);
    *corner = saved;
}

SDL_Surface* convert(SDL_Surface* sprite, SDL_PixelFormat* layout) {
    Uint8 r = 0;
    Uint8 g = 0;
    Uint8 b = 0;
    const bool keyed = isKeyed(sprite);
    if (keyed) {
        SDL_GetRGB(sprite->format->colorkey, sprite->format, &r, &g, &b);
    }
    SDL_Surface* converted = SDL_ConvertSurface(sprite, layout, SDL_SWSURFACE);
    if (converted == nullptr) {
        return sprite;
    }
    SDL_SetColorKey(converted, 0, 0);
    if (keyed) {
        SDL_SetColorKey(converted, SDL_SRCCOLORKEY, SDL_MapRGB(converted->format, r, g, b));
    }
    SDL_FreeSurface(sprite);
    return converted;
}

} // namespace

namespace {

SDL_Surface* prepareFor(SDL_Surface* sprite, SDL_PixelFormat* layout, SDL_Surface* screen,
                        bool runLengths) {
    if (sprite == nullptr || layout == nullptr || hasAlpha(sprite)) {
        return sprite;
    }
    if (isKeyed(sprite) && keyNeverMatches(sprite)) {
        SDL_SetColorKey(sprite, 0, 0);
    }
    if (isKeyed(sprite) && !keyCarriesOver(sprite->format)) {
        return sprite;
    }
    if (!sameLayout(sprite->format, layout)) {
        sprite = convert(sprite, layout);
    }
    if (isKeyed(sprite) && runLengths) {
        SDL_SetColorKey(sprite, SDL_SRCCOLORKEY | SDL_RLEACCEL, sprite->format->colorkey);
    }
    if (screen != nullptr) {
        mapOnto(sprite, screen);
    }
    return sprite;
}

} // namespace

SDL_Surface* prepareBlitSprite(SDL_Surface* sprite, SDL_Surface* screen, Kernels kernels,
                               bool runLengths) {
    if (kernels == Kernels::Literal) {
        return sprite;
    }
    if (screen != nullptr) {
        return prepareFor(sprite, screen->format, screen, runLengths);
    }
    // The screen's layout, 0x00RRGGBB, taken from a surface made for the
    // purpose: the conversion copies the layout and keeps nothing of it.
    SDL_Surface* model =
        SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, 0x00ff0000, 0x0000ff00, 0x000000ff, 0);
    SDL_Surface* prepared =
        prepareFor(sprite, model != nullptr ? model->format : nullptr, nullptr, runLengths);
    SDL_FreeSurface(model);
    return prepared;
}

Picture keyedOnBlack(SDL_Surface* picture, SDL_Surface* screen, Kernels kernels) {
    setColourKey(picture, 0);
    return Picture(prepareBlitSprite(picture, screen, kernels));
}
