#include "oscillators.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <utility>

namespace mkmusic {
namespace {

// The coefficient of sin(2 pi h phase) in each shape: the saw rises from -1
// to 1, the triangle peaks at +1 a quarter into the cycle.
double sineCoefficient(WaveTable::Shape shape, int h) {
    if (shape == WaveTable::Saw)
        return -2.0 / (std::numbers::pi * h);
    if (h % 2 == 0)
        return 0.0;
    const double sign = (h / 2) % 2 == 0 ? 1.0 : -1.0;
    return sign * 8.0 / (std::numbers::pi * std::numbers::pi * h * h);
}

} // namespace

WaveTable::WaveTable(Shape shape, int harmonics) : points_(kSize + 1) {
    // The inverse transform of the series: FFTW's unnormalised backward
    // transform sums X[h] e^(2 pi i h n / N) over both halves, so a term
    // b sin(x) is X[h] = -i b / 2.
    fftw_complex* spectrum = fftw_alloc_complex(kSize / 2 + 1);
    double* cycle = fftw_alloc_real(kSize);
    fftw_plan plan = fftw_plan_dft_c2r_1d(kSize, spectrum, cycle, FFTW_ESTIMATE);
    for (int h = 0; h <= kSize / 2; ++h) {
        spectrum[h][0] = 0.0;
        spectrum[h][1] = h >= 1 && h <= harmonics ? -sineCoefficient(shape, h) / 2.0 : 0.0;
    }
    fftw_execute(plan);
    for (int i = 0; i < kSize; ++i)
        points_[i] = cycle[i];
    points_[kSize] = points_[0];
    fftw_destroy_plan(plan);
    fftw_free(cycle);
    fftw_free(spectrum);
}

const WaveTable& WaveTable::forPitch(Shape shape, double highestHz) {
    static std::map<std::pair<Shape, int>, WaveTable> made;
    const int harmonics = std::max(1, static_cast<int>(kTopHz / highestHz));
    auto found = made.find({shape, harmonics});
    if (found == made.end())
        found = made.emplace(std::pair{shape, harmonics}, WaveTable(shape, harmonics)).first;
    return found->second;
}

} // namespace mkmusic
