// MP3 encoding with LAME: 44.1 kHz joint stereo at a constant 224 kbit/s,
// with a LAME tag so that decoders trim the coding delay and padding, and an
// ID3v2 tag that names the track and how it was made.
#pragma once

#include "renderer.h"

#include <string>

namespace mkmusic {

struct TrackTags {
    std::string title;
    std::string artist;
    std::string comment; // the rendering fingerprint
};

// Throws std::runtime_error when the encoder or the output file fails.
void encodeMp3(const StereoBuffer& audio, const TrackTags& tags, const std::string& path);

// "lame X.Y": part of the fingerprint of a rendering.
std::string encoderVersion();

} // namespace mkmusic
