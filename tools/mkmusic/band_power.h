// Power spectra of stretches of the mix (FFTW, Hann-windowed, averaged over
// overlapping windows), read as the power in frequency bands.
#pragma once

#include "renderer.h"

#include <iterator>
#include <memory>
#include <vector>

namespace mkmusic {

class PowerSpectrum {
  public:
    // Windows of `window` frames (a power of two).
    explicit PowerSpectrum(int window = 4096);
    ~PowerSpectrum();
    PowerSpectrum(const PowerSpectrum&) = delete;
    PowerSpectrum& operator=(const PowerSpectrum&) = delete;

    // The mean power spectrum, both channels summed, of the frames
    // [from, to), in windows overlapping by half; a stretch shorter than a
    // window is measured in one window, zero-padded.
    void measure(const StereoBuffer& audio, size_t from, size_t to);
    // Mean power per frame in [lowHz, highHz) of what was measured last, as
    // a share of full scale (a full-scale sine on both channels gives 1).
    double bandPower(double lowHz, double highHz) const;
    // The same per bin: bin i is i * kSampleRate / window Hz.
    const std::vector<double>& bins() const { return power_; }
    int window() const;

  private:
    struct Plan;
    std::unique_ptr<Plan> plan_;
    std::vector<double> power_;
};

// The octave bands by their centres, 31.5 Hz to 16 kHz.
inline constexpr double kOctaveCentres[] = {31.5, 63, 125, 250, 500, 1000, 2000, 4000, 8000, 16000};
inline constexpr int kOctaveCount = std::size(kOctaveCentres);

// The power of each octave of what the spectrum measured last, in dB.
std::vector<double> octaveLevels(PowerSpectrum& spectrum);

// What a bar of the mix sounds like, for finding passages played twice the
// same: the magnitude in third-octave bands (63 Hz to 12.5 kHz) of each of
// its eighths, in one vector.
std::vector<double> barPrint(PowerSpectrum& spectrum, const StereoBuffer& audio, double fromSeconds,
                             double toSeconds);

// Pearson correlation of two vectors of the same length.
double correlation(const std::vector<double>& a, const std::vector<double>& b);

} // namespace mkmusic
