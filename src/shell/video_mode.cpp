#include "shell/video_mode.h"

#include "gfx/toolkit.h"
#include "shell/frame_files.h"
#include "shell/music.h"
#include "shell/progress_line.h"
#include "shell/quit_signals.h"
#include "shell/video_writer.h"
#include "shell/virtual_clock.h"

#include <cerrno>
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

VideoSettings settingsFor(const RenderOptions& o) {
    VideoSettings settings;
    settings.path = o.videoPath;
    settings.fps = o.fps;
    settings.scale = (int)o.scale;
    settings.musicPath = musicForVideo(o);
    // Frame 1 shows the first scene's place in the track, as in the live show.
    settings.musicOffsetMs = kScenes[o.firstScene].trackMs;
    return settings;
}

} // namespace

int captureVideo(SDL_Surface* screen, const RenderOptions& o) {
    if (!frameFitsVideo(screen)) {
        fprintf(stderr, "snolk-render: the screen is not 640x480 0x00RRGGBB; cannot encode it\n");
        return 1;
    }
    VideoWriter writer;
    if (!prepareFrameFiles(o) || !openVideo(writer, settingsFor(o), stderr)) {
        return 1;
    }
    const int64_t frames = framesToRender(o);
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
