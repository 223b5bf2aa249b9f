// The heat kernel that makes a candle flame rise, spread and fade.
#pragma once

#include <SDL.h>

// Smooths a w x h picture of heat values into out (w * h bytes, rows w bytes
// long). Each pixel of rows 1 .. h - 2 and columns 2 .. w - 3 becomes the sum
// of twelve taps from its own row and the two rows below, weighted 1 or 2 and
// divided by 16; every other byte of out becomes 0. Rows of in lie inPitch
// bytes apart. Nothing outside the w x h picture is read: below the last row
// the taps count as 0.
void smoothFlame(const Uint8* in, Uint8* out, int w, int h, int inPitch);
