#include "shell/sine_tables.h"

#include <cmath>

float sintab[256];
float costab[256];

void fillSintab() {
    for (int i = 0; i < 256; ++i) {
        // NOTE: evaluated left to right in double, stored as float.
        const double angle = (double)i / 255.0 * 2.0 * 3.141592653589793;
        sintab[i] = (float)sin(angle);
        costab[i] = (float)cos(angle);
    }
}
