#include "support/run_program.h"

#include <cstdio>
#include <sstream>
#include <sys/wait.h>

ProgramResult runProgram(const std::string& command, bool mergeErrors) {
    std::string full = command;
    const std::string placeholder = "SNOLK_BIN";
    for (size_t at = full.find(placeholder); at != std::string::npos; at = full.find(placeholder)) {
        full.replace(at, placeholder.size(), SNOLK_BINARY_DIR);
    }
    if (mergeErrors) {
        full += " 2>&1";
    }
    ProgramResult result;
    FILE* pipe = popen(full.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[65536];
    size_t got = 0;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        result.out.append(buffer, got);
    }
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string lineOf(const std::string& text, int index) {
    std::istringstream lines(text);
    std::string line;
    for (int i = 0; i <= index && std::getline(lines, line); ++i) {
        if (i == index) {
            return line;
        }
    }
    return "";
}
