// The window behind the canvas the scenes draw into. Scenes see only the
// canvas; the shell decides how it reaches the window (as it is, scaled, or
// not at all when rendering offline).
#pragma once

#include "scenes/show.h"

#include <SDL.h>

// Opens SDL video and a window (or the full screen) for a 640 x 480 x 32
// canvas shown scale times as large. Prints the reason to standard error and
// exits with status 1 when SDL cannot start. Returns the canvas, black.
SDL_Surface* openScreen(int fullscreen, int scale);

// Whether the SDL 1.2 the program runs on is sdl12-compat (SDL 2 beneath)
// rather than classic SDL 1.2.
bool onSdl12Compat();

// Shows part of the canvas in the window now. Does nothing when the canvas is
// not on a window.
void showRect(SDL_Surface* canvas, int x, int y, int w, int h);

// Shows the whole canvas.
void showCanvas(SDL_Surface* canvas);

// Frees the canvas when it is a surface of its own.
void closeScreen(SDL_Surface* canvas);

// The show in the window as it is drawn: each whole frame, and the plasma's
// strip after each of its steps.
class WindowPlatform : public ShowPlatform {
  public:
    void presentFrame(SDL_Surface* screen) override { showCanvas(screen); }
    void presentStrip(SDL_Surface* screen, int height) override {
        showRect(screen, 0, 0, screen->w, height);
    }
};
