// Seeking to any moment of the show with the very frame a straight run draws
// there. The index follows a run of the whole show from the top at 60 frames
// a second (the renderer's clock) and keeps a copy of the show and its
// screen every few seconds of it; any moment is then a copy of the nearest
// earlier one and at most that many seconds of frames replayed, drawn but
// not shown. The run is built ahead in slices, whenever the platform has
// time to spare, on the screen the live show draws into: each slice puts the
// screen's pixels aside and back, so the pictures are always blitted to the
// one screen they were made ready for.
#pragma once

#include "drivers/virtual_clock.h"
#include "scenes/show.h"

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class SeekIndex {
  public:
    // A copy is kept every this many frames (four seconds at 60).
    static constexpr int64_t kFramesBetweenCopies = 240;

    // The whole show as the renderer draws it with this seed and start
    // offset (-start), at 60 frames a second, with these assets.
    SeekIndex(const ShowAssets& assets, unsigned seed, int64_t startSeconds);
    ~SeekIndex();

    const VirtualClock& clock() const { return clock_; }

    // Frames the run has drawn so far, and whether it has reached the end of
    // the whole show.
    int64_t framesBuilt() const;
    bool complete() const;

    // Draws more of the run on screen while moreTime() says there is time
    // for another frame, up to the end of the whole show; the screen's
    // pixels are as they were afterwards.
    void build(SDL_Surface* screen, const std::function<bool()>& moreTime);

    // The show as the run has it after frame n - 1, its screen in screen:
    // the next frame it draws is frame n, exactly as the run draws it. Runs
    // on past what is built where it must.
    Show reach(int64_t n, SDL_Surface* screen);

  private:
    struct Copy {
        int64_t frame; // frames drawn before it
        Show show;
        std::vector<Uint32> pixels;
    };

    void stepRunOn(SDL_Surface* screen);
    const Copy& latestCopyUpTo(int64_t frame) const;

    VirtualClock clock_;
    int64_t wholeShow_;
    std::vector<std::unique_ptr<Copy>> copies_; // in the order of their frames
    Copy run_;                                  // where the run has got to
    std::vector<Uint32> asideBuffer_;           // the live screen, put aside
};

// The 32-bit words of a 640 x 480 screen, copied out and back in.
void copyScreenOut(const SDL_Surface* screen, std::vector<Uint32>& pixels);
void copyScreenIn(const std::vector<Uint32>& pixels, SDL_Surface* screen);
