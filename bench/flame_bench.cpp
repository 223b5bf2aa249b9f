// The flame kernel on the four 40 x 128 flames of the candlestick, each
// smoothed into the scratch buffer and copied back, as a frame does it.
#include "scenes/candle_flame.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

constexpr int kW = 40;
constexpr int kH = 128;

using Smoother = void (*)(const Uint8*, Uint8*, int, int, int);

void fourFlames(benchmark::State& state, Smoother smooth) {
    std::vector<Uint8> flames[4];
    unsigned seed = 12345;
    for (std::vector<Uint8>& flame : flames) {
        flame.resize(kW * kH);
        for (Uint8& heat : flame) {
            seed = seed * 1103515245u + 12345u;
            heat = (Uint8)(seed >> 24);
        }
    }
    std::vector<Uint8> scratch(kW * kH);
    for (auto _ : state) {
        for (std::vector<Uint8>& flame : flames) {
            smooth(flame.data(), scratch.data(), kW, kH, kW);
            memcpy(flame.data(), scratch.data(), scratch.size());
        }
        benchmark::DoNotOptimize(flames[3].data());
    }
}

void BM_FlameFourLiteral(benchmark::State& state) {
    fourFlames(state, smoothFlame);
}

void BM_FlameFourFast(benchmark::State& state) {
    fourFlames(state, smoothFlameFast);
}

} // namespace

BENCHMARK(BM_FlameFourLiteral)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FlameFourFast)->Unit(benchmark::kMicrosecond);
