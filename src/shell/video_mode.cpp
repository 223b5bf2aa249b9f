#include "shell/video_mode.h"

#include "gfx/toolkit.h"
#include "shell/frame_files.h"
#include "shell/music.h"
#include "shell/progress_line.h"
#include "shell/quit_signals.h"
#include "shell/video_writer.h"
#include "shell/render_clock.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

namespace {

// The music, when the video should and can carry it.
std::string musicForVideo(const RenderOptions& o) {
    if (!o.audio) {
        return "";
    }
    const std::string path = dataFilePath("data/laten2.mp3");
    std::string why;
    if (!musicIsPlayable(path.c_str(), why)) {
        fprintf(stderr, "snolk-render: no music: %s; the video is silent\n", why.c_str());
        return "";
    }
    return path;
}

// The frames until the greetings have risen past the top: they start just
// below the bottom edge in the candles' first frame and rise two rows a frame.
int64_t framesUntilTheGreetingsHaveRisen(const RenderOptions& o) {
    SDL_Surface* greetings = loadImage("data/greets.png");
    const int height = heightOf(greetings);
    SDL_FreeSurface(greetings);
    const int64_t candles =
        firstFrameOfScene(kScenes, o.firstScene, kLastScene, o.fps, clockOf(o).firstFrameMs());
    return candles + (480 + height + 1) / 2;
}

// The frames until the track has played its looped ending through once.
int64_t framesUntilTheLoopHasPlayed(const RenderOptions& o, const VideoSettings& s) {
    const double seconds = (double)s.loopEnd / (double)s.loopRate - s.musicOffsetMs / 1000.0;
    return (int64_t)ceil(seconds * (double)o.fps);
}

// A whole-show video runs on until the greetings have risen past and the
// looped ending of the track has played through once, and its sound fades
// out over the last second; --frames gives other lengths as they are.
int64_t framesOfVideo(const RenderOptions& o, VideoSettings& s) {
    if (o.frames > 0) {
        return o.frames;
    }
    int64_t frames = std::max(clockOf(o).wholeShowFrames(), framesUntilTheGreetingsHaveRisen(o));
    if (!s.musicPath.empty() && s.loopEnd > 0) {
        frames = std::max(frames, framesUntilTheLoopHasPlayed(o, s));
    }
    s.fadeOutAt = std::max(0.0, (double)frames / (double)o.fps - 1.0);
    return frames;
}

VideoSettings settingsFor(const RenderOptions& o) {
    VideoSettings settings;
    settings.path = o.videoPath;
    settings.fps = o.fps;
    settings.scale = (int)o.scale;
    settings.musicPath = musicForVideo(o);
    // Frame 1 shows the first scene's place in the track, as in the live show.
    settings.musicOffsetMs = kScenes[o.firstScene].trackMs;
    LoopPoints loop;
    std::string why;
    if (!settings.musicPath.empty() &&
        readLoopPoints(dataFilePath("data/laten2.loop").c_str(), loop, why)) {
        settings.loopStart = loop.start;
        settings.loopEnd = loop.end;
        settings.loopRate = kLoopRate;
    }
    return settings;
}

} // namespace

int captureVideo(SDL_Surface* screen, const RenderOptions& o) {
    if (!frameFitsVideo(screen)) {
        fprintf(stderr, "snolk-render: the screen is not 640x480 0x00RRGGBB; cannot encode it\n");
        return 1;
    }
    VideoSettings settings = settingsFor(o);
    const int64_t frames = framesOfVideo(o, settings);
    VideoWriter writer;
    if (!prepareFrameFiles(o) || !openVideo(writer, settings, stderr)) {
        return 1;
    }
    ProgressLine progress = startProgress(stderr, frames);
    int writeError = 0;
    const FrameSink sendFrame = [&](SDL_Surface* frame, int64_t n, Uint32 t, int scene) {
        if (!writeFrameFiles(frame, o, n, t, scene)) {
            return false;
        }
        if (!writeVideoFrame(writer, frame)) {
            writeError = errno;
            return false;
        }
        showProgress(progress, n);
        return true;
    };
    const ClockRun run = runVirtualClock(screen, o, frames, sendFrame);
    endProgress(progress, run.frames);
    if (run.end != RunEnd::Finished) {
        abandonVideo(writer);
        if (run.end == RunEnd::Interrupted) {
            reportInterruption(run);
        } else if (writeError != 0) {
            fprintf(stderr, "snolk-render: ffmpeg stopped taking frames: %s\n",
                    strerror(writeError));
        }
        fprintf(stderr, "snolk-render: no video written\n");
        return run.end == RunEnd::Interrupted ? 128 + quitSignal() : 1;
    }
    if (!finishVideo(writer, stderr)) {
        return quitSignalled() ? 128 + quitSignal() : 1;
    }
    return 0;
}
