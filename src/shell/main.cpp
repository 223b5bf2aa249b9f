// snolk: plays the show in a window (or the full screen) to its music, until
// Escape or the window is closed, then prints the average frame rate.
#include "gfx/random.h"
#include "gfx/toolkit.h"
#include "scenes/show.h"
#include "shell/display.h"
#include "shell/frame_limiter.h"
#include "shell/music.h"
#include "shell/options.h"
#include "shell/quit_signals.h"
#include "shell/startup.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

// Drains the event queue; true when the viewer asked to quit.
bool viewerQuits() {
    bool quit = false;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT ||
            (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE)) {
            quit = true;
        }
    }
    return quit || quitSignalled();
}

void printFrameRate(uint64_t frames, Uint32 demoTime) {
    printf("FPS=%f\n", demoTime == 0 ? 0.0 : (double)frames / (double)demoTime * 1000.0);
}

} // namespace

int main(int argc, char** argv) {
    LiveOptions options;
    if (parser(argc, argv, options) != 0) {
        return 1;
    }
    installQuitSignals();
    showSrand((unsigned)time(nullptr));
    findDataFolder("snolk");
    prepareShow();
    SDL_Surface* screen = openScreen(options.fullscreen, options.windowScale);
    installPresentHook(showRect);
    // The music starts where the first scene stands in the track, two
    // seconds before that scene's first frame, as at the top of the show;
    // its ending loops as the generator's loop file beside it says.
    const Uint32 trackAtOrigin = kScenes[options.firstScene].trackMs - kShowStartMs;
    if (!options.nosound) {
        startMusic(dataFilePath("data/laten2.mp3").c_str(),
                   dataFilePath("data/laten2.loop").c_str(), trackAtOrigin);
    }
    // NOTE: unsigned arithmetic; a start offset moves the origin back.
    const Uint32 origin = SDL_GetTicks() - options.hopptid - trackAtOrigin;
    SDL_Delay(kShowStartMs);

    FrameLimiter limiter;
    limiter.fps = options.fpsLimit;
    Show show = startShow(options.firstScene);
    Uint32 demoTime = 0;
    bool quit = false;
    while (!quit) {
        demoTime = SDL_GetTicks() - origin;
        stepShow(show, screen, demoTime);
        quit = viewerQuits();
        if (!quit) {
            waitForNextFrame(limiter);
        }
    }

    // NOTE: divided by the demo time, pause and -start included; a show
    // begun at a later scene does not count the part of the track it skipped.
    printFrameRate(show.frames, demoTime - trackAtOrigin);
    fflush(stdout);
    stopMusic();
    closeScreen(screen);
    releaseShow();
    return 0; // SDL_Quit runs through atexit
}
