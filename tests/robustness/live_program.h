// The live program run headless in the current folder, stopped by a signal
// as a viewer's Ctrl+C or a system shutdown would stop it.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct LiveResult {
    int status = -1;  // exit status, or -1 when it did not exit by itself
    std::string out;  // standard output
    std::string errs; // standard error
};

using Environment = std::vector<std::pair<std::string, std::string>>;

// One run of the live program: in folder (its output files go there), with
// these arguments and extra environment, stopped by signal.
struct LiveRun {
    std::string folder = ".";
    std::vector<std::string> args;
    Environment env;
    int signal = 0;
};

// Starts every run at once, waits until each has been running for the given
// time with its quit handlers in place, sends it its signal and waits for it
// to end. One that does not end is killed. The results in the runs' order.
std::vector<LiveResult> runAllUntilSignalled(const std::vector<LiveRun>& runs, double afterSeconds);

// One such run in the current folder.
LiveResult runUntilSignalled(const std::vector<std::string>& args, const Environment& env,
                             int signal, double afterSeconds);
