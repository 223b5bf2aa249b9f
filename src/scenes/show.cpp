#include "scenes/show.h"

#include "gfx/font.h"
#include "gfx/toolkit.h"

Show::Show(int first, unsigned seed)
    : scene(first < 0 ? 0 : first > kLastScene ? kLastScene : first), random(seed) {}

void stepShow(Show& show, SDL_Surface* screen, Uint32 demoTime, ShowPlatform& platform) {
    ++show.frames;
    // NOTE: the scenes' frame counter is the low 32 bits of the count, as an
    // int: a show left running for years wraps it, never the count.
    const ShowFrame frame{screen, demoTime, (int)(Uint32)show.frames, platform};
    // A scene that reports it has finished moves the index on, and the next
    // scene starts at once, in this frame.
    for (int k = show.scene; k < kSceneCount && show.scene == k; ++k) {
        show.scene = k + kScenes[k].run(show, frame);
    }
    platform.presentFrame(screen);
}

int64_t wholeShowFrames(int first, int64_t fps, int64_t firstMs) {
    int64_t n = firstFrameOfScene(kScenes, first, kLastScene, fps, firstMs);
    const Uint32 lastSceneStart = virtualClockMs(n, fps, firstMs);
    while (virtualClockMs(n, fps, firstMs) - lastSceneStart < kLastSceneShownMs) {
        ++n;
    }
    return n;
}

void prepareShow() {
    fillSintab();
    fillFontstr(redfont);
    loadFontSheet(redfont, "data/020.bmp");
}

void releaseShow() {
    if (redfont.surface != nullptr) {
        SDL_FreeSurface(redfont.surface);
        redfont.surface = nullptr;
    }
}
