// The heat kernel of the candle flames. The plain double loop is the
// reference any faster version must match byte for byte; the fast one has row
// pointers and one straight loop per row, which the compiler can run several
// pixels at a time, and clears only the border of the output.
#include "scenes/candle_flame.h"

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

// ---- Fast -------------------------------------------------------------------------

namespace {

// The twelve taps of the smoothed rows; the last smoothed row has no second
// row below it inside the picture and leaves those three taps out.
template <bool kTwoRowsBelow>
void smoothRow(const Uint8* own, const Uint8* below, const Uint8* twoBelow, Uint8* target, int w) {
    for (int x = 2; x <= w - 3; ++x) {
        int sum = own[x - 2] + 2 * own[x - 1] + 2 * own[x + 1] + own[x + 2];
        sum += below[x - 2] + 2 * below[x - 1] + below[x] + 2 * below[x + 1] + below[x + 2];
        if constexpr (kTwoRowsBelow) {
            sum += twoBelow[x - 1] + twoBelow[x] + twoBelow[x + 1];
        }
        target[x] = (Uint8)(sum >> 4);
    }
}

// Columns 0, 1, w - 2 and w - 1 are never smoothed.
void clearBorderColumns(Uint8* row, int w) {
    row[0] = 0;
    row[1] = 0;
    row[w - 2] = 0;
    row[w - 1] = 0;
}

} // namespace

void smoothFlameFast(const Uint8* in, Uint8* out, int w, int h, int inPitch) {
    if (w < 5 || h < 3) {
        memset(out, 0, (size_t)w * (size_t)h);
        return;
    }
    memset(out, 0, (size_t)w);
    memset(out + (size_t)(h - 1) * w, 0, (size_t)w);
    for (int y = 1; y <= h - 2; ++y) {
        const Uint8* own = in + (size_t)y * inPitch;
        const Uint8* below = own + inPitch;
        Uint8* target = out + (size_t)y * w;
        clearBorderColumns(target, w);
        if (y + 2 < h) {
            smoothRow<true>(own, below, below + inPitch, target, w);
        } else {
            smoothRow<false>(own, below, nullptr, target, w);
        }
    }
}
