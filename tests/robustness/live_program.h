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

// Starts snolk with the given arguments and extra environment, waits until
// it has been running for the given time with its quit handlers in place,
// sends the signal and waits for it to end. One that does not end is killed.
LiveResult runUntilSignalled(const std::vector<std::string>& args, const Environment& env,
                             int signal, double afterSeconds);
