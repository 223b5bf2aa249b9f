// The renderer's --bench mode: the real scene chain on the virtual clock,
// timed frame by frame, with no hashing and no files, and the table of
// frame times per scene printed from it.
#pragma once

#include "drivers/bench_report.h"
#include "scenes/show_assets.h"
#include "shell/render_options.h"

#include <SDL.h>

#include <cstdio>

// Renders options.frames frames (or the whole show) and prints the per-scene
// table of the time each frame took (frameClockMilliseconds) to out, then the
// processor time of the whole process. Returns the process
// status: 0, or 128 + the signal when a quit signal stopped it (the table of
// the frames drawn so far is printed all the same).
int benchShow(SDL_Surface* screen, const ShowAssets& assets, const RenderOptions& options,
              FILE* out);
