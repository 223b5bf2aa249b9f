#include "shell/video_writer.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

// Frame 1 shows demo time 2000 ms, and the music starts at the time origin.
const char* const kMusicOffsetSeconds = "2";

std::string videoFilter(int scale) {
    const std::string n = std::to_string(scale);
    // Nearest neighbour keeps the pixels sharp; the conversion to BT.709
    // limited range matches the colour tags below, which players trust.
    return "scale=iw*" + n + ":ih*" + n +
           ":flags=neighbor:out_color_matrix=bt709:out_range=tv,format=yuv420p";
}

bool writeAll(int fd, const Uint8* bytes, size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, bytes, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes += written;
        size -= (size_t)written;
    }
    return true;
}

// The status ffmpeg ended with, as a phrase for a message.
std::string describeEnd(int status) {
    if (WIFEXITED(status)) {
        return "exited with status " + std::to_string(WEXITSTATUS(status));
    }
    if (WIFSIGNALED(status)) {
        return std::string("was killed by ") + strsignal(WTERMSIG(status));
    }
    return "ended abnormally";
}

int waitForEncoder(VideoWriter& writer) {
    int status = 0;
    while (waitpid(writer.encoder, &status, 0) < 0 && errno == EINTR) {
    }
    writer.encoder = -1;
    return status;
}

void closeFramePipe(VideoWriter& writer) {
    if (writer.frames >= 0) {
        close(writer.frames);
        writer.frames = -1;
    }
}

// Creating the file ourselves gives a plain message for a folder that does
// not exist or cannot be written, before ffmpeg is even started.
bool claimPartFile(const std::string& path, FILE* err) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        fprintf(err, "snolk-render: cannot write %s: %s\n", path.c_str(), strerror(errno));
        return false;
    }
    close(fd);
    return true;
}

bool spawnEncoder(VideoWriter& writer, const std::vector<std::string>& arguments, int input,
                  FILE* err) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input, STDIN_FILENO);
    // The renderer ignores SIGPIPE to see write errors; ffmpeg wants its own.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

    const int failure =
        posix_spawnp(&writer.encoder, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (failure != 0) {
        writer.encoder = -1;
        fprintf(err, "snolk-render: cannot start ffmpeg: %s (install Debian's ffmpeg package)\n",
                strerror(failure));
        return false;
    }
    return true;
}

} // namespace

std::vector<std::string> encoderArguments(const VideoSettings& s, const std::string& outputPath) {
    std::vector<std::string> a = {"ffmpeg",      "-hide_banner",
                                  "-nostats",    "-loglevel",
                                  "error",       "-y",
                                  "-f",          "rawvideo",
                                  "-pix_fmt",    "bgr0",
                                  "-video_size", "640x480",
                                  "-framerate",  std::to_string(s.fps),
                                  "-i",          "pipe:0"};
    const bool sound = !s.musicPath.empty();
    if (sound) {
        a.insert(a.end(),
                 {"-ss", kMusicOffsetSeconds, "-i", s.musicPath, "-map", "0:v", "-map", "1:a"});
    }
    a.insert(a.end(), {"-vf", videoFilter(s.scale), "-c:v", "libx264", "-preset", "medium", "-crf",
                       "16", "-color_primaries", "bt709", "-color_trc", "bt709", "-colorspace",
                       "bt709", "-color_range", "tv"});
    if (sound) {
        // Silence after the end of the track, and the sound ends with the
        // last frame however long the track is.
        a.insert(a.end(), {"-af", "apad", "-c:a", "aac", "-b:a", "192k", "-shortest"});
    }
    a.insert(a.end(), {"-movflags", "+faststart", "-f", "mp4", outputPath});
    return a;
}

bool openVideo(VideoWriter& writer, const VideoSettings& settings, FILE* err) {
    writer.finalPath = settings.path;
    writer.partPath = settings.path + ".part";
    if (!claimPartFile(writer.partPath, err)) {
        return false;
    }
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) < 0) {
        fprintf(err, "snolk-render: cannot make a pipe for ffmpeg: %s\n", strerror(errno));
        unlink(writer.partPath.c_str());
        return false;
    }
    signal(SIGPIPE, SIG_IGN);
    const bool started =
        spawnEncoder(writer, encoderArguments(settings, writer.partPath), ends[0], err);
    close(ends[0]);
    writer.frames = ends[1];
    // A larger pipe means fewer trips between the renderer and ffmpeg; 1 MiB
    // is what Linux grants anyone by default. Only an optimisation, so a
    // refusal is fine.
    fcntl(writer.frames, F_SETPIPE_SZ, 1 << 20);
    if (!started) {
        closeFramePipe(writer);
        unlink(writer.partPath.c_str());
    }
    return started;
}

bool frameFitsVideo(const SDL_Surface* frame) {
    const SDL_PixelFormat* f = frame->format;
    // In memory a word 0x00RRGGBB is B, G, R, unused: ffmpeg's bgr0.
    return frame->w == kWidth && frame->h == kHeight && f->BytesPerPixel == 4 &&
           f->Rmask == 0xff0000 && f->Gmask == 0xff00 && f->Bmask == 0xff &&
           SDL_BYTEORDER == SDL_LIL_ENDIAN;
}

bool writeVideoFrame(VideoWriter& writer, const SDL_Surface* frame) {
    const Uint8* pixels = static_cast<const Uint8*>(frame->pixels);
    const size_t row = kWidth * 4;
    bool sent = true;
    if (frame->pitch == (int)row) {
        sent = writeAll(writer.frames, pixels, row * kHeight);
    } else {
        for (int y = 0; y < kHeight && sent; ++y) {
            sent = writeAll(writer.frames, pixels + y * frame->pitch, row);
        }
    }
    return sent;
}

bool finishVideo(VideoWriter& writer, FILE* err) {
    closeFramePipe(writer);
    const int status = waitForEncoder(writer);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        fprintf(err, "snolk-render: ffmpeg %s; no video written\n", describeEnd(status).c_str());
        unlink(writer.partPath.c_str());
        return false;
    }
    if (rename(writer.partPath.c_str(), writer.finalPath.c_str()) < 0) {
        fprintf(err, "snolk-render: cannot rename %s to %s: %s\n", writer.partPath.c_str(),
                writer.finalPath.c_str(), strerror(errno));
        unlink(writer.partPath.c_str());
        return false;
    }
    return true;
}

void abandonVideo(VideoWriter& writer) {
    if (writer.encoder > 0) {
        kill(writer.encoder, SIGTERM);
    }
    closeFramePipe(writer);
    if (writer.encoder > 0) {
        waitForEncoder(writer);
    }
    unlink(writer.partPath.c_str());
}
