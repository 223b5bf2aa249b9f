// snolk: plays the show in a window (or the full screen) to its music, until
// Escape or the window is closed, then prints the average frame rate. The
// viewer may jump between the scenes on the way.
#include "drivers/show_lines.h"
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
#include <cstring>
#include <ctime>
#include <memory>

namespace {

// What the viewer asked for since the last frame.
enum class ViewerAsks { Nothing, Quit, NextScene, PreviousScene, Restart };

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
        setenv("SDL12COMPAT_SYNC_TO_VBLANK", "1", 1);
    } else if (videoOnX11()) {
        setenv("SDL_RENDER_DRIVER", "software", 0);
        setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
    }
}

void printIntervals(const PresentIntervals& intervals, uint64_t lateFrames) {
    const IntervalFigures f = summarise(intervals);
    printf("PRESENTS intervals=%d median=%.3f p99=%.3f largest=%.3f smallest=%.3f sd=%.3f "
           "late=%llu\n",
           f.kept, f.median, f.percentile99, f.largest, f.smallest, f.standardDeviation,
           (unsigned long long)lateFrames);
}

// The show as it plays live: a Show from its first scene, on the demo clock
// of SDL's ticks. The music starts where that scene stands in the track, two
// seconds before the scene's first frame, as at the top of the show.
class LiveShow {
  public:
    LiveShow(const LiveOptions& options, unsigned seed)
        : options_(options), seed_(seed), show_(options.firstScene, seed) {
        begin(show_.scene);
    }

    // A new show that begins with `scene`, exactly as -scene begins it; the
    // music goes to that scene's place.
    void jumpTo(int scene) {
        wholeFrames_ += show_.frames;
        wholeMs_ += elapsedSinceOrigin() - trackAtOrigin(show_.scene) - options_.hopptid;
        show_ = Show(scene, seed_);
        seekMusic(trackAtOrigin(show_.scene));
        begin(show_.scene);
    }

    // Draws a frame once the two seconds before the first one are over.
    void stepFrame(SDL_Surface* screen, ShowPlatform& platform) {
        if (SDL_GetTicks() - begunAt_ < kShowStartMs) {
            SDL_Delay(1);
            return;
        }
        demoTime_ = elapsedSinceOrigin();
        stepShow(show_, screen, demoTime_, platform);
    }

    int scene() const { return show_.scene; }

    // NOTE: divided by the demo time, pause and -start included; a show
    // begun at a later scene does not count the part of the track it
    // skipped, and a jump counts the time the show before it ran.
    std::string frameRate() const {
        const Uint32 ms = show_.frames == 0 ? 0 : demoTime_ - trackAtOrigin(show_.scene);
        return frameRateLine(wholeFrames_ + show_.frames, wholeMs_ + ms);
    }

  private:
    void begin(int scene) {
        begunAt_ = SDL_GetTicks();
        // NOTE: unsigned arithmetic; a start offset moves the origin back.
        origin_ = begunAt_ - options_.hopptid - trackAtOrigin(scene);
    }

    Uint32 elapsedSinceOrigin() const { return SDL_GetTicks() - origin_; }

    const LiveOptions& options_;
    unsigned seed_;
    Show show_;
    Uint32 begunAt_ = 0;  // SDL ticks when the show began
    Uint32 origin_ = 0;   // SDL ticks at demo time 0
    Uint32 demoTime_ = 0; // the last frame's
    uint64_t wholeFrames_ = 0;
    uint64_t wholeMs_ = 0;
};

int sceneAfter(int scene, ViewerAsks asked) {
    switch (asked) {
    case ViewerAsks::NextScene:
        return scene < kLastScene ? scene + 1 : scene;
    case ViewerAsks::PreviousScene:
        return scene > 0 ? scene - 1 : 0;
    default:
        return 0;
    }
}

} // namespace

int main(int argc, char** argv) {
    LiveOptions options;
    if (parser(argc, argv, options) != 0) {
        return 1;
    }
    installQuitSignals();
    findDataFolder("snolk");
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

    LiveShow live(options, (unsigned)time(nullptr));
    for (ViewerAsks asked = ViewerAsks::Nothing; asked != ViewerAsks::Quit;
         asked = readViewer()) {
        if (asked != ViewerAsks::Nothing) {
            const int next = sceneAfter(live.scene(), asked);
            // The last scene has no next one: it plays on.
            if (asked != ViewerAsks::NextScene || next != live.scene()) {
                live.jumpTo(next);
                window.startAfresh(screen);
            }
        }
        live.stepFrame(screen, window);
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
