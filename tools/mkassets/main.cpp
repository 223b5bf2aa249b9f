// mkassets OUTDIR [ICON]: draws every picture, both palettes, the flame seed
// and the font sheet of the show into OUTDIR, and with ICON the Windows
// programs' icon into that file. Deterministic: the same files every run.
#include "assets.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: mkassets OUTDIR [ICON]\n");
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
        if (argc == 3)
            makeIcon(argv[2]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mkassets: %s\n", e.what());
        return 1;
    }
    return 0;
}
