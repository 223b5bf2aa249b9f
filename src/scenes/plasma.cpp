// The plasma and scroller: rings of a palette plasma spread from three wave
// centres, one circling the middle, under a black strip whose text stands
// for four seconds and then scrolls away to the left.
#include "scenes/scene_state.h"
#include "scenes/scenes.h"

#include "gfx/font.h"
#include "gfx/random.h"
#include "gfx/toolkit.h"
#include "scenes/plasma_field.h"
#include "scenes/show.h"

#include <cstdlib>
#include <cstring>

namespace {
PlasmaState state;
} // namespace

const PlasmaState& plasmaState() {
    return state;
}

void setPlasmaState(const PlasmaState& replacement) {
    state = replacement;
}

namespace {

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
        state.attx[k] = showRand() % 640;
        state.atty[k] = showRand() % 480;
    }
}

void setUp(Uint32 demoTime) {
    state.plasma = createPlasmaSurface();
    placeWaveCentres();
    state.stid = demoTime;
    state.first = 0;
}

// Centre 0 runs round the middle of the plasma, 8 table steps per frame.
void moveCentreZero(int frameCounter) {
    // NOTE: unsigned, so a frame counter past 2^31 / 8 still gives an index
    // in 0 ... 255.
    const unsigned i = ((unsigned)frameCounter * 8) % 256;
    state.attx[0] = (int)(320 + 80 * sintab[i]);
    state.atty[0] = (int)(220 + 80 * costab[i]);
}

void drawPlasma(SDL_Surface* screen, int frameCounter) {
    const float b = sintab[((unsigned)frameCounter * 4) % 256];
    moveCentreZero(frameCounter);
    if (state.plasma == nullptr) {
        return;
    }
    Uint8* pixels = static_cast<Uint8*>(state.plasma->pixels);
    if (useReferenceKernels) {
        drawPlasmaField(pixels, b, state.attx, state.atty);
    } else {
        drawPlasmaFieldCycled(pixels, (unsigned)frameCounter % kPlasmaCycle, b, state.attx,
                              state.atty);
    }
    blitAt(state.plasma, screen, 0, kStripHeight);
}

void clearStrip(SDL_Surface* screen) {
    // SDL writes the clipped rectangle back, so it is built afresh each time.
    SDL_Rect strip = {0, 0, 640, kStripHeight};
    SDL_FillRect(screen, &strip, 0);
}

void drawScrollerText(SDL_Surface* screen) {
    // NOTE: once the text has gone past the left edge nothing is drawn, so
    // the 16-bit glyph positions never wrap it back into view.
    const int textWidth = (int)(strlen(state.scroller) * redfont.width);
    if (state.scrollerx + textWidth > 0) {
        blitString(state.scroller, state.scrollerx, kTextY, 0, screen, redfont);
    }
}

void drawScroller(SDL_Surface* screen, Uint32 elapsed) {
    clearStrip(screen);
    if (elapsed <= kScrollerStill) {
        drawScrollerText(screen);
        return;
    }
    // The strip is shown after every one-pixel step.
    for (int step = 0; step < state.scrollermove; ++step) {
        clearStrip(screen);
        --state.scrollerx;
        drawScrollerText(screen);
        presentRect(screen, 0, 0, 640, kStripHeight);
    }
}

} // namespace

int plasma(SDL_Surface* screen, Uint32 demoTime, int frameCounter) {
    if (state.first) {
        setUp(demoTime);
    }
    const Uint32 elapsed = demoTime - state.stid;
    drawPlasma(screen, frameCounter);
    drawScroller(screen, elapsed);
    return elapsed > kPlasmaMs ? 1 : 0;
}
