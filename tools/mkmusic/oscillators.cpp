#include "oscillators.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

namespace mkmusic {

WaveTable::WaveTable(int harmonics) : points_(kSize + 1) {
    // The saw is -2 / pi times the sum of sin(2 pi h phase) / h. FFTW's
    // unnormalised backward transform sums X[h] e^(2 pi i h n / N) over both
    // halves, so a term b sin(x) is X[h] = -i b / 2.
    fftw_complex* spectrum = fftw_alloc_complex(kSize / 2 + 1);
    double* cycle = fftw_alloc_real(kSize);
    fftw_plan plan = fftw_plan_dft_c2r_1d(kSize, spectrum, cycle, FFTW_ESTIMATE);
    for (int h = 0; h <= kSize / 2; ++h) {
        spectrum[h][0] = 0.0;
        spectrum[h][1] = h >= 1 && h <= harmonics ? 1.0 / (std::numbers::pi * h) : 0.0;
    }
    fftw_execute(plan);
    for (int i = 0; i < kSize; ++i)
        points_[i] = cycle[i];
    points_[kSize] = points_[0];
    fftw_destroy_plan(plan);
    fftw_free(cycle);
    fftw_free(spectrum);
}

const WaveTable& WaveTable::sawFor(double highestHz) {
    static std::map<int, WaveTable> made; // by the number of harmonics
    const int harmonics = std::max(1, static_cast<int>(kTopHz / highestHz));
    auto found = made.find(harmonics);
    if (found == made.end())
        found = made.emplace(harmonics, WaveTable(harmonics)).first;
    return found->second;
}

} // namespace mkmusic
