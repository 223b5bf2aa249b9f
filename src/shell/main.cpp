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
#include <functional>
#include <memory>
#include <string>

namespace {

ViewerAsks askedByKey(const SDL_keysym& key) {
    const bool shifted = (key.mod & KMOD_SHIFT) != 0;
    switch (key.sym) {
    case SDLK_ESCAPE:
        return ViewerAsks::Quit;
    case SDLK_SPACE:
        return ViewerAsks::Pause;
    case SDLK_PERIOD:
        return ViewerAsks::FrameForward;
    case SDLK_COMMA:
        return ViewerAsks::FrameBack;
    case SDLK_RIGHT:
        return shifted ? ViewerAsks::SeekForward : ViewerAsks::NextScene;
    case SDLK_LEFT:
        return shifted ? ViewerAsks::SeekBack : ViewerAsks::PreviousScene;
    case SDLK_PAGEDOWN:
        return ViewerAsks::NextScene;
    case SDLK_PAGEUP:
        return ViewerAsks::PreviousScene;
    case SDLK_HOME:
        return ViewerAsks::Restart;
    default:
        return ViewerAsks::Nothing;
    }
}

// The next thing the viewer asked for; a quit wins over everything waiting.
ViewerAsks readViewer() {
    if (quitSignalled()) {
        return ViewerAsks::Quit;
    }
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT) {
            return ViewerAsks::Quit;
        }
        if (event.type == SDL_KEYDOWN) {
            const ViewerAsks asked = askedByKey(event.key.keysym);
            if (asked != ViewerAsks::Nothing) {
                return asked;
            }
        }
    }
    return ViewerAsks::Nothing;
}

// The window, paced by the limiter and measured with -stats. Each frame is
// held until its slot and then shown at once, so the limiter paces the
// moment each frame's present starts, however long the frame took to draw;
// the plasma's strip is part of drawing a frame and goes at once. The time
// a frame waits for its slot is spare: it goes to `spare`, up to a margin
// before the slot.
class PacedWindow : public WindowPlatform {
  public:
    FrameLimiter limiter;
    std::unique_ptr<PresentIntervals> intervals; // only with -stats
    std::function<void(SDL_Surface*, int64_t until)> spare;

    void presentFrame(SDL_Surface* screen) override {
        const int64_t slot = nextSlot(limiter);
        if (spare && slot >= 0) {
            spare(screen, slot - kSpareMargin);
        }
        waitForNextFrame(limiter);
        showCanvas(screen);
        if (intervals) {
            recordPresent(*intervals, monotonicNow());
        }
    }

    // After a jump or a seek the frames go on from the one just drawn, on a
    // grid of their own; the pause before it is no interval between frames.
    void startAfresh() {
        limiter.gridStart = -1;
        if (intervals) {
            intervals->lastPresent = -1;
        }
    }

  private:
    // A frame of the seek index takes up to about a millisecond here; what
    // runs late on a busy machine must still leave the present its slot.
    static constexpr int64_t kSpareMargin = 4'000'000;
};

// The show's clock: where the music stands, as the sound device says it is
// heard while music plays (shell/music.h reports to it), by the monotonic
// clock otherwise. It stands still while the show is paused, and moves with
// the show, the music with it.
class ShowClock {
  public:
    ShowClock(Uint32 trackMs, int offsetMs) : sound_(kLoopRate) {
        sound_.setOffsetMs(offsetMs);
        moveTo(trackMs);
    }

    // The clock the music reports to, once it plays.
    SoundClock* soundClock() { return &sound_; }
    void followSound() { withSound_ = true; }

    Uint32 now() {
        const double ms = withSound_ ? sound_.heardAt(monotonicMilliseconds())
                          : paused_  ? fromMs_
                                     : fromMs_ + monotonicMilliseconds() - fromMoment_;
        return ms <= 0 ? 0 : (Uint32)ms;
    }

    void moveTo(Uint32 trackMs) {
        fromMs_ = trackMs;
        fromMoment_ = monotonicMilliseconds();
        if (withSound_) {
            seekMusic(trackMs); // the sound clock moves with it
        }
    }

    // Paused, the music holds too; going on, it plays from where the show
    // stands, which the device may have played a little past.
    void setPaused(bool paused, Uint32 showMs) {
        if (paused && !withSound_) {
            fromMs_ = now();
        }
        paused_ = paused;
        if (withSound_) {
            if (!paused) {
                seekMusic(showMs);
            }
            pauseMusic(paused);
        } else if (!paused) {
            moveTo(showMs);
        }
    }

