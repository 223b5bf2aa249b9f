// The renderer's --bench mode: the real scene chain on the virtual clock,
// timed frame by frame, with no hashing and no files.
#pragma once

#include "shell/render.h"

// Renders options.frames frames (or the whole show) and prints the per-scene
// table of the processor time each frame took to out. Returns the process status, 0.
int benchShow(SDL_Surface* screen, const RenderOptions& options, FILE* out);
