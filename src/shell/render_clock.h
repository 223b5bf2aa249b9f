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

// Draws frames 1 ... count of a show seeded with --seed on the screen (shown
// in the window with --window), handing each to sink.
ClockRun runVirtualClock(SDL_Surface* screen, const RenderOptions& options, int64_t count,
                         const FrameSink& sink);

// Says on standard error where an interrupted run stopped.
void reportInterruption(const ClockRun& run);
