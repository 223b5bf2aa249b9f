// Whole frames of two scenes, drawn with the plain kernels and with the fast
// ones: the moonlit sky in its late phase and the warp's turning star field
// (phase 4). Each run starts the scene afresh, so its pictures are loaded
// the way the chosen kernels want them.
#include "gfx/random.h"
#include "gfx/toolkit.h"
#include "scenes/scene_state.h"
#include "scenes/scenes.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr Uint32 kStart = 2000; // demo time of the scene's first frame
constexpr Uint32 kFrameMs = 16;

void freeAll(std::initializer_list<SDL_Surface*> surfaces) {
    for (SDL_Surface* s : surfaces) {
        SDL_FreeSurface(s);
    }
}

void restartMoonlitSky() {
    freeAll({tomteEffektState().iMoon, tomteEffektState().iLitenapanap, tomtefieldState().tomte0,
             tomtefieldState().tomte1, tomtefieldState().tomte2, snoeState().flinga0,
             snoeState().flinga1});
    setTomteEffektState({});
    setTomtefieldState({});
    setSnoeState({});
}

void restartWarp() {
    freeAll({warpEffektState().iTomtewarp0, warpEffektState().iTomtewarp,
             warpspeedState().enterprise, warpspeedState().black, star3dState().bild[0],
             star3dState().bild[1], star3dState().bild[2]});
    setWarpEffektState({});
    setWarpspeedState({});
    setStar3dState({});
}

using Scene = int (*)(SDL_Surface*, Uint32);

// Frames from `from` ms into the scene on, one 60th of a second apart, kept
// within `span` ms so that every frame stays in the phase being timed.
void sceneFrames(benchmark::State& state, bool literal, void (*restart)(), Scene scene, Uint32 from,
                 Uint32 span) {
    SDL_Surface* screen = SDL_GetVideoSurface();
    useReferenceKernels = literal;
    restart();
    showSrand(1);
    scene(screen, kStart);
    // The phase's own first frame may load pictures; it is not timed.
    scene(screen, kStart + from);
    Uint32 frame = 0;
    for (auto _ : state) {
        scene(screen, kStart + from + (frame++ * kFrameMs) % span);
        benchmark::DoNotOptimize(screen->pixels);
    }
    restart();
    useReferenceKernels = false;
}

constexpr Uint32 kSkyLatePhase = 7500;
constexpr Uint32 kWarpTurning = 12000;
constexpr Uint32 kSpan = 3000;

void BM_MoonlitFrameLiteral(benchmark::State& state) {
    sceneFrames(state, true, restartMoonlitSky, tomteEffekt, kSkyLatePhase, kSpan);
}

void BM_MoonlitFrameFast(benchmark::State& state) {
    sceneFrames(state, false, restartMoonlitSky, tomteEffekt, kSkyLatePhase, kSpan);
}

void BM_WarpPhase4FrameLiteral(benchmark::State& state) {
    sceneFrames(state, true, restartWarp, warpEffekt, kWarpTurning, kSpan);
}

void BM_WarpPhase4FrameFast(benchmark::State& state) {
    sceneFrames(state, false, restartWarp, warpEffekt, kWarpTurning, kSpan);
}

} // namespace

BENCHMARK(BM_MoonlitFrameLiteral)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MoonlitFrameFast)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WarpPhase4FrameLiteral)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WarpPhase4FrameFast)->Unit(benchmark::kMicrosecond);
