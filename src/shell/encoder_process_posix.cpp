// The encoder writes into a file with no name (O_TMPFILE) in the video's
// folder, which is linked under the final name only once it has finished:
// even a killed render leaves nothing behind. Where the file system cannot
// make a file without a name, a temporary name of our own (mkstemp) stands
// in.
#include "shell/encoder_process.h"

#include "shell/quit_signals.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

struct EncoderProcess {
    pid_t process = -1;   // the encoder
    int frames = -1;      // the pipe into its standard input
    int output = -1;      // the nameless file it writes, or -1
    std::string tempPath; // the named stand-in when there is no nameless file
    std::string finalPath;
    EncoderInput input; // its other input, if any
};

namespace {

// The output's and the input file's descriptor numbers in the encoder, which
// opens them by these names.
constexpr int kOutputInEncoder = 3;
const char* const kOutputName = "/proc/self/fd/3";
constexpr int kInputInEncoder = 4;
const char* const kInputName = "/proc/self/fd/4";

// The status the encoder ended with, as a phrase for a message.
std::string describeEnd(int status) {
    if (WIFEXITED(status)) {
        return "exited with status " + std::to_string(WEXITSTATUS(status));
    }
    if (WIFSIGNALED(status)) {
        return std::string("was killed by ") + strsignal(WTERMSIG(status));
    }
    return "ended abnormally";
}

// Waits for the encoder to end. A quit signal, or a deadline (ms, 0 = none),
// ends the wait early; then false.
bool waitForEncoder(EncoderProcess& e, int& status, int deadlineMs) {
    for (int waited = 0;; waited += 10) {
        const pid_t ended = waitpid(e.process, &status, deadlineMs > 0 ? WNOHANG : 0);
        if (ended == e.process) {
            e.process = -1;
            return true;
        }
        if (ended < 0 && errno != EINTR) {
            e.process = -1;
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

// SIGTERM, then SIGKILL if it has not gone within a second.
void stopEncoder(EncoderProcess& e) {
    if (e.process <= 0) {
        return;
    }
    int status = 0;
    kill(e.process, SIGTERM);
    if (!waitForEncoder(e, status, 1000)) {
        kill(e.process, SIGKILL);
        while (waitpid(e.process, &status, 0) < 0 && errno == EINTR) {
        }
        e.process = -1;
    }
}

void removeOutput(EncoderProcess& e) {
    if (e.output >= 0) {
        close(e.output);
        e.output = -1;
    }
    if (!e.tempPath.empty()) {
        unlink(e.tempPath.c_str());
        e.tempPath.clear();
    }
}

void closeFramePipe(EncoderProcess& e) {
    if (e.frames >= 0) {
        close(e.frames);
        e.frames = -1;
    }
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// The file the encoder writes: nameless where the file system allows it, else
// a fresh name of our own beside the video. Making it ourselves also gives a
// plain message for a folder that does not exist or cannot be written,
// before the encoder is even started.
bool makeOutput(EncoderProcess& e, FILE* err) {
    const std::string folder = folderOf(e.finalPath);
    const int nameless = open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0644);
    if (nameless >= 0) {
        // Kept clear of the numbers the encoder's standard streams and its
        // output use.
        e.output = fcntl(nameless, F_DUPFD_CLOEXEC, 10);
        close(nameless);
        return e.output >= 0;
    }
    if (errno == ENOENT || errno == EACCES || errno == ENOTDIR || errno == EROFS) {
        fprintf(err, "snolk-render: cannot write %s: %s\n", e.finalPath.c_str(), strerror(errno));
        return false;
    }
    std::string name = folder + "/.snolk-render-XXXXXX";
    const int fd = mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        fprintf(err, "snolk-render: cannot write %s: %s\n", e.finalPath.c_str(), strerror(errno));
        return false;
    }
    close(fd);
    e.tempPath = name;
    return true;
}

// Gives the finished file its name, replacing a file of that name.
bool nameOutput(EncoderProcess& e, FILE* err) {
    if (!e.tempPath.empty()) {
        if (rename(e.tempPath.c_str(), e.finalPath.c_str()) == 0) {
            e.tempPath.clear();
            return true;
        }
    } else {
        const std::string self = "/proc/self/fd/" + std::to_string(e.output);
        if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, e.finalPath.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            return true;
        }
        // A file of that name exists: link under a fresh name, then move it
        // over the old one in one step.
        for (int attempt = 0; errno == EEXIST && attempt < 100; ++attempt) {
            std::string name = folderOf(e.finalPath) + "/.snolk-render-XXXXXX";
            const int fd = mkstemp(name.data());
            if (fd < 0) {
                break;
            }
            close(fd);
            unlink(name.c_str());
            if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                e.tempPath = name;
                return nameOutput(e, err);
            }
        }
    }
    fprintf(err, "snolk-render: cannot name the video %s: %s\n", e.finalPath.c_str(),
            strerror(errno));
    return false;
}

bool spawnEncoder(EncoderProcess& e, const std::vector<std::string>& arguments, int input,
                  FILE* err) {
    const int other = e.input.file != nullptr ? fileno(e.input.file) : -1;
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input, STDIN_FILENO);
    if (e.output >= 0) {
        posix_spawn_file_actions_adddup2(&actions, e.output, kOutputInEncoder);
    }
    if (other >= 0) {
        posix_spawn_file_actions_adddup2(&actions, other, kInputInEncoder);
    }
    // The renderer ignores SIGPIPE to see write errors; the encoder wants its
    // own.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

