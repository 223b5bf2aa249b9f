#include "shell/virtual_clock.h"

#include "shell/quit_signals.h"

#include <cinttypes>
#include <cstdio>

int64_t firstFrameMs(const RenderOptions& o) {
    return firstFrameMsOf(o.firstScene, o.startSeconds);
}

Uint32 demoTimeOfFrame(int64_t n, const RenderOptions& o) {
    return virtualClockMs(n, o.fps, firstFrameMs(o));
}

int64_t framesOfWholeShow(const RenderOptions& o) {
    return wholeShowFrames(o.firstScene, o.fps, firstFrameMs(o));
}

int64_t framesToRender(const RenderOptions& o) {
    return o.frames > 0 ? o.frames : framesOfWholeShow(o);
}

ClockRun runVirtualClock(SDL_Surface* screen, const RenderOptions& o, int64_t count,
                         const FrameSink& sink) {
    ClockRun run;
    Show show = startShow(o.firstScene);
    run.scene = show.scene;
    for (int64_t n = 1; n <= count; ++n) {
        if (quitSignalled()) {
            run.end = RunEnd::Interrupted;
            return run;
        }
        const Uint32 demoTime = demoTimeOfFrame(n, o);
        stepShow(show, screen, demoTime);
        run.scene = show.scene;
        if (sink && !sink(screen, n, demoTime, show.scene)) {
            run.end = quitSignalled() ? RunEnd::Interrupted : RunEnd::Stopped;
            return run;
        }
        run.frames = n;
        run.lastMs = demoTime;
    }
    return run;
}

void reportInterruption(const ClockRun& run) {
    if (run.frames == 0) {
        fprintf(stderr, "snolk-render: stopped by %s before the first frame\n", quitSignalName());
        return;
    }
    fprintf(stderr,
            "snolk-render: stopped by %s after frame %" PRId64 " (demo time %u ms, scene %d)\n",
            quitSignalName(), run.frames, run.lastMs, run.scene);
}
