#include "robustness/live_program.h"

#include <algorithm>
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

[[noreturn]] void execShow(const LiveRun& run) {
    if (chdir(run.folder.c_str()) != 0) {
        _exit(126);
    }
    for (const auto& [name, value] : run.env) {
        setenv(name.c_str(), value.c_str(), 1);
    }
    const int out = open(kOutFile, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(kErrFile, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(out, 1);
    dup2(err, 2);
    const std::string program = SNOLK_BINARY_DIR "/snolk";
    std::vector<char*> argv = {const_cast<char*>(program.c_str())};
    for (const std::string& arg : run.args) {
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

std::string contentsOf(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

std::vector<LiveResult> runAllUntilSignalled(const std::vector<LiveRun>& runs,
                                             double afterSeconds) {
    const auto start = std::chrono::steady_clock::now();
    std::vector<pid_t> pids;
    for (const LiveRun& run : runs) {
        const pid_t pid = fork();
        if (pid == 0) {
            execShow(run);
        }
        pids.push_back(pid);
    }
    enum class Stage { Started, Signalled, Ended };
    std::vector<Stage> stages(runs.size(), Stage::Started);
    std::vector<int> statuses(runs.size(), -1);
    for (size_t k = 0; k < runs.size(); ++k) {
        stages[k] = pids[k] < 0 ? Stage::Ended : Stage::Started;
    }
    const auto allEnded = [&] {
        return std::all_of(stages.begin(), stages.end(), [](Stage s) { return s == Stage::Ended; });
    };
    while (!allEnded() && secondsSince(start) < afterSeconds + kPatience) {
        for (size_t k = 0; k < runs.size(); ++k) {
            if (stages[k] == Stage::Ended) {
                continue;
            }
            if (waitpid(pids[k], &statuses[k], WNOHANG) == pids[k]) {
                stages[k] = Stage::Ended;
            } else if (stages[k] == Stage::Started && secondsSince(start) >= afterSeconds &&
                       catchesQuitSignals(pids[k])) {
                kill(pids[k], runs[k].signal);
                stages[k] = Stage::Signalled;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::vector<LiveResult> results(runs.size());
    for (size_t k = 0; k < runs.size(); ++k) {
        if (stages[k] != Stage::Ended) {
            kill(pids[k], SIGKILL);
            waitpid(pids[k], nullptr, 0);
        } else if (pids[k] > 0 && WIFEXITED(statuses[k])) {
            results[k].status = WEXITSTATUS(statuses[k]);
        }
        results[k].out = contentsOf(runs[k].folder + "/" + kOutFile);
        results[k].errs = contentsOf(runs[k].folder + "/" + kErrFile);
    }
    return results;
}

LiveResult runUntilSignalled(const std::vector<std::string>& args, const Environment& env,
                             int signal, double afterSeconds) {
    return runAllUntilSignalled({{".", args, env, signal}}, afterSeconds)[0];
}
