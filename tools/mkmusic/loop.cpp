#include "loop.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace mkmusic {
namespace {

// Long enough to smooth over what differs between the two passes (the
// reverb's slow modulation, the tails of what played before the loop), short
// enough that the blend is of two near-identical signals.
constexpr long kBlendFrames = kSampleRate / 2;

long toFrame(double seconds) {
    return std::lround(seconds * kSampleRate);
}

} // namespace

LoopPoints loopFrames(const Score& score) {
    return {toFrame(score.loopStart), toFrame(score.loopEnd)};
}

void closeLoop(StereoBuffer& audio, const LoopPoints& loop) {
    if (loop.start < kBlendFrames || loop.end - loop.start < kBlendFrames ||
        loop.end > static_cast<long>(audio.frames()))
        throw std::invalid_argument("the loop does not fit in the track");
    audio.samples.resize(static_cast<size_t>(loop.end) * 2);
    for (long i = 0; i < kBlendFrames; ++i) {
        // Raised cosine from the loop's own end (weight 0) to the frames
        // before its start (weight 1 on the last frame).
        const double weight =
            0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(i + 1) / kBlendFrames);
        const size_t at = static_cast<size_t>(loop.end - kBlendFrames + i) * 2;
        const size_t before = static_cast<size_t>(loop.start - kBlendFrames + i) * 2;
        for (int side = 0; side < 2; ++side)
            audio.samples[at + side] = static_cast<float>(
                (1.0 - weight) * audio.samples[at + side] + weight * audio.samples[before + side]);
    }
}

std::string loopFileText(const LoopPoints& loop) {
    return "# The track's ending repeats for as long as the candles burn.\n"
           "# Play sample frames [0, END), then [START, END) over and over. Frames are\n"
           "# counted at 44100 Hz from the first sample of the track as a gapless decoder\n"
           "# returns it (libmpg123's default: the LAME tag's encoder delay and padding\n"
           "# removed).\n"
           "loop " +
           std::to_string(loop.start) + " " + std::to_string(loop.end) + "\n";
}

} // namespace mkmusic
