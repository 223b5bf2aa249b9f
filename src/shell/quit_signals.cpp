#include "shell/quit_signals.h"

#include <csignal>

namespace {
volatile sig_atomic_t signalled = 0;

void noteQuit(int) {
    signalled = 1;
}
} // namespace

void installQuitSignals() {
    struct sigaction action = {};
    action.sa_handler = noteQuit;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool quitSignalled() {
    return signalled != 0;
}
