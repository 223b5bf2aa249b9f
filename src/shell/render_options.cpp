#include "shell/render_options.h"

#include "gfx/whole_number.h"
#include "scenes/show.h"
#include "shell/render_clock.h"

#include <cstring>

namespace {

// Up to an hour of demo time.
constexpr int64_t kLatestAtSeconds = 3600;

const char* const kUsage =
    "usage: snolk-render [options]   (finds data/ as snolk does)\n"
    "  --seed N     seed of the random generator (default 1)\n"
    "  --fps F      frames per second of the virtual clock (default 60)\n"
    "  --start S    move the timeline S seconds on, as snolk -start (default 0)\n"
    "  --scene K    begin with scene K, 0 ... 7, at its place in the music (default 0)\n"
    "  --at T       render from demo time T seconds on: the frames a run from the\n"
    "               top draws there, earlier ones drawn but not shown\n"
    "  --frames N   render N frames (default: to the end of the whole show)\n"
    "  --hash       print 'frame N time T scene K hash H' for every frame\n"
    "  --png DIR    write frames as DIR/frame-000123.png (DIR is made if missing)\n"
    "  --every K    with --png, every K-th frame (default 1)\n"
    "  --from M     with --png, starting at frame M (default 1)\n"
    "  --window     render in a real window instead of headless\n"
    "  --video FILE write an H.264 video with the music (AAC) through ffmpeg\n"
    "  --scale N    the video (or window) N times as large, N = 1 ... 4 (default 1)\n"
    "  --no-audio   leave the music out of the video\n"
    "  --bench      time every frame; print per-scene milliseconds, no hashes or files\n"
    "  --literal    draw with the plain reference kernels (same pixels, slower)\n"
    "  --help, -h   print this text\n";
static_assert(kLastScene == 7, "the text above names the scenes");

bool isHelp(const char* arg) {
    return strcmp(arg, "--help") == 0 || strcmp(arg, "-h") == 0;
}

bool parseFlag(const char* arg, RenderOptions& o) {
    struct Flag {
        const char* name;
        bool RenderOptions::*setting;
        bool value;
    };
    static const Flag kFlags[] = {
        {"--hash", &RenderOptions::hash, true},       {"--window", &RenderOptions::window, true},
        {"--bench", &RenderOptions::bench, true},     {"--literal", &RenderOptions::literal, true},
        {"--no-audio", &RenderOptions::audio, false},
    };
    for (const Flag& flag : kFlags) {
        if (strcmp(arg, flag.name) == 0) {
            o.*flag.setting = flag.value;
            return true;
        }
    }
    return false;
}

bool parseOne(int argc, char** argv, int& i, RenderOptions& o) {
    const char* arg = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (parseFlag(arg, o)) {
        return true;
    }
    if (value == nullptr) {
        return false;
    }
    ++i;
    int64_t number = 0;
    if ((strcmp(arg, "--png") == 0 || strcmp(arg, "--video") == 0) && *value == '\0') {
        return false; // an empty name would mean the root folder or nothing
    }
    if (strcmp(arg, "--png") == 0) {
        o.pngDir = value;
        return true;
    }
    if (strcmp(arg, "--video") == 0) {
        o.videoPath = value;
        return true;
    }
    if (strcmp(arg, "--seed") == 0 && readWholeNumber(value, 0, UINT32_MAX, number)) {
        o.seed = (unsigned)number;
        return true;
    }
    if (strcmp(arg, "--scene") == 0 && readWholeNumber(value, 0, kLastScene, number)) {
        o.firstScene = (int)number;
        return true;
    }
    return (strcmp(arg, "--fps") == 0 && readWholeNumber(value, 1, 100000, o.fps)) ||
           (strcmp(arg, "--start") == 0 &&
            readWholeNumber(value, 0, kLatestStartSeconds, o.startSeconds)) ||
           (strcmp(arg, "--at") == 0 && readWholeNumber(value, 0, kLatestAtSeconds, o.atSeconds)) ||
           (strcmp(arg, "--frames") == 0 && readWholeNumber(value, 1, INT32_MAX, o.frames)) ||
           (strcmp(arg, "--every") == 0 && readWholeNumber(value, 1, INT32_MAX, o.every)) ||
           (strcmp(arg, "--from") == 0 && readWholeNumber(value, 1, INT32_MAX, o.from)) ||
           (strcmp(arg, "--scale") == 0 && readWholeNumber(value, 1, 4, o.scale));
}

// The bench times the drawing alone; it writes no hashes, pictures or video.
// A first picture past the last frame would make a run that writes nothing.
// (A whole-show video runs longer than the show; its length is known only
// once the music has been read.)
std::string conflictIn(const RenderOptions& o) {
    if (o.bench && (o.hash || !o.pngDir.empty() || !o.videoPath.empty() || o.window)) {
        return "--bench goes with none of --hash, --png, --video, --window";
    }
    if (o.atSeconds >= 0 && !o.videoPath.empty()) {
        return "--at goes with --hash, --png, --bench and --window, not --video";
    }
    if (firstFrameToRender(o) > framesToRender(o)) {
        return "--at " + std::to_string(o.atSeconds) + " is past the last frame, " +
               std::to_string(framesToRender(o)) + ": nothing would be rendered";
    }
    const bool lengthKnown = o.frames > 0 || o.videoPath.empty();
    if (!o.pngDir.empty() && lengthKnown && o.from > framesToRender(o)) {
        return "--from " + std::to_string(o.from) + " is past the last frame, " +
               std::to_string(framesToRender(o)) + ": no picture would be written";
    }
    return "";
}

} // namespace

bool parseRenderOptions(int argc, char** argv, RenderOptions& options, FILE* out, FILE* err) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (isHelp(arg)) {
            fputs(kUsage, out);
            options.help = true;
            return true;
        }
        if (!parseOne(argc, argv, i, options)) {
            fprintf(err, "snolk-render: bad option or value: %s\n%s", arg, kUsage);
            return false;
        }
    }
    if (const std::string conflict = conflictIn(options); !conflict.empty()) {
        fprintf(err, "snolk-render: %s\n%s", conflict.c_str(), kUsage);
        return false;
    }
    return true;
}
