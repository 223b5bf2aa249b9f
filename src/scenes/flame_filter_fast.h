// The candle flame's heat kernel, fast: byte for byte what smoothFlame gives.
#pragma once

#include <SDL.h>

// The same contract as smoothFlame: out (w * h bytes, rows w bytes long)
// receives the smoothed picture with zero borders; nothing is allocated.
void smoothFlameFast(const Uint8* in, Uint8* out, int w, int h, int inPitch);
