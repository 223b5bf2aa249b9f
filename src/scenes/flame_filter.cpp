// The heat kernel of the candle flames, kept as a plain double loop: it is
// the reference any faster version must match byte for byte.
#include "scenes/flame_filter.h"

#include <cstring>

namespace {

// Taps from the pixel's own row: the pixel itself does not feed its heat.
int ownRowTaps(const Uint8* row, int x) {
    return row[x - 2] + 2 * row[x - 1] + 2 * row[x + 1] + row[x + 2];
}

int rowBelowTaps(const Uint8* row, int x) {
    return row[x - 2] + 2 * row[x - 1] + row[x] + 2 * row[x + 1] + row[x + 2];
}

int twoRowsBelowTaps(const Uint8* row, int x) {
    return row[x - 1] + row[x] + row[x + 1];
}

} // namespace

void smoothFlame(const Uint8* in, Uint8* out, int w, int h, int inPitch) {
    memset(out, 0, (size_t)w * (size_t)h);
    for (int y = 1; y <= h - 2; ++y) {
        const Uint8* own = in + (size_t)y * inPitch;
        const Uint8* below = own + inPitch;
        // The last smoothed row has no second row below it inside the
        // picture; reading there would run past the pixels, so it counts 0.
        const Uint8* twoBelow = y + 2 < h ? below + inPitch : nullptr;
        Uint8* target = out + (size_t)y * w;
        for (int x = 2; x <= w - 3; ++x) {
            int sum = ownRowTaps(own, x) + rowBelowTaps(below, x);
            if (twoBelow != nullptr) {
                sum += twoRowsBelowTaps(twoBelow, x);
            }
            target[x] = (Uint8)(sum >> 4);
        }
    }
}