    const int failure =
        posix_spawnp(&e.process, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (failure != 0) {
        e.process = -1;
        fprintf(err, "snolk-render: cannot start %s: %s (install Debian's ffmpeg package)\n",
                argv[0], strerror(failure));
        return false;
    }
    return true;
}

} // namespace

// NOTE: tmpfile makes a file without a name where the system can, and
// otherwise removes the name it made at once: nothing is left behind. The
// encoder gets it as a descriptor of its own.
bool makeEncoderInput(EncoderInput& input, FILE* err) {
    input.file = tmpfile();
    if (input.file == nullptr) {
        fprintf(err, "snolk-render: cannot make a file for the sound: %s\n", strerror(errno));
        return false;
    }
    input.name = kInputName;
    return true;
}

void dropEncoderInput(EncoderInput& input) {
    if (input.file != nullptr) {
        fclose(input.file);
    }
    input = EncoderInput();
}

EncoderProcess* startEncoder(const std::string& finalPath, const EncoderCommand& command,
                             EncoderInput* input, FILE* err) {
    EncoderProcess* e = new EncoderProcess;
    e->finalPath = finalPath;
    if (input != nullptr) {
        e->input = *input;
        *input = EncoderInput();
    }
    if (!makeOutput(*e, err)) {
        abandonEncoder(e);
        return nullptr;
    }
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) < 0) {
        fprintf(err, "snolk-render: cannot make a pipe for ffmpeg: %s\n", strerror(errno));
        abandonEncoder(e);
        return nullptr;
    }
    signal(SIGPIPE, SIG_IGN);
    const std::string output = e->output >= 0 ? kOutputName : e->tempPath;
    const bool started = spawnEncoder(*e, command(output, e->input.name), ends[0], err);
    close(ends[0]);
    e->frames = ends[1];
    // A larger pipe means fewer trips between the renderer and the encoder;
    // 1 MiB is what Linux grants anyone by default. Only an optimisation, so
    // a refusal is fine.
    fcntl(e->frames, F_SETPIPE_SZ, 1 << 20);
    if (!started) {
        abandonEncoder(e);
        return nullptr;
    }
    return e;
}

// A signal that interrupts a write which has already moved some bytes makes
// it return that count, not EINTR: the quit flag is looked at either way.
bool sendToEncoder(EncoderProcess& e, const unsigned char* bytes, size_t size) {
    while (size > 0) {
        if (quitSignalled()) {
            errno = EINTR;
            return false;
        }
        const ssize_t written = write(e.frames, bytes, size);
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

bool finishEncoder(EncoderProcess* e, FILE* err) {
    closeFramePipe(*e);
    int status = 0;
    if (!waitForEncoder(*e, status, 0)) {
        fprintf(err, "snolk-render: stopped by %s while ffmpeg finished; no video written\n",
                quitSignalName());
        abandonEncoder(e);
        return false;
    }
    bool named = false;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        fprintf(err, "snolk-render: ffmpeg %s; no video written\n", describeEnd(status).c_str());
    } else {
        named = nameOutput(*e, err);
    }
    removeOutput(*e);
    dropEncoderInput(e->input);
    delete e;
    return named;
}

void abandonEncoder(EncoderProcess* e) {
    if (e == nullptr) {
        return;
    }
    closeFramePipe(*e);
    stopEncoder(*e);
    removeOutput(*e);
    dropEncoderInput(e->input);
    delete e;
}
