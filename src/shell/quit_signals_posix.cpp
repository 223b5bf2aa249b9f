#include "shell/quit_signals.h"

#include <csignal>
#include <cstring>
#include <initializer_list>

namespace {
volatile sig_atomic_t signalled = 0;

void noteQuit(int signal) {
    signalled = signal;
}
} // namespace

void installQuitSignals() {
    struct sigaction action = {};
    action.sa_handler = noteQuit;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no SA_RESTART
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        sigaction(signal, &action, nullptr);
    }
}

bool quitSignalled() {
    return signalled != 0;
}

int quitSignal() {
    return signalled;
}

const char* quitSignalName() {
    return strsignal(signalled);
}
