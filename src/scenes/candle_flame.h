// The candle flame's parts: where it stamps its seed (three angles that
// follow the demo time, each turned into a place on a small circle around the
// flame's base), and the heat kernel that makes the flame rise, spread and
// fade, plain and fast.
#pragma once

#include <SDL.h>

struct FlameStamp {
    int x;
    int y;
};

// The three stamp angles for demo time t (ms) and the flame's phase.
void flameStampAngles(int t, float phase, double angles[3]);

// Top-left corner of a pw x ph seed stamped at angle on a w x h flame.
FlameStamp flameStampPlace(double angle, int w, int h, int pw, int ph);

// Smooths a w x h picture of heat values into out (w * h bytes, rows w bytes
// long). Each pixel of rows 1 .. h - 2 and columns 2 .. w - 3 becomes the sum
// of twelve taps from its own row and the two rows below, weighted 1 or 2 and
// divided by 16; every other byte of out becomes 0. Rows of in lie inPitch
// bytes apart. Nothing outside the w x h picture is read: below the last row
// the taps count as 0.
void smoothFlame(const Uint8* in, Uint8* out, int w, int h, int inPitch);

// The same contract as smoothFlame, fast: byte for byte what smoothFlame gives;
// nothing is allocated.
void smoothFlameFast(const Uint8* in, Uint8* out, int w, int h, int inPitch);
