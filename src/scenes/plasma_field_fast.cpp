// The plasma without a library call per pixel. The wave value of a centre is
// sintab[trunc(phase + d) & 255] with d the centre's distance in double
// precision, so the speed-up keeps that expression and only changes where d
// comes from: the two centres that stay put have their distances measured
// once, and the circling centre's distances are taken two at a time with the
// SSE2 square root, which rounds exactly as sqrt does.
#include "scenes/plasma_field_fast.h"

#include "scenes/plasma_field.h"
#include "shell/sine_tables.h"

#include <emmintrin.h>

#include <cmath>
#include <vector>

namespace {

constexpr int kPixels = kPlasmaWidth * kPlasmaHeight;

// Distances of the two centres that stay put, for every pixel.
struct FixedDistances {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::vector<double> d1;
    std::vector<double> d2;
};
FixedDistances fixed;

void measureFrom(int cx, int cy, std::vector<double>& d) {
    d.resize(kPixels);
    double* out = d.data();
    for (int y = 0; y < kPlasmaHeight; ++y) {
        for (int x = 0; x < kPlasmaWidth; ++x) {
            const int dx = cx - x;
            const int dy = cy - y;
            *out++ = sqrt((double)dx * dx + (double)dy * dy);
        }
    }
}

const FixedDistances& fixedDistances(const int attx[3], const int atty[3]) {
    if (fixed.d1.empty() || fixed.x1 != attx[1] || fixed.y1 != atty[1]) {
        measureFrom(attx[1], atty[1], fixed.d1);
        fixed.x1 = attx[1];
        fixed.y1 = atty[1];
    }
    if (fixed.d2.empty() || fixed.x2 != attx[2] || fixed.y2 != atty[2]) {
        measureFrom(attx[2], atty[2], fixed.d2);
        fixed.x2 = attx[2];
        fixed.y2 = atty[2];
    }
    return fixed;
}

// trunc(phase + d) & 255 for two distances: the truncating conversion of
// SSE2 is the C cast, and the low byte of a two's complement int is its
// remainder in 0 ... 255 also when it is negative.
inline __m128i waveIndexes(__m128d phase, __m128d d) {
    return _mm_and_si128(_mm_cvttpd_epi32(_mm_add_pd(phase, d)), _mm_set1_epi32(255));
}

// The distances of one row to the circling centre, two at a time. The
// squares of whole numbers below 2^11 and their sum are exact in double, so
// only the square root rounds, as in the plain loop.
inline __m128d circlingDistances(__m128d dx, __m128d dySquared) {
    return _mm_sqrt_pd(_mm_add_pd(_mm_mul_pd(dx, dx), dySquared));
}

alignas(16) int rowIndexes[3][kPlasmaWidth];

void indexRow(int y, __m128d phase, const int attx[3], const int atty[3], const double* d1,
              const double* d2) {
    const double dy0 = (double)(atty[0] - y);
    const __m128d dySquared = _mm_set1_pd(dy0 * dy0);
    __m128d dx = _mm_set_pd((double)(attx[0] - 1), (double)attx[0]);
    const __m128d two = _mm_set1_pd(2.0);
    for (int x = 0; x < kPlasmaWidth; x += 2) {
        const __m128d d0 = circlingDistances(dx, dySquared);
        dx = _mm_sub_pd(dx, two);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(&rowIndexes[0][x]), waveIndexes(phase, d0));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(&rowIndexes[1][x]),
                         waveIndexes(phase, _mm_loadu_pd(d1 + x)));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(&rowIndexes[2][x]),
                         waveIndexes(phase, _mm_loadu_pd(d2 + x)));
    }
}

void sumRow(Uint8* out) {
    for (int x = 0; x < kPlasmaWidth; ++x) {
        // NOTE: the same single-precision sum as the plain loop, in the same
        // order; starting from the first value instead of 0 + it changes
        // at most the sign of a zero, which 3 + s removes.
        float s = sintab[rowIndexes[0][x]];
        s += sintab[rowIndexes[1][x]];
        s += sintab[rowIndexes[2][x]];
        out[x] = (Uint8)((int)((3.0f + s) * 128.0f) & 255);
    }
}

} // namespace

void drawPlasmaFieldFast(Uint8* pixels, float b, const int attx[3], const int atty[3]) {
    const FixedDistances& f = fixedDistances(attx, atty);
    const __m128d phase = _mm_set1_pd((double)(b * 90));
    for (int y = 0; y < kPlasmaHeight; ++y) {
        const int row = y * kPlasmaWidth;
        indexRow(y, phase, attx, atty, f.d1.data() + row, f.d2.data() + row);
        sumRow(pixels + row);
    }
}
