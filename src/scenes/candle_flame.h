// Where the candle flame stamps its seed: three angles that follow the demo
// time, each turned into a place on a small circle around the flame's base.
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
