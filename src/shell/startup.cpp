#include "shell/startup.h"

#include "gfx/font.h"
#include "shell/sine_tables.h"

void prepareShow() {
    fillSintab();
    fillFontstr(redfont);
    loadFontSheet(redfont, "data/020.bmp");
}

void releaseShow() {
    if (redfont.surface != nullptr) {
        SDL_FreeSurface(redfont.surface);
        redfont.surface = nullptr;
    }
}
