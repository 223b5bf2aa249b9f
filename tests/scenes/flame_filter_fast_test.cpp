#include "scenes/candle_flame.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Heat everywhere, the padding of each row included, from a fixed sequence.
std::vector<Uint8> randomHeat(int pitch, int h, unsigned seed) {
    std::vector<Uint8> heat((size_t)pitch * h);
    for (Uint8& byte : heat) {
        seed = seed * 1103515245u + 12345u;
        byte = (Uint8)(seed >> 23);
    }
    return heat;
}

} // namespace

// The flames' own size, odd sizes, rows with padding, and pictures too small
// to smooth anything; the output starts as garbage so every byte must be
// written.
TEST(SmoothFlame, EqualsThePlainLoopByteForByte) {
    const int sizes[][3] = {{40, 128, 40}, {40, 128, 44}, {5, 3, 5},   {7, 9, 12},
                            {4, 10, 4},    {10, 2, 10},   {33, 17, 35}};
    unsigned seed = 1;
    for (const auto& size : sizes) {
        const int w = size[0];
        const int h = size[1];
        const int pitch = size[2];
        const std::vector<Uint8> in = randomHeat(pitch, h, ++seed);
        std::vector<Uint8> fast(w * h, 0xab);
        std::vector<Uint8> plain(w * h, 0xcd);
        smoothFlameFast(in.data(), fast.data(), w, h, pitch);
        smoothFlame(in.data(), plain.data(), w, h, pitch);
        EXPECT_EQ(fast, plain) << w << " x " << h << " pitch " << pitch;
    }
}
