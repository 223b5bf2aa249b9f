// The renderer's clock: the show stepped frame after frame on a virtual
// clock, as fast as the machine allows. Frame n shows demo time
// firstFrameMs + floor((n - 1) 1000 / fps). The renderer's modes (frames,
// bench, video) sit above it and take each frame as it is drawn.
#pragma once

#include "scenes/show.h"
#include "shell/render_options.h"

#include <SDL.h>

#include <cstdint>
#include <functional>

// Demo time of frame 1: where the first scene stands in the track (2000 ms
// for the whole show), moved on by --start.
int64_t firstFrameMs(const RenderOptions& options);

Uint32 demoTimeOfFrame(int64_t n, const RenderOptions& options);

// The frames of the whole show (wholeShowFrames).
int64_t framesOfWholeShow(const RenderOptions& options);

// --frames, or the whole show.
int64_t framesToRender(const RenderOptions& options);

// Takes each frame after it is drawn, with the scene the show stands in
// after it; false stops the run.
using FrameSink = std::function<bool(SDL_Surface* screen, int64_t n, Uint32 demoTime, int scene)>;

enum class RunEnd { Finished, Stopped, Interrupted };

struct ClockRun {
    RunEnd end = RunEnd::Finished;
    int64_t frames = 0; // frames drawn and taken
    Uint32 lastMs = 0;  // demo time of the last of them
    int scene = 0;      // the scene the show stood in after it
};

// Draws frames 1 ... count on the screen, handing each to sink. A quit
// signal stops the run before the next frame.
ClockRun runVirtualClock(SDL_Surface* screen, const RenderOptions& options, int64_t count,
                         const FrameSink& sink);

// Says on standard error where an interrupted run stopped.
void reportInterruption(const ClockRun& run);
