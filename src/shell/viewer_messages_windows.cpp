#include "shell/viewer_messages.h"

#include <SDL.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <string>

namespace {

constexpr size_t kLongestText = 8192; // a message box shows no more than a screen

const char* const kUnpackAdvice =
    "\nsnolk.exe plays the pictures and music in the data folder beside it. "
    "Unpack the whole zip, and start snolk.exe in the folder it makes.";

// The file the streams that went nowhere are held in until the show begins;
// empty when nothing is held.
std::wstring heldIn;
FILE* const kStreams[] = {stdout, stderr};
bool held[2] = {false, false}; // of kStreams

// A stream with nowhere to go: a windowed program's, unless it was
// redirected or sent to a console when the program started.
bool goesNowhere(FILE* stream) {
    const int fd = _fileno(stream);
    if (fd < 0) {
        return true;
    }
    const intptr_t handle = _get_osfhandle(fd);
    return handle == -1 || handle == -2 || handle == 0;
}

// Sends stream to the held file as descriptor fd (1 or 2, its own).
// NOTE: freopen cannot be used: a windowed program's streams have no
// descriptor at all (-2), and the C library refuses to reopen them.
bool holdIn(FILE* stream, int file, int fd) {
    if (_dup2(file, fd) != 0) {
        return false;
    }
#ifndef _UCRT
    stream->_file = fd;
#endif
    setvbuf(stream, nullptr, _IONBF, 0);
    return _fileno(stream) == fd;
}

std::string readHeld() {
    std::string text;
    if (FILE* file = _wfopen(heldIn.c_str(), L"rb")) {
        char chunk[1024];
        size_t got = 0;
        while (text.size() < kLongestText && (got = fread(chunk, 1, sizeof chunk, file)) > 0) {
            text.append(chunk, got);
        }
        fclose(file);
    }
    return text.substr(0, kLongestText);
}

// In the system's code page, as the program printed it.
std::wstring wide(const std::string& text) {
    std::wstring result(text.size(), L'\0');
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), (int)text.size(), result.data(),
                                           (int)text.size());
    result.resize(length > 0 ? length : 0);
    return result;
}

void showHeldAtExit() {
    showHeldMessages(false);
}

} // namespace

void holdMessagesForViewer() {
    if (!goesNowhere(stdout) && !goesNowhere(stderr)) {
        return;
    }
    wchar_t folder[MAX_PATH + 1];
    wchar_t name[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH || GetTempFileNameW(folder, L"snk", 0, name) == 0) {
        return; // no place to hold them: they go nowhere, as before
    }
    // Appended to, so that both streams keep their order in one file.
    const int file = _wopen(name, _O_WRONLY | _O_APPEND | _O_BINARY);
    if (file < 0) {
        return;
    }
    heldIn = name;
    for (int i = 0; i < 2; ++i) {
        held[i] = goesNowhere(kStreams[i]) && holdIn(kStreams[i], file, i + 1);
    }
    _close(file);
    atexit(showHeldAtExit);
}

bool showHeldMessages(bool dataMissing) {
    if (heldIn.empty()) {
        return false;
    }
    std::string text = readHeld();
    for (int i = 0; i < 2; ++i) {
        if (held[i]) {
            freopen("NUL", "w", kStreams[i]);
        }
    }
    _wremove(heldIn.c_str());
    heldIn.clear();
    if (dataMissing) {
        text += kUnpackAdvice;
    }
    if (text.empty()) {
        return false;
    }
    SDL_PauseAudio(1); // no music under the box: nothing plays until the show does
    MessageBoxW(nullptr, wide(text).c_str(), L"the snolk demo",
                MB_OK | MB_ICONWARNING | MB_SETFOREGROUND | MB_TASKMODAL);
    SDL_PauseAudio(0);
    return true;
}
