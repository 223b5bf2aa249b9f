#include "shell/frame_limiter.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int64_t kSecond = 1000000000; // nanoseconds

// Moves on to the next slot. After fps slots, exactly one second, the grid's
// start moves on by that second: the slot count stays small in a show left
// running for years.
void advanceSlot(FrameLimiter& limiter) {
    ++limiter.slot;
    if (limiter.slot >= limiter.fps) {
        limiter.gridStart += kSecond;
        limiter.slot -= limiter.fps;
    }
}

// The frame presented at moment is slot 0 of a fresh grid.
void startGridAt(FrameLimiter& limiter, int64_t moment) {
    limiter.gridStart = moment;
    limiter.slot = 0;
    advanceSlot(limiter);
}

} // namespace

const PacingClock kMonotonicClock = {monotonicNow, sleepUntilMonotonic};

void waitForNextFrame(FrameLimiter& limiter) {
    if (limiter.fps <= 0) {
        return;
    }
    if (limiter.gridStart < 0) {
        startGridAt(limiter, limiter.clock.now());
        return;
    }
    const int64_t due = nextSlot(limiter);
    limiter.clock.sleepUntil(due);
    const int64_t now = limiter.clock.now();
    if (now - due > kSecond / limiter.fps / 16) {
        ++limiter.lateFrames;
        startGridAt(limiter, now);
        return;
    }
    advanceSlot(limiter);
}

int64_t nextSlot(const FrameLimiter& limiter) {
    if (limiter.fps <= 0 || limiter.gridStart < 0) {
        return -1;
    }
    // NOTE: truncated to whole nanoseconds from the grid's start, so the
    // slots never drift however many frames pass.
    return limiter.gridStart + limiter.slot * kSecond / limiter.fps;
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
