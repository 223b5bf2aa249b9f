// The plasma's pixels, three ways that give the very same bytes.
//
// The reference writes them out pixel by pixel, exactly as its frames are
// pinned.
//
// The fast version works without a library call per pixel. The wave value of a centre is
// sintab[trunc(phase + d) & 255] with d the centre's distance in double
// precision, so the speed-up keeps that expression and only changes where d
// comes from: the two centres that stay put have their distances measured
// once, and the circling centre's distances are taken two at a time with the
// SSE2 square root, which rounds exactly as sqrt does (one at a time where
// there is no SSE2, as in WebAssembly).
//
// The cycle: the plasma repeats itself every 64 frames, so each frame of the
// cycle is drawn once and copied back on its later turns.
#include "scenes/plasma_field.h"

#include "gfx/toolkit.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#elif defined(__wasm_simd128__)
#include <wasm_simd128.h>
#endif

#include <cmath>
#include <cstring>
#include <new>
#include <vector>

// ---- Reference ----------------------------------------------------------------

namespace {

// The wave value of every centre at (x, y), summed and folded into a byte.
inline Uint8 plasmaPixel(int x, int y, float phase, const int attx[3], const int atty[3]) {
    float s = 0;
    for (int k = 0; k < 3; ++k) {
        const int dx = attx[k] - x;
        const int dy = atty[k] - y;
        const double d = sqrt((double)dx * dx + (double)dy * dy);
        // NOTE: the phase is a float product widened to double before the
        // distance is added; the index wraps into 0 ... 255 also when negative.
        const int j = (int)(phase + d);
        s += sintab[((j % 256) + 256) % 256];
    }
    // NOTE: 0 ... 767 in single precision, and only the low byte is kept: the
    // palette is run through three times.
    const int v = (int)((3.0f + s) * 128.0f);
    return (Uint8)(v & 255);
}

} // namespace

void drawPlasmaField(Uint8* pixels, float b, const int attx[3], const int atty[3]) {
    const float phase = b * 90;
    Uint8* out = pixels;
    for (int y = 0; y < kPlasmaHeight; ++y) {
        for (int x = 0; x < kPlasmaWidth; ++x) {
            *out++ = plasmaPixel(x, y, phase, attx, atty);
        }
    }
}

// ---- Fast -------------------------------------------------------------------------

namespace {

constexpr int kPixels = kPlasmaWidth * kPlasmaHeight;

double distance(int cx, int cy, int x, int y) {
    const int dx = cx - x;
    const int dy = cy - y;
    return sqrt((double)dx * dx + (double)dy * dy);
}

void measure(PlasmaCache::FixedDistances& fixed, const int attx[3], const int atty[3]) {
    fixed.pairs.resize(2 * (size_t)kPixels);
    double* out = fixed.pairs.data();
    for (int y = 0; y < kPlasmaHeight; ++y) {
        for (int x = 0; x < kPlasmaWidth; x += 2) {
            *out++ = distance(attx[1], atty[1], x, y);
            *out++ = distance(attx[1], atty[1], x + 1, y);
            *out++ = distance(attx[2], atty[2], x, y);
            *out++ = distance(attx[2], atty[2], x + 1, y);
        }
    }
    fixed.x1 = attx[1];
    fixed.y1 = atty[1];
    fixed.x2 = attx[2];
    fixed.y2 = atty[2];
}

const double* fixedDistances(PlasmaCache::FixedDistances& fixed, const int attx[3],
                             const int atty[3]) {
    if (fixed.x1 != attx[1] || fixed.y1 != atty[1] || fixed.x2 != attx[2] || fixed.y2 != atty[2]) {
        measure(fixed, attx, atty);
    }
    return fixed.pairs.data();
}

// Per pair of pixels of one row: their indexes for centre 0, then 1, then 2.
struct RowIndexes {
    alignas(16) int at[3 * kPlasmaWidth];
};

#if defined(__SSE2__)

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

void indexRow(RowIndexes& indexes, int y, double phaseValue, const int attx[3], const int atty[3],
              const double* pairs) {
    const __m128d phase = _mm_set1_pd(phaseValue);
    const double dy0 = (double)(atty[0] - y);
    const __m128d dySquared = _mm_set1_pd(dy0 * dy0);
    __m128d dx = _mm_set_pd((double)(attx[0] - 1), (double)attx[0]);
    const __m128d two = _mm_set1_pd(2.0);
    for (int x = 0; x < kPlasmaWidth; x += 2) {
        const __m128d d0 = circlingDistances(dx, dySquared);
        dx = _mm_sub_pd(dx, two);
        int* out = indexes.at + 3 * x;
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out), waveIndexes(phase, d0));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 2),
                         waveIndexes(phase, _mm_loadu_pd(pairs + 2 * x)));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 4),
                         waveIndexes(phase, _mm_loadu_pd(pairs + 2 * x + 2)));
    }
}

#elif defined(__wasm_simd128__)

// WebAssembly's 128-bit SIMD, two distances at a time as with SSE2. Its
// conversion saturates where SSE2's gives 0x80000000, but only outside int's
// range, which phase + d (|phase| <= 90, d < 1000) never leaves.
inline v128_t waveIndexes(v128_t phase, v128_t d) {
    return wasm_v128_and(wasm_i32x4_trunc_sat_f64x2_zero(wasm_f64x2_add(phase, d)),
                         wasm_i32x4_splat(255));
}

