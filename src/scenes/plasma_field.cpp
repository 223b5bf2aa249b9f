// The plasma written out pixel by pixel, exactly as its frames are pinned.
#include "scenes/plasma_field.h"

#include "shell/sine_tables.h"

#include <cmath>

namespace {

// The wave value of every centre at (x, y), summed and folded into a byte.
inline Uint8 plasmaPixel(int x, int y, float phase, const int attx[3], const int atty[3]) {
    float s = 0;
    for (int k = 0; k < 3; ++k) {
        const int dx = attx[k] - x;
        const int dy = atty[k] - y;
        const double d = sqrt((double)dx * dx + (double)dy * dy);
        // NOTE: the phase is a float product widened to double before the
        // distance is added; the index wraps into 0 ... 255 also when negative.
        const int j = (int)(phase + d);
        s += sintab[((j % 256) + 256) % 256];
    }
    // NOTE: 0 ... 767 in single precision, and only the low byte is kept: the
    // palette is run through three times.
    const int v = (int)((3.0f + s) * 128.0f);
    return (Uint8)(v & 255);
}

} // namespace

void drawPlasmaField(Uint8* pixels, float b, const int attx[3], const int atty[3]) {
    const float phase = b * 90;
    Uint8* out = pixels;
    for (int y = 0; y < kPlasmaHeight; ++y) {
        for (int x = 0; x < kPlasmaWidth; ++x) {
            *out++ = plasmaPixel(x, y, phase, attx, atty);
        }
    }
}
