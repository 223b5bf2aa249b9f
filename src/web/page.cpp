// The show in a web page: the platform under the same engine and stepper as
// the desktop program. The page's script (index.html) owns the browser's
// side: the refresh loop, the clock, the music, the keys, the timeline and
// the canvas; it calls the functions below. Live, a frame is drawn at each
// refresh the pacer finds due, for the place in the track the script's
// clock says; the whole screen then goes to the canvas, and the time left
// before the next refresh builds the seek index. Hash runs the renderer's
// virtual clock in slices, so that the browser stays responsive and the
// console output flows; the bench runs it in one go, as the renderer's
// --bench does, and then times seeks.
#include "drivers/bench_report.h"
#include "drivers/live_show.h"
#include "drivers/show_lines.h"
#include "drivers/virtual_clock.h"
#include "gfx/toolkit.h"
#include "scenes/show.h"
#include "web/frame_pacer.h"
#include "web/page_options.h"

#include <SDL.h>
#include <emscripten.h>
#include <wasm_simd128.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

PageOptions options;
std::string problem; // what was wrong with the query, with the usage text
SDL_Surface* screen = nullptr;
std::unique_ptr<ShowAssets> assets;
unsigned seed = 1;

// Live: the show as it plays, a new one after a scene key or "play again".
std::unique_ptr<LiveShow> live;
FramePacer pacer;
std::vector<Uint32> canvasPixels; // RGBA bytes as the canvas takes them
std::string stopLine;

// Hash and bench.
std::unique_ptr<ClockedShow> clocked;
int64_t framesToRun = 0;
BenchReport bench;

EM_JS(void, putCanvasPixels, (const void* rgba, int w, int h),
      { Module.showPixels(HEAPU8.subarray(rgba, rgba + w * h * 4), w, h); });

// The screen words are 0x00RRGGBB, the bytes B, G, R, 0 in memory; the
// canvas wants the bytes R, G, B, 255. Four pixels at a time: one byte
// shuffle and one OR.
void convertRowForCanvas(const Uint32* in, Uint32* out, int w) {
    const v128_t opaque = wasm_i32x4_splat((int)0xff000000u);
    int x = 0;
    for (; x + 4 <= w; x += 4) {
        const v128_t bgr = wasm_v128_load(in + x);
        const v128_t rgb =
            wasm_i8x16_shuffle(bgr, bgr, 2, 1, 0, 3, 6, 5, 4, 7, 10, 9, 8, 11, 14, 13, 12, 15);
        wasm_v128_store(out + x, wasm_v128_or(rgb, opaque));
    }
    for (; x < w; ++x) {
        const Uint32 p = in[x];
        out[x] = 0xff000000u | (p & 0x00ff00u) | (p >> 16 & 0xffu) | (p & 0xffu) << 16;
    }
}

// The page's platform: each whole frame goes to the canvas. A browser shows
// nothing between two presents in one task, so the plasma's scroller strip
// reaches the viewer with the frame it belongs to, not on its own.
class Canvas : public ShowPlatform {
  public:
    void presentFrame(SDL_Surface* surface) override {
        const int w = surface->w;
        const int h = surface->h;
        for (int y = 0; y < h; ++y) {
            convertRowForCanvas(
                reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(surface->pixels) +
                                                y * surface->pitch),
                canvasPixels.data() + (size_t)y * w, w);
        }
        putCanvasPixels(canvasPixels.data(), w, h);
    }
};
Canvas canvas;

VirtualClock clockOfPage() {
    return {options.firstScene, options.startSeconds, options.fps};
}

// The script's milliseconds as the engine's clock reads them; a moment
// before the music started reads 0.
Uint32 clockMs(double ms) {
    return ms <= 0 ? 0 : (Uint32)(uint64_t)ms;
}

// A live show from the first scene the page was asked for.
void beginLiveShow() {
    live = std::make_unique<LiveShow>(*assets, options.firstScene, seed,
                                      (Uint32)(options.startSeconds * 1000));
    live->timeFramesWith([] { return emscripten_get_now(); });
    SDL_FillRect(screen, nullptr, 0);
    canvas.presentFrame(screen);
}

