#include "shell/frame_limiter.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <vector>

int64_t monotonicNow() {
    timespec now = {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (int64_t)now.tv_sec * 1000000000 + now.tv_nsec;
}

void waitForNextFrame(FrameLimiter& limiter) {
    if (limiter.fps <= 0) {
        return;
    }
    const double period = 1000.0 / limiter.fps;
    const double now = SDL_GetTicks();
    if (limiter.deadline < 0 || now > limiter.deadline + period) {
        limiter.deadline = now + period;
        return;
    }
    if (now < limiter.deadline) {
        SDL_Delay((Uint32)(limiter.deadline - now));
    }
    limiter.deadline += period;
}

void recordPresent(PresentIntervals& intervals, int64_t now) {
    if (intervals.lastPresent >= 0) {
        intervals.ring[intervals.count % PresentIntervals::kKept] = now - intervals.lastPresent;
        ++intervals.count;
    }
    intervals.lastPresent = now;
}

namespace {

double milliseconds(double nanoseconds) {
    return nanoseconds / 1e6;
}

// The value at or below which p percent of the sorted values lie.
int64_t nearestRank(const std::vector<int64_t>& sorted, int p) {
    const size_t rank = (sorted.size() * p + 99) / 100;
    return sorted[rank == 0 ? 0 : rank - 1];
}

double standardDeviation(const std::vector<int64_t>& values) {
    double sum = 0;
    for (const int64_t v : values) {
        sum += (double)v;
    }
    const double mean = sum / (double)values.size();
    double squares = 0;
    for (const int64_t v : values) {
        squares += ((double)v - mean) * ((double)v - mean);
    }
    return std::sqrt(squares / (double)values.size());
}

} // namespace

IntervalFigures summarise(const PresentIntervals& intervals) {
    const size_t kept = (size_t)std::min<uint64_t>(intervals.count, PresentIntervals::kKept);
    if (kept == 0) {
        return {};
    }
    std::vector<int64_t> sorted(intervals.ring.get(), intervals.ring.get() + kept);
    std::sort(sorted.begin(), sorted.end());
    IntervalFigures figures;
    figures.kept = (int)kept;
    figures.smallest = milliseconds((double)sorted.front());
    figures.median = milliseconds((double)nearestRank(sorted, 50));
    figures.percentile99 = milliseconds((double)nearestRank(sorted, 99));
    figures.largest = milliseconds((double)sorted.back());
    figures.standardDeviation = milliseconds(standardDeviation(sorted));
    return figures;
}
