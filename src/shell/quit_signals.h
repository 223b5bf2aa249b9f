// SIGINT and SIGTERM end the show like a quit: the loop finishes its frame,
// stops the music and prints the frame rate.
#pragma once

void installQuitSignals();
bool quitSignalled();
