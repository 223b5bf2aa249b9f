// The plasma and scroller: rings of a palette plasma spread from three wave
// centres, one circling the middle, under a black strip whose text stands
// for four seconds and then scrolls away to the left.
#include "scenes/plasma_state.h"
#include "scenes/scenes.h"

#include "gfx/font.h"
#include "gfx/kernels.h"
#include "gfx/toolkit.h"
#include "scenes/plasma_cycle.h"
#include "scenes/plasma_field.h"
#include "shell/display.h"
#include "shell/sine_tables.h"

#include <cstdlib>
#include <cstring>

PlasmaState plasmaState;

namespace {

constexpr Uint32 kDuration = 28000;     // ms
constexpr Uint32 kScrollerStill = 4000; // ms before the text starts to move
constexpr int kStripHeight = 40;
constexpr int kTextY = 4;

// A black palette first: a missing palette file leaves the plasma black
// whatever default palette the SDL build gives a new surface.
void blackenPalette(SDL_Surface* surface) {
    SDL_Color black[256];
    for (SDL_Color& colour : black) {
        colour = {0, 0, 0, 0};
    }
    SDL_SetColors(surface, black, 0, 256);
}

SDL_Surface* createPlasmaSurface() {
    SDL_Surface* surface = SDL_CreateRGBSurface(0, kPlasmaWidth, kPlasmaHeight, 8, 0, 0, 0, 0);
    // The field is written as one dense byte array.
    if (surface != nullptr && surface->pitch != kPlasmaWidth) {
        SDL_FreeSurface(surface);
        surface = nullptr;
    }
    if (surface != nullptr) {
        blackenPalette(surface);
        skapaPalett(surface, "data/weinPalette.bmp");
    }
    return surface;
}

void placeWaveCentres() {
    // NOTE: x then y for each centre; y may fall below the 440 rows.
    for (int k = 0; k < 3; ++k) {
        plasmaState.attx[k] = rand() % 640;
        plasmaState.atty[k] = rand() % 480;
    }
}

void setUp(Uint32 demoTime) {
    plasmaState.plasma = createPlasmaSurface();
    placeWaveCentres();
    plasmaState.stid = demoTime;
    plasmaState.first = 0;
}

// Centre 0 runs round the middle of the plasma, 8 table steps per frame.
void moveCentreZero(int frameCounter) {
    // NOTE: unsigned, so a frame counter past 2^31 / 8 still gives an index
    // in 0 ... 255.
    const unsigned i = ((unsigned)frameCounter * 8) % 256;
    plasmaState.attx[0] = (int)(320 + 80 * sintab[i]);
    plasmaState.atty[0] = (int)(220 + 80 * costab[i]);
}

void drawPlasma(SDL_Surface* screen, int frameCounter) {
    const float b = sintab[((unsigned)frameCounter * 4) % 256];
    moveCentreZero(frameCounter);
    if (plasmaState.plasma == nullptr) {
        return;
    }
    Uint8* pixels = static_cast<Uint8*>(plasmaState.plasma->pixels);
    if (useReferenceKernels) {
        drawPlasmaField(pixels, b, plasmaState.attx, plasmaState.atty);
    } else {
        drawPlasmaFieldCycled(pixels, (unsigned)frameCounter % kPlasmaCycle, b, plasmaState.attx,
                              plasmaState.atty);
    }
    blitAt(plasmaState.plasma, screen, 0, kStripHeight);
}

void clearStrip(SDL_Surface* screen) {
    // SDL writes the clipped rectangle back, so it is built afresh each time.
    SDL_Rect strip = {0, 0, 640, kStripHeight};
    SDL_FillRect(screen, &strip, 0);
}

void drawScrollerText(SDL_Surface* screen) {
    // NOTE: once the text has gone past the left edge nothing is drawn, so
    // the 16-bit glyph positions never wrap it back into view.
    const int textWidth = (int)(strlen(plasmaState.scroller) * redfont.width);
    if (plasmaState.scrollerx + textWidth > 0) {
        blitString(plasmaState.scroller, plasmaState.scrollerx, kTextY, 0, screen, redfont);
    }
}

void drawScroller(SDL_Surface* screen, Uint32 elapsed) {
    clearStrip(screen);
    if (elapsed <= kScrollerStill) {
        drawScrollerText(screen);
        return;
    }
    // The strip is shown after every one-pixel step.
    for (int step = 0; step < plasmaState.scrollermove; ++step) {
        clearStrip(screen);
        --plasmaState.scrollerx;
        drawScrollerText(screen);
        showRect(screen, 0, 0, 640, kStripHeight);
    }
}

} // namespace

int plasma(SDL_Surface* screen, Uint32 demoTime, int frameCounter) {
    if (plasmaState.first) {
        setUp(demoTime);
    }
    const Uint32 elapsed = demoTime - plasmaState.stid;
    drawPlasma(screen, frameCounter);
    drawScroller(screen, elapsed);
    return elapsed > kDuration ? 1 : 0;
}
