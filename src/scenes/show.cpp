#include "scenes/show.h"

#include "gfx/font.h"
#include "gfx/toolkit.h"

namespace {

// The sparkler burns around this anchor.
constexpr int kSparklerX = 300;
constexpr int kSparklerY = 360;

} // namespace

const std::array<SceneFunction, kSceneCount> kSceneFunctions = {{
    [](Show& show, const ShowFrame& f) { return blossa(show.assets->letters, f); },
    [](Show& show, const ShowFrame& f) {
        return tomtebloss(show.assets->sparkler, show.sparkler, f, kSparklerX, kSparklerY);
    },
    [](Show& show, const ShowFrame& f) { return present(show.assets->logo, show.logo, f); },
    [](Show& show, const ShowFrame& f) { return plasma(show.assets->plasma, show.plasma, f); },
    [](Show& show, const ShowFrame& f) { return tannenbaum(show.assets->tree, f); },
    [](Show& show, const ShowFrame& f) { return tomteEffekt(show.assets->sky, show.sky, f); },
    [](Show& show, const ShowFrame& f) { return warpEffekt(show.assets->warp, show.warp, f); },
    [](Show& show, const ShowFrame& f) { return ljusstake(show.assets->candles, show.candles, f); },
}};

Show::Show(const ShowAssets& assets, int first, unsigned seed)
    : assets(&assets), scene(first < 0            ? 0
                             : first > kLastScene ? kLastScene
                                                  : first),
      random(seed) {
    // The surfaces the show draws into are its own; they are made now, so
    // that no frame makes one.
    plasma.plasma.reset(createPlasmaSurface(assets.plasma));
    makeCandleSurfaces(assets.candles, candles, assets.kernels);
}

void stepShow(Show& show, SDL_Surface* screen, Uint32 demoTime, ShowPlatform& platform) {
    ++show.frames;
    const ShowAssets& assets = *show.assets;
    // A scene that reports it has finished moves the index on, and the next
    // scene begins at once, in this frame, with the same demo time.
    for (int k = show.scene; k < kSceneCount && show.scene == k; ++k) {
        const bool begins = !show.sceneStartMs.has_value();
        if (begins) {
            show.sceneStartMs = demoTime;
        }
        // NOTE: the elapsed time is unsigned, as differences of the clock are;
        // the scenes' frame counter is the low 32 bits of the count, as an
        // int: a show left running for years wraps it, never the count.
        const ShowFrame frame{screen,
                              demoTime,
                              demoTime - *show.sceneStartMs,
                              begins,
                              (int)(Uint32)show.frames,
                              show.random,
                              assets.redfont,
                              assets.kernels,
                              show.console,
                              platform};
        if (kSceneFunctions[k](show, frame) != 0) {
            show.scene = k + 1;
            show.sceneStartMs.reset();
        }
    }
    platform.presentFrame(screen);
}
