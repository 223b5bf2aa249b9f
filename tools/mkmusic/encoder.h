// MP3 encoding with LAME: 44.1 kHz joint stereo, with a LAME tag so that
// decoders trim the coding delay and padding, and an ID3v2 tag that names
// the track and how it was made.
#pragma once

#include "renderer.h"

#include <ostream>
#include <string>

namespace mkmusic {

struct TrackTags {
    std::string title;
    std::string artist;
    std::string comment; // the rendering fingerprint
};

enum class Mp3Rate {
    Release, // a constant 224 kbit/s
    Web,     // variable, about 128 kbit/s: the web page's smaller download
};

// Writes the MP3 to a seekable stream (the LAME tag is patched in at the
// start at the end). Throws std::runtime_error when the encoder or the
// stream fails.
void encodeMp3(const StereoBuffer& audio, const TrackTags& tags, Mp3Rate rate, std::ostream& out);

// "lame X.Y": part of the fingerprint of a rendering.
std::string encoderVersion();

} // namespace mkmusic
