// The plasma's pixels: interference of circular waves from three centres,
// one palette index per pixel. The plain loop is the reference; the fast one
// and the cycle of 64 frames give the very same bytes.
#pragma once

#include <SDL.h>

constexpr int kPlasmaWidth = 640;
constexpr int kPlasmaHeight = 440;

// Fills the kPlasmaWidth x kPlasmaHeight bytes at pixels, row by row, for
// the phase b and the wave centres (attx[k], atty[k]). This is the reference:
// any faster version must give the very same bytes.
void drawPlasmaField(Uint8* pixels, float b, const int attx[3], const int atty[3]);

// Fills kPlasmaWidth x kPlasmaHeight bytes at pixels exactly as
// drawPlasmaField does. The distances to centres 1 and 2, which stay put for
// a whole scene, are measured on the first call and again only when those
// centres move; that call allocates, the others do not.
void drawPlasmaFieldFast(Uint8* pixels, float b, const int attx[3], const int atty[3]);

// The plasma repeats itself every 64 frames: the phase steps 4 and the
// circling centre 8 entries a frame through 256-entry tables, while the other
// two centres stay put for the whole scene. So each of the 64 frames of the
// cycle is drawn once and copied back on its later turns.
constexpr unsigned kPlasmaCycle = 64;

// Fills the plasma's bytes exactly as drawPlasmaField(pixels, b, attx, atty)
// would. slot is the frame's place in the cycle; a slot drawn for other
// inputs is drawn again. The first call allocates the cycle's memory (18 MB);
// returns false, drawing directly, when that memory cannot be had.
bool drawPlasmaFieldCycled(Uint8* pixels, unsigned slot, float b, const int attx[3],
                           const int atty[3]);