SDL_Surface* openScreen() {
    // The dummy driver gives a plain software surface; the page shows it.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        fprintf(stderr, "Unable to init SDL: %s\n", SDL_GetError());
        return nullptr;
    }
    // The dummy driver would draw a software arrow into the screen's pixels.
    SDL_ShowCursor(SDL_DISABLE);
    SDL_Surface* surface = SDL_SetVideoMode(640, 480, 32, 0);
    if (surface == nullptr) {
        fprintf(stderr, "Unable to set 640x480 video: %s\n", SDL_GetError());
        return nullptr;
    }
    SDL_FillRect(surface, nullptr, 0);
    return surface;
}

double nowMs() {
    return emscripten_get_now();
}

// One frame on the virtual clock, with its hash line.
void runVirtualFrame() {
    ShowPlatform offscreen;
    clocked->stepFrame(screen, offscreen);
    puts(
        hashLine(clocked->frame(), clocked->lastMs(), clocked->scene(), hashFrame(screen)).c_str());
}

// The bench: every frame back to back, as snolk-render --bench runs them,
// and each then shown on the canvas as the live page shows it. The table
// times the drawing alone, as the renderer's does (snolk-render shows
// nothing); the canvas's share is in the main thread's processor time that
// scripts/bench-web reads. The page's clock is coarse (a tenth of a
// millisecond in some browsers), so a single frame's figure is rough; a
// scene's sum over hundreds of frames is what to compare.
void runBench() {
    ShowPlatform offscreen;
    while (clocked->frame() < framesToRun) {
        const double start = nowMs();
        clocked->stepFrame(screen, offscreen);
        bench.add(clocked->scene(), nowMs() - start);
        canvas.presentFrame(screen);
    }
}

// Whether the refresh's time still has room for another frame of the seek
// index: a frame of it takes a few milliseconds at most here.
bool roomBefore(double deadlineMs) {
    return nowMs() + 4.0 < deadlineMs;
}

} // namespace

