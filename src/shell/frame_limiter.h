// Keeps the live loop near a fixed frame rate: the show's motion is a fixed
// step per frame and was made for about 60 frames per second. Also measures
// when the frames reach the window, for -stats.
#pragma once

#include "shell/monotonic_clock.h"

#include <cstdint>
#include <memory>

// The limiter's view of time: a clock in nanoseconds that only moves forward
// and a sleep until a moment on it. The live show uses the platform's
// monotonic clock; a test puts in a clock of its own.
struct PacingClock {
    int64_t (*now)();
    void (*sleepUntil)(int64_t moment); // returns at once when it has passed
};

// monotonicNow and sleepUntilMonotonic.
extern const PacingClock kMonotonicClock;

struct FrameLimiter {
    int fps = 0; // 0 = no limit
    PacingClock clock = kMonotonicClock;
    int64_t gridStart = -1;  // a slot of the grid, -1 before the first frame
    int slot = 0;            // the next frame's slot, counted from gridStart
    uint64_t lateFrames = 0; // frames that missed their slot
};

// Sleeps until the next frame's slot; the caller presents the frame at once.
// The slots lie on a grid 1/fps seconds apart, whenever the sleeps wake. A
// frame that finds its slot passed by more than a sixteenth of a period (a
// scene's first frame loading its pictures, a slow present before it) is
// late: it goes at once, is counted, and the grid starts afresh from it, so
// that the frames after it come a whole period apart and never early to
// catch up. The first frame starts the grid.
void waitForNextFrame(FrameLimiter& limiter);

// The moment the next frame's slot comes, on the limiter's clock; -1 when
// there is no grid (no limit, or before the first frame).
int64_t nextSlot(const FrameLimiter& limiter);

// The intervals between the presents that end the frames: a ring of the
// last kKept of them, made once at the start, so that recording a frame
// never allocates.
struct PresentIntervals {
    static constexpr int kKept = 1 << 15; // over nine minutes at 60 frames a second
    std::unique_ptr<int64_t[]> ring = std::make_unique<int64_t[]>(kKept); // nanoseconds
    uint64_t count = 0;       // intervals recorded, all of them
    int64_t lastPresent = -1; // monotonicNow() after the last present, -1 before the first
};

// Notes a present that has just ended at `now`; the first one only starts
// the count.
void recordPresent(PresentIntervals& intervals, int64_t now);

// Figures over the kept intervals, in milliseconds; percentiles by nearest
// rank. All zero when there are none.
struct IntervalFigures {
    int kept = 0;
    double smallest = 0;
    double median = 0;
    double percentile99 = 0;
    double largest = 0;
    double standardDeviation = 0;
};
IntervalFigures summarise(const PresentIntervals& intervals);
