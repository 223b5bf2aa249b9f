// Our own drum kit, on the General MIDI keys it shares with the SoundFont's
// kit: a sine-sweep kick, a noise snare, closed and open hats, and a noise
// riser that swells over the length of its note.
#pragma once

#include "score.h"

#include <vector>

namespace mkmusic {

// A hit as interleaved stereo (alike on both sides); silence for a key the
// kit does not have.
void playKitHit(const NoteEvent& note, std::vector<float>& out);

} // namespace mkmusic
