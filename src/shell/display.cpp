#include "shell/display.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

struct Window {
    SDL_Surface* video = nullptr;  // what SDL shows
    SDL_Surface* canvas = nullptr; // what the scenes draw into
    int scale = 1;
    int left = 0; // where the scaled canvas starts in the window
    int top = 0;
};
Window window;

bool usingDummyDriver() {
    char name[32] = "";
    return SDL_VideoDriverName(name, sizeof name) != nullptr && strcmp(name, "dummy") == 0;
}

[[noreturn]] void failVideo() {
    fprintf(stderr, "Unable to set 640x480 video: %s\n", SDL_GetError());
    exit(1);
}

SDL_Surface* createCanvas(const SDL_PixelFormat* format) {
    return SDL_CreateRGBSurface(SDL_SWSURFACE, kWidth, kHeight, 32, format->Rmask, format->Gmask,
                                format->Bmask, 0);
}

// Nearest-neighbour copy of one canvas rectangle into the window.
void scaleRect(int x, int y, int w, int h) {
    const int n = window.scale;
    SDL_Surface* video = window.video;
    if (SDL_MUSTLOCK(video) && SDL_LockSurface(video) < 0) {
        return;
    }
    for (int row = y; row < y + h; ++row) {
        const Uint32* source = static_cast<const Uint32*>(window.canvas->pixels) + row * kWidth;
        for (int copy = 0; copy < n; ++copy) {
            Uint8* line =
                static_cast<Uint8*>(video->pixels) + (window.top + row * n + copy) * video->pitch;
            Uint32* target = reinterpret_cast<Uint32*>(line) + window.left;
            for (int col = x; col < x + w; ++col) {
                const Uint32 pixel = source[col];
                for (int k = 0; k < n; ++k) {
                    target[col * n + k] = pixel;
                }
            }
        }
    }
    if (SDL_MUSTLOCK(video)) {
        SDL_UnlockSurface(video);
    }
    SDL_UpdateRect(video, window.left + x * n, window.top + y * n, w * n, h * n);
}

} // namespace

SDL_Surface* openScreen(int fullscreen, int scale) {
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        fprintf(stderr, "Unable to init SDL: %s\n", SDL_GetError());
        exit(1);
    }
    atexit(SDL_Quit);
    // The dummy driver would draw a software arrow into the screen's pixels.
    if (usingDummyDriver()) {
        SDL_ShowCursor(SDL_DISABLE);
    }
    SDL_WM_SetCaption("the snolk demo", "snolk");
    window.scale = scale < 1 ? 1 : scale;
    const Uint32 flags = fullscreen ? SDL_FULLSCREEN : 0;
    window.video = SDL_SetVideoMode(kWidth * window.scale, kHeight * window.scale, 32, flags);
    if (window.video == nullptr) {
        failVideo();
    }
    if (fullscreen) {
        SDL_ShowCursor(0);
    }
    window.canvas = window.video;
    if (window.scale > 1 || window.video->w != kWidth || window.video->h != kHeight) {
        window.canvas = createCanvas(window.video->format);
        if (window.canvas == nullptr) {
            failVideo();
        }
        window.left = (window.video->w - kWidth * window.scale) / 2;
        window.top = (window.video->h - kHeight * window.scale) / 2;
        // Presents only ever cover the canvas: the borders around it are
        // shown black once, here.
        SDL_FillRect(window.video, nullptr, 0);
        SDL_UpdateRect(window.video, 0, 0, 0, 0);
    }
    // The show starts on black, shown at once: SDL sets up its presenting on
    // the first update, which then falls into no frame of the show.
    SDL_FillRect(window.canvas, nullptr, 0);
    showCanvas(window.canvas);
    return window.canvas;
}

void showRect(SDL_Surface* canvas, int x, int y, int w, int h) {
    if (canvas == nullptr || canvas != window.canvas) {
        return;
    }
    if (canvas == window.video) {
        SDL_UpdateRect(canvas, x, y, w, h);
    } else {
        scaleRect(x, y, w, h);
    }
}

void showCanvas(SDL_Surface* canvas) {
    showRect(canvas, 0, 0, kWidth, kHeight);
}

void closeScreen(SDL_Surface* canvas) {
    if (canvas != nullptr && canvas != window.video) {
        SDL_FreeSurface(canvas);
    }
    window.canvas = nullptr;
}

bool onSdl12Compat() {
    // sdl12-compat calls itself 1.2.50 or later; classic SDL 1.2 ended at
    // 1.2.15.
    return SDL_Linked_Version()->patch >= 50;
}
