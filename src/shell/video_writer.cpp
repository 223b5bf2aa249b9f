#include "shell/video_writer.h"

#include "shell/quit_signals.h"

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

// The output's and the sound's descriptor numbers in ffmpeg, which opens
// them by these names.
constexpr int kOutputInEncoder = 3;
const char* const kOutputName = "/proc/self/fd/3";
constexpr int kSoundInEncoder = 4;
const char* const kSoundName = "/proc/self/fd/4";

std::string videoFilter(int scale) {
    const std::string n = std::to_string(scale);
    // Nearest neighbour keeps the pixels sharp; the conversion to BT.709
    // limited range matches the colour tags below, which players trust.
    return "scale=iw*" + n + ":ih*" + n +
           ":flags=neighbor:out_color_matrix=bt709:out_range=tv,format=yuv420p";
}

// A signal that interrupts a write which has already moved some bytes makes
// it return that count, not EINTR: the quit flag is looked at either way.
bool writeAll(int fd, const Uint8* bytes, size_t size) {
    while (size > 0) {
        if (quitSignalled()) {
            errno = EINTR;
            return false;
        }
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

// Waits for ffmpeg to end. A quit signal, or a deadline (ms, 0 = none),
// ends the wait early; then false.
bool waitForEncoder(VideoWriter& writer, int& status, int deadlineMs) {
    for (int waited = 0;; waited += 10) {
        const pid_t ended = waitpid(writer.encoder, &status, deadlineMs > 0 ? WNOHANG : 0);
        if (ended == writer.encoder) {
            writer.encoder = -1;
            return true;
        }
        if (ended < 0 && errno != EINTR) {
            writer.encoder = -1;
            status = 0;
            return true;
        }
        if ((ended < 0 && quitSignalled()) || (deadlineMs > 0 && waited >= deadlineMs)) {
            return false;
        }
        if (deadlineMs > 0) {
            usleep(10000);
        }
    }
}

void stopEncoder(VideoWriter& writer) {
    if (writer.encoder <= 0) {
        return;
    }
    int status = 0;
    kill(writer.encoder, SIGTERM);
    if (!waitForEncoder(writer, status, 1000)) {
        kill(writer.encoder, SIGKILL);
        while (waitpid(writer.encoder, &status, 0) < 0 && errno == EINTR) {
        }
        writer.encoder = -1;
    }
}

void removeOutput(VideoWriter& writer) {
    if (writer.output >= 0) {
        close(writer.output);
        writer.output = -1;
    }
    if (!writer.tempPath.empty()) {
        unlink(writer.tempPath.c_str());
        writer.tempPath.clear();
    }
}

void closeFramePipe(VideoWriter& writer) {
    if (writer.frames >= 0) {
        close(writer.frames);
        writer.frames = -1;
    }
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// The file ffmpeg writes: nameless where the file system allows it, else a
// fresh name of our own beside the video. Making it ourselves also gives a
// plain message for a folder that does not exist or cannot be written,
// before ffmpeg is even started.
bool makeOutput(VideoWriter& writer, FILE* err) {
    const std::string folder = folderOf(writer.finalPath);
    const int nameless = open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0644);
    if (nameless >= 0) {
        // Kept clear of the numbers ffmpeg's standard streams and its output use.
        writer.output = fcntl(nameless, F_DUPFD_CLOEXEC, 10);
        close(nameless);
        return writer.output >= 0;
    }
    if (errno == ENOENT || errno == EACCES || errno == ENOTDIR || errno == EROFS) {
        fprintf(err, "snolk-render: cannot write %s: %s\n", writer.finalPath.c_str(),
                strerror(errno));
        return false;
    }
    std::string name = folder + "/.snolk-render-XXXXXX";
    const int fd = mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        fprintf(err, "snolk-render: cannot write %s: %s\n", writer.finalPath.c_str(),
                strerror(errno));
        return false;
    }
    close(fd);
    writer.tempPath = name;
    return true;
}

// Gives the finished file its name, replacing a file of that name.
bool nameOutput(VideoWriter& writer, FILE* err) {
    if (!writer.tempPath.empty()) {
        if (rename(writer.tempPath.c_str(), writer.finalPath.c_str()) == 0) {
            writer.tempPath.clear();
            return true;
        }
    } else {
        const std::string self = "/proc/self/fd/" + std::to_string(writer.output);
        if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, writer.finalPath.c_str(), AT_SYMLINK_FOLLOW) ==
            0) {
            return true;
        }
        // A file of that name exists: link under a fresh name, then move it
        // over the old one in one step.
        for (int attempt = 0; errno == EEXIST && attempt < 100; ++attempt) {
            std::string name = folderOf(writer.finalPath) + "/.snolk-render-XXXXXX";
            const int fd = mkstemp(name.data());
            if (fd < 0) {
                break;
            }
            close(fd);
            unlink(name.c_str());
            if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                writer.tempPath = name;
                return nameOutput(writer, err);
            }
        }
    }
    fprintf(err, "snolk-render: cannot name the video %s: %s\n", writer.finalPath.c_str(),
            strerror(errno));
    return false;
}

