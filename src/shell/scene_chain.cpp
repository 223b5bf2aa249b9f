#include "shell/scene_chain.h"

#include "scenes/scenes.h"

int runFrame(SDL_Surface* screen, int frameCounter, Uint32 demoTime, int sceneIndex) {
    // A chain of tests, not a switch: a scene that reports it has finished
    // moves the index on, and the next test starts the next scene at once.
    if (sceneIndex == 0) {
        sceneIndex = blossa(screen, demoTime);
    }
    if (sceneIndex == 1) {
        sceneIndex = 1 + tomtebloss(screen, 300, 360, demoTime);
    }
    if (sceneIndex == 2) {
        sceneIndex = 2 + present(screen, demoTime);
    }
    if (sceneIndex == 3) {
        sceneIndex = 3 + plasma(screen, demoTime, frameCounter);
    }
    if (sceneIndex == 4) {
        sceneIndex = 4 + tannenbaum(screen, demoTime);
    }
    if (sceneIndex == 5) {
        sceneIndex = 5 + tomteEffekt(screen, demoTime);
    }
    if (sceneIndex == 6) {
        sceneIndex = 6 + warpEffekt(screen, demoTime);
    }
    if (sceneIndex == 7) {
        sceneIndex = 7 + ljusstake(screen, demoTime);
    }
    return sceneIndex;
}
