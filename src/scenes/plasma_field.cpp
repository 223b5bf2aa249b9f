// The plasma's pixels, three ways that give the very same bytes.
//
// The reference writes them out pixel by pixel, exactly as its frames are
// pinned.
//
// The fast version takes no square root at all. The wave value of a centre
// is sintab[trunc(phase + d) & 255] with d the centre's distance in double
// precision, so the speed-up keeps that expression and only changes where d
// comes from: a table of every distance a centre can be from a pixel, built
// ahead, read a row at a time, two pixels at once where there is SIMD.
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

PlasmaDistances::PlasmaDistances() : table_((size_t)(kMaxY + 1) * kColumns) {
    double* out = table_.data();
    for (int dy = 0; dy <= kMaxY; ++dy) {
        for (int dx = -kMaxX; dx <= kMaxX; ++dx) {
            *out++ = sqrt((double)dx * dx + (double)dy * dy);
        }
    }
}

bool PlasmaDistances::covers(const int attx[3], const int atty[3]) {
    for (int k = 0; k < 3; ++k) {
        if (attx[k] < 0 || attx[k] > kMaxX || atty[k] < 0 || atty[k] > kMaxY) {
            return false;
        }
    }
    return true;
}

const double* PlasmaDistances::row(int cx, int cy, int y) const {
    // NOTE: the square of an offset is the square of its negation, so the
    // row of |dy| serves above and below the centre; column x - cx + kMaxX
    // holds the pixel x.
    const int dy = y > cy ? y - cy : cy - y;
    return table_.data() + (size_t)dy * kColumns + (kMaxX - cx);
}

namespace {

// Per pair of pixels of one row: their indexes for centre 0, then 1, then 2.
struct RowIndexes {
    alignas(16) int at[3 * kPlasmaWidth];
};

#if defined(__SSE2__)

// trunc(phase + d) & 255 for two distances: the truncating conversion of
// SSE2 is the C cast, and the low byte of a two's complement int is its
// remainder in 0 ... 255 also when it is negative.
inline __m128i waveIndexes(__m128d phase, const double* d) {
    return _mm_and_si128(_mm_cvttpd_epi32(_mm_add_pd(phase, _mm_loadu_pd(d))), _mm_set1_epi32(255));
}

void indexRow(RowIndexes& indexes, double phaseValue, const double* const rows[3]) {
    const __m128d phase = _mm_set1_pd(phaseValue);
    for (int x = 0; x < kPlasmaWidth; x += 2) {
        int* out = indexes.at + 3 * x;
        for (int k = 0; k < 3; ++k) {
            _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 2 * k),
                             waveIndexes(phase, rows[k] + x));
        }
    }
}

#elif defined(__wasm_simd128__)

// WebAssembly's 128-bit SIMD, two distances at a time as with SSE2. Its
// conversion saturates where SSE2's gives 0x80000000, but only outside int's
// range, which phase + d (|phase| <= 90, d < 1000) never leaves.
inline v128_t waveIndexes(v128_t phase, const double* d) {
    return wasm_v128_and(wasm_i32x4_trunc_sat_f64x2_zero(wasm_f64x2_add(phase, wasm_v128_load(d))),
                         wasm_i32x4_splat(255));
}

void indexRow(RowIndexes& indexes, double phaseValue, const double* const rows[3]) {
    const v128_t phase = wasm_f64x2_splat(phaseValue);
    for (int x = 0; x < kPlasmaWidth; x += 2) {
        int* out = indexes.at + 3 * x;
        for (int k = 0; k < 3; ++k) {
            wasm_v128_store64_lane(out + 2 * k, waveIndexes(phase, rows[k] + x), 0);
        }
    }
}

#else

// As the SIMD versions, one pixel of each pair after the other; the low byte
// of a two's complement int is its remainder in 0 ... 255 also when negative.
void indexRow(RowIndexes& indexes, double phase, const double* const rows[3]) {
    for (int x = 0; x < kPlasmaWidth; x += 2) {
        int* out = indexes.at + 3 * x;
        for (int k = 0; k < 3; ++k) {
            out[2 * k] = (int)(phase + rows[k][x]) & 255;
            out[2 * k + 1] = (int)(phase + rows[k][x + 1]) & 255;
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

void drawPlasmaFieldFast(const PlasmaDistances& distances, Uint8* pixels, float b,
                         const int attx[3], const int atty[3]) {
    if (!PlasmaDistances::covers(attx, atty)) {
        drawPlasmaField(pixels, b, attx, atty);
        return;
    }
    // NOTE: the phase is the float product, widened to double, as in the
    // plain loop.
    const double phase = (double)(b * 90);
    RowIndexes indexes;
    for (int y = 0; y < kPlasmaHeight; ++y) {
        const double* const rows[3] = {distances.row(attx[0], atty[0], y),
                                       distances.row(attx[1], atty[1], y),
                                       distances.row(attx[2], atty[2], y)};
        indexRow(indexes, phase, rows);
        sumRow(indexes, pixels + y * kPlasmaWidth);
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

void PlasmaCache::reserve() {
    if (fields == nullptr) {
        fields.reset(new (std::nothrow) Uint8[kPlasmaCycle * kFieldBytes]);
    }
}

void drawPlasmaFieldCycled(PlasmaCache& cache, const PlasmaDistances& distances, Uint8* pixels,
                           unsigned slot, float b, const int attx[3], const int atty[3]) {
    if (cache.fields == nullptr) {
        drawPlasmaFieldFast(distances, pixels, b, attx, atty);
        return;
    }
    slot %= kPlasmaCycle;
    Uint8* field = cache.fields.get() + slot * kFieldBytes;
    if (!sameInputs(cache.inputs[slot], b, attx, atty)) {
        drawPlasmaFieldFast(distances, field, b, attx, atty);
        remember(cache.inputs[slot], b, attx, atty);
    }
    memcpy(pixels, field, kFieldBytes);
}
