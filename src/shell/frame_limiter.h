// Keeps the live loop near a fixed frame rate: the show's motion is a fixed
// step per frame and was made for about 60 frames per second.
#pragma once

#include <SDL.h>

struct FrameLimiter {
    int fps = 0;          // 0 = no limit
    double deadline = -1; // SDL_GetTicks() value the next frame waits for
};

// Sleeps until the next frame is due. A loop that falls behind by more than a
// frame starts counting afresh instead of rushing to catch up.
void waitForNextFrame(FrameLimiter& limiter);
