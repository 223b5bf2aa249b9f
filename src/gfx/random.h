// The show's random numbers: glibc's rand() and srand(), written out so that
// every build draws the same sequence, whatever its C library (musl's rand()
// in WebAssembly is another generator). Scenes call showRand() wherever the
// show says rand(); the order of the calls is part of every frame.
#pragma once

// Restarts the sequence, as srand(seed) does; before the first call the
// sequence is that of seed 1, as in glibc.
void showSrand(unsigned seed);

// The next number, 0 ... 2^31 - 1, as rand() gives it.
int showRand();
