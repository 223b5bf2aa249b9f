// The show: its eight scenes in order (the one list of them), and the stepper
// that runs one frame of the chain from a demo time handed in from outside,
// whether the live clock, the renderer's virtual clock or a page's audio
// clock. Data flow: start-up -> stepper -> scene -> toolkit -> screen ->
// present hook.
#pragma once

#include "scenes/scenes.h"

#include <SDL.h>

#include <array>
#include <cstdint>

// Every scene is called the same way; the table adapts those that take other
// arguments.
using SceneFunction = int (*)(SDL_Surface* screen, Uint32 demoTime, int frameCounter);

constexpr Uint32 kEndless = UINT32_MAX;

struct Scene {
    const char* name;  // what the bench and the README call it
    SceneFunction run; // draws one frame; 1 once the scene has finished
    Uint32 durationMs; // finished once its elapsed time passes this
    Uint32 trackMs;    // where it starts in the music (see placedOnTheTrack)
};

constexpr int kSceneCount = 8;
constexpr int kLastScene = kSceneCount - 1;

// The first frame of the show comes two seconds after the music starts.
constexpr Uint32 kShowStartMs = 2000;

// The virtual clock: frame n (1, 2, ...) at fps frames a second, when frame 1
// shows firstMs: firstMs + floor((n - 1) 1000 / fps), computed in 64 bits and
// kept as the unsigned 32-bit demo time.
constexpr Uint32 virtualClockMs(int64_t n, int64_t fps, int64_t firstMs) {
    return (Uint32)(firstMs + (n - 1) * 1000 / fps);
}

// The frame in which scene `scene` starts when the show runs from scene
// `from`, starting in frame 1, on the virtual clock: a scene hands over in
// the first frame whose time is past its duration, and that frame is the
// next scene's first.
constexpr int64_t firstFrameOfScene(const std::array<Scene, kSceneCount>& scenes, int from,
                                    int scene, int64_t fps, int64_t firstMs) {
    int64_t n = 1;
    for (int k = from; k < scene; ++k) {
        const Uint32 start = virtualClockMs(n, fps, firstMs);
        while (virtualClockMs(n, fps, firstMs) - start <= scenes[k].durationMs) {
            ++n;
        }
    }
    return n;
}

namespace scene_adapters {
template <int (*Run)(SDL_Surface*, Uint32)>
int withoutFrameCount(SDL_Surface* screen, Uint32 demoTime, int) {
    return Run(screen, demoTime);
}
inline int sparklerAtItsAnchor(SDL_Surface* screen, Uint32 demoTime, int) {
    return tomtebloss(screen, 300, 360, demoTime);
}
} // namespace scene_adapters

// Where each scene starts in the music: its first frame's demo time when the
// whole show plays at 60 frames a second, which is also the track's position
// then, since the music starts at demo time 0.
constexpr std::array<Scene, kSceneCount> placedOnTheTrack(std::array<Scene, kSceneCount> scenes) {
    for (int k = 0; k < kSceneCount; ++k) {
        scenes[k].trackMs =
            virtualClockMs(firstFrameOfScene(scenes, 0, k, 60, kShowStartMs), 60, kShowStartMs);
    }
    return scenes;
}

inline constexpr std::array<Scene, kSceneCount> kScenes = placedOnTheTrack({{
    {"letters", scene_adapters::withoutFrameCount<blossa>, kBlossaMs, 0},
    {"sparkler", scene_adapters::sparklerAtItsAnchor, kTomteblossMs, 0},
    {"logo", scene_adapters::withoutFrameCount<present>, kPresentMs, 0},
    {"plasma", plasma, kPlasmaMs, 0},
    {"tree", scene_adapters::withoutFrameCount<tannenbaum>, kTannenbaumMs, 0},
    {"moonlit", scene_adapters::withoutFrameCount<tomteEffekt>, kTomteEffektMs, 0},
    {"warp", scene_adapters::withoutFrameCount<warpEffekt>, kWarpEffektMs, 0},
    {"candles", scene_adapters::withoutFrameCount<ljusstake>, kEndless, 0},
}});

// The whole show ends this long after the last scene's first frame.
constexpr Uint32 kLastSceneShownMs = 10000;

// The furthest the show's clock can be moved on at the start (-start), in
// seconds.
constexpr int64_t kLatestStartSeconds = 600;

// Demo time of the first frame when the show begins with scene `first`,
// moved on by startSeconds (-start): where that scene stands in the track.
constexpr int64_t firstFrameMsOf(int first, int64_t startSeconds) {
    return (int64_t)kScenes[first].trackMs + 1000 * startSeconds;
}

// The frames of the whole show on the virtual clock, from scene `first` in
// frame 1 (at firstMs) up to the first frame at least kLastSceneShownMs
// after the last scene's first one.
int64_t wholeShowFrames(int first, int64_t fps, int64_t firstMs);

// Fills the sine tables, builds the glyph table and loads the font sheet:
// what every platform does once before the first frame.
void prepareShow();

// Frees what prepareShow loaded.
void releaseShow();

// Where the show stands between frames.
struct Show {
    uint64_t frames = 0;     // frames stepped so far; scenes get the low 32 bits
    int scene = 0;           // the current scene; it only grows
    Uint32 sceneStartMs = 0; // demo time of the current scene's first frame
    int startedScene = -1;   // the scene sceneStartMs belongs to
};

// A show that begins with scene `first` (0 for the whole show).
Show startShow(int first);

// Runs one frame: counts it, runs the current scene with this demo time (a
// scene that finishes hands over to the next one, which draws in the same
// frame with the same time), then presents the whole screen.
void stepShow(Show& show, SDL_Surface* screen, Uint32 demoTime);

// How pixels reach the viewer: the platform installs a hook that shows a
// rectangle of the screen (the window, a page's canvas); without one nothing
// is presented, as the offline renderer wants. The plasma presents its
// scroller strip through it several times a frame.
using PresentHook = void (*)(SDL_Surface* screen, int x, int y, int w, int h);
void installPresentHook(PresentHook hook);
void presentRect(SDL_Surface* screen, int x, int y, int w, int h);
