#include "drivers/virtual_clock.h"

int64_t VirtualClock::firstFrameAtOrAfter(int64_t ms) const {
    const int64_t after = ms - firstFrameMs();
    if (after <= 0) {
        return 1;
    }
    // floor((n - 1) 1000 / fps) >= after, the smallest such n: (n - 1) is
    // after * fps / 1000 rounded up.
    return 1 + (after * fps + 999) / 1000;
}
