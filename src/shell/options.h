// The live program's command line and the settings it sets.
#pragma once

#include <SDL.h>

extern int fullscreen;  // 1 after -fs
extern int nosound;     // 1 after -ns
extern Uint32 hopptid;  // start offset in milliseconds, from -start
extern int fpsLimit;    // frames per second, 0 = no limit; from -fps
extern int windowScale; // 1 ... 4, from -scale

// Reads the options. Returns 0 to go on, 1 after printing a usage text.
int parser(int argc, char** argv);

// Puts every setting back to its default (for tests).
void resetOptions();
