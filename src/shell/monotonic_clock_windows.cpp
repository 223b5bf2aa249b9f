// QueryPerformanceCounter for the clock; a waitable timer for the sleep.
// NOTE: winpthreads' clock_nanosleep knows only CLOCK_REALTIME and returns at
// once for CLOCK_MONOTONIC, so nothing here goes through it.
#include "shell/monotonic_clock.h"

#include <windows.h>

namespace {

constexpr int64_t kSecond = 1000000000;      // nanoseconds
constexpr int64_t kHundredNanoseconds = 100; // a FILETIME tick

int64_t countsPerSecond() {
    static const int64_t frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return (int64_t)f.QuadPart;
    }();
    return frequency;
}

// Windows' value; mingw-w64 10's headers do not name it yet.
constexpr DWORD kHighResolutionTimer = 0x00000002;

// High resolution where the system has it (Windows 10 1803 and later), a
// plain timer with the system's 1 ms period asked for otherwise.
HANDLE frameTimer() {
    static const HANDLE timer = [] {
        HANDLE made =
            CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimer, TIMER_ALL_ACCESS);
        if (made == nullptr) {
            timeBeginPeriod(1);
            made = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
        }
        return made;
    }();
    return timer;
}

// The timer may wake up to a millisecond late; the last stretch is waited out
// by giving the processor away, so that a frame is not late for its slot.
constexpr int64_t kSpinBeforeMoment = kSecond / 1000 * 3 / 2;

int64_t fileTimeTicks(const FILETIME& time) {
    return (int64_t)(((uint64_t)time.dwHighDateTime << 32) | time.dwLowDateTime);
}

} // namespace

int64_t monotonicNow() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    const int64_t frequency = countsPerSecond();
    // Whole seconds and the rest apart, so the product never overflows.
    const int64_t count = (int64_t)counter.QuadPart;
    return count / frequency * kSecond + count % frequency * kSecond / frequency;
}

void sleepUntilMonotonic(int64_t moment) {
    const HANDLE timer = frameTimer();
    for (int64_t left = moment - monotonicNow(); left > 0; left = moment - monotonicNow()) {
        if (timer != nullptr && left > kSpinBeforeMoment) {
            // Negative: relative to now, in 100 ns ticks.
            LARGE_INTEGER due;
            due.QuadPart = -(left - kSpinBeforeMoment) / kHundredNanoseconds;
            if (SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE)) {
                WaitForSingleObject(timer, INFINITE);
                continue;
            }
        }
        Sleep(0);
    }
}

// NOTE: Windows counts a thread's processor time in scheduler ticks (10 to
// 16 ms; under wine 10 ms), too coarse for a frame of a few milliseconds, so
// a frame is timed on the monotonic clock instead; processCpuSeconds gives
// the processor time of a whole run.
double frameClockMilliseconds() {
    return (double)monotonicNow() / 1e6;
}

double processCpuSeconds() {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) {
        return 0;
    }
    return (double)(fileTimeTicks(kernel) + fileTimeTicks(user)) * kHundredNanoseconds / 1e9;
}
