#include "drivers/live_show.h"

#include "drivers/show_lines.h"

LiveShow::LiveShow(const ShowAssets& assets, int firstScene, unsigned seed, Uint32 startOffsetMs)
    : assets_(assets), seed_(seed), startOffsetMs_(startOffsetMs), show_(assets, firstScene, seed),
      index_(std::make_unique<SeekIndex>(assets, seed, startOffsetMs / 1000)) {
    firstScene_ = show_.scene;
    nextDueTrackMs_ = kTimeline[firstScene_].trackMs;
}

void LiveShow::drawFrame(SDL_Surface* screen, Uint32 demoMs, ShowPlatform& platform) {
    // The moment the frame begins: its present may wait, or the program may
    // stand still in it.
    const double at = wallClockMs_ != nullptr ? wallClockMs_() : 0;
    stepShow(show_, screen, demoMs, platform);
    ++framesDrawn_;
    if (inStretch_) {
        // NOTE: the demo time's difference unsigned, as the clock's are.
        timedMs_ +=
            wallClockMs_ != nullptr ? at - lastFrameAt_ : (double)(Uint32)(demoMs - lastDemoMs_);
        ++timedIntervals_;
    }
    inStretch_ = !paused_;
    lastDemoMs_ = demoMs;
    lastFrameAt_ = at;
}

bool LiveShow::stepFrame(SDL_Surface* screen, Uint32 trackMs, ShowPlatform& platform) {
    if (paused_ || trackMs < nextDueTrackMs_) {
        return false;
    }
    // NOTE: unsigned 32-bit, as differences of SDL's ticks: the start offset
    // moves the clock's origin back.
    drawFrame(screen, trackMs + startOffsetMs_, platform);
    frameOfRun_ = 0;
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

Uint32 LiveShow::jumpTo(int scene, SDL_Surface* screen) {
    show_ = Show(assets_, scene, seed_);
    clearSurface(screen, 0);
    firstScene_ = show_.scene;
    frameOfRun_ = 0;
    inStretch_ = false;
    nextDueTrackMs_ = kTimeline[firstScene_].trackMs;
    return nextDueTrackMs_;
}

Uint32 LiveShow::showFrameOfRun(int64_t n, SDL_Surface* screen, ShowPlatform& platform) {
    n = n < 1 ? 1 : n;
    FILE* const console = show_.console;
    if (frameOfRun_ == 0 || n != frameOfRun_ + 1) {
        show_ = index_->reach(n, screen);
        show_.console = console;
    }
    inStretch_ = false;
    const Uint32 demoMs = index_->clock().frameMs(n);
    drawFrame(screen, demoMs, platform);
    frameOfRun_ = n;
    nextDueTrackMs_ = demoMs - startOffsetMs_;
    return nextDueTrackMs_;
}

Uint32 LiveShow::seekTo(int64_t trackMs, SDL_Surface* screen, ShowPlatform& platform) {
    const int64_t n = index_->clock().firstFrameAtOrAfter(trackMs + startOffsetMs_);
    return showFrameOfRun(n, screen, platform);
}

Uint32 LiveShow::stepOneFrame(int direction, SDL_Surface* screen, ShowPlatform& platform) {
    const VirtualClock& run = index_->clock();
    // Off the run (a live frame, a scene jump), the run's frames nearest to
    // the one shown.
    const int64_t here = frameOfRun_ != 0 ? frameOfRun_ : run.firstFrameAtOrAfter(lastDemoMs_);
    const bool onIt = frameOfRun_ != 0 || run.frameMs(here) == lastDemoMs_;
    const int64_t n = direction > 0 ? (onIt ? here + 1 : here) : here - 1;
    return showFrameOfRun(n, screen, platform);
}

void LiveShow::setPaused(bool paused) {
    paused_ = paused;
    inStretch_ = false;
}

void LiveShow::prepareSeeking(SDL_Surface* screen, const std::function<bool()>& moreTime) {
    index_->build(screen, moreTime);
}

std::string LiveShow::frameRate() const {
    return frameRateLine(timedIntervals_, (uint64_t)(timedMs_ + 0.5));
}
