// snolk: plays the show in a window (or the full screen) to its music, until
// Escape or the window is closed, then prints the average frame rate.
#include "gfx/random.h"
#include "gfx/toolkit.h"
#include "scenes/show.h"
#include "shell/display.h"
#include "shell/frame_limiter.h"
#include "shell/music.h"
#include "shell/options.h"
#include "shell/process_environment.h"
#include "shell/quit_signals.h"
#include "shell/startup.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>

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

// How the frames reach the window: paced by the limiter, measured with
// -stats.
struct Presenting {
    FrameLimiter limiter;
    std::unique_ptr<PresentIntervals> intervals; // only with -stats
};
Presenting presenting;

// Shows a rectangle in the window. stepShow ends every frame with one present
// of the whole canvas: that present waits for the frame's slot, so the
// limiter paces the moment each frame's present starts, however long the
// frame took to draw. The plasma's strip presents before it are part of
// drawing the frame.
void presentPaced(SDL_Surface* canvas, int x, int y, int w, int h) {
    const bool endsFrame = x == 0 && y == 0 && w == canvas->w && h == canvas->h;
    if (endsFrame) {
        waitForNextFrame(presenting.limiter);
    }
    showRect(canvas, x, y, w, h);
    if (endsFrame && presenting.intervals) {
        recordPresent(*presenting.intervals, monotonicNow());
    }
}

// NOTE: sdl12-compat calls itself 1.2.50 or later; classic SDL 1.2 ended at
// 1.2.15.
bool onSdl12Compat() {
    return SDL_Linked_Version()->patch >= 50;
}

// True when SDL will draw into an X11 window.
bool videoOnX11() {
    const char* driver = getenv("SDL_VIDEODRIVER");
    return getenv("DISPLAY") != nullptr && (driver == nullptr || strcmp(driver, "x11") == 0);
}

// Tells sdl12-compat how to present, before the window opens; classic SDL 1.2
// has one way, a copy into the X11 window that cannot wait for the vertical
// blank. sdl12-compat presents through an SDL 2 renderer, OpenGL by default:
// with -vsync that renderer waits for the vertical blank. Otherwise the
// limiter paces the frames, and a copy into the window as classic SDL makes is
// quicker and steadier (under a software OpenGL each present took 2 to 8 ms).
// Settings the viewer made stay.
void choosePresenting(bool vsync) {
    if (!onSdl12Compat()) {
        if (vsync) {
            fputs("-vsync: this SDL 1.2 cannot wait for the vertical blank\n", stderr);
        }
    } else if (vsync) {
        setEnvironment("SDL12COMPAT_SYNC_TO_VBLANK", "1", true);
    } else if (videoOnX11()) {
        setEnvironment("SDL_RENDER_DRIVER", "software", false);
        setEnvironment("SDL_FRAMEBUFFER_ACCELERATION", "0", false);
    }
}

void printIntervals(const PresentIntervals& intervals, uint64_t lateFrames) {
    const IntervalFigures f = summarise(intervals);
    printf("PRESENTS intervals=%d median=%.3f p99=%.3f largest=%.3f smallest=%.3f sd=%.3f "
           "late=%llu\n",
           f.kept, f.median, f.percentile99, f.largest, f.smallest, f.standardDeviation,
           (unsigned long long)lateFrames);
}

} // namespace

int main(int argc, char** argv) {
    useStartingConsole();
    LiveOptions options;
    if (parser(argc, argv, options) != 0) {
        return 1;
    }
    installQuitSignals();
    showSrand((unsigned)time(nullptr));
    findDataFolder("snolk");
    prepareShow();
    choosePresenting(options.vsync != 0);
    SDL_Surface* screen = openScreen(options.fullscreen, options.windowScale);
    presenting.limiter.fps = options.fpsLimit;
    if (options.stats) {
        presenting.intervals = std::make_unique<PresentIntervals>();
    }
    installPresentHook(presentPaced);
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

    Show show = startShow(options.firstScene);
    Uint32 demoTime = 0;
    bool quit = false;
    while (!quit) {
        demoTime = SDL_GetTicks() - origin;
        stepShow(show, screen, demoTime);
        quit = viewerQuits();
    }

    // NOTE: divided by the demo time, pause and -start included; a show
    // begun at a later scene does not count the part of the track it skipped.
    printFrameRate(show.frames, demoTime - trackAtOrigin);
    if (presenting.intervals) {
        printIntervals(*presenting.intervals, presenting.limiter.lateFrames);
    }
    fflush(stdout);
    stopMusic();
    closeScreen(screen);
    releaseShow();
    return 0; // SDL_Quit runs through atexit
}
