// mkassets OUTDIR: draws every picture, both palettes, the flame seed and the
// font sheet of the show into OUTDIR. Deterministic: the same files every run.
#include "assets.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mkassets OUTDIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    try {
        makePalettes(dir);
        makeFontSheet(dir);
        makeLetters(dir);
        makeBottle(dir);
        makeSparkler(dir);
        makeLogo(dir);
        makeTree(dir);
        makeMoon(dir);
        makeSantas(dir);
        makeSnow(dir);
        makeWarpSleigh(dir);
        makeFieldSprites(dir);
        makeCandlestick(dir);
        makeGreetings(dir);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mkassets: %s\n", e.what());
        return 1;
    }
    return 0;
}
