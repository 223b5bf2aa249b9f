#include "shell/video_capture.h"

#include "shell/progress_line.h"
#include "shell/quit_signals.h"
#include "shell/video_writer.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

const char* const kMusicPath = "data/laten2.mp3";

// The music, when the video should and can carry it.
std::string musicForVideo(const RenderOptions& o) {
    if (!o.audio) {
        return "";
    }
    if (access(kMusicPath, R_OK) != 0) {
        fprintf(stderr, "snolk-render: no music: cannot read %s (%s); the video is silent\n",
                kMusicPath, strerror(errno));
        return "";
    }
    return kMusicPath;
}

VideoSettings settingsFor(const RenderOptions& o) {
    VideoSettings settings;
    settings.path = o.videoPath;
    settings.fps = o.fps;
    settings.scale = (int)o.scale;
    settings.musicPath = musicForVideo(o);
    return settings;
}

} // namespace

int captureVideo(SDL_Surface* screen, const RenderOptions& o) {
    if (!frameFitsVideo(screen)) {
        fprintf(stderr, "snolk-render: the screen is not 640x480 0x00RRGGBB; cannot encode it\n");
        return 1;
    }
    VideoWriter writer;
    if (!openVideo(writer, settingsFor(o), stderr)) {
        return 1;
    }
    // Ctrl-C stops at the next frame, so the unfinished file can be removed.
    installQuitSignals();
    ProgressLine progress = startProgress(stderr, o.frames > 0 ? o.frames : framesOfWholeShow(o));
    int64_t sent = 0;
    const FrameHook sendFrame = [&](const SDL_Surface* frame, int64_t n) {
        if (quitSignalled()) {
            endProgress(progress, sent);
            fprintf(stderr, "snolk-render: interrupted\n");
            return false;
        }
        if (!writeVideoFrame(writer, frame)) {
            const int error = errno;
            endProgress(progress, sent);
            fprintf(stderr, "snolk-render: ffmpeg stopped taking frames: %s\n", strerror(error));
            return false;
        }
        sent = n;
        showProgress(progress, n);
        return true;
    };
    if (renderShow(screen, o, stdout, sendFrame) != 0) {
        abandonVideo(writer);
        fprintf(stderr, "snolk-render: no video written\n");
        return 1;
    }
    endProgress(progress, sent);
    return finishVideo(writer, stderr) ? 0 : 1;
}
