#include "shell/render_clock.h"

#include "shell/display.h"
#include "shell/quit_signals.h"

#include <cinttypes>
#include <cstdio>

VirtualClock clockOf(const RenderOptions& o) {
    return {o.firstScene, o.startSeconds, o.fps};
}

int64_t firstFrameToRender(const RenderOptions& o) {
    return o.atSeconds >= 0 ? clockOf(o).firstFrameAtOrAfter(o.atSeconds * 1000) : 1;
}

int64_t framesToRender(const RenderOptions& o) {
    return o.frames > 0 ? firstFrameToRender(o) - 1 + o.frames : clockOf(o).wholeShowFrames();
}

ClockRun runVirtualClock(SDL_Surface* screen, const ShowAssets& assets, const RenderOptions& o,
                         int64_t last, const FrameSink& sink) {
    ShowPlatform headless;
    WindowPlatform window;
    ClockedShow show(clockOf(o), assets, o.seed);
    // Standard output carries the renderer's own lines alone: the show's
    // console lines go to standard error.
    show.show().console = stderr;
    const int64_t first = firstFrameToRender(o);
    ClockRun run;
    run.scene = show.scene();
    while (show.frame() < last) {
        if (quitSignalled()) {
            run.end = RunEnd::Interrupted;
            return run;
        }
        const bool shown = show.frame() + 1 >= first;
        show.stepFrame(screen, shown && o.window ? window : headless);
        if (!shown) {
            continue;
        }
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
