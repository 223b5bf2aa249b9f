#include "robustness/live_program.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

const char* const kOutFile = "live-stdout.txt";
const char* const kErrFile = "live-stderr.txt";
// Generous: a sanitizer build starts and stops slowly on a busy machine.
constexpr double kPatience = 60.0;

[[noreturn]] void execShow(const std::vector<std::string>& args, const Environment& env) {
    for (const auto& [name, value] : env) {
        setenv(name.c_str(), value.c_str(), 1);
    }
    const int out = open(kOutFile, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(kErrFile, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(out, 1);
    dup2(err, 2);
    const std::string program = SNOLK_BINARY_DIR "/snolk";
    std::vector<char*> argv = {const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
}

// Whether the process catches both quit signals, read from /proc: before
// that, a signal would end it the hard way.
bool catchesQuitSignals(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("SigCgt:", 0) == 0) {
            const unsigned long long caught = std::stoull(line.substr(7), nullptr, 16);
            const unsigned long long wanted = 1ull << (SIGINT - 1) | 1ull << (SIGTERM - 1);
            return (caught & wanted) == wanted;
        }
    }
    return false;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Polls for the end of the process until the deadline; -1 if it is still
// running, otherwise its wait status.
int reap(pid_t pid, std::chrono::steady_clock::time_point start, double deadline) {
    int status = 0;
    while (secondsSince(start) < deadline) {
        if (waitpid(pid, &status, WNOHANG) == pid) {
            return status;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
}

std::string contentsOf(const char* path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

LiveResult runUntilSignalled(const std::vector<std::string>& args, const Environment& env,
                             int signal, double afterSeconds) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execShow(args, env);
    }
    LiveResult result;
    if (pid < 0) {
        return result;
    }
    int status = -1;
    while (status == -1 && secondsSince(start) < kPatience) {
        if (secondsSince(start) >= afterSeconds && catchesQuitSignals(pid)) {
            kill(pid, signal);
            status = reap(pid, std::chrono::steady_clock::now(), kPatience);
            break;
        }
        status = reap(pid, std::chrono::steady_clock::now(), 0.05);
    }
    if (status == -1) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    } else if (WIFEXITED(status)) {
        result.status = WEXITSTATUS(status);
    }
    result.out = contentsOf(kOutFile);
    result.errs = contentsOf(kErrFile);
    return result;
}
