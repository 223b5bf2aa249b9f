// Runs the benchmarks from the source tree (where data/ is) on SDL's dummy
// video driver, with the screen open and the show's assets loaded for both
// kinds of kernels.
#include "bench_assets.h"
#include "shell/display.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

std::unique_ptr<ShowAssets> fastAssets;
std::unique_ptr<ShowAssets> literalAssets;

} // namespace

const ShowAssets& benchAssets(Kernels kernels) {
    return kernels == Kernels::Literal ? *literalAssets : *fastAssets;
}

int main(int argc, char** argv) {
    if (chdir(SNOLK_SOURCE_DIR) != 0) {
        perror(SNOLK_SOURCE_DIR);
        return 1;
    }
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SDL_Surface* screen = openScreen(0, 1);
    fastAssets = loadShowAssets("data", screen, Kernels::Fast);
    literalAssets = loadShowAssets("data", screen, Kernels::Literal);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fastAssets.reset();
    literalAssets.reset();
    return 0;
}
