#include "shell/process_environment.h"

#include <cstdlib>
#include <system_error>

std::filesystem::path executablePath() {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : path;
}

void setEnvironment(const char* name, const char* value, bool replace) {
    setenv(name, value, replace ? 1 : 0);
}

void unsetEnvironment(const char* name) {
    unsetenv(name);
}

void useStartingConsole() {}
