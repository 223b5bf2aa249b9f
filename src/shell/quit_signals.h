// SIGINT, SIGTERM and SIGHUP (a closed terminal) end either program like a
// quit: the live show finishes its frame, stops the music and prints the
// frame rate; the renderer stops before its next frame, removes what it had
// half written and exits with 128 + the signal's number. On Windows the
// console's Ctrl-C and Ctrl-Break, and its window being closed, are the
// quit signals (as SIGINT, SIGBREAK and SIGTERM). One version per platform.
#pragma once

// Installs the handlers. Called before SDL starts: SDL then keeps them and
// puts none of its own in their place, so this is the only mechanism. The
// handlers do not restart system calls: a write to a stalled pipe or a sleep
// returns early, and the caller looks at quitSignalled().
void installQuitSignals();

bool quitSignalled();

// The signal that came, or 0.
int quitSignal();

// The signal's name for a message, as "Interrupt".
const char* quitSignalName();
