#include "shell/render.h"

#include "gfx/kernels.h"
#include "shell/bench_show.h"
#include "shell/display.h"
#include "shell/frame_hash.h"
#include "shell/png_writer.h"
#include "shell/scene_chain.h"
#include "shell/startup.h"
#include "shell/video_capture.h"

#include <cinttypes>
#include <cstdlib>
#include <cstring>

namespace {

const char* const kUsage =
    "usage: snolk-render [options]   (run from the folder that holds data/)\n"
    "  --seed N     seed of the random generator (default 1)\n"
    "  --fps F      frames per second of the virtual clock (default 60)\n"
    "  --start S    start S seconds into the show, as snolk -start (default 0)\n"
    "  --frames N   render N frames (default: the whole show)\n"
    "  --hash       print 'frame N time T scene K hash H' for every frame\n"
    "  --png DIR    write frames as DIR/frame-000123.png\n"
    "  --every K    with --png, every K-th frame (default 1)\n"
    "  --from M     with --png, starting at frame M (default 1)\n"
    "  --window     render in a real window instead of headless\n"
    "  --video FILE write an H.264 video with the music (AAC) through ffmpeg\n"
    "  --scale N    the video (or window) N times as large, N = 1 ... 4 (default 1)\n"
    "  --no-audio   leave the music out of the video\n"
    "  --bench      time every frame; print per-scene milliseconds, no hashes or files\n"
    "  --literal    draw with the plain reference kernels (same pixels, slower)\n";

// The whole show ends this long after the last scene's first frame.
constexpr Uint32 kLastSceneShown = 10000;

// How long each scene but the last runs, for the length of the whole show
// in frames, which a progress report needs before the frames are drawn.
constexpr Uint32 kSceneDurations[] = {9300, 18000, 10000, 28000, 1999, 15000, 15000};

bool readNumber(const char* text, int64_t low, int64_t high, int64_t& value) {
    char* end = nullptr;
    const long long parsed = strtoll(text, &end, 10);
    if (end == text || *end != '\0' || parsed < low || parsed > high) {
        return false;
    }
    value = parsed;
    return true;
}

bool parseOne(int argc, char** argv, int& i, RenderOptions& o) {
    const char* arg = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    int64_t number = 0;
    auto numeric = [&](int64_t low, int64_t high, int64_t& target) {
        if (value == nullptr || !readNumber(value, low, high, target)) {
            return false;
        }
        ++i;
        return true;
    };
    if (strcmp(arg, "--hash") == 0) {
        o.hash = true;
        return true;
    }
    if (strcmp(arg, "--window") == 0) {
        o.window = true;
        return true;
    }
    if (strcmp(arg, "--bench") == 0) {
        o.bench = true;
        return true;
    }
    if (strcmp(arg, "--literal") == 0) {
        o.literal = true;
        return true;
    }
    if (strcmp(arg, "--no-audio") == 0) {
        o.audio = false;
        return true;
    }
    if (strcmp(arg, "--png") == 0 && value != nullptr) {
        o.pngDir = value;
        ++i;
        return true;
    }
    if (strcmp(arg, "--video") == 0 && value != nullptr && *value != '\0') {
        o.videoPath = value;
        ++i;
        return true;
    }
    if (strcmp(arg, "--seed") == 0 && numeric(0, UINT32_MAX, number)) {
        o.seed = (unsigned)number;
        return true;
    }
    return (strcmp(arg, "--fps") == 0 && numeric(1, 100000, o.fps)) ||
           (strcmp(arg, "--start") == 0 && numeric(0, 600, o.startSeconds)) ||
           (strcmp(arg, "--frames") == 0 && numeric(1, INT32_MAX, o.frames)) ||
           (strcmp(arg, "--every") == 0 && numeric(1, INT32_MAX, o.every)) ||
           (strcmp(arg, "--from") == 0 && numeric(1, INT32_MAX, o.from)) ||
           (strcmp(arg, "--scale") == 0 && numeric(1, 4, o.scale));
}

bool wantsPicture(const RenderOptions& o, int64_t n) {
    return !o.pngDir.empty() && n >= o.from && (n - o.from) % o.every == 0;
}

bool writeFramePicture(SDL_Surface* screen, const RenderOptions& o, int64_t n) {
    char path[4096];
    snprintf(path, sizeof path, "%s/frame-%06" PRId64 ".png", o.pngDir.c_str(), n);
    if (!writePng(screen, path)) {
        fprintf(stderr, "snolk-render: cannot write %s\n", path);
        return false;
    }
    return true;
}

} // namespace

bool parseRenderOptions(int argc, char** argv, RenderOptions& options, FILE* err) {
    for (int i = 1; i < argc; ++i) {
        if (!parseOne(argc, argv, i, options)) {
            fprintf(err, "snolk-render: bad option or value: %s\n%s", argv[i], kUsage);
            return false;
        }
    }
    return true;
}

Uint32 demoTimeOfFrame(int64_t n, const RenderOptions& o) {
    const int64_t ms = 2000 + 1000 * o.startSeconds + (n - 1) * 1000 / o.fps;
    return (Uint32)ms;
}

int64_t framesOfWholeShow(const RenderOptions& o) {
    // A scene hands over in the first frame whose time is past its duration;
    // that frame is the next scene's first.
    int64_t n = 1;
    for (const Uint32 duration : kSceneDurations) {
        const Uint32 start = demoTimeOfFrame(n, o);
        while (demoTimeOfFrame(n, o) - start <= duration) {
            ++n;
        }
    }
    const Uint32 lastSceneStart = demoTimeOfFrame(n, o);
    while (demoTimeOfFrame(n, o) - lastSceneStart < kLastSceneShown) {
        ++n;
    }
    return n;
}

int renderShow(SDL_Surface* screen, const RenderOptions& o, FILE* out,
               const FrameHook& afterFrame) {
    int sceneIndex = 0;
    bool lastSceneSeen = false;
    Uint32 lastSceneStart = 0;
    for (int64_t n = 1; o.frames == 0 || n <= o.frames; ++n) {
        const Uint32 demoTime = demoTimeOfFrame(n, o);
        sceneIndex = runFrame(screen, (int)n, demoTime, sceneIndex);
        if (o.hash) {
            fprintf(out, "frame %" PRId64 " time %u scene %d hash %016" PRIx64 "\n", n, demoTime,
                    sceneIndex, hashFrame(screen));
        }
        if (wantsPicture(o, n) && !writeFramePicture(screen, o, n)) {
            return 1;
        }
        if (o.window) {
            showCanvas(screen);
        }
        if (afterFrame && !afterFrame(screen, n)) {
            return 1;
        }
        if (sceneIndex >= 7 && !lastSceneSeen) {
            lastSceneSeen = true;
            lastSceneStart = demoTime;
        }
        if (o.frames == 0 && lastSceneSeen && demoTime - lastSceneStart >= kLastSceneShown) {
            break;
        }
    }
    return 0;
}

int renderMain(int argc, char** argv) {
    RenderOptions options;
    if (!parseRenderOptions(argc, argv, options, stderr)) {
        return 2;
    }
    if (!options.window) {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
    }
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    useReferenceKernels = options.literal;
    srand(options.seed);
    prepareShow();
    SDL_Surface* screen = openScreen(0, options.window ? (int)options.scale : 1);
    const int status = options.bench               ? benchShow(screen, options, stdout)
                       : options.videoPath.empty() ? renderShow(screen, options, stdout)
                                                   : captureVideo(screen, options);
    fflush(stdout);
    closeScreen(screen);
    releaseShow();
    return status;
}
