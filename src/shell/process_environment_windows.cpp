#include "shell/process_environment.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

std::filesystem::path executablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), (DWORD)path.size());
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2); // cut short: a longer path
    }
}

void setEnvironment(const char* name, const char* value, bool replace) {
    if (replace || getenv(name) == nullptr) {
        _putenv_s(name, value);
    }
}

// NOTE: an empty value removes the variable.
void unsetEnvironment(const char* name) {
    _putenv_s(name, "");
}

namespace {

// A stream with nowhere to go: a windowed program's, unless it was
// redirected when the program started.
bool goesNowhere(DWORD which) {
    const HANDLE handle = GetStdHandle(which);
    return handle == nullptr || handle == INVALID_HANDLE_VALUE;
}

} // namespace

void useStartingConsole() {
    const bool out = goesNowhere(STD_OUTPUT_HANDLE);
    const bool err = goesNowhere(STD_ERROR_HANDLE);
    if (!(out || err) || !AttachConsole(ATTACH_PARENT_PROCESS)) {
        return;
    }
    if (out && freopen("CONOUT$", "w", stdout) != nullptr) {
        setvbuf(stdout, nullptr, _IONBF, 0);
    }
    if (err) {
        freopen("CONOUT$", "w", stderr);
    }
}
