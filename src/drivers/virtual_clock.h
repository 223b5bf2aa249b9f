// The virtual clock that every platform drives the show with when time is
// not real: the renderer, a page's hash and bench modes, the seek index, the
// tests. Frame n (1, 2, ...) shows demo time firstFrameMs + floor((n - 1)
// 1000 / fps), so the same clock always gives the same frames.
#pragma once

#include "scenes/show.h"
#include "scenes/timeline.h"

#include <SDL.h>

#include <cstdint>

struct VirtualClock {
    int firstScene = 0;       // the show begins with this scene
    int64_t startSeconds = 0; // the clock moved this far on, as -start moves it
    int64_t fps = 60;         // frames a second

    // Demo time of frame 1: where the first scene stands in the track (2000
    // ms for the whole show), moved on by startSeconds.
    int64_t firstFrameMs() const { return firstFrameMsOf(firstScene, startSeconds); }

    Uint32 frameMs(int64_t n) const { return virtualClockMs(n, fps, firstFrameMs()); }

    // The first frame whose demo time is at least ms (frame 1 for any time
    // before it).
    int64_t firstFrameAtOrAfter(int64_t ms) const;

    // The frames of the whole show, until kLastSceneShownMs into the last
    // scene.
    int64_t wholeShowFrames() const { return ::wholeShowFrames(firstScene, fps, firstFrameMs()); }
};

// A show stepped frame after frame on a virtual clock.
class ClockedShow {
  public:
    ClockedShow(const VirtualClock& clock, const ShowAssets& assets, unsigned seed)
        : clock_(clock), show_(assets, clock.firstScene, seed) {}

    // Draws the next frame onto screen and has platform present it.
    void stepFrame(SDL_Surface* screen, ShowPlatform& platform) {
        lastMs_ = clock_.frameMs(++frame_);
        stepShow(show_, screen, lastMs_, platform);
    }

    int64_t frame() const { return frame_; }  // frames drawn so far
    Uint32 lastMs() const { return lastMs_; } // demo time of the last of them
    int scene() const { return show_.scene; } // where the show stands after it
    const VirtualClock& clock() const { return clock_; }
    Show& show() { return show_; }

  private:
    VirtualClock clock_;
    Show show_;
    int64_t frame_ = 0;
    Uint32 lastMs_ = 0;
};
