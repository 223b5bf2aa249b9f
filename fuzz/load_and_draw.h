// One data file through every loader of the show, each result drawn the way
// the scenes draw it. The fuzzer feeds it every input it makes; the replay
// program feeds it the files a test or a developer names.
#pragma once

#include <SDL.h>

#include <string>

// The show's screen layout, 640 x 480 x 32 (0x00RRGGBB), in memory.
SDL_Surface* makeFuzzScreen();

// Loads the file at path as a picture, a pixel sprite, a bitmap, a palette
// and a font sheet, draws each onto screen, frees them all, plays it as the
// music track and loop file, and says what each loader made of it:
// "picture=WxH sprite=- ... music=ran" ("-" for refused).
std::string loadAndDrawEverywhere(const char* path, SDL_Surface* screen);
