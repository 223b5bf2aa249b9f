// The plasma's pixels drawn fast, byte for byte the same as drawPlasmaField.
#pragma once

#include <SDL.h>

// Fills kPlasmaWidth x kPlasmaHeight bytes at pixels exactly as
// drawPlasmaField does. The distances to centres 1 and 2, which stay put for
// a whole scene, are measured on the first call and again only when those
// centres move; that call allocates, the others do not.
void drawPlasmaFieldFast(Uint8* pixels, float b, const int attx[3], const int atty[3]);
