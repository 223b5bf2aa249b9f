#include "part_level.h"

#include "biquad.h"
#include "mastering.h"

#include <algorithm>
#include <cmath>

namespace mkmusic {
namespace {

constexpr double kLowestHz = 300.0, kHighestHz = 6000.0;
// The two sections of a fourth-order Butterworth response.
constexpr double kButterworthQ[] = {0.5411961001461970, 1.3065629648763766};

StereoBuffer tuneBand(StereoBuffer audio) {
    for (size_t side = 0; side < 2; ++side) {
        Biquad sections[] = {highPassSection(kSampleRate, kLowestHz, kButterworthQ[0]),
                             highPassSection(kSampleRate, kLowestHz, kButterworthQ[1]),
                             lowPassSection(kSampleRate, kHighestHz, kButterworthQ[0]),
                             lowPassSection(kSampleRate, kHighestHz, kButterworthQ[1])};
        for (size_t at = side; at < audio.samples.size(); at += 2) {
            double x = audio.samples[at];
            for (Biquad& section : sections)
                x = section.process(x);
            audio.samples[at] = static_cast<float>(x);
        }
    }
    return audio;
}

double toDb(double ratio) {
    return ratio > 1e-10 ? 10.0 * std::log10(ratio) : -100.0;
}

} // namespace

PartInMix::PartInMix(const StereoBuffer& mix, StereoBuffer part) : mix_(tuneBand(mix)) {
    removeInfrasound(part);
    shapeTone(part);
    part_ = tuneBand(std::move(part));
}

PartLevel PartInMix::between(double fromSeconds, double toSeconds) const {
    const size_t frames = std::min(mix_.frames(), part_.frames());
    const size_t from = std::min(frames, static_cast<size_t>(fromSeconds * kSampleRate));
    const size_t to = std::min(frames, static_cast<size_t>(toSeconds * kSampleRate));
    double mix = 0.0, part = 0.0, both = 0.0;
    for (size_t i = 2 * from; i < 2 * to; ++i) {
        const double m = mix_.samples[i], p = part_.samples[i];
        mix += m * m;
        part += p * p;
        both += m * p;
    }
    if (part <= 0.0 || mix <= 0.0)
        return {};
    // The least-squares gain is both / part; what it explains of the mix:
    const double found = std::max(0.0, both) * both / part;
    return {toDb(found / mix), toDb(found / std::max(mix - found, 1e-30))};
}

} // namespace mkmusic
