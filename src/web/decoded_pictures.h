// Pictures decoded ahead of the show. The engine decodes a scene's pictures
// in that scene's first frame, which in a page takes tens of milliseconds:
// a visible stall. So the page decodes every picture before the show starts,
// behind its progress line, and keeps each with the bytes of its file. A
// later load of the same bytes gets an exact copy (size, format, palette,
// colour key, alpha and pixels) in a fraction of the time.
#pragma once

#include <SDL.h>

#include <vector>

class DecodedPictures {
  public:
    DecodedPictures() = default;
    DecodedPictures(const DecodedPictures&) = delete;
    DecodedPictures& operator=(const DecodedPictures&) = delete;
    ~DecodedPictures();

    // Keeps a copy of picture, decoded from the stream's bytes from its
    // current position to its end. The stream is left where it was.
    void keep(SDL_RWops* stream, const SDL_Surface* picture);

    // A new copy of the picture kept for the stream's bytes (from its
    // current position to its end), or NULL when none was kept for exactly
    // those bytes. The stream is left where it was.
    SDL_Surface* copyFor(SDL_RWops* stream) const;

  private:
    struct Kept {
        std::vector<Uint8> file;
        SDL_Surface* picture;
    };
    std::vector<Kept> kept_;
};

// A new surface that is the same as s in everything the toolkit reads; NULL
// when memory runs out.
SDL_Surface* copyOfSurface(const SDL_Surface* s);
