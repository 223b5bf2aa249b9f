// The encoder writes a file of a fresh temporary name in the video's folder,
// which is moved to the final name once it has finished and removed when it
// has not. ffmpeg.exe is not shipped: it is looked for on the PATH, and only
// there (not in the working folder, where anyone may have put a program).
#include "shell/encoder_process.h"

#include "shell/quit_signals.h"

#include <windows.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

struct EncoderProcess {
    HANDLE process = nullptr; // the encoder
    HANDLE frames = nullptr;  // the pipe into its standard input
    fs::path tempPath;        // what the encoder writes
    fs::path finalPath;
    EncoderInput input; // its other input, if any
};

namespace {

// Room for a frame and more in the pipe: fewer trips between the renderer
// and the encoder.
constexpr DWORD kPipeBytes = 1 << 20;

fs::path folderOf(const fs::path& path) {
    const fs::path folder = path.parent_path();
    return folder.empty() ? fs::path(".") : folder;
}

// The message Windows has for its last error.
std::string lastErrorText() {
    char text[256] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   GetLastError(), 0, text, sizeof text, nullptr);
    std::string message = text;
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) {
        message.pop_back();
    }
    return message;
}

// The program on the PATH: NAME.exe, or NAME itself where the PATH holds
// programs without the extension (as under wine, a Linux folder's). Empty
// when it is nowhere.
fs::path findOnPath(const std::string& name) {
    const char* path = getenv("PATH");
    std::string folders = path != nullptr ? path : "";
    for (size_t start = 0; start <= folders.size();) {
        size_t end = folders.find(';', start);
        if (end == std::string::npos) {
            end = folders.size();
        }
        const fs::path folder = folders.substr(start, end - start);
        start = end + 1;
        if (folder.empty()) {
            continue;
        }
        for (const std::string& file : {name + ".exe", name}) {
            std::error_code error;
            if (fs::is_regular_file(folder / file, error)) {
                return folder / file;
            }
        }
    }
    return {};
}

// One argument quoted as the C library of the started program splits its
// command line again: backslashes before a quote, and before the closing
// quote, are doubled.
std::wstring quoted(const std::wstring& argument) {
    std::wstring text = L"\"";
    size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        text.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        text += c;
    }
    text.append(2 * backslashes, L'\\');
    return text + L"\"";
}

std::wstring commandLine(const std::vector<std::string>& arguments) {
    std::wstring line;
    for (const std::string& argument : arguments) {
        line += (line.empty() ? L"" : L" ") + quoted(fs::path(argument).wstring());
    }
    return line;
}

// Claims a fresh name beside the video; also gives a plain message for a
// folder that does not exist or cannot be written, before the encoder is
// even started.
bool makeOutput(EncoderProcess& e, FILE* err) {
    wchar_t name[MAX_PATH];
    if (GetTempFileNameW(folderOf(e.finalPath).wstring().c_str(), L"snk", 0, name) == 0) {
        fprintf(err, "snolk-render: cannot write %s: %s\n", e.finalPath.string().c_str(),
                lastErrorText().c_str());
        return false;
    }
    e.tempPath = name;
    return true;
}

void removeOutput(EncoderProcess& e) {
    if (e.tempPath.empty()) {
        return;
    }
    // A process that was just ended may hold the file a moment longer.
    for (int attempt = 0; attempt < 50 && !DeleteFileW(e.tempPath.wstring().c_str()) &&
                          GetLastError() != ERROR_FILE_NOT_FOUND;
         ++attempt) {
        Sleep(20);
    }
    e.tempPath.clear();
}

void closeFramePipe(EncoderProcess& e) {
    if (e.frames != nullptr) {
        CloseHandle(e.frames);
        e.frames = nullptr;
    }
}

void forgetProcess(EncoderProcess& e) {
    CloseHandle(e.process);
    e.process = nullptr;
}

// Waits for the encoder to end; a quit signal ends the wait early, and then
// false.
bool waitForEncoder(EncoderProcess& e, DWORD& status) {
    while (WaitForSingleObject(e.process, 50) == WAIT_TIMEOUT) {
        if (quitSignalled()) {
            return false;
        }
    }
    if (!GetExitCodeProcess(e.process, &status)) {
        status = 0;
    }
    forgetProcess(e);
    return true;
}

void stopEncoder(EncoderProcess& e) {
    if (e.process == nullptr) {
        return;
    }
    TerminateProcess(e.process, 1);
    WaitForSingleObject(e.process, 5000);
    forgetProcess(e);
}

