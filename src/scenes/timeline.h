// The show's timeline as plain data: the eight scenes in order with their
// durations, the moments inside them that the pictures and the music share,
// where each scene starts in the music, and the virtual clock that places
// frames on it. No SDL here: the stepper and the music generator both read
// this header, and the generator links nothing of the engine.
#pragma once

#include <array>
#include <cstdint>

// ---- The scenes and the moments inside them ---------------------------------

constexpr int kSceneCount = 8;
constexpr int kLastScene = kSceneCount - 1;

// A scene's duration: it finishes in the first frame whose time since its
// own first frame is past this. The last one never finishes.
constexpr uint32_t kEndless = UINT32_MAX;

// The letters: the highlight runs along the word in kLetterCycleMs (eight
// steps of 300 ms: the "o" holds for two, the last is dark), three times.
constexpr uint32_t kBlossaMs = 9300;
constexpr uint32_t kLetterCycleMs = 2400;

constexpr uint32_t kTomteblossMs = 18000; // the sparkler
constexpr uint32_t kPresentMs = 10000;    // the logo
constexpr uint32_t kPlasmaMs = 28000;     // the plasma and scroller

// The tree: two seconds, shown while its time is at most 1999 ms.
constexpr uint32_t kTannenbaumMs = 1999;

// The moonlit sky: from kSkyLatePhaseMs on, a second picture shows under the
// moon and the santas bob.
constexpr uint32_t kTomteEffektMs = 15000;
constexpr uint32_t kSkyLatePhaseMs = 7500;

// The warp: the picture holds still until kWarpHoldEndsMs, then recedes into
// a blue flash; from kWarpZoomEndsMs the field of stars and gifts flies
// straight, and from kWarpStraightEndsMs it turns.
constexpr uint32_t kWarpEffektMs = 15000;
constexpr uint32_t kWarpHoldEndsMs = 3000;
constexpr uint32_t kWarpZoomEndsMs = 6000;
constexpr uint32_t kWarpStraightEndsMs = 12000;

struct TimelineScene {
    const char* name;    // what the bench, the README and the page call it
    uint32_t durationMs; // finished once its time passes this
    uint32_t trackMs;    // where it starts in the music (see placedOnTheTrack)
};

using Timeline = std::array<TimelineScene, kSceneCount>;

// ---- The virtual clock ----------------------------------------------------------

// The first frame of the show comes two seconds after the music starts.
constexpr uint32_t kShowStartMs = 2000;

// Frame n (1, 2, ...) at fps frames a second, when frame 1 shows firstMs:
// firstMs + floor((n - 1) 1000 / fps), computed in 64 bits and kept as the
// unsigned 32-bit demo time.
constexpr uint32_t virtualClockMs(int64_t n, int64_t fps, int64_t firstMs) {
    return (uint32_t)(firstMs + (n - 1) * 1000 / fps);
}

// The frame in which scene `scene` starts when the show runs from scene
// `from`, starting in frame 1, on the virtual clock: a scene hands over in
// the first frame whose time is past its duration, and that frame is the
// next scene's first.
constexpr int64_t firstFrameOfScene(const Timeline& scenes, int from, int scene, int64_t fps,
                                    int64_t firstMs) {
    int64_t n = 1;
    for (int k = from; k < scene; ++k) {
        const uint32_t start = virtualClockMs(n, fps, firstMs);
        while (virtualClockMs(n, fps, firstMs) - start <= scenes[k].durationMs) {
            ++n;
        }
    }
    return n;
}

// Where each scene starts in the music: its first frame's demo time when the
// whole show plays at 60 frames a second, which is also the track's position
// then, since the music starts at demo time 0.
constexpr Timeline placedOnTheTrack(Timeline scenes) {
    for (int k = 0; k < kSceneCount; ++k) {
        scenes[k].trackMs =
            virtualClockMs(firstFrameOfScene(scenes, 0, k, 60, kShowStartMs), 60, kShowStartMs);
    }
    return scenes;
}

// The one list of the scenes, in the order they play.
inline constexpr Timeline kTimeline = placedOnTheTrack({{
    {"letters", kBlossaMs, 0},
    {"sparkler", kTomteblossMs, 0},
    {"logo", kPresentMs, 0},
    {"plasma", kPlasmaMs, 0},
    {"tree", kTannenbaumMs, 0},
    {"moonlit", kTomteEffektMs, 0},
    {"warp", kWarpEffektMs, 0},
    {"candles", kEndless, 0},
}});

// The scene that plays at a place in the whole show's track.
constexpr int sceneAtTrackMs(uint32_t trackMs) {
    int scene = 0;
    while (scene < kLastScene && kTimeline[scene + 1].trackMs <= trackMs) {
        ++scene;
    }
    return scene;
}

// Where the music starts when the show begins with scene `first`: where that
// scene stands in the track, two seconds before the scene's first frame, as
// at the top of the show.
constexpr uint32_t trackAtOrigin(int first) {
    return kTimeline[first].trackMs - kShowStartMs;
}

// The whole show ends this long after the last scene's first frame.
constexpr uint32_t kLastSceneShownMs = 10000;

// The furthest the show's clock can be moved on at the start (-start), in
// seconds.
constexpr int64_t kLatestStartSeconds = 600;

// Demo time of the first frame when the show begins with scene `first`,
// moved on by startSeconds (-start): where that scene stands in the track.
constexpr int64_t firstFrameMsOf(int first, int64_t startSeconds) {
    return (int64_t)kTimeline[first].trackMs + 1000 * startSeconds;
}

// The frames of the whole show on the virtual clock, from scene `first` in
// frame 1 (at firstMs) up to the first frame at least kLastSceneShownMs
// after the last scene's first one.
constexpr int64_t wholeShowFrames(int first, int64_t fps, int64_t firstMs) {
    int64_t n = firstFrameOfScene(kTimeline, first, kLastScene, fps, firstMs);
    const uint32_t lastSceneStart = virtualClockMs(n, fps, firstMs);
    while (virtualClockMs(n, fps, firstMs) - lastSceneStart < kLastSceneShownMs) {
        ++n;
    }
    return n;
}
