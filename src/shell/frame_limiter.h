// Keeps the live loop near a fixed frame rate: the show's motion is a fixed
// step per frame and was made for about 60 frames per second. Also measures
// when the frames reach the window, for -stats.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>

struct FrameLimiter {
    int fps = 0;          // 0 = no limit
    double deadline = -1; // SDL_GetTicks() value the next frame waits for
};

// Sleeps until the next frame is due. A loop that falls behind by more than a
// frame starts counting afresh instead of rushing to catch up.
void waitForNextFrame(FrameLimiter& limiter);

// A clock in nanoseconds that only moves forward: CLOCK_MONOTONIC.
int64_t monotonicNow();

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
