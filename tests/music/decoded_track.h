// Decodes an MP3 file the way the show's player does (libmpg123, gapless)
// and reads the ID3 comment the generator leaves in it.
#pragma once

#include <string>
#include <vector>

namespace music_test {

struct DecodedTrack {
    bool opened = false;
    long rate = 0;
    int channels = 0;
    std::vector<short> samples; // interleaved
    std::string comment;

    double seconds() const {
        return rate && channels ? static_cast<double>(samples.size()) / channels / rate : 0.0;
    }
};

DecodedTrack decodeMp3(const std::string& path);

// Root mean square level in dBFS of the frames between two times.
double levelBetween(const DecodedTrack& track, double fromSeconds, double toSeconds);

// How the two channels relate between two times: their correlation, and how
// much quieter their mono sum (L + R) / 2 is than the channels themselves.
struct StereoImage {
    double correlation = 0.0;
    double monoLossDb = 0.0;
};
StereoImage stereoImageBetween(const DecodedTrack& track, double fromSeconds, double toSeconds);

// Mean value of one channel over the whole track, as a share of full scale.
double dcOffset(const DecodedTrack& track, int channel);

// The moment within `window` seconds of a time where the energy of the
// signal's sample-to-sample changes grows the most (an attack), and by what
// factor it grows there (10 ms after against 10 ms before).
struct Onset {
    double seconds = 0.0;
    double growth = 0.0;
};
Onset strongestOnsetNear(const DecodedTrack& track, double seconds, double window);

} // namespace music_test
