// One frame of the show: the chain of eight scenes.
#pragma once

#include <SDL.h>

constexpr int kLastScene = 7;

// Runs the scene at sceneIndex with this frame's demo time; a scene that
// finishes hands over to the next one within the same frame. Returns the scene
// index after the chain ran.
int runFrame(SDL_Surface* screen, int frameCounter, Uint32 demoTime, int sceneIndex);
