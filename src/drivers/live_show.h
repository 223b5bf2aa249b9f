// A show played live, on a real clock: SDL's ticks on the desktop, the audio
// clock in a page. The platform measures the time since the music started
// (elapsed); the two seconds before the first scene's first frame, the
// start offset (-start) and the scene's place in the track make the demo
// time of it. The viewer may jump between the scenes: each jump is a new
// show that begins with that scene, as -scene begins it, the music moved to
// that scene's place.
#pragma once

#include "scenes/show.h"

#include <SDL.h>

#include <cstdint>
#include <string>

// What the viewer asked for with a key.
enum class ViewerAsks { Nothing, Quit, NextScene, PreviousScene, Restart };

class LiveShow {
  public:
    LiveShow(int firstScene, unsigned seed, Uint32 startOffsetMs);

    // Where the music starts for the show as it stands: two seconds before
    // its first scene's first frame.
    Uint32 trackAtOriginMs() const { return trackAtOrigin(firstScene_); }

    // Draws a frame at elapsedMs after the music started; nothing in the
    // two seconds before the first one. True when it drew.
    bool stepFrame(SDL_Surface* screen, Uint32 elapsedMs, ShowPlatform& platform);

    // The scene the viewer's request leads to, or -1 when it leads nowhere
    // (the last scene has no next one, and plays on).
    int sceneAskedFor(ViewerAsks asked) const;

    // Begins a new show with `scene`. The platform then restarts its clock
    // and the music at trackAtOriginMs(), and shows black. elapsedMs is the
    // old show's clock at the jump, for the frame rate.
    void jumpTo(int scene, Uint32 elapsedMs);

    int scene() const { return show_.scene; }
    uint64_t frames() const { return framesBefore_ + show_.frames; }

    // The live program's last line: the frames over the time they took.
    // NOTE: divided by the demo time, pause and start offset included; a
    // show begun at a later scene does not count the part of the track it
    // skipped, and each show before a jump counts the time it ran.
    std::string frameRate() const;

  private:
    Uint32 demoTimeAt(Uint32 elapsedMs) const;

    unsigned seed_;
    Uint32 startOffsetMs_;
    int firstScene_;
    Show show_;
    Uint32 lastDemoTime_ = 0;
    uint64_t framesBefore_ = 0; // frames of the shows before the last jump
    uint64_t msBefore_ = 0;     // and the time they ran
};
