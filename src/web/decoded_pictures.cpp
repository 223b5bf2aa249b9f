#include "web/decoded_pictures.h"

#include <cstring>

namespace {

// The bytes from the stream's position to its end; the position is kept.
std::vector<Uint8> restOf(SDL_RWops* stream) {
    std::vector<Uint8> bytes;
    const int start = SDL_RWtell(stream);
    const int end = SDL_RWseek(stream, 0, RW_SEEK_END);
    if (start >= 0 && end > start && SDL_RWseek(stream, start, RW_SEEK_SET) == start) {
        bytes.resize((size_t)(end - start));
        if (SDL_RWread(stream, bytes.data(), (int)bytes.size(), 1) != 1) {
            bytes.clear();
        }
    }
    SDL_RWseek(stream, start, RW_SEEK_SET);
    return bytes;
}

} // namespace

SDL_Surface* copyOfSurface(const SDL_Surface* s) {
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

DecodedPictures::~DecodedPictures() {
    for (Kept& k : kept_) {
        SDL_FreeSurface(k.picture);
    }
}

void DecodedPictures::keep(SDL_RWops* stream, const SDL_Surface* picture) {
    std::vector<Uint8> file = restOf(stream);
    SDL_Surface* copy = file.empty() ? nullptr : copyOfSurface(picture);
    if (copy != nullptr) {
        kept_.push_back({std::move(file), copy});
    }
}

SDL_Surface* DecodedPictures::copyFor(SDL_RWops* stream) const {
    if (kept_.empty()) {
        return nullptr;
    }
    const std::vector<Uint8> file = restOf(stream);
    for (const Kept& k : kept_) {
        if (k.file == file) {
            return copyOfSurface(k.picture);
        }
    }
    return nullptr;
}
