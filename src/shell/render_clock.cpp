#include "shell/render_clock.h"

#include "shell/display.h"
#include "shell/quit_signals.h"

#include <cinttypes>
#include <cstdio>

VirtualClock clockOf(const RenderOptions& o) {
    return {o.firstScene, o.startSeconds, o.fps};
}

int64_t framesToRender(const RenderOptions& o) {
    return o.frames > 0 ? o.frames : clockOf(o).wholeShowFrames();
}

ClockRun runVirtualClock(SDL_Surface* screen, const RenderOptions& o, int64_t count,
                         const FrameSink& sink) {
    ShowPlatform headless;
    WindowPlatform window;
    ShowPlatform& platform = o.window ? window : headless;
    ClockedShow show(clockOf(o), o.seed);
    ClockRun run;
    run.scene = show.scene();
    while (show.frame() < count) {
        if (quitSignalled()) {
            run.end = RunEnd::Interrupted;
            return run;
        }
        show.stepFrame(screen, platform);
        run.scene = show.scene();
        if (sink && !sink(screen, show.frame(), show.lastMs(), show.scene())) {
            run.end = quitSignalled() ? RunEnd::Interrupted : RunEnd::Stopped;
            return run;
        }
        run.frames = show.frame();
        run.lastMs = show.lastMs();
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
