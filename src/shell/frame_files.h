// The renderer's frames mode: a hash line per frame on standard output and
// the chosen frames as PNG pictures.
#pragma once

#include "scenes/show_assets.h"
#include "shell/render_options.h"

#include <SDL.h>

#include <cstdint>
#include <string>

// Writes a 32-bit surface as an 8-bit RGB PNG (the top byte of a screen word
// is not a colour and is dropped). A file that could not be written whole
// is removed.
bool writePng(const SDL_Surface* surface, const std::string& path);

// Makes the --png folder when it is missing; false after a message when it
// cannot be made.
bool prepareFrameFiles(const RenderOptions& options);

// Prints frame n's hash line and writes its picture, as options ask. False
// after a message when the picture cannot be written.
bool writeFrameFiles(const SDL_Surface* frame, const RenderOptions& options, int64_t n,
                     Uint32 demoTime, int scene);

// Renders options' frames with their hash lines and pictures. Returns the
// process status: 0; 1 when a picture cannot be written; 128 + the signal
// when a quit signal stopped it.
int renderFrames(SDL_Surface* screen, const ShowAssets& assets, const RenderOptions& options);
