// The video's sound, decoded by the live show's own player: the same track
// and loop checks, the same seeks and the same sample-exact loop, so the
// video sounds as the show does and a track the show plays never fails the
// encoder.
#pragma once

#include "shell/music.h"

#include <cstdint>
#include <cstdio>

// Plays `frames` sample frames of the stream (silence once the track has
// ended) into the file out as raw 16-bit stereo at the stream's rate, fading
// out linearly over the second from fadeFrom (a sample frame; negative: no
// fade). False after a message on err when the file cannot be written, or
// as soon as a quit signal comes.
bool decodeVideoSound(MusicStream* stream, int64_t frames, int64_t fadeFrom, FILE* out, FILE* err);
