// The clocks the programs keep time with, one version per platform: a
// monotonic clock with a sleep to a moment on it for the frame limiter, and
// the processor time the bench measures.
#pragma once

#include <cstdint>

// Nanoseconds on a clock that only moves forward.
int64_t monotonicNow();

// The same in milliseconds.
inline double monotonicMilliseconds() {
    return (double)monotonicNow() / 1e6;
}

// Sleeps until monotonicNow() reaches moment; returns at once when it has
// passed. A quit signal does not cut the sleep short: the caller looks for
// it after the frame.
void sleepUntilMonotonic(int64_t moment);

// The clock one frame of the bench is timed with, in milliseconds: this
// thread's processor time where the platform keeps it finely, so that the
// other programs on a shared machine do not count against the show.
double frameClockMilliseconds();

// The processor time (user and system) this process has used so far, in
// seconds: the figure to compare between platforms over a whole run.
double processCpuSeconds();
