// PNG and GIF pictures decoded with libpng and giflib into the very surfaces
// SDL_image 1.2 makes of them: the same depth, masks, palette, colour key and
// pixels. The web and Windows builds have no SDL_image (Debian serves no
// source for it); the Linux build never uses this.
#pragma once

#include <SDL.h>

// The picture at the stream's current position, told apart by its signature
// (PNG or GIF), as a new software surface. NULL, with SDL_GetError's text set,
// for any other content or a picture that cannot be decoded. Does not close
// the stream.
SDL_Surface* decodePicture(SDL_RWops* stream);
