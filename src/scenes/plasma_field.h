// The plasma's pixels: interference of circular waves from three centres,
// one palette index per pixel.
#pragma once

#include <SDL.h>

constexpr int kPlasmaWidth = 640;
constexpr int kPlasmaHeight = 440;

// Fills the kPlasmaWidth x kPlasmaHeight bytes at pixels, row by row, for
// the phase b and the wave centres (attx[k], atty[k]). This is the reference:
// any faster version must give the very same bytes.
void drawPlasmaField(Uint8* pixels, float b, const int attx[3], const int atty[3]);
