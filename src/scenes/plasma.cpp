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

void placeWaveCentres(PlasmaState& s, ShowRandom& random) {
    // NOTE: x then y for each centre; y may fall below the 440 rows.
    for (int k = 0; k < 3; ++k) {
        s.attx[k] = random.rand() % 640;
        s.atty[k] = random.rand() % 480;
    }
}

// Centre 0 runs round the middle of the plasma, 8 table steps per frame.
void moveCentreZero(PlasmaState& s, int frameCounter) {
    // NOTE: unsigned, so a frame counter past 2^31 / 8 still gives an index
    // in 0 ... 255.
    const unsigned i = ((unsigned)frameCounter * 8) % 256;
    s.attx[0] = (int)(320 + 80 * sintab[i]);
    s.atty[0] = (int)(220 + 80 * costab[i]);
}

void drawPlasma(const PlasmaTables& t, PlasmaState& s, const ShowFrame& f) {
    const float b = sintab[((unsigned)f.frameCounter * 4) % 256];
    moveCentreZero(s, f.frameCounter);
    if (s.plasma == nullptr) {
        return;
    }
    Uint8* pixels = static_cast<Uint8*>(s.plasma.get()->pixels);
    if (f.kernels == Kernels::Literal || t.cycle == nullptr) {
        drawPlasmaField(pixels, b, s.attx, s.atty);
    } else {
        drawPlasmaFieldCycled(*t.cycle, t.distances, pixels,
                              (unsigned)f.frameCounter % kPlasmaCycle, b, s.attx, s.atty);
    }
    blitAt(s.plasma.get(), f.screen, 0, kStripHeight);
}

void clearStrip(const ShowFrame& f) {
    clearRect(f.screen, {0, 0, 640, kStripHeight}, 0, f.kernels);
}

void drawScrollerText(const PlasmaState& s, const ShowFrame& f) {
    // NOTE: once the text has gone past the left edge nothing is drawn, so
    // the 16-bit glyph positions never wrap it back into view.
    const int textWidth = (int)(strlen(s.scroller) * f.font.width);
    if (s.scrollerx + textWidth > 0) {
        blitString(s.scroller, s.scrollerx, kTextY, 0, f.screen, f.font);
    }
}

void drawScroller(PlasmaState& s, const ShowFrame& f) {
    clearStrip(f);
    if (f.elapsed <= kScrollerStill) {
        drawScrollerText(s, f);
        return;
    }
    // The strip is shown after every one-pixel step.
    for (int step = 0; step < s.scrollermove; ++step) {
        clearStrip(f);
        --s.scrollerx;
        drawScrollerText(s, f);
        f.platform.presentStrip(f.screen, kStripHeight);
    }
}

} // namespace

// ---- Ahead: the palette, the distances, the cycle's memory --------------------------

PlasmaTables loadPlasmaTables(const PictureSource& from) {
    PlasmaTables t;
    t.palette = readPalette(from.path("data/weinPalette.bmp").c_str());
    if (from.kernels == Kernels::Fast) {
        t.cycle = std::make_unique<PlasmaCache>();
        t.cycle->reserve();
    }
    return t;
}

// A black palette when there is none: a missing palette file leaves the
// plasma black whatever default palette the SDL build gives a new surface.
// The field is written as one dense byte array, so a surface whose rows are
// padded is none.
SDL_Surface* createPlasmaSurface(const PlasmaTables& t) {
    SDL_Surface* surface = createPaletteSurface(kPlasmaWidth, kPlasmaHeight, t.palette.get());
    if (surface != nullptr && surface->pitch != kPlasmaWidth) {
        SDL_FreeSurface(surface);
        surface = nullptr;
    }
    return surface;
}

// ---- Every frame, the first placing the wave centres ------------------------------

int plasma(const PlasmaTables& t, PlasmaState& s, const ShowFrame& f) {
    if (f.sceneBegins) {
        placeWaveCentres(s, f.random);
    }
    drawPlasma(t, s, f);
    drawScroller(s, f);
    return f.elapsed > kPlasmaMs ? 1 : 0;
}
