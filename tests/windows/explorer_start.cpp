// Starts a program as Explorer does on a double-click, with no console and
// no standard streams; prints the text of the message box titled "the snolk
// demo" it shows, answers it with OK, ends the program and prints its exit
// status (or "running" when it went on to its show).
//
//   explorer_start PROGRAM [ARGUMENTS...]   (arguments without spaces)
#include <windows.h>

#include <cstdio>
#include <string>

static BOOL CALLBACK collectText(HWND child, LPARAM into) {
    wchar_t text[8192];
    if (GetWindowTextW(child, text, 8192) > 0 && GetDlgCtrlID(child) != IDOK) {
        *reinterpret_cast<std::wstring*>(into) += text;
    }
    return TRUE;
}

int main(int argc, char** argv) {
    std::string command;
    for (int i = 1; i < argc; ++i) {
        command += std::string(i > 1 ? " " : "") + argv[i];
    }
    FreeConsole(); // Explorer has none the program could attach to
    STARTUPINFOA start{sizeof start};
    start.dwFlags = STARTF_USESTDHANDLES; // and every stream is none
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
                        nullptr, &start, &process)) {
        return 1;
    }
    // The box may be found before its text is set.
    std::wstring text;
    for (int i = 0; i < 300 && text.empty(); ++i) {
        Sleep(100);
        if (HWND box = FindWindowW(L"#32770", L"the snolk demo")) {
            EnumChildWindows(box, collectText, reinterpret_cast<LPARAM>(&text));
            if (!text.empty()) {
                PostMessageW(box, WM_COMMAND, IDOK, 0);
            }
        }
    }
    std::string utf8(text.size() * 4 + 1, '\0');
    utf8.resize(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), (int)utf8.size(),
                                    nullptr, nullptr));
    DWORD status = 0;
    if (WaitForSingleObject(process.hProcess, 5000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &status);
        printf("%s\nstatus %lu\n", utf8.c_str(), status);
    } else {
        TerminateProcess(process.hProcess, 0);
        printf("%s\nrunning\n", utf8.c_str());
    }
    return 0;
}