extern "C" {

// Reads the page's query. 0 when it can start; else webProblem() says why.
EMSCRIPTEN_KEEPALIVE int webConfigure(const char* query) {
    options = PageOptions();
    std::string ignored;
    problem = parsePageOptions(query, options, ignored);
    if (!ignored.empty()) {
        printf("ignored parameters: %s\n", ignored.c_str());
    }
    return problem.empty() ? 0 : 1;
}

EMSCRIPTEN_KEEPALIVE const char* webProblem() {
    return problem.c_str();
}

// 0 live, 1 hash, 2 bench.
EMSCRIPTEN_KEEPALIVE int webMode() {
    return (int)options.mode;
}

EMSCRIPTEN_KEEPALIVE int webWantsSound() {
    return options.mode == PageMode::Live && !options.nosound;
}

EMSCRIPTEN_KEEPALIVE int webAutoplay() {
    return options.autoplay;
}

// Where the music starts, in the track, in milliseconds: two seconds before
// the first show's first frame.
EMSCRIPTEN_KEEPALIVE double webMusicStartMs() {
    return trackAtOrigin(options.firstScene);
}

// Everything before the first frame, once the data files are in /data: the
// screen, then every picture decoded and every table built. 0 when SDL
// cannot give a screen.
EMSCRIPTEN_KEEPALIVE int webPrepare() {
    // The live page seeds from the clock as the desktop program does; the
    // virtual clock's modes from 1, as snolk-render.
    const bool isLive = options.mode == PageMode::Live;
    seed = options.seedGiven ? options.seed : isLive ? (unsigned)time(nullptr) : 1u;
    screen = openScreen();
    if (screen == nullptr) {
        return 0;
    }
    assets = loadShowAssets("/data", screen);
    canvasPixels.assign((size_t)screen->w * screen->h, 0xff000000u);
    if (isLive) {
        pacer.fps = (double)options.fps;
        beginLiveShow();
    } else {
        clocked = std::make_unique<ClockedShow>(clockOfPage(), *assets, seed);
        framesToRun = options.frames > 0 ? options.frames : clockOfPage().wholeShowFrames();
    }
    return 1;
}

// A display refresh at refreshMs (the page's clock) with the music standing
// at trackMs (the audio clock while music plays). Draws a frame when one is
// due (not in the lead-in, not while paused); 1 when it did. The time left
// until nextRefreshMs goes to the seek index.
EMSCRIPTEN_KEEPALIVE int webRefresh(double refreshMs, double trackMs, double nextRefreshMs) {
    if (!live) {
        return 0;
    }
    const bool drew = (live->paused() || frameIsDue(pacer, refreshMs)) &&
                      live->stepFrame(screen, clockMs(trackMs), canvas);
    live->prepareSeeking(screen, [nextRefreshMs] { return roomBefore(nextRefreshMs); });
    return drew ? 1 : 0;
}

// A scene key (1 next, -1 previous, 0 the show from the top): a new show at
// that scene, due at once. Returns where the page moves its clock and the
// music to (ms into the track), or -1 when the key leads nowhere.
EMSCRIPTEN_KEEPALIVE double webSceneKey(int key) {
    if (!live) {
        return -1;
    }
    const ViewerAsks asked = key > 0   ? ViewerAsks::NextScene
                             : key < 0 ? ViewerAsks::PreviousScene
                                       : ViewerAsks::Restart;
    const int scene = live->sceneAskedFor(asked);
    return scene < 0 ? -1 : live->jumpTo(scene, screen);
}

// The whole show at trackMs (the timeline, Shift and an arrow), drawn at
// once as the renderer draws it there; returns where the page moves its
// clock and the music to.
EMSCRIPTEN_KEEPALIVE double webSeek(double trackMs) {
    return live ? live->seekTo((int64_t)trackMs, screen, canvas) : -1;
}

// While paused: one frame on (1) or back (-1); returns where the music
// stands with it.
EMSCRIPTEN_KEEPALIVE double webStepFrame(int direction) {
    return live && live->paused() ? live->stepOneFrame(direction, screen, canvas) : -1;
}

EMSCRIPTEN_KEEPALIVE void webPause(int paused) {
    if (live) {
        live->setPaused(paused != 0);
    }
}

// The whole show's length in the track (ms), from the top to its last frame,
// for the timeline.
EMSCRIPTEN_KEEPALIVE double webShowLengthMs() {
    const VirtualClock whole{0, options.startSeconds, 60};
    return whole.frameMs(whole.wholeShowFrames()) - 1000.0 * (double)options.startSeconds;
}

// The scene the show stands in, and where scene k starts in the music (ms):
// what a test compares with the music's position.
EMSCRIPTEN_KEEPALIVE int webScene() {
    return live ? live->scene() : clocked ? clocked->scene() : 0;
}

EMSCRIPTEN_KEEPALIVE double webTrackMsOfScene(int k) {
    return k >= 0 && k < kSceneCount ? kTimeline[k].trackMs : 0;
}

// The hash of the screen as it stands, in 16 hex digits, as the renderer's
// hash lines give it.
EMSCRIPTEN_KEEPALIVE const char* webScreenHash() {
    static char hex[17];
    snprintf(hex, sizeof hex, "%016llx", (unsigned long long)hashFrame(screen));
    return hex;
}

EMSCRIPTEN_KEEPALIVE const char* webSceneName(int k) {
    return k >= 0 && k < kSceneCount ? kTimeline[k].name : "";
}

// After Escape: the desktop program's frame-rate line, printed and returned.
EMSCRIPTEN_KEEPALIVE const char* webStop() {
    stopLine = live ? live->frameRate() : "";
    puts(stopLine.c_str());
    live.reset();
    return stopLine.c_str();
}

// "play again": a new show, as the page began the first one. The page then
// starts its clock and the music again.
EMSCRIPTEN_KEEPALIVE int webPlayAgain() {
    if (screen == nullptr || options.mode != PageMode::Live) {
        return 0;
    }
    beginLiveShow();
    return 1;
}

// Hash: runs frames for about budgetMs; bench: the whole show. 1 once the
// last frame is done (the bench table and "done" printed), else 0.
EMSCRIPTEN_KEEPALIVE int webRunFor(double budgetMs) {
    if (screen == nullptr || !clocked) {
        return 1;
    }
    if (options.mode == PageMode::Bench) {
        runBench();
    }
    const double until = nowMs() + budgetMs;
    while (clocked->frame() < framesToRun && nowMs() < until) {
        runVirtualFrame();
    }
    if (clocked->frame() < framesToRun) {
        return 0;
    }
    if (options.mode == PageMode::Bench) {
        bench.print(stdout);
        if (options.frames == 0) {
            puts(seekLine(timeSeeks(*assets, screen, 50, nowMs)).c_str());
        }
    }
    puts("done");
    fflush(stdout);
    return 1;
}

} // extern "C"

int main() {
    return 0; // the page's script calls the functions above
}
