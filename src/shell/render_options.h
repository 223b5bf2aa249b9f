// The offline renderer's command line.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

struct RenderOptions {
    unsigned seed = 1;
    int64_t fps = 60;
    int64_t startSeconds = 0;
    int firstScene = 0;     // begin the show with this scene
    int64_t atSeconds = -1; // render from the first frame at this demo time; -1: from frame 1
    int64_t frames = 0;     // frames to render; 0 = to the end of the whole show
    bool hash = false;
    std::string pngDir;
    int64_t every = 1;
    int64_t from = 1;
    bool window = false;             // a real window instead of SDL's dummy driver
    std::string videoPath;           // an H.264 video of the frames, with the music
    int64_t scale = 1;               // the video (or window) this many times as large
    bool audio = true;               // the video carries the music
    bool bench = false;              // time every frame and print a table per scene
    bool literal = false;            // the plain reference kernels instead of the fast ones
    bool help = false;               // --help or -h: the usage text was printed, nothing to run
    std::string dataFolder = "data"; // found at start-up, as snolk finds it
};

// Reads the renderer's options; every number is a whole number written as
// digits alone, within its range. Returns false (after printing the reason
// and the usage text to err) when they are not understood or cannot go
// together. --help or -h prints the usage text alone to out and sets help.
bool parseRenderOptions(int argc, char** argv, RenderOptions& options, FILE* out, FILE* err);
