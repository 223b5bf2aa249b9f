// A look-ahead peak limiter working on true (inter-sample) peaks: it lowers
// the gain smoothly before a peak that would pass the ceiling, and lets it
// recover slowly afterwards.
#pragma once

#include "renderer.h"

namespace mkmusic {

struct LimiterSettings {
    double ceilingDb = -1.5;
    double lookAheadSeconds = 0.005;
    double releaseSeconds = 0.15;
};

void limitPeaks(StereoBuffer& audio, const LimiterSettings& settings);

} // namespace mkmusic
