// The renderer's --video mode: every frame goes to ffmpeg, with a progress
// line on a terminal.
#pragma once

#include "shell/render.h"

// Renders the show as renderShow does and encodes it to options.videoPath.
// Returns the process status: 0, or 1 when no video could be written.
int captureVideo(SDL_Surface* screen, const RenderOptions& options);
