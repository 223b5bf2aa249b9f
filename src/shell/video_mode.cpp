#include "shell/video_mode.h"

#include "gfx/toolkit.h"
#include "shell/encoder_process.h"
#include "shell/frame_files.h"
#include "shell/music.h"
#include "shell/progress_line.h"
#include "shell/quit_signals.h"
#include "shell/render_clock.h"
#include "shell/video_sound.h"
#include "shell/video_writer.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

namespace {

// The track and its loop, opened as the live show opens them, at the first
// scene's place (frame 1 plays the track there, as in the live show); null
// when the video should or can carry no sound. Says why not, in one line,
// as the live show does.
MusicStream* musicForVideo(const RenderOptions& o) {
    if (!o.audio) {
        return nullptr;
    }
    const std::string track = o.dataFolder + "/laten2.mp3";
    const std::string loop = o.dataFolder + "/laten2.loop";
    std::string why;
    std::string loopWhy;
    MusicStream* stream =
        openMusicStream(track.c_str(), loop.c_str(), kTimeline[o.firstScene].trackMs, why, loopWhy);
    if (stream == nullptr || !musicIsPlayable(track.c_str(), why)) {
        fprintf(stderr, "snolk-render: no music: %s; the video is silent\n", why.c_str());
        closeMusicStream(stream);
        return nullptr;
    }
    if (!loopWhy.empty()) {
        fprintf(stderr, "snolk-render: no loop: %s; the music plays once\n", loopWhy.c_str());
    }
    return stream;
}

// The frames until the greetings have risen past the top: they start just
// below the bottom edge in the candles' first frame and rise two rows a frame.
int64_t framesUntilTheGreetingsHaveRisen(const ShowAssets& assets, const RenderOptions& o) {
    const int height = heightOf(assets.candles.iGreets.get());
    const int64_t candles =
        firstFrameOfScene(kTimeline, o.firstScene, kLastScene, o.fps, clockOf(o).firstFrameMs());
    return candles + (480 + height + 1) / 2;
}

// The frames until the track has played its looped ending through once;
// the loop's points fit the track, so this is at most the track's length.
int64_t framesUntilTheLoopHasPlayed(const RenderOptions& o, const LoopPoints& loop) {
    const double seconds =
        (double)loop.end / (double)kLoopRate - kTimeline[o.firstScene].trackMs / 1000.0;
    return (int64_t)ceil(seconds * (double)o.fps);
}

// A whole-show video runs on until the greetings have risen past and the
// looped ending of the track has played through once; --frames gives other
// lengths as they are.
int64_t framesOfVideo(const ShowAssets& assets, const RenderOptions& o, const MusicStream* music) {
    if (o.frames > 0) {
        return o.frames;
    }
    int64_t frames =
        std::max(clockOf(o).wholeShowFrames(), framesUntilTheGreetingsHaveRisen(assets, o));
    LoopPoints loop;
    if (music != nullptr && musicLoop(music, loop)) {
        frames = std::max(frames, framesUntilTheLoopHasPlayed(o, loop));
    }
    return frames;
}

// The sound of a video of `frames` frames, made into sound; a whole-show
// video's fades out over its last second. False (after a message) when it
// could not be made.
bool makeSound(const RenderOptions& o, MusicStream* music, int64_t frames, EncoderInput& sound) {
    const int64_t rate = musicRate(music);
    // The sound lasts as long as the frames: up to the end of the last one.
    const int64_t samples = (frames * rate + o.fps - 1) / o.fps;
    const int64_t fadeFrom = o.frames > 0 ? -1 : std::max<int64_t>(0, samples - rate);
    if (!makeEncoderInput(sound, stderr)) {
        return false;
    }
    if (!decodeVideoSound(music, samples, fadeFrom, sound.file, stderr)) {
        dropEncoderInput(sound);
        return false;
    }
    return true;
}

// The video's settings, its sound made, and its length in frames. False
// (after a message) when the sound could not be made.
bool planVideo(const ShowAssets& assets, const RenderOptions& o, VideoSettings& settings,
               EncoderInput& sound, int64_t& frames) {
    MusicStream* music = musicForVideo(o);
    frames = framesOfVideo(assets, o, music);
    settings.path = o.videoPath;
    settings.fps = o.fps;
    settings.scale = (int)o.scale;
    bool made = true;
    if (music != nullptr) {
        made = makeSound(o, music, frames, sound);
        settings.sound = made ? &sound : nullptr;
        settings.soundRate = musicRate(music);
    }
    closeMusicStream(music);
    return made;
}

} // namespace

int captureVideo(SDL_Surface* screen, const ShowAssets& assets, const RenderOptions& o) {
    if (!frameFitsVideo(screen)) {
        fprintf(stderr, "snolk-render: the screen is not 640x480 0x00RRGGBB; cannot encode it\n");
        return 1;
    }
    VideoSettings settings;
    EncoderInput sound;
    int64_t frames = 0;
    VideoWriter writer;
    const bool opened = planVideo(assets, o, settings, sound, frames) && prepareFrameFiles(o) &&
                        openVideo(writer, settings, stderr);
    dropEncoderInput(sound); // when ffmpeg did not take it over

    if (!opened) {
        return quitSignalled() ? 128 + quitSignal() : 1;
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
    const ClockRun run = runVirtualClock(screen, assets, o, frames, sendFrame);
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
