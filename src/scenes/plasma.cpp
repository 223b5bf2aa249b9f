// The plasma and scroller: rings of a palette plasma spread from three wave
// centres, one circling the middle, under a black strip whose text stands
// for four seconds and then scrolls away to the left.
#include "scenes/scenes.h"

#include "gfx/font.h"
#include "gfx/random.h"
#include "gfx/toolkit.h"
#include "scenes/plasma_field.h"
#include "scenes/show.h"

#include <cstring>

namespace {

constexpr Uint32 kScrollerStill = 4000; // ms before the text starts to move
constexpr int kStripHeight = 40;
constexpr int kTextY = 4;

SDL_Surface* createPlasmaSurface() {
    // A black palette first: a missing palette file leaves the plasma black
    // whatever default palette the SDL build gives a new surface.
    SDL_Surface* surface =
        createPaletteSurface(kPlasmaWidth, kPlasmaHeight, "data/weinPalette.bmp");
    // The field is written as one dense byte array.
    if (surface != nullptr && surface->pitch != kPlasmaWidth) {
        SDL_FreeSurface(surface);
        surface = nullptr;
    }
    return surface;
}

void placeWaveCentres(PlasmaState& s, ShowRandom& random) {
    // NOTE: x then y for each centre; y may fall below the 440 rows.
    for (int k = 0; k < 3; ++k) {
        s.attx[k] = random.rand() % 640;
        s.atty[k] = random.rand() % 480;
    }
}

void setUp(PlasmaState& s, ShowRandom& random, Uint32 demoTime) {
    s.plasma.reset(createPlasmaSurface());
    placeWaveCentres(s, random);
    s.stid = demoTime;
    s.first = 0;
}

// Centre 0 runs round the middle of the plasma, 8 table steps per frame.
void moveCentreZero(PlasmaState& s, int frameCounter) {
    // NOTE: unsigned, so a frame counter past 2^31 / 8 still gives an index
    // in 0 ... 255.
    const unsigned i = ((unsigned)frameCounter * 8) % 256;
    s.attx[0] = (int)(320 + 80 * sintab[i]);
    s.atty[0] = (int)(220 + 80 * costab[i]);
}

void drawPlasma(PlasmaState& s, SDL_Surface* screen, int frameCounter) {
    const float b = sintab[((unsigned)frameCounter * 4) % 256];
    moveCentreZero(s, frameCounter);
    if (s.plasma == nullptr) {
        return;
    }
    Uint8* pixels = static_cast<Uint8*>(s.plasma->pixels);
    if (useReferenceKernels) {
        drawPlasmaField(pixels, b, s.attx, s.atty);
    } else {
        drawPlasmaFieldCycled(s.cache, pixels, (unsigned)frameCounter % kPlasmaCycle, b, s.attx,
                              s.atty);
    }
    blitAt(s.plasma.get(), screen, 0, kStripHeight);
}

void clearStrip(SDL_Surface* screen) {
    // SDL writes the clipped rectangle back, so it is built afresh each time.
    SDL_Rect strip = {0, 0, 640, kStripHeight};
    SDL_FillRect(screen, &strip, 0);
}

void drawScrollerText(const PlasmaState& s, SDL_Surface* screen) {
    // NOTE: once the text has gone past the left edge nothing is drawn, so
    // the 16-bit glyph positions never wrap it back into view.
    const int textWidth = (int)(strlen(s.scroller) * redfont.width);
    if (s.scrollerx + textWidth > 0) {
        blitString(s.scroller, s.scrollerx, kTextY, 0, screen, redfont);
    }
}

void drawScroller(PlasmaState& s, ShowPlatform& platform, SDL_Surface* screen, Uint32 elapsed) {
    clearStrip(screen);
    if (elapsed <= kScrollerStill) {
        drawScrollerText(s, screen);
        return;
    }
    // The strip is shown after every one-pixel step.
    for (int step = 0; step < s.scrollermove; ++step) {
        clearStrip(screen);
        --s.scrollerx;
        drawScrollerText(s, screen);
        platform.presentStrip(screen, kStripHeight);
    }
}

} // namespace

int plasma(PlasmaState& s, ShowRandom& random, ShowPlatform& platform, SDL_Surface* screen,
           Uint32 demoTime, int frameCounter) {
    if (s.first) {
        setUp(s, random, demoTime);
    }
    const Uint32 elapsed = demoTime - s.stid;
    drawPlasma(s, screen, frameCounter);
    drawScroller(s, platform, screen, elapsed);
    return elapsed > kPlasmaMs ? 1 : 0;
}
