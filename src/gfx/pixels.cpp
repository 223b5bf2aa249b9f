// Pixel access on 32-bit surfaces, the conversion of sprite pixels to ARGB,
// the frame fingerprint, and the show's console lines.
#include "gfx/toolkit.h"

void sayLine(FILE* console, const char* text) {
    if (console != nullptr) {
        fputs(text, console);
        fputc('\n', console);
    }
}

void putpixel(SDL_Surface* surface, int x, int y, Uint32 colour) {
    // NOTE: both lower bounds are strict; column 0 and row 0 stay untouched.
    if (x > 0 && x < surface->w && y > 0 && y < surface->h) {
        static_cast<Uint32*>(surface->pixels)[x + y * surface->w] = colour;
    }
}

Uint32 getpixel(SDL_Surface* surface, int x, int y) {
    const int bpp = surface->format->BytesPerPixel;
    const Uint8* p = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + x * bpp;
    switch (bpp) {
    case 1:
        return *p;
    case 2:
        return *reinterpret_cast<const Uint16*>(p);
    case 3:
        return p[0] | p[1] << 8 | p[2] << 16;
    case 4:
        return *reinterpret_cast<const Uint32*>(p);
    default:
        return 0;
    }
}

Uint32 toARGB(const SDL_PixelFormat* f, Uint32 pixel) {
    const Uint32 red = (((pixel & f->Rmask) >> f->Rshift) << f->Rloss) & 0xff;
    const Uint32 green = (((pixel & f->Gmask) >> f->Gshift) << f->Gloss) & 0xff;
    const Uint32 blue = (((pixel & f->Bmask) >> f->Bshift) << f->Bloss) & 0xff;
    // Only the low 8 bits of alpha survive the shift into the top byte.
    const Uint32 alpha = ((pixel & f->Amask) >> f->Ashift) << f->Aloss;
    return alpha << 24 | red << 16 | green << 8 | blue;
}

Uint32 getpixel2ARGB(SDL_Surface* surface, int x, int y) {
    const Uint32 pixel = static_cast<const Uint32*>(surface->pixels)[x + y * surface->w];
    return toARGB(surface->format, pixel);
}

uint64_t hashFrame(const SDL_Surface* screen) {
    uint64_t hash = 0xcbf29ce484222325ull;
    for (int y = 0; y < 480; ++y) {
        const Uint32* row = reinterpret_cast<const Uint32*>(
            static_cast<const Uint8*>(screen->pixels) + y * screen->pitch);
        for (int x = 0; x < 640; ++x) {
            const Uint32 word = row[x];
            for (int byte = 0; byte < 4; ++byte) {
                hash ^= (word >> (8 * byte)) & 0xff;
                hash *= 0x100000001b3ull;
            }
        }
    }
    return hash;
}
