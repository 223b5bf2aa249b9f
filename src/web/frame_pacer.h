// Which display refreshes the page draws a frame on. The show's motion is a
// fixed step per frame and was made for 60 frames a second, so a 120 or 144 Hz
// display must not run it faster: as the desktop's -fps limiter, frames are
// due one period apart, and a page that falls behind by more than a frame
// (a hidden tab, a slow frame) starts counting afresh instead of rushing to
// catch up. The page cannot sleep until a deadline; it is asked at every
// refresh instead.
#pragma once

struct FramePacer {
    double fps = 60;      // 0 = a frame at every refresh
    double deadline = -1; // when the next frame is due, in the refreshes' clock (ms)
};

// True when a frame is due at the refresh at nowMs. A refresh comes a little
// before or after a deadline; one within a quarter period before it counts,
// so a 60 Hz display at 60 frames a second draws at every refresh, while the
// deadlines still advance by whole periods and keep the long-run rate.
inline bool frameIsDue(FramePacer& pacer, double nowMs) {
    if (pacer.fps <= 0) {
        return true;
    }
    const double period = 1000.0 / pacer.fps;
    if (pacer.deadline < 0 || nowMs > pacer.deadline + period) {
        pacer.deadline = nowMs + period;
        return true;
    }
    if (nowMs < pacer.deadline - period / 4) {
        return false;
    }
    pacer.deadline += period;
    return true;
}
