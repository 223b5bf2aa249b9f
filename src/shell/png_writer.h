// Writes a 32-bit surface as an 8-bit RGB PNG (the top byte of a screen word
// is not a colour and is dropped).
#pragma once

#include <SDL.h>

bool writePng(const SDL_Surface* surface, const char* path);
