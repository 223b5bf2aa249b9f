#include "shell/bench_show.h"

#include "shell/bench_report.h"
#include "shell/scene_chain.h"

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
    const int64_t frames = o.frames > 0 ? o.frames : framesOfWholeShow(o);
    BenchReport report(frames);
    int sceneIndex = 0;
    for (int64_t n = 1; n <= frames; ++n) {
        const Uint32 demoTime = demoTimeOfFrame(n, o);
        const double start = threadMilliseconds();
        sceneIndex = runFrame(screen, (int)n, demoTime, sceneIndex);
        // A handover frame counts for the scene it starts: it holds that
        // scene's loading.
        report.add(sceneIndex, threadMilliseconds() - start);
    }
    report.print(out);
    return 0;
}
