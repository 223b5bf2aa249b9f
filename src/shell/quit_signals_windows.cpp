// The console's control events arrive on a thread of their own, which the
// system starts for the handler.
#include "shell/quit_signals.h"

#include <windows.h>

#include <atomic>
#include <csignal>

namespace {

std::atomic<int> signalled{0};

// How long a closing console waits for the program to tidy up: Windows ends
// the process when the handler returns, and at the latest after 5 seconds.
constexpr DWORD kTidyingMs = 4500;

BOOL WINAPI noteQuit(DWORD event) {
    switch (event) {
    case CTRL_C_EVENT:
        signalled = SIGINT;
        return TRUE;
    case CTRL_BREAK_EVENT:
        signalled = SIGBREAK;
        return TRUE;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        signalled = SIGTERM;
        // The main thread finishes its frame and exits, which ends this wait.
        Sleep(kTidyingMs);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

void installQuitSignals() {
    SetConsoleCtrlHandler(noteQuit, TRUE);
}

bool quitSignalled() {
    return signalled != 0;
}

int quitSignal() {
    return signalled;
}

const char* quitSignalName() {
    switch (signalled) {
    case SIGINT:
        return "Interrupt";
    case SIGBREAK:
        return "Break";
    case SIGTERM:
        return "Terminated";
    default:
        return "no signal";
    }
}
