// Reads an MP3 back as a player hears it: libmpg123 with gapless decoding,
// which drops the encoder's delay and padding as the LAME tag says.
#pragma once

#include "renderer.h"

#include <string>

namespace mkmusic {

// 32-bit float stereo at kSampleRate. Throws std::runtime_error when the
// file does not open or is not such a track.
StereoBuffer decodeMp3(const std::string& path);

} // namespace mkmusic
