// A show played live, on a real clock: SDL's ticks on the desktop, the audio
// clock in a page. The platform tells the show where the music stands (ms
// into the track); the start offset (-start) makes the demo time of it. The
// viewer may jump between the scenes (each jump is a new show that begins
// with that scene, as -scene begins it, at once), seek to any moment of the
// whole show (exactly the frame the renderer draws there), pause and step a
// frame at a time. After each of these the platform moves its clock and the
// music to the place the show says.
#pragma once

#include "drivers/seek_index.h"
#include "scenes/show.h"

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// What the viewer asked for with a key, a button or a touch.
enum class ViewerAsks {
    Nothing,
    Quit,
    NextScene,
    PreviousScene,
    Restart,
    Pause,        // pause, or go on when paused
    SeekForward,  // ten seconds on
    SeekBack,     // ten seconds back
    FrameForward, // while paused: the next frame
    FrameBack,    // while paused: the frame before
};

// How far SeekForward and SeekBack move.
constexpr Uint32 kSeekStepMs = 10000;

class LiveShow {
  public:
    LiveShow(const ShowAssets& assets, int firstScene, unsigned seed, Uint32 startOffsetMs);

    // Where the music starts for the first show: two seconds before its
    // first scene's first frame.
    Uint32 musicStartMs() const { return trackAtOrigin(firstScene_); }

    // Draws a frame for the music standing at trackMs, unless the show's
    // next frame is not yet due (the lead-in before the first one). True
    // when it drew.
    bool stepFrame(SDL_Surface* screen, Uint32 trackMs, ShowPlatform& platform);

    // The scene the viewer's request leads to, or -1 when it leads nowhere
    // (the last scene has no next one, and plays on).
    int sceneAskedFor(ViewerAsks asked) const;

    // Begins a new show with `scene`, due at once, on a black screen as a
    // show begun with -scene has it: returns where its first frame stands in
    // the track, which the platform moves its clock and the music to. The
    // next stepFrame draws that frame.
    Uint32 jumpTo(int scene, SDL_Surface* screen);

    // Brings the show to the moment of the whole show at trackMs (clamped to
    // its first frame), exactly as a run from the top at 60 frames a second
    // has it there, and draws that frame: the first of the run at or after
    // the moment. Returns where it stands in the track.
    Uint32 seekTo(int64_t trackMs, SDL_Surface* screen, ShowPlatform& platform);

    // One frame of the 60-frames-a-second run on (direction 1) or back (-1)
    // from the frame shown, drawn as the run draws it; for a paused show.
    // Returns where it stands in the track.
    Uint32 stepOneFrame(int direction, SDL_Surface* screen, ShowPlatform& platform);

    // The show stops (paused) or goes on: the frame rate counts no time
    // between.
    void setPaused(bool paused);

    // The platform stood still (the process was stopped, the machine
    // slept): the time since the last frame is no time spent drawing.
    void noteStandstill() { inStretch_ = false; }
    bool paused() const { return paused_; }

    // Spare time: builds more of the seek index on screen while moreTime()
    // says there is time for another frame.
    void prepareSeeking(SDL_Surface* screen, const std::function<bool()>& moreTime);
    bool seekingPrepared() const { return index_->complete(); }

    int scene() const { return show_.scene; }
    uint64_t frames() const { return framesDrawn_; }
    Uint32 lastTrackMs() const { return lastDemoMs_ - startOffsetMs_; }

    // The live program's last line: the frames drawn over the time spent
    // drawing them, the time between frames that follow each other while the
    // show plays; the lead-in, pauses, seeks and jumps are left out. That
    // time is the platform's wall clock, in milliseconds, once it is given;
    // before, the demo time.
    std::string frameRate() const;
    void timeFramesWith(double (*wallClockMs)()) { wallClockMs_ = wallClockMs; }

  private:
    void drawFrame(SDL_Surface* screen, Uint32 demoMs, ShowPlatform& platform);
    Uint32 showFrameOfRun(int64_t n, SDL_Surface* screen, ShowPlatform& platform);

    const ShowAssets& assets_;
    unsigned seed_;
    Uint32 startOffsetMs_;
    int firstScene_;
    Show show_;
    std::unique_ptr<SeekIndex> index_;
    Uint32 nextDueTrackMs_;  // no frame before the music stands here
    int64_t frameOfRun_ = 0; // the run's frame the show stands at; 0: off the run
    bool paused_ = false;

    // The frame rate: frames drawn, and the intervals between frames that
    // follow each other in one stretch of play.
    uint64_t framesDrawn_ = 0;
    uint64_t timedIntervals_ = 0;
    double timedMs_ = 0;
    bool inStretch_ = false;
    Uint32 lastDemoMs_ = 0;
    double (*wallClockMs_)() = nullptr;
    double lastFrameAt_ = 0;
};
