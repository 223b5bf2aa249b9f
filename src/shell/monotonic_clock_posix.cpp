#include "shell/monotonic_clock.h"

#include <cerrno>
#include <ctime>

namespace {

constexpr int64_t kSecond = 1000000000; // nanoseconds

double millisecondsOf(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return (double)now.tv_sec * 1000.0 + (double)now.tv_nsec / 1e6;
}

} // namespace

int64_t monotonicNow() {
    timespec now = {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (int64_t)now.tv_sec * kSecond + now.tv_nsec;
}

void sleepUntilMonotonic(int64_t moment) {
    const timespec at = {(time_t)(moment / kSecond), (long)(moment % kSecond)};
    // The moment is absolute, so a signal's interruption just sleeps again.
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
    }
}

double frameClockMilliseconds() {
    return millisecondsOf(CLOCK_THREAD_CPUTIME_ID);
}

double processCpuSeconds() {
    return millisecondsOf(CLOCK_PROCESS_CPUTIME_ID) / 1000.0;
}
