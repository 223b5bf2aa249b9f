// The offline renderer: the real show on a virtual clock, as fast as the
// machine allows, with frame hashes and pictures for checking and capture.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

struct RenderOptions {
    unsigned seed = 1;
    int64_t fps = 60;
    int64_t startSeconds = 0;
    int64_t frames = 0; // 0 = the whole show
    bool hash = false;
    std::string pngDir;
    int64_t every = 1;
    int64_t from = 1;
    bool window = false;   // a real window instead of SDL's dummy driver
    std::string videoPath; // an H.264 video of the frames, with the music
    int64_t scale = 1;     // the video (or window) this many times as large
    bool audio = true;     // the video carries the music
    bool bench = false;    // time every frame and print a table per scene
    bool literal = false;  // the plain reference kernels instead of the fast ones
};

// Called after every frame with the frame and its number; false stops the
// render with status 1.
using FrameHook = std::function<bool(const SDL_Surface* frame, int64_t n)>;

// Reads the renderer's options. Returns false (after printing the reason and
// the usage text to err) when they are not understood.
bool parseRenderOptions(int argc, char** argv, RenderOptions& options, FILE* err);

// Demo time of frame n (1, 2, ...): 2000 + 1000 S + floor((n - 1) 1000 / F).
Uint32 demoTimeOfFrame(int64_t n, const RenderOptions& options);

// The number of frames renderShow draws for the whole show.
int64_t framesOfWholeShow(const RenderOptions& options);

// Plays the show on the given, already opened screen, writing hash lines to
// out and handing every frame to afterFrame. Returns the process status: 0,
// or 1 when a picture cannot be written or afterFrame stops the render.
int renderShow(SDL_Surface* screen, const RenderOptions& options, FILE* out,
               const FrameHook& afterFrame = {});

// The whole program: start-up as the live show has it, without music or
// sleep, then renderShow.
int renderMain(int argc, char** argv);