// Starts ffmpeg with the frames' pipe as its standard input, and the output
// and the sound (when there are; -1 otherwise) as descriptors 3 and 4.
bool spawnEncoder(VideoWriter& writer, const std::vector<std::string>& arguments, int input,
                  int sound, FILE* err) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input, STDIN_FILENO);
    if (writer.output >= 0) {
        posix_spawn_file_actions_adddup2(&actions, writer.output, kOutputInEncoder);
    }
    if (sound >= 0) {
        posix_spawn_file_actions_adddup2(&actions, sound, kSoundInEncoder);
    }
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

std::vector<std::string> encoderArguments(const VideoSettings& s, const std::string& soundPath,
                                          const std::string& outputPath) {
    std::vector<std::string> a = {"ffmpeg",      "-hide_banner",
                                  "-nostats",    "-loglevel",
                                  "error",       "-y",
                                  "-f",          "rawvideo",
                                  "-pix_fmt",    "bgr0",
                                  "-video_size", "640x480",
                                  "-framerate",  std::to_string(s.fps),
                                  "-i",          "pipe:0"};
    const bool sound = s.sound != nullptr;
    if (sound) {
        a.insert(a.end(), {"-f", "s16le", "-ar", std::to_string(s.soundRate), "-ac", "2", "-i",
                           soundPath, "-map", "0:v", "-map", "1:a"});
    }
    a.insert(a.end(), {"-vf", videoFilter(s.scale), "-c:v", "libx264", "-preset", "medium", "-crf",
                       "16", "-color_primaries", "bt709", "-color_trc", "bt709", "-colorspace",
                       "bt709", "-color_range", "tv"});
    if (sound) {
        // The sound is as long as the video; -shortest makes sure that the
        // last frame ends it.
        a.insert(a.end(), {"-c:a", "aac", "-b:a", "192k", "-shortest"});
    }
    a.insert(a.end(), {"-movflags", "+faststart", "-f", "mp4", outputPath});
    return a;
}

bool openVideo(VideoWriter& writer, const VideoSettings& settings, FILE* err) {
    writer.finalPath = settings.path;
    if (!makeOutput(writer, err)) {
        return false;
    }
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) < 0) {
        fprintf(err, "snolk-render: cannot make a pipe for ffmpeg: %s\n", strerror(errno));
        removeOutput(writer);
        return false;
    }
    signal(SIGPIPE, SIG_IGN);
    const std::string output = writer.output >= 0 ? kOutputName : writer.tempPath;
    const int sound = settings.sound != nullptr ? fileno(settings.sound) : -1;
    const bool started =
        spawnEncoder(writer, encoderArguments(settings, kSoundName, output), ends[0], sound, err);
    close(ends[0]);
    writer.frames = ends[1];
    // A larger pipe means fewer trips between the renderer and ffmpeg; 1 MiB
    // is what Linux grants anyone by default. Only an optimisation, so a
    // refusal is fine.
    fcntl(writer.frames, F_SETPIPE_SZ, 1 << 20);
    if (!started) {
        closeFramePipe(writer);
        removeOutput(writer);
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
    int status = 0;
    if (!waitForEncoder(writer, status, 0)) {
        fprintf(err, "snolk-render: stopped by %s while ffmpeg finished; no video written\n",
                strsignal(quitSignal()));
        abandonVideo(writer);
        return false;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        fprintf(err, "snolk-render: ffmpeg %s; no video written\n", describeEnd(status).c_str());
        removeOutput(writer);
        return false;
    }
    const bool named = nameOutput(writer, err);
    removeOutput(writer);
    return named;
}

void abandonVideo(VideoWriter& writer) {
    closeFramePipe(writer);
    stopEncoder(writer);
    removeOutput(writer);
}