inline v128_t circlingDistances(v128_t dx, v128_t dySquared) {
    return wasm_f64x2_sqrt(wasm_f64x2_add(wasm_f64x2_mul(dx, dx), dySquared));
}

void indexRow(RowIndexes& indexes, int y, double phaseValue, const int attx[3], const int atty[3],
              const double* pairs) {
    const v128_t phase = wasm_f64x2_splat(phaseValue);
    const double dy0 = (double)(atty[0] - y);
    const v128_t dySquared = wasm_f64x2_splat(dy0 * dy0);
    v128_t dx = wasm_f64x2_make((double)attx[0], (double)(attx[0] - 1));
    const v128_t two = wasm_f64x2_splat(2.0);
    for (int x = 0; x < kPlasmaWidth; x += 2) {
        const v128_t d0 = circlingDistances(dx, dySquared);
        dx = wasm_f64x2_sub(dx, two);
        int* out = indexes.at + 3 * x;
        wasm_v128_store64_lane(out, waveIndexes(phase, d0), 0);
        wasm_v128_store64_lane(out + 2, waveIndexes(phase, wasm_v128_load(pairs + 2 * x)), 0);
        wasm_v128_store64_lane(out + 4, waveIndexes(phase, wasm_v128_load(pairs + 2 * x + 2)), 0);
    }
}

#else

// trunc(phase + d) & 255, the low byte of a two's complement int being its
// remainder in 0 ... 255 also when it is negative.
inline int waveIndex(double phase, double d) {
    return (int)(phase + d) & 255;
}

// As the SSE2 version, one pixel of each pair after the other.
void indexRow(RowIndexes& indexes, int y, double phase, const int attx[3], const int atty[3],
              const double* pairs) {
    const double dy0 = (double)(atty[0] - y);
    const double dySquared = dy0 * dy0;
    for (int x = 0; x < kPlasmaWidth; x += 2) {
        int* out = indexes.at + 3 * x;
        for (int k = 0; k < 2; ++k) {
            const double dx = (double)(attx[0] - x - k);
            out[k] = waveIndex(phase, sqrt(dx * dx + dySquared));
            out[2 + k] = waveIndex(phase, pairs[2 * x + k]);
            out[4 + k] = waveIndex(phase, pairs[2 * x + 2 + k]);
        }
    }
}

#endif

// NOTE: the same single-precision sum as the plain loop, in the same order;
// starting from the first value instead of 0 + it changes at most the sign
// of a zero, which 3 + s removes.
inline Uint8 plasmaByte(int i0, int i1, int i2) {
    float s = sintab[i0];
    s += sintab[i1];
    s += sintab[i2];
    return (Uint8)((int)((3.0f + s) * 128.0f) & 255);
}

void sumRow(const RowIndexes& indexes, Uint8* out) {
    const int* in = indexes.at;
    for (int x = 0; x < kPlasmaWidth; x += 2, in += 6) {
        out[x] = plasmaByte(in[0], in[2], in[4]);
        out[x + 1] = plasmaByte(in[1], in[3], in[5]);
    }
}

} // namespace

void drawPlasmaFieldFast(PlasmaCache& cache, Uint8* pixels, float b, const int attx[3],
                         const int atty[3]) {
    const double* pairs = fixedDistances(cache.fixed, attx, atty);
    const double phase = (double)(b * 90);
    RowIndexes indexes;
    for (int y = 0; y < kPlasmaHeight; ++y) {
        const int row = y * kPlasmaWidth;
        indexRow(indexes, y, phase, attx, atty, pairs + 2 * row);
        sumRow(indexes, pixels + row);
    }
}

// ---- Cycle ------------------------------------------------------------------------

namespace {

constexpr size_t kFieldBytes = (size_t)kPlasmaWidth * kPlasmaHeight;

using SlotInputs = PlasmaCache::SlotInputs;

Uint32 bitsOf(float value) {
    Uint32 bits;
    memcpy(&bits, &value, sizeof bits);
    return bits;
}

bool sameInputs(const SlotInputs& slot, float b, const int attx[3], const int atty[3]) {
    return slot.drawn && slot.phaseBits == bitsOf(b) &&
           memcmp(slot.attx, attx, sizeof slot.attx) == 0 &&
           memcmp(slot.atty, atty, sizeof slot.atty) == 0;
}

void remember(SlotInputs& slot, float b, const int attx[3], const int atty[3]) {
    slot.drawn = true;
    slot.phaseBits = bitsOf(b);
    memcpy(slot.attx, attx, sizeof slot.attx);
    memcpy(slot.atty, atty, sizeof slot.atty);
}

} // namespace

bool drawPlasmaFieldCycled(PlasmaCache& cache, Uint8* pixels, unsigned slot, float b,
                           const int attx[3], const int atty[3]) {
    if (cache.fields == nullptr) {
        cache.fields.reset(new (std::nothrow) Uint8[kPlasmaCycle * kFieldBytes]);
    }
    if (cache.fields == nullptr) {
        drawPlasmaFieldFast(cache, pixels, b, attx, atty);
        return false;
    }
    slot %= kPlasmaCycle;
    Uint8* field = cache.fields.get() + slot * kFieldBytes;
    if (!sameInputs(cache.inputs[slot], b, attx, atty)) {
        drawPlasmaFieldFast(cache, field, b, attx, atty);
        remember(cache.inputs[slot], b, attx, atty);
    }
    memcpy(pixels, field, kFieldBytes);
    return true;
}
