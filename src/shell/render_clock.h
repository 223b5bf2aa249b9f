// The renderer's run: the show on the virtual clock its options give,
// stepped as fast as the machine allows, each frame handed to the mode that
// asked for it (frames, bench, video). A quit signal stops the run before
// the next frame.
#pragma once

#include "drivers/virtual_clock.h"
#include "shell/render_options.h"

#include <SDL.h>

#include <cstdint>
#include <functional>

// The clock of --scene, --start and --fps.
VirtualClock clockOf(const RenderOptions& options);

// The first frame handed on: frame 1, or with --at the first at that time.
int64_t firstFrameToRender(const RenderOptions& options);

// The last frame: --frames after the first, or the end of the whole show.
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

// Draws frames 1 ... last of a show seeded with --seed, drawn with assets,
// on the screen, handing each from firstFrameToRender on to sink (and
// showing it in the window with --window); the frames before are drawn and
// not shown.
ClockRun runVirtualClock(SDL_Surface* screen, const ShowAssets& assets,
                         const RenderOptions& options, int64_t last, const FrameSink& sink);

// Says on standard error where an interrupted run stopped.
void reportInterruption(const ClockRun& run);
