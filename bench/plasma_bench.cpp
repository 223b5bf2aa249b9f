// One plasma frame: the plain per-pixel loop against the fast version.
#include "gfx/toolkit.h"
#include "scenes/plasma_field.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using PlasmaField = void (*)(PlasmaCache&, const PlasmaDistances&, Uint8*, float, const int*,
                             const int*);

// Frame after frame as the scene draws them: centre 0 circles, the phase
// swings, centres 1 and 2 stay put (one of them below the plasma).
void plasmaFrames(benchmark::State& state, PlasmaField field) {
    std::vector<Uint8> pixels(kPlasmaWidth * kPlasmaHeight);
    static const PlasmaDistances distances;
    PlasmaCache cache;
    cache.reserve();
    int attx[3] = {0, 117, 503};
    int atty[3] = {0, 85, 463};
    unsigned frame = 5000;
    for (auto _ : state) {
        ++frame;
        attx[0] = (int)(320 + 80 * sintab[(frame * 8) % 256]);
        atty[0] = (int)(220 + 80 * costab[(frame * 8) % 256]);
        field(cache, distances, pixels.data(), sintab[(frame * 4) % 256], attx, atty);
        benchmark::DoNotOptimize(pixels.data());
    }
}

void BM_PlasmaFrameLiteral(benchmark::State& state) {
    plasmaFrames(state,
                 [](PlasmaCache&, const PlasmaDistances&, Uint8* pixels, float b, const int* attx,
                    const int* atty) { drawPlasmaField(pixels, b, attx, atty); });
}

void BM_PlasmaFrameFast(benchmark::State& state) {
    plasmaFrames(state, [](PlasmaCache&, const PlasmaDistances& distances, Uint8* pixels, float b,
                           const int* attx, const int* atty) {
        drawPlasmaFieldFast(distances, pixels, b, attx, atty);
    });
}

// The scene's own path: past the first turn of the cycle every frame is a
// copy of one drawn before.
void BM_PlasmaFrameCycled(benchmark::State& state) {
    plasmaFrames(state, [](PlasmaCache& cache, const PlasmaDistances& distances, Uint8* pixels,
                           float b, const int* attx, const int* atty) {
        static unsigned slot = 0;
        drawPlasmaFieldCycled(cache, distances, pixels, slot++ % kPlasmaCycle, b, attx, atty);
    });
}

} // namespace

BENCHMARK(BM_PlasmaFrameLiteral)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlasmaFrameFast)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlasmaFrameCycled)->Unit(benchmark::kMicrosecond);
