#include "drivers/live_show.h"

#include "drivers/show_lines.h"

LiveShow::LiveShow(int firstScene, unsigned seed, Uint32 startOffsetMs)
    : seed_(seed), startOffsetMs_(startOffsetMs), show_(firstScene, seed) {
    firstScene_ = show_.scene;
}

Uint32 LiveShow::demoTimeAt(Uint32 elapsedMs) const {
    // NOTE: unsigned 32-bit, as differences of SDL's ticks: the start
    // offset and the scene's place move the clock's origin back.
    return elapsedMs + startOffsetMs_ + trackAtOriginMs();
}

bool LiveShow::stepFrame(SDL_Surface* screen, Uint32 elapsedMs, ShowPlatform& platform) {
    if (elapsedMs < kShowStartMs) {
        return false;
    }
    lastDemoTime_ = demoTimeAt(elapsedMs);
    stepShow(show_, screen, lastDemoTime_, platform);
    return true;
}

int LiveShow::sceneAskedFor(ViewerAsks asked) const {
    switch (asked) {
    case ViewerAsks::NextScene:
        return show_.scene < kLastScene ? show_.scene + 1 : -1;
    case ViewerAsks::PreviousScene:
        return show_.scene > 0 ? show_.scene - 1 : 0;
    case ViewerAsks::Restart:
        return 0;
    default:
        return -1;
    }
}

void LiveShow::jumpTo(int scene, Uint32 elapsedMs) {
    framesBefore_ += show_.frames;
    msBefore_ += elapsedMs;
    show_ = Show(scene, seed_);
    firstScene_ = show_.scene;
    lastDemoTime_ = 0;
}

std::string LiveShow::frameRate() const {
    // The last show's time up to its last frame, less the start offset
    // that every show before it has counted already.
    uint64_t ms = msBefore_;
    if (show_.frames > 0) {
        ms += (Uint32)(lastDemoTime_ - trackAtOriginMs());
    } else if (msBefore_ > 0) {
        ms += startOffsetMs_;
    }
    return frameRateLine(frames(), ms);
}
