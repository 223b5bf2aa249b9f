// The show's timing as the music needs it: when each scene starts on the
// track, and the moments inside scenes that the music marks. The values are
// the show's own (scene table and scene constants); this header is the one
// place the generator reads them from.
#pragma once

namespace mkmusic::show {

// Millisecond of the track where scene k starts (its first frame at 60
// frames a second): letter intro, sparkler, logo, plasma, tree, moonlit sky,
// warp, candles.
inline constexpr int kSceneTrackMs[] = {2000, 11316, 29333, 39350, 67366, 69366, 84383, 99400};
inline constexpr int kSceneCount = 8;

constexpr int sceneStartMs(int scene) {
    return kSceneTrackMs[scene];
}

// The letter intro: one run of the highlight along the word, eight steps of
// 300 ms (the "o" holds for two, and the last is dark).
inline constexpr int kLetterCycleMs = 2400;
// Moonlit sky: the santas start to bob, from the scene's start.
inline constexpr int kSkyLatePhaseMs = 7500;
// Warp, from the scene's start: the hold ends, the zoom ends, the straight
// flight ends.
inline constexpr int kWarpHoldEndsMs = 3000;
inline constexpr int kWarpZoomEndsMs = 6000;
inline constexpr int kWarpStraightEndsMs = 12000;

} // namespace mkmusic::show
