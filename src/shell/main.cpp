// snolk: plays the show in a window (or the full screen) to its music, until
// Escape or the window is closed, then prints the average frame rate.
#include "shell/display.h"
#include "shell/frame_limiter.h"
#include "shell/music.h"
#include "shell/options.h"
#include "shell/quit_signals.h"
#include "shell/scene_chain.h"
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

void printFrameRate(Uint64 frames, Uint32 demoTime) {
    printf("FPS=%f\n", demoTime == 0 ? 0.0 : (double)frames / (double)demoTime * 1000.0);
}

} // namespace

int main(int argc, char** argv) {
    if (parser(argc, argv) != 0) {
        return 1;
    }
    srand(time(nullptr));
    prepareShow();
    SDL_Surface* screen = openScreen(fullscreen, windowScale);
    installQuitSignals();
    if (!nosound) {
        startMusic("data/laten2.mp3");
    }
    // NOTE: unsigned arithmetic; a start offset moves the origin back.
    const Uint32 origin = SDL_GetTicks() - hopptid;
    SDL_Delay(2000);

    FrameLimiter limiter;
    limiter.fps = fpsLimit;
    // The show runs until the viewer quits: counted in 64 bits, the frames
    // never overflow; the scenes get the count's low 32 bits as an int.
    Uint64 frameCounter = 0;
    int sceneIndex = 0;
    Uint32 demoTime = 0;
    bool quit = false;
    while (!quit) {
        ++frameCounter;
        demoTime = SDL_GetTicks() - origin;
        sceneIndex = runFrame(screen, (int)(Uint32)frameCounter, demoTime, sceneIndex);
        showCanvas(screen);
        quit = viewerQuits();
        if (!quit) {
            waitForNextFrame(limiter);
        }
    }

    printFrameRate(frameCounter, demoTime);
    fflush(stdout);
    stopMusic();
    closeScreen(screen);
    releaseShow();
    return 0; // SDL_Quit runs through atexit
}
