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

} // namespace music_test
