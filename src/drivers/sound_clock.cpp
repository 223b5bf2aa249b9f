#include "drivers/sound_clock.h"

#include <algorithm>
#include <cmath>

namespace {

// Further apart than this, the clock jumps to what the device says (only
// forward); nearer, it is pulled in over about kCatchUpMs, at most kMostPull
// faster or slower than the wall clock.
constexpr double kJumpMs = 60;
constexpr double kCatchUpMs = 1000;
constexpr double kMostPull = 0.05;

} // namespace

SoundClock::SoundClock(long rate) : rate_(rate > 0 ? rate : 44100) {}

void SoundClock::startAt(double trackMs, long rate) {
    const std::lock_guard<std::mutex> hold(lock_);
    rate_ = rate > 0 ? rate : rate_;
    startMs_ = trackMs;
    taken_ = 0;
    haveReport_ = false;
    running_ = false;
    paused_ = false;
    lastAnswer_ = -1e300;
}

void SoundClock::deviceTook(double nowMs, int64_t frames, int64_t aheadFrames) {
    const std::lock_guard<std::mutex> hold(lock_);
    // Heard now: the first of the frames queued before these. Before the
    // device has reached the first frame since the move, that lies ahead.
    const int64_t heard = taken_ - std::max<int64_t>(aheadFrames, 0);
    reportMs_ = nowMs;
    reportTrackMs_ = startMs_ + (double)heard * 1000.0 / (double)rate_;
    taken_ += frames;
    haveReport_ = true;
}

bool SoundClock::reported(double nowMs, double& trackMs) const {
    if (!haveReport_) {
        return false;
    }
    trackMs = reportTrackMs_ + (nowMs - reportMs_);
    return true;
}

double SoundClock::heardAt(double nowMs) {
    const std::lock_guard<std::mutex> hold(lock_);
    if (paused_) {
        return lastAnswer_;
    }
    double said = 0;
    double value = startMs_;
    if (!reported(nowMs, said)) {
        value = startMs_;
    } else if (!running_) {
        running_ = true;
        pace_ = 1;
        value = said;
    } else {
        value = anchorTrackMs_ + (nowMs - anchorMs_) * pace_;
        const double error = said - value;
        if (error > kJumpMs) {
            value = said; // far behind: the device started late, or the process stood still
            pace_ = 1;
        } else if (error < -kJumpMs) {
            pace_ = 0; // far ahead: wait for the sound, never back
        } else {
            pace_ = 1 + std::clamp(error / kCatchUpMs, -kMostPull, kMostPull);
        }
    }
    anchorMs_ = nowMs;
    anchorTrackMs_ = value;
    // The clock stands at the music's new place until it is heard there.
    const double answer = std::max(value, startMs_) - offsetMs_;
    lastAnswer_ = std::max(lastAnswer_, answer);
    return lastAnswer_;
}

void SoundClock::setOffsetMs(double offsetMs) {
    const std::lock_guard<std::mutex> hold(lock_);
    offsetMs_ = offsetMs;
}

void SoundClock::pause(double nowMs) {
    (void)heardAt(nowMs);
    const std::lock_guard<std::mutex> hold(lock_);
    paused_ = true;
}
