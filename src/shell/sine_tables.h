// The shared sine and cosine tables: one full period over indexes 0 ... 255
// (divisor 255, so entry 255 is entry 0 again up to rounding).
#pragma once

extern float sintab[256];
extern float costab[256];

void fillSintab();
