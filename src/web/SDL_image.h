// The part of SDL_image 1.2 the engine calls, for the web and Windows builds,
// where SDL_image itself cannot be built: PNG and GIF through the picture
// decoder. Those builds put src/web first on their include path, so the
// engine's `#include <SDL_image.h>` finds this file and its sources stay the
// same.
#pragma once

#include <SDL.h>

#ifdef __cplusplus
extern "C" {
#endif

// As SDL_image: the picture in src, whatever type says (PNG and GIF are told
// apart by their signatures); src is closed when freesrc is non-zero. NULL,
// with IMG_GetError's text set, for anything else.
SDL_Surface* IMG_LoadTyped_RW(SDL_RWops* src, int freesrc, char* type);
SDL_Surface* IMG_Load_RW(SDL_RWops* src, int freesrc);
SDL_Surface* IMG_Load(const char* file);

// As SDL_image: a picture the caller knows to be a PNG, or a GIF; src stays
// open.
SDL_Surface* IMG_LoadPNG_RW(SDL_RWops* src);
SDL_Surface* IMG_LoadGIF_RW(SDL_RWops* src);

#ifdef __cplusplus
}
#endif

#define IMG_SetError SDL_SetError
#define IMG_GetError SDL_GetError
