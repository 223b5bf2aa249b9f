#include "shell/frame_limiter.h"

void waitForNextFrame(FrameLimiter& limiter) {
    if (limiter.fps <= 0) {
        return;
    }
    const double period = 1000.0 / limiter.fps;
    const double now = SDL_GetTicks();
    if (limiter.deadline < 0 || now > limiter.deadline + period) {
        limiter.deadline = now + period;
        return;
    }
    if (now < limiter.deadline) {
        SDL_Delay((Uint32)(limiter.deadline - now));
    }
    limiter.deadline += period;
}
