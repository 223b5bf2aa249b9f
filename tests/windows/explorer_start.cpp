// Starts a program as Explorer does when a viewer double-clicks it: no
// console and no standard streams. Then reads the message box it shows (a
// dialog titled "the snolk demo"), prints the box's text, answers it with
// OK, and prints the program's exit status once it has ended. With
// --close-show the show's window, which opens after the box, is then asked
// to close as a viewer closes it.
//
//   explorer_start [--close-show] PROGRAM [ARGUMENTS...]
//
// Exits with 1 when no box came within 30 seconds or the program did not
// end within 30 seconds after it.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr wchar_t kTitle[] = L"the snolk demo";
constexpr int kPatience = 300; // tenths of a second

void printWide(const std::wstring& text) {
    std::string utf8(text.size() * 4 + 1, '\0');
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), utf8.data(),
                                           (int)utf8.size(), nullptr, nullptr);
    fwrite(utf8.data(), 1, length > 0 ? length : 0, stdout);
    putchar('\n');
}

// The texts of a dialog's static controls: a message box's text is one.
BOOL CALLBACK collectText(HWND child, LPARAM into) {
    wchar_t name[32];
    wchar_t text[8192];
    if (GetClassNameW(child, name, 32) > 0 && _wcsicmp(name, L"Static") == 0 &&
        GetWindowTextW(child, text, 8192) > 0) {
        *reinterpret_cast<std::wstring*>(into) += text;
    }
    return TRUE;
}

// A top-level window titled kTitle of the given class (nullptr: any class
// but a dialog's).
HWND waitForWindow(const wchar_t* className) {
    for (int i = 0; i < kPatience; ++i) {
        for (HWND found = nullptr; (found = FindWindowExW(nullptr, found, className, kTitle));) {
            wchar_t name[32];
            GetClassNameW(found, name, 32);
            if (className != nullptr || wcscmp(name, L"#32770") != 0) {
                return found;
            }
        }
        Sleep(100);
    }
    return nullptr;
}

// The command line after this program's own options, as it was written.
std::wstring programCommandLine(int skipped) {
    const wchar_t* line = GetCommandLineW();
    for (int word = 0; word < skipped; ++word) {
        bool quoted = false;
        while (*line == L' ') {
            ++line;
        }
        for (; *line != L'\0' && (quoted || *line != L' '); ++line) {
            quoted ^= *line == L'"';
        }
    }
    while (*line == L' ') {
        ++line;
    }
    return line;
}

} // namespace

int main(int argc, char** argv) {
    const bool closeShow = argc > 1 && strcmp(argv[1], "--close-show") == 0;
    if (argc < (closeShow ? 3 : 2)) {
        fputs("usage: explorer_start [--close-show] PROGRAM [ARGUMENTS...]\n", stderr);
        return 2;
    }
    std::wstring command = programCommandLine(closeShow ? 2 : 1);
    // Explorer has no console the program could attach to; this program's
    // own output still goes where it was sent.
    FreeConsole();
    STARTUPINFOW start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES; // each of them none
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
                        nullptr, &start, &process)) {
        printf("cannot start the program (error %lu)\n", GetLastError());
        return 1;
    }
    const HWND box = waitForWindow(L"#32770");
    if (box == nullptr) {
        puts("no message box");
        TerminateProcess(process.hProcess, 3);
        return 1;
    }
    // The box is found as it is made, perhaps before its text is set.
    std::wstring text;
    for (int i = 0; i < kPatience && text.empty(); ++i) {
        Sleep(100);
        EnumChildWindows(box, collectText, reinterpret_cast<LPARAM>(&text));
    }
    printWide(text);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    if (closeShow) {
        const HWND show = waitForWindow(nullptr);
        if (show == nullptr) {
            puts("no show window after the box");
        } else {
            PostMessageW(show, WM_CLOSE, 0, 0);
        }
    }
    if (WaitForSingleObject(process.hProcess, kPatience * 100) != WAIT_OBJECT_0) {
        puts("the program did not end");
        TerminateProcess(process.hProcess, 3);
        return 1;
    }
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    printf("status %lu\n", status);
    return 0;
}
