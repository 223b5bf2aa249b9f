// Runs one of the built programs and collects what it prints.
#pragma once

#include <string>

struct ProgramResult {
    int status = -1; // exit status, or -1 when it did not exit normally
    std::string out; // standard output (and standard error with mergeErrors)
};

// Runs "command" through the shell from the current folder. The programs
// are found through the SNOLK_BIN placeholder, e.g. "SNOLK_BIN/snolk-render".
ProgramResult runProgram(const std::string& command, bool mergeErrors = false);

// Lines of text, without their line breaks.
std::string lineOf(const std::string& text, int index);
