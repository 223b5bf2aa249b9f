// Where the notes of a mix begin, and how hard: a spectral flux in the
// manner of Böck and Widmer's SuperFlux (DAFx 2013). Every 10 ms, the
// magnitude spectrum in 24 bands an octave is compressed (log10(1 + 20 x)),
// and the rises of each band over the louder of its neighbours two frames
// before are summed: an attack lifts many bands at once, a vibrato only
// moves energy between neighbours.
#pragma once

#include "renderer.h"

#include <vector>

namespace mkmusic {

class OnsetEnvelope {
  public:
    explicit OnsetEnvelope(const StereoBuffer& audio);

    // The strongest rise within 20 ms of a moment.
    double strengthNear(double seconds) const;
    // Attacks in [fromSeconds, toSeconds): peaks of the flux, the largest
    // within 30 ms either side, standing out from the flux around them
    // (100 ms before, 70 ms after) by kOnsetMargin, at least 30 ms apart.
    int onsetsBetween(double fromSeconds, double toSeconds) const;

    static constexpr double kFramesPerSecond = 100.0;
    static constexpr double kOnsetMargin = 5.0;

  private:
    std::vector<double> flux_;
    std::vector<double> onsets_; // seconds, in order
};

} // namespace mkmusic
