// The plasma repeats itself every 64 frames: the phase steps 4 and the
// circling centre 8 entries a frame through 256-entry tables, while the other
// two centres stay put for the whole scene. So each of the 64 frames of the
// cycle is drawn once and copied back on its later turns.
#pragma once

#include <SDL.h>

constexpr unsigned kPlasmaCycle = 64;

// Fills the plasma's bytes exactly as drawPlasmaField(pixels, b, attx, atty)
// would. slot is the frame's place in the cycle; a slot drawn for other
// inputs is drawn again. The first call allocates the cycle's memory (18 MB);
// returns false, drawing directly, when that memory cannot be had.
bool drawPlasmaFieldCycled(Uint8* pixels, unsigned slot, float b, const int attx[3],
                           const int atty[3]);
