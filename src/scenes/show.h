// The show: a value that owns everything a show changes, the scene table
// (each scene of the timeline with the function that draws it), and the
// stepper that runs one frame of the chain from a demo time handed in from
// outside, whether the live clock, the renderer's virtual clock or a page's
// audio clock. Data flow: assets loaded ahead -> stepper -> scene ->
// toolkit -> screen -> platform.
#pragma once

#include "gfx/random.h"
#include "scenes/scene_state.h"
#include "scenes/scenes.h"
#include "scenes/show_assets.h"
#include "scenes/timeline.h"

#include <SDL.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>

// How the show's pixels reach the viewer: each platform (the window, a
// page's canvas, the tests) implements it. This one shows nothing, as the
// offline renderer and a show run only to reach a moment want.
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

// Everything a show changes: every scene's and sub-effect's state with the
// surfaces it draws into, the random generator, the frame count, the scene
// index and when the scene began. What it only reads (pictures, palettes,
// tables, the font) are its assets, loaded ahead and shared. A show is a
// value: a copy goes on exactly as the original would, and dropping one
// frees what it owns.
struct Show {
    // A show that begins with scene `first` (clamped to 0 ... kLastScene),
    // its random numbers those of srand(seed), drawn with these assets.
    explicit Show(const ShowAssets& assets, int first = 0, unsigned seed = 1);

    const ShowAssets* assets;
    FILE* console = stdout; // where the show's console lines go; NULL: nowhere

    uint64_t frames = 0; // frames stepped so far; scenes get the low 32 bits
    int scene = 0;       // the current scene; it only grows
    // Demo time of the current scene's first frame, from that frame on: the
    // one start time of the show, kept by the stepper.
    std::optional<Uint32> sceneStartMs;
    ShowRandom random;

    SparklerState sparkler;
    PresentState logo;
    PlasmaState plasma;
    MoonlitSkyState sky;
    WarpSequenceState warp;
    CandlestickState candles;
};

// Every scene is called the same way; the table hands each its own
// pictures and state.
using SceneFunction = int (*)(Show& show, const ShowFrame& frame);

// The function that draws each scene of the timeline, in its order.
extern const std::array<SceneFunction, kSceneCount> kSceneFunctions;

// Runs one frame: counts it, runs the current scene with this demo time (a
// scene that finishes hands over to the next one, which begins in the same
// frame with the same time), then has the platform present the frame.
void stepShow(Show& show, SDL_Surface* screen, Uint32 demoTime, ShowPlatform& platform);
