#include "band_power.h"

#include "loudness.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace mkmusic {

struct PowerSpectrum::Plan {
    const int window, bins = window / 2 + 1;
    double* input = fftw_alloc_real(window);
    fftw_complex* output = fftw_alloc_complex(bins);
    // FFTW_ESTIMATE: the plan, and so every figure, is the same on every run.
    fftw_plan plan = fftw_plan_dft_r2c_1d(window, input, output, FFTW_ESTIMATE);
    std::vector<double> hann = std::vector<double>(window);
    double windowPower = 0.0;

    explicit Plan(int size) : window(size) {
        for (int i = 0; i < window; ++i) {
            hann[i] = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * i / window);
            windowPower += hann[i] * hann[i];
        }
    }
    ~Plan() {
        fftw_destroy_plan(plan);
        fftw_free(output);
        fftw_free(input);
    }
};

PowerSpectrum::PowerSpectrum(int window)
    : plan_(std::make_unique<Plan>(window)), power_(plan_->bins) {}
PowerSpectrum::~PowerSpectrum() = default;

int PowerSpectrum::window() const {
    return plan_->window;
}

void PowerSpectrum::measure(const StereoBuffer& audio, size_t from, size_t to) {
    std::fill(power_.begin(), power_.end(), 0.0);
    to = std::min(to, audio.frames());
    const int window = plan_->window, bins = plan_->bins;
    int windows = 0;
    for (size_t start = from; start == from || start + window <= to; start += window / 2) {
        for (int side = 0; side < 2; ++side) {
            for (int i = 0; i < window; ++i) {
                const size_t frame = start + static_cast<size_t>(i);
                const double x = frame < to ? audio.samples[frame * 2 + side] : 0.0;
                plan_->input[i] = x * plan_->hann[i];
            }
            fftw_execute(plan_->plan);
            for (int bin = 0; bin < bins; ++bin) {
                const double re = plan_->output[bin][0], im = plan_->output[bin][1];
                // One-sided: every bin but DC and Nyquist stands for two.
                const double sides = bin == 0 || bin == bins - 1 ? 1.0 : 2.0;
                power_[bin] += sides * (re * re + im * im) / plan_->windowPower;
            }
        }
        ++windows;
    }
    for (double& value : power_)
        value /= static_cast<double>(windows) * window;
}

double PowerSpectrum::bandPower(double lowHz, double highHz) const {
    double sum = 0.0;
    for (int bin = 0; bin < plan_->bins; ++bin) {
        const double hz = static_cast<double>(bin) * kSampleRate / plan_->window;
        if (hz >= lowHz && hz < highHz)
            sum += power_[bin];
    }
    return sum;
}

std::vector<double> octaveLevels(PowerSpectrum& spectrum) {
    std::vector<double> levels;
    for (double centre : kOctaveCentres)
        levels.push_back(10.0 * std::log10(spectrum.bandPower(centre / std::numbers::sqrt2,
                                                              centre * std::numbers::sqrt2) +
                                           1e-20));
    return levels;
}

std::vector<double> barPrint(PowerSpectrum& spectrum, const StereoBuffer& audio, double fromSeconds,
                             double toSeconds) {
    constexpr int kSlices = 8;
    std::vector<double> print;
    for (int slice = 0; slice < kSlices; ++slice) {
        const double at = fromSeconds + (toSeconds - fromSeconds) * slice / kSlices;
        const double next = fromSeconds + (toSeconds - fromSeconds) * (slice + 1) / kSlices;
        spectrum.measure(audio, static_cast<size_t>(at * kSampleRate),
                         static_cast<size_t>(next * kSampleRate));
        for (int third = 0; third < 24; ++third) {
            const double centre = 63.0 * std::pow(2.0, third / 3.0);
            print.push_back(std::sqrt(spectrum.bandPower(centre / std::pow(2.0, 1.0 / 6.0),
                                                         centre * std::pow(2.0, 1.0 / 6.0))));
        }
    }
    return print;
}

double correlation(const std::vector<double>& a, const std::vector<double>& b) {
    const size_t n = std::min(a.size(), b.size());
    double meanA = 0.0, meanB = 0.0;
    for (size_t i = 0; i < n; ++i) {
        meanA += a[i] / n;
        meanB += b[i] / n;
    }
    double ab = 0.0, aa = 0.0, bb = 0.0;
    for (size_t i = 0; i < n; ++i) {
        ab += (a[i] - meanA) * (b[i] - meanB);
        aa += (a[i] - meanA) * (a[i] - meanA);
        bb += (b[i] - meanB) * (b[i] - meanB);
    }
    return ab / std::sqrt(aa * bb + 1e-30);
}

} // namespace mkmusic
