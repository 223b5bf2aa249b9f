// Whole frames of two scenes, drawn with the plain kernels and with the fast
// ones: the moonlit sky in its late phase and the warp's turning star field
// (phase 4). Each run starts a show at the scene with the assets loaded the
// way the chosen kernels want them.
#include "bench_assets.h"
#include "gfx/toolkit.h"
#include "scenes/show.h"

#include <benchmark/benchmark.h>

namespace {

constexpr Uint32 kStart = 2000; // demo time of the scene's first frame
constexpr Uint32 kFrameMs = 16;

// Frames from `from` ms into the scene on, one 60th of a second apart, kept
// within `span` ms so that every frame stays in the phase being timed.
void sceneFrames(benchmark::State& state, bool literal, int scene, Uint32 from, Uint32 span) {
    SDL_Surface* screen = SDL_GetVideoSurface();
    Show show(benchAssets(literal ? Kernels::Literal : Kernels::Fast), scene, 1);
    show.console = nullptr;
    ShowPlatform headless;
    const auto frameAt = [&](Uint32 ms) { stepShow(show, screen, kStart + ms, headless); };
    frameAt(0);
    // The phase's own first frame sets it up; it is not timed.
    frameAt(from);
    Uint32 frame = 0;
    for (auto _ : state) {
        frameAt(from + (frame++ * kFrameMs) % span);
        benchmark::DoNotOptimize(screen->pixels);
    }
}

constexpr Uint32 kSkyLatePhase = 7500;
constexpr Uint32 kWarpTurning = 12000;
constexpr Uint32 kSpan = 3000;

void BM_MoonlitFrameLiteral(benchmark::State& state) {
    sceneFrames(state, true, 5, kSkyLatePhase, kSpan);
}

void BM_MoonlitFrameFast(benchmark::State& state) {
    sceneFrames(state, false, 5, kSkyLatePhase, kSpan);
}

void BM_WarpPhase4FrameLiteral(benchmark::State& state) {
    sceneFrames(state, true, 6, kWarpTurning, kSpan);
}

void BM_WarpPhase4FrameFast(benchmark::State& state) {
    sceneFrames(state, false, 6, kWarpTurning, kSpan);
}

} // namespace

BENCHMARK(BM_MoonlitFrameLiteral)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MoonlitFrameFast)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WarpPhase4FrameLiteral)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WarpPhase4FrameFast)->Unit(benchmark::kMicrosecond);
