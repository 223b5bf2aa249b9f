// The renderer's --video mode: every frame goes to ffmpeg, with a progress
// line on a terminal.
#pragma once

#include "scenes/show_assets.h"
#include "shell/render_options.h"

#include <SDL.h>

// Renders the show as the frames mode does and encodes it to
// options.videoPath. Returns the process status: 0; 1 when no video could be
// written; 128 + the signal when a quit signal stopped it. Nothing is left
// behind unless it returns 0.
int captureVideo(SDL_Surface* screen, const ShowAssets& assets, const RenderOptions& options);
