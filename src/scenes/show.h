// The show: a value that owns everything a show changes, its eight scenes in
// order (the one list of them), and the stepper that runs one frame of the
// chain from a demo time handed in from outside, whether the live clock, the
// renderer's virtual clock or a page's audio clock. Data flow: start-up ->
// stepper -> scene -> toolkit -> screen -> platform.
#pragma once

#include "gfx/random.h"
#include "scenes/scene_state.h"
#include "scenes/scenes.h"

#include <SDL.h>

#include <array>
#include <cstdint>

// How the show's pixels reach the viewer: each platform (the window, a
// page's canvas, a video, the tests) implements it. This one shows nothing,
// as the offline renderer wants.
class ShowPlatform {
  public:
    virtual ~ShowPlatform() = default;

    // The frame is drawn: show the whole screen. Once at the end of every
    // frame.
    virtual void presentFrame(SDL_Surface* screen) { (void)screen; }

    // Shows the top `height` rows of the screen now, in the middle of a
    // frame: the plasma's scroller strip, after each one-pixel step.
    virtual void presentStrip(SDL_Surface* screen, int height) {
        (void)screen;
        (void)height;
    }
};

constexpr int kSceneCount = 8;
constexpr int kLastScene = kSceneCount - 1;

// Everything a show changes: every scene's state with the pictures it
// loaded, the random generator, the frame count and the scene index. Two
// shows are independent of each other; dropping one frees all it loaded.
// What is set once before any show (the sine tables, the font, the data
// folder, the kernel switch) is the toolkit's.
struct Show {
    // A show that begins with scene `first` (clamped to 0 ... kLastScene),
    // its random numbers those of srand(seed).
    explicit Show(int first = 0, unsigned seed = 1);

    uint64_t frames = 0; // frames stepped so far; scenes get the low 32 bits
    int scene = 0;       // the current scene; it only grows
    ShowRandom random;

    LetterIntroState letters;
    SparklerState sparkler;
    PresentState logo;
    PlasmaState plasma;
    TreeState tree;
    MoonlitSkyState sky;
    WarpSequenceState warp;
    CandlestickState candles;
};

// What every scene is handed in a frame, besides its state.
struct ShowFrame {
    SDL_Surface* screen;
    Uint32 demoTime;
    int frameCounter; // the low 32 bits of the show's frame count
    ShowPlatform& platform;
};

// Every scene is called the same way; the table hands each its own state.
using SceneFunction = int (*)(Show& show, const ShowFrame& frame);

constexpr Uint32 kEndless = UINT32_MAX;

struct Scene {
    const char* name;  // what the bench and the README call it
    SceneFunction run; // draws one frame; 1 once the scene has finished
    Uint32 durationMs; // finished once its elapsed time passes this
    Uint32 trackMs;    // where it starts in the music (see placedOnTheTrack)
};

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

// The sparkler burns around this anchor.
constexpr int kSparklerX = 300;
constexpr int kSparklerY = 360;

inline constexpr std::array<Scene, kSceneCount> kScenes = placedOnTheTrack({{
    {"letters",
     [](Show& show, const ShowFrame& f) { return blossa(show.letters, f.screen, f.demoTime); },
     kBlossaMs, 0},
    {"sparkler",
     [](Show& show, const ShowFrame& f) {
         return tomtebloss(show.sparkler, show.random, f.screen, kSparklerX, kSparklerY,
                           f.demoTime);
     },
     kTomteblossMs, 0},
    {"logo", [](Show& show, const ShowFrame& f) { return present(show.logo, f.screen, f.demoTime); },
     kPresentMs, 0},
    {"plasma",
     [](Show& show, const ShowFrame& f) {
         return plasma(show.plasma, show.random, f.platform, f.screen, f.demoTime, f.frameCounter);
     },
     kPlasmaMs, 0},
    {"tree",
     [](Show& show, const ShowFrame& f) { return tannenbaum(show.tree, f.screen, f.demoTime); },
     kTannenbaumMs, 0},
    {"moonlit",
     [](Show& show, const ShowFrame& f) {
         return tomteEffekt(show.sky, show.random, f.screen, f.demoTime);
     },
     kTomteEffektMs, 0},
    {"warp",
     [](Show& show, const ShowFrame& f) {
         return warpEffekt(show.warp, show.random, f.screen, f.demoTime);
     },
     kWarpEffektMs, 0},
    {"candles",
     [](Show& show, const ShowFrame& f) { return ljusstake(show.candles, f.screen, f.demoTime); },
     kEndless, 0},
}});

// Where the music starts when the show begins with scene `first`: where that
// scene stands in the track, two seconds before the scene's first frame, as
// at the top of the show.
constexpr Uint32 trackAtOrigin(int first) {
    return kScenes[first].trackMs - kShowStartMs;
}

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
// what every platform does once before the first show.
void prepareShow();

// Frees what prepareShow loaded.
void releaseShow();

// Runs one frame: counts it, runs the current scene with this demo time (a
// scene that finishes hands over to the next one, which draws in the same
// frame with the same time), then has the platform present the frame.
void stepShow(Show& show, SDL_Surface* screen, Uint32 demoTime, ShowPlatform& platform);
