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
    int avOffsetMs = 0;  // -500 ... 500, from -avoffset: what the sound output adds
};

// What the parser found: options to run with, a bad option or value (a
// usage text was printed; the program ends with status 1), or -h or --help
// (the options were printed; the program ends with status 0).
enum ParserResult { kGoOn = 0, kBadOption = 1, kHelpShown = 2 };

// Reads the options into options. Every number is a whole number written
// as digits alone, within its range.
int parser(int argc, char** argv, LiveOptions& options);
