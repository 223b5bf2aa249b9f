// The ending that repeats for as long as the last scene lasts: where it lies
// in the track, how its end is joined to its start, and the small text file
// that tells the players.
#pragma once

#include "renderer.h"
#include "score.h"

#include <string>

namespace mkmusic {

// Sample frames at kSampleRate from the track's first rendered sample; the
// loop is [start, end), and the track ends at end.
struct LoopPoints {
    long start = 0;
    long end = 0;
};

LoopPoints loopFrames(const Score& score);

// Cuts the track at the loop's end and blends the loop's last frames into
// the frames that lead up to its start: playing on from end - 1 to start is
// then as smooth as the first time through, from start - 1 to start. Throws
// std::invalid_argument when the loop does not fit in the audio.
void closeLoop(StereoBuffer& audio, const LoopPoints& loop);

// Comment lines starting with '#' and one line "loop START END".
std::string loopFileText(const LoopPoints& loop);

} // namespace mkmusic