  private:
    SoundClock sound_;
    bool withSound_ = false;
    bool paused_ = false;
    Uint32 fromMs_ = 0;
    double fromMoment_ = 0;
};

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

// Carries out what the viewer asked for; the show, its clock and the music
// move together.
void answerViewer(ViewerAsks asked, LiveShow& live, ShowClock& clock, SDL_Surface* screen,
                  PacedWindow& window) {
    const int scene = live.sceneAskedFor(asked);
    Uint32 movedTo = 0;
    if (scene >= 0) {
        movedTo = live.jumpTo(scene, screen);
    } else if (asked == ViewerAsks::Pause) {
        live.setPaused(!live.paused());
        clock.setPaused(live.paused(), live.lastTrackMs());
        window.startAfresh();
        return;
    } else if (asked == ViewerAsks::SeekForward || asked == ViewerAsks::SeekBack) {
        const int64_t step = asked == ViewerAsks::SeekForward ? kSeekStepMs : -(int64_t)kSeekStepMs;
        window.startAfresh();
        movedTo = live.seekTo((int64_t)clock.now() + step, screen, window);
    } else if (live.paused() &&
               (asked == ViewerAsks::FrameForward || asked == ViewerAsks::FrameBack)) {
        window.startAfresh();
        movedTo = live.stepOneFrame(asked == ViewerAsks::FrameForward ? 1 : -1, screen, window);
    } else {
        return;
    }
    window.startAfresh();
    clock.moveTo(movedTo);
}

// A turn of the live loop takes a frame's time at most, and the two-second
// lead-in turns every millisecond; one this much longer means the program
// stood still.
constexpr int64_t kStoodStillNs = 250'000'000;

// Spare moments go to the seek index, until a moment on the monotonic clock.
std::function<bool()> until(int64_t moment) {
    return [moment] { return monotonicNow() < moment; };
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
    const DataFolder data = findDataFolder("snolk");
    choosePresenting(options.vsync != 0);
    SDL_Surface* screen = openScreen(options.fullscreen, options.windowScale);
    // Every picture is decoded and every table built now, before the music
    // starts: no frame of the show loads anything.
    const std::unique_ptr<ShowAssets> assets = loadShowAssets(data.path, screen);
    PacedWindow window;
    window.limiter.fps = options.fpsLimit;
    if (options.stats) {
        window.intervals = std::make_unique<PresentIntervals>();
    }
    LiveShow live(*assets, options.firstScene, (unsigned)time(nullptr), options.hopptid);
    live.timeFramesWith(monotonicMilliseconds);
    window.spare = [&live](SDL_Surface* canvas, int64_t moment) {
        live.prepareSeeking(canvas, until(moment));
    };
    // The clock follows the music as it is heard, from its first sample on;
    // without music, the monotonic clock.
    ShowClock clock(live.musicStartMs(), options.avOffsetMs);
    if (!options.nosound &&
        startMusic((data.path + "/laten2.mp3").c_str(), (data.path + "/laten2.loop").c_str(),
                   live.musicStartMs(), clock.soundClock())) {
        clock.followSound();
    }
    // The music waits for the viewer who reads a message box, as the show does.
    if (showHeldMessages(!data.found)) {
        clock.moveTo(live.musicStartMs());
    }

    int64_t lastTurn = monotonicNow();
    for (ViewerAsks asked = ViewerAsks::Nothing; asked != ViewerAsks::Quit; asked = readViewer()) {
        // A turn of the loop far longer than a frame: the process was
        // stopped (Ctrl-Z) or the machine slept. That was a pause: picture
        // and music go on from the last frame shown, together.
        const int64_t turn = monotonicNow();
        if (turn - lastTurn > kStoodStillNs && !live.paused() && live.frames() > 0) {
            live.noteStandstill();
            clock.moveTo(live.lastTrackMs());
            window.startAfresh();
        }
        lastTurn = turn;
        answerViewer(asked, live, clock, screen, window);
        if (!live.stepFrame(screen, clock.now(), window)) {
            // The lead-in, or a pause: its time goes to the seek index.
            live.prepareSeeking(screen, until(monotonicNow() + 2'000'000));
            SDL_Delay(1);
        }
    }

    puts(live.frameRate().c_str());
    if (window.intervals) {
        printIntervals(*window.intervals, window.limiter.lateFrames);
    }
    fflush(stdout);
    stopMusic();
    closeScreen(screen);
    return 0; // SDL_Quit runs through atexit
}
