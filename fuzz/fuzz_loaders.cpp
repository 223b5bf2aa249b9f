// The libFuzzer target: every input goes through every loader and is drawn
// (load_and_draw.h). The loaders read files, so each input is written to an
// in-memory file that they open through /proc/self/fd; nothing is left on
// disk, even when an input crashes.
#include "load_and_draw.h"

#include <cstdio>
#include <sys/mman.h>
#include <unistd.h>

namespace {

SDL_Surface* screen = nullptr;
int inputFile = -1;
char inputPath[64];

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    screen = makeFuzzScreen();
    inputFile = memfd_create("snolk-fuzz-input", 0);
    if (screen == nullptr || inputFile < 0) {
        perror("snolk-fuzz: cannot set up");
        _exit(1);
    }
    snprintf(inputPath, sizeof inputPath, "/proc/self/fd/%d", inputFile);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const Uint8* data, size_t size) {
    if (ftruncate(inputFile, 0) != 0 || pwrite(inputFile, data, size, 0) != (ssize_t)size) {
        return 0;
    }
    loadAndDrawEverywhere(inputPath, screen);
    return 0;
}
