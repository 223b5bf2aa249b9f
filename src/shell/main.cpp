// snolk: plays the show in a window (or the full screen) to its music, until
// Escape or the window is closed, then prints the average frame rate. The
// viewer may jump between the scenes on the way.
#include "drivers/live_show.h"
#include "gfx/toolkit.h"
#include "scenes/show.h"
#include "shell/display.h"
#include "shell/frame_limiter.h"
#include "shell/music.h"
#include "shell/options.h"
#include "shell/process_environment.h"
#include "shell/quit_signals.h"
#include "shell/startup.h"
#include "shell/viewer_messages.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>

namespace {

ViewerAsks askedByKey(SDLKey key) {
    switch (key) {
    case SDLK_ESCAPE:
        return ViewerAsks::Quit;
    case SDLK_PAGEDOWN:
    case SDLK_RIGHT:
        return ViewerAsks::NextScene;
    case SDLK_PAGEUP:
    case SDLK_LEFT:
        return ViewerAsks::PreviousScene;
    case SDLK_HOME:
        return ViewerAsks::Restart;
    default:
        return ViewerAsks::Nothing;
    }
}

// Drains the event queue. A quit wins over everything; of the scene keys,
// the last one pressed counts.
ViewerAsks readViewer() {
    ViewerAsks asked = ViewerAsks::Nothing;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        const ViewerAsks now = event.type == SDL_QUIT      ? ViewerAsks::Quit
                               : event.type == SDL_KEYDOWN ? askedByKey(event.key.keysym.sym)
                                                           : ViewerAsks::Nothing;
        if (now != ViewerAsks::Nothing && asked != ViewerAsks::Quit) {
            asked = now;
        }
    }
    return quitSignalled() ? ViewerAsks::Quit : asked;
}

// The window, paced by the limiter and measured with -stats. Each frame is
// held until its slot and then shown at once, so the limiter paces the
// moment each frame's present starts, however long the frame took to draw;
// the plasma's strip is part of drawing a frame and goes at once.
class PacedWindow : public WindowPlatform {
  public:
    FrameLimiter limiter;
    std::unique_ptr<PresentIntervals> intervals; // only with -stats

    void presentFrame(SDL_Surface* screen) override {
        waitForNextFrame(limiter);
        showCanvas(screen);
        if (intervals) {
            recordPresent(*intervals, monotonicNow());
        }
    }

    // After a jump the frames start again from a black screen, on a grid of
    // their own; the pause before them is no interval between frames.
    void startAfresh(SDL_Surface* screen) {
        SDL_FillRect(screen, nullptr, 0);
        showCanvas(screen);
        limiter.gridStart = -1;
        if (intervals) {
            intervals->lastPresent = -1;
        }
    }
};

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

// Milliseconds of SDL's clock since moment, 0 before it.
Uint32 msSince(Uint32 moment) {
    const Uint32 elapsed = SDL_GetTicks() - moment;
    // NOTE: unsigned, as SDL's ticks are; a moment still to come lies less
    // than 2^31 ms ahead and wraps to a "difference" of 2^31 or more.
    return elapsed >= 0x80000000u ? 0 : elapsed;
}

} // namespace

int main(int argc, char** argv) {
    useStartingConsole();
    holdMessagesForViewer();
    LiveOptions options;
    if (const int read = parser(argc, argv, options); read != kGoOn) {
        return read == kHelpShown ? 0 : 1;
    }
    installQuitSignals();
    const bool dataFound = findDataFolder("snolk");
    prepareShow();
    choosePresenting(options.vsync != 0);
    SDL_Surface* screen = openScreen(options.fullscreen, options.windowScale);
    PacedWindow window;
    window.limiter.fps = options.fpsLimit;
    if (options.stats) {
        window.intervals = std::make_unique<PresentIntervals>();
    }
    if (!options.nosound) {
        startMusic(dataFilePath("data/laten2.mp3").c_str(),
                   dataFilePath("data/laten2.loop").c_str(), trackAtOrigin(options.firstScene));
    }
    // The music waits for the viewer who reads a message box, as the show does.
    if (showHeldMessages(!dataFound)) {
        seekMusic(trackAtOrigin(options.firstScene));
    }

    // The clock runs from the moment the music is heard: a device buffer
    // after the track is read (nothing without music).
    const Uint32 latency = musicOutputLatencyMs();
    LiveShow live(options.firstScene, (unsigned)time(nullptr), options.hopptid);
    Uint32 heardFrom = SDL_GetTicks() + latency;
    for (ViewerAsks asked = ViewerAsks::Nothing; asked != ViewerAsks::Quit; asked = readViewer()) {
        const int scene = live.sceneAskedFor(asked);
        if (scene >= 0) {
            live.jumpTo(scene, msSince(heardFrom));
            seekMusic(live.trackAtOriginMs());
            heardFrom = SDL_GetTicks() + latency;
            window.startAfresh(screen);
        }
        if (!live.stepFrame(screen, msSince(heardFrom), window)) {
            SDL_Delay(1); // the two seconds before the first frame
        }
    }

    puts(live.frameRate().c_str());
    if (window.intervals) {
        printIntervals(*window.intervals, window.limiter.lateFrames);
    }
    fflush(stdout);
    stopMusic();
    closeScreen(screen);
    releaseShow();
    return 0; // SDL_Quit runs through atexit
}
