#include "show_in_window.h"

#include "support/run_program.h"

#include <SDL_image.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void pause(double seconds) {
    usleep((useconds_t)(seconds * 1e6));
}

[[noreturn]] void runShowHere(const std::string& options, const std::string& output) {
    const int fd = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || chdir(SNOLK_SOURCE_DIR) != 0) {
        _exit(127);
    }
    dup2(fd, STDOUT_FILENO);
    dup2(fd, STDERR_FILENO);
    // The X server or nothing: SDL would otherwise fall back to drawing
    // into the terminal, and no test may make a sound.
    setenv("SDL_VIDEODRIVER", "x11", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    // The show plays the repository's data set, whatever folder the test
    // keeps its files in.
    unsetenv("SNOLK_DATA");
    // SNOLK_LIVE_COMMAND, when set, starts another build of the show (the
    // Windows one under wine).
    const char* program = getenv("SNOLK_LIVE_COMMAND");
    const std::string command =
        "exec " + std::string(program != nullptr ? program : SNOLK_BINARY_DIR "/snolk") + " " +
        options;
    execl("/bin/sh", "sh", "-c", command.c_str(), (char*)nullptr);
    _exit(127);
}

// True once the program has ended, leaving its status to be collected.
bool hasEnded(pid_t pid) {
    siginfo_t info = {};
    return waitid(P_PID, pid, &info, WEXITED | WNOHANG | WNOWAIT) != 0 || info.si_pid != 0;
}

} // namespace

ShowInWindow startShow(const std::string& options, const std::string& folder) {
    ShowInWindow show;
    show.outputPath = folder + "/output.txt";
    show.startedAt = monotonicSeconds();
    show.pid = fork();
    if (show.pid == 0) {
        runShowHere(options, show.outputPath);
    }
    return show;
}

std::string waitForWindow(const ShowInWindow& show, double seconds) {
    const double deadline = monotonicSeconds() + seconds;
    while (monotonicSeconds() < deadline) {
        if (hasEnded(show.pid)) {
            return "";
        }
        const ProgramResult found =
            runProgram("xdotool search --onlyvisible --name '^the snolk demo$' 2>/dev/null");
        if (found.status == 0 && !lineOf(found.out, 0).empty()) {
            return lineOf(found.out, 0);
        }
        pause(0.2);
    }
    return "";
}

WindowPlace placeOf(const std::string& window) {
    std::istringstream lines(runProgram("xdotool getwindowgeometry --shell " + window).out);
    WindowPlace place;
    std::string line;
    while (std::getline(lines, line)) {
        const int value = atoi(line.c_str() + line.find('=') + 1);
        if (line.starts_with("X=")) {
            place.x = value;
        } else if (line.starts_with("Y=")) {
            place.y = value;
        } else if (line.starts_with("WIDTH=")) {
            place.width = value;
        } else if (line.starts_with("HEIGHT=")) {
            place.height = value;
        }
    }
    return place;
}

int waitForExit(ShowInWindow& show, double seconds) {
    const double deadline = monotonicSeconds() + seconds;
    int status = 0;
    while (monotonicSeconds() < deadline) {
        if (waitpid(show.pid, &status, WNOHANG) == show.pid) {
            show.pid = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        pause(0.05);
    }
    kill(show.pid, SIGKILL);
    waitpid(show.pid, &status, 0);
    show.pid = -1;
    return -1;
}

double monotonicSeconds() {
    timespec now = {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

std::string outputOf(const ShowInWindow& show) {
    std::ifstream file(show.outputPath);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

Screenshot takeScreenshot(const std::string& folder) {
    const std::string path = folder + "/screen.png";
    runProgram("import -window root " + path);
    return Screenshot(IMG_Load(path.c_str()), SDL_FreeSurface);
}

Uint32 pixelAt(const SDL_Surface* shot, int x, int y) {
    const Uint8* at =
        static_cast<const Uint8*>(shot->pixels) + y * shot->pitch + x * shot->format->BytesPerPixel;
    Uint32 word = 0;
    memcpy(&word, at, shot->format->BytesPerPixel);
    return word;
}

double litShare(const SDL_Surface* shot, int left, int top, int width, int height) {
    long lit = 0;
    const int right = std::min(left + width, shot->w);
    const int bottom = std::min(top + height, shot->h);
    for (int y = std::max(top, 0); y < bottom; ++y) {
        for (int x = std::max(left, 0); x < right; ++x) {
            Uint8 r = 0;
            Uint8 g = 0;
            Uint8 b = 0;
            SDL_GetRGB(pixelAt(shot, x, y), shot->format, &r, &g, &b);
            lit += (r | g | b) != 0;
        }
    }
    return lit / (double)(width * height);
}
