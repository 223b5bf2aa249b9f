#include "shell/bench_mode.h"

#include "shell/monotonic_clock.h"
#include "shell/quit_signals.h"
#include "shell/render_clock.h"

#include <cinttypes>

namespace {

constexpr int kTimedSeeks = 50;

} // namespace

int benchShow(SDL_Surface* screen, const ShowAssets& assets, const RenderOptions& o, FILE* out) {
    BenchReport report;
    double frameStart = frameClockMilliseconds();
    // The clock's own work between frames is left out: the time runs from
    // just before a frame's step to just after it.
    const ClockRun run = runVirtualClock(
        screen, assets, o, framesToRender(o), [&](SDL_Surface*, int64_t, Uint32, int scene) {
            // A handover frame counts for the scene it starts: it
            // holds that scene's loading.
            report.add(scene, frameClockMilliseconds() - frameStart);
            frameStart = frameClockMilliseconds();
            return true;
        });
    report.print(out);
    // The whole run, start-up included, on the clock every platform keeps
    // alike: the figure to compare between them.
    const double seconds = processCpuSeconds();
    fprintf(out, "process time: %.3f s of processor for %" PRId64 " frames, %.3f ms a frame\n",
            seconds, run.frames, run.frames > 0 ? seconds * 1000.0 / (double)run.frames : 0.0);
    // A bench of the whole show times seeks too.
    if (o.frames == 0 && o.atSeconds < 0 && run.end == RunEnd::Finished) {
        fprintf(out, "%s\n",
                seekLine(timeSeeks(assets, screen, kTimedSeeks, frameClockMilliseconds)).c_str());
    }
    fflush(out);
    if (run.end == RunEnd::Interrupted) {
        reportInterruption(run);
        return 128 + quitSignal();
    }
    return 0;
}
