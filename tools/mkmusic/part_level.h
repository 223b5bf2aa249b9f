// How loud a part of the arrangement (some of our own voices, rendered
// alone) is inside the decoded mix, in the band where a tune is heard
// (300 Hz to 6 kHz). The part is taken through the mastering's filters, and
// its gain in the mix is found over each stretch by least squares (the mix's
// projection on the part), so the mastering gain, the limiter and the coding
// need not be known.
#pragma once

#include "renderer.h"

namespace mkmusic {

struct PartLevel {
    double againstMixDb = -100.0; // the part's power against the whole mix's
    double overRestDb = -100.0;   // against everything else in the mix
};

class PartInMix {
  public:
    // `part` as renderOwnVoices gives it, as long as the mix.
    PartInMix(const StereoBuffer& mix, StereoBuffer part);
    PartLevel between(double fromSeconds, double toSeconds) const;

  private:
    StereoBuffer mix_, part_; // both band-passed
};

} // namespace mkmusic