// Starts the encoder with its standard input on the pipe's reading end; its
// standard output and error are the renderer's.
bool spawnEncoder(EncoderProcess& e, const std::vector<std::string>& arguments, HANDLE input,
                  FILE* err) {
    const fs::path program = findOnPath(arguments[0]);
    if (program.empty()) {
        fprintf(err, "snolk-render: cannot start %s: no %s.exe on the PATH (install ffmpeg)\n",
                arguments[0].c_str(), arguments[0].c_str());
        return false;
    }
    std::wstring line = commandLine(arguments);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION started = {};
    if (!CreateProcessW(program.wstring().c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        nullptr, &startup, &started)) {
        fprintf(err, "snolk-render: cannot start %s: %s\n", program.string().c_str(),
                lastErrorText().c_str());
        return false;
    }
    CloseHandle(started.hThread);
    e.process = started.hProcess;
    return true;
}

} // namespace

// A fresh name in the temporary folder, which the encoder opens by name;
// it is removed when dropped.
bool makeEncoderInput(EncoderInput& input, FILE* err) {
    wchar_t folder[MAX_PATH];
    wchar_t name[MAX_PATH];
    if (GetTempPathW(MAX_PATH, folder) == 0 || GetTempFileNameW(folder, L"snk", 0, name) == 0) {
        fprintf(err, "snolk-render: cannot make a file for the sound: %s\n",
                lastErrorText().c_str());
        return false;
    }
    input.file = _wfopen(name, L"w+b");
    if (input.file == nullptr) {
        fprintf(err, "snolk-render: cannot make a file for the sound: %s\n", strerror(errno));
        DeleteFileW(name);
        return false;
    }
    // Forward slashes: a name the encoder takes as it is on any system.
    input.name = fs::path(name).generic_string();
    return true;
}

void dropEncoderInput(EncoderInput& input) {
    if (input.file != nullptr) {
        fclose(input.file);
        DeleteFileW(fs::path(input.name).wstring().c_str());
    }
    input = EncoderInput();
}

EncoderProcess* startEncoder(const std::string& finalPath, const EncoderCommand& command,
                             EncoderInput* input, FILE* err) {
    EncoderProcess* e = new EncoderProcess;
    e->finalPath = finalPath;
    if (input != nullptr) {
        e->input = *input;
        *input = EncoderInput();
        fflush(e->input.file);
    }
    if (!makeOutput(*e, err)) {
        abandonEncoder(e);
        return nullptr;
    }
    // Only the reading end is handed on to the encoder.
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    HANDLE reading = nullptr;
    if (!CreatePipe(&reading, &e->frames, &inherited, kPipeBytes) ||
        !SetHandleInformation(e->frames, HANDLE_FLAG_INHERIT, 0)) {
        fprintf(err, "snolk-render: cannot make a pipe for ffmpeg: %s\n", lastErrorText().c_str());
        if (reading != nullptr) {
            CloseHandle(reading);
        }
        abandonEncoder(e);
        return nullptr;
    }
    // Forward slashes: a name the encoder takes as it is on any system.
    const bool started =
        spawnEncoder(*e, command(e->tempPath.generic_string(), e->input.name), reading, err);
    CloseHandle(reading);
    if (!started) {
        abandonEncoder(e);
        return nullptr;
    }
    return e;
}

bool sendToEncoder(EncoderProcess& e, const unsigned char* bytes, size_t size) {
    while (size > 0) {
        if (quitSignalled()) {
            errno = EINTR;
            return false;
        }
        const DWORD chunk = size < kPipeBytes ? (DWORD)size : kPipeBytes;
        DWORD written = 0;
        if (!WriteFile(e.frames, bytes, chunk, &written, nullptr) || written == 0) {
            errno = EPIPE;
            return false;
        }
        bytes += written;
        size -= written;
    }
    return true;
}

bool finishEncoder(EncoderProcess* e, FILE* err) {
    closeFramePipe(*e);
    DWORD status = 0;
    if (!waitForEncoder(*e, status)) {
        fprintf(err, "snolk-render: stopped by %s while ffmpeg finished; no video written\n",
                quitSignalName());
        abandonEncoder(e);
        return false;
    }
    bool named = false;
    if (status != 0) {
        fprintf(err, "snolk-render: ffmpeg exited with status %lu; no video written\n",
                (unsigned long)status);
    } else if (MoveFileExW(e->tempPath.wstring().c_str(), e->finalPath.wstring().c_str(),
                           MOVEFILE_REPLACE_EXISTING)) {
        e->tempPath.clear();
        named = true;
    } else {
        fprintf(err, "snolk-render: cannot name the video %s: %s\n", e->finalPath.string().c_str(),
                lastErrorText().c_str());
    }
    removeOutput(*e);
    dropEncoderInput(e->input);
    delete e;
    return named;
}

void abandonEncoder(EncoderProcess* e) {
    if (e == nullptr) {
        return;
    }
    closeFramePipe(*e);
    stopEncoder(*e);
    removeOutput(*e);
    dropEncoderInput(e->input);
    delete e;
}
