// A fingerprint of one frame: 64-bit FNV-1a over the 640 x 480 pixel words,
// row by row, each word as its four bytes in little-endian order.
#pragma once

#include <SDL.h>

#include <cstdint>

uint64_t hashFrame(const SDL_Surface* screen);
