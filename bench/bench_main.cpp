// Runs the benchmarks from the source tree (where data/ is) on SDL's dummy
// video driver, with the screen open and the show's tables and font ready.
#include "scenes/show.h"
#include "shell/display.h"
#include "shell/startup.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

int main(int argc, char** argv) {
    if (chdir(SNOLK_SOURCE_DIR) != 0) {
        perror(SNOLK_SOURCE_DIR);
        return 1;
    }
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    prepareShow();
    openScreen(0, 1);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    releaseShow();
    return 0;
}
