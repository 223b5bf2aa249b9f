// The scaled colour-keyed blit of the star: near (z = 1, step 1/64, most
// samples off the screen) and far (z = 100, step 1.5625).
#include "gfx/toolkit.h"

#include <benchmark/benchmark.h>

namespace {

using ScaledBlit = void (*)(SDL_Surface*, SDL_Surface*, float, int, int);

void fastBlit(SDL_Surface* dst, SDL_Surface* sprite, float step, int x, int y) {
    blitScaleDown(dst, sprite, step, x, y, Kernels::Fast);
}

void starAt(benchmark::State& state, ScaledBlit blit, float step, int x, int y) {
    SDL_Surface* screen = SDL_GetVideoSurface();
    SDL_Surface* star = loadPixelSprite("data/star.png");
    setColourKey(star, 0);
    if (screen == nullptr || star == nullptr) {
        state.SkipWithError("no screen or no data/star.png");
        return;
    }
    for (auto _ : state) {
        blit(screen, star, step, x, y);
        benchmark::DoNotOptimize(screen->pixels);
    }
    SDL_FreeSurface(star);
}

constexpr float kNear = 1.0f / 64.0f;
constexpr float kFar = 100.0f / 64.0f;

void BM_ScaledBlitNearLiteral(benchmark::State& state) {
    starAt(state, blitScaleDownReference, kNear, 330, 280);
}

void BM_ScaledBlitNearFast(benchmark::State& state) {
    starAt(state, fastBlit, kNear, 330, 280);
}

void BM_ScaledBlitFarLiteral(benchmark::State& state) {
    starAt(state, blitScaleDownReference, kFar, 400, 300);
}

void BM_ScaledBlitFarFast(benchmark::State& state) {
    starAt(state, fastBlit, kFar, 400, 300);
}

} // namespace

BENCHMARK(BM_ScaledBlitNearLiteral)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScaledBlitNearFast)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScaledBlitFarLiteral)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScaledBlitFarFast)->Unit(benchmark::kMicrosecond);
