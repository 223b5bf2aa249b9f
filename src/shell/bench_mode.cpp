#include "shell/bench_mode.h"

#include "shell/quit_signals.h"
#include "shell/render_clock.h"

#include <ctime>

namespace {

// Processor time of this thread: on a shared machine the other programs'
// turns on the processor do not count against the show.
double threadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return (double)now.tv_sec * 1000.0 + (double)now.tv_nsec / 1e6;
}

} // namespace

int benchShow(SDL_Surface* screen, const RenderOptions& o, FILE* out) {
    BenchReport report;
    double frameStart = threadMilliseconds();
    // The clock's own work between frames is left out: the time runs from
    // just before a frame's step to just after it.
    const ClockRun run = runVirtualClock(screen, o, framesToRender(o),
                                         [&](SDL_Surface*, int64_t, Uint32, int scene) {
                                             // A handover frame counts for the scene it starts: it
                                             // holds that scene's loading.
                                             report.add(scene, threadMilliseconds() - frameStart);
                                             frameStart = threadMilliseconds();
                                             return true;
                                         });
    report.print(out);
    fflush(out);
    if (run.end == RunEnd::Interrupted) {
        reportInterruption(run);
        return 128 + quitSignal();
    }
    return 0;
}
