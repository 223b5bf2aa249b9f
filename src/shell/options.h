// The live program's command line.
#pragma once

#include <SDL.h>

struct LiveOptions {
    int fullscreen = 0;  // 1 after -fs
    int nosound = 0;     // 1 after -ns
    Uint32 hopptid = 0;  // start offset in milliseconds, from -start
    int fpsLimit = 60;   // frames per second, 0 = no limit; from -fps
    int windowScale = 1; // 1 ... 4, from -scale
    int firstScene = 0;  // 0 ... 7, from -scene
    int stats = 0;       // 1 after -stats: print the present intervals at the end
    int vsync = 0;       // 1 after -vsync: presents wait for the vertical blank
};

// What parser returns after printing the options for -h or --help: the
// program then ends with status 0.
constexpr int kHelpShown = 2;

// Reads the options into options. Returns 0 to go on, 1 after printing a
// usage text for a bad option, kHelpShown after printing the options asked
// for.
int parser(int argc, char** argv, LiveOptions& options);
