// The lines the programs print about a run, written once for every platform:
// the hash line of a frame and the frame-rate line at the end of a live show.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

// "frame N time T scene K hash H", H the frame's 64-bit FNV-1a in 16 hex
// digits: the renderer's --hash line.
std::string hashLine(int64_t frame, Uint32 demoTime, int scene, uint64_t hash);

// "FPS=F": frames over the milliseconds they took, 0 for no time at all.
std::string frameRateLine(uint64_t frames, uint64_t ms);
