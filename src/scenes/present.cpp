// The logo presentation: under the title "the snolk demo" the logo drops in
// from above, splits after its 120th column into two pieces that swing apart
// in growing jerks, and settles with the seven standing in the gap.
#include "scenes/scenes.h"

#include "gfx/font.h"
#include "gfx/toolkit.h"

#include <cmath>

namespace {

constexpr int kRestBottom = 100; // the logo comes to rest with its bottom here
constexpr int kSplit = 120;      // width of the left piece
constexpr Uint32 kSwingStart = 3000;
constexpr int kSettleSpread = 14; // the swing ends once the spread exceeds this
constexpr int kSettledOffset = 20;

void loadPictures(PresentState& s, SDL_Surface* screen) {
    s.krx4.reset(prepareBlitSprite(loadImage("data/krx4.png"), screen));
    s.seven.reset(prepareBlitSprite(loadImage("data/7.png"), screen));
}

// Where the logo stands once centred and at rest.
struct Layout {
    int cx;  // left edge of the whole logo
    int top; // its y
    int lw;
    int lh;
};

Layout layoutOf(const SDL_Surface* screen, const SDL_Surface* logo) {
    return {(screen->w - logo->w) / 2, kRestBottom - logo->h, logo->w, logo->h};
}

// Draws the left piece at (leftX, top) and the right piece at (rightX, top).
void drawPieces(const PresentState& s, SDL_Surface* screen, const Layout& at, int leftX,
                int rightX) {
    blitPartAt(s.krx4.get(), 0, 0, kSplit, at.lh, screen, leftX, at.top);
    // A logo no wider than the split has no right piece.
    if (at.lw > kSplit) {
        blitPartAt(s.krx4.get(), kSplit, 0, at.lw - kSplit, at.lh, screen, rightX, at.top);
    }
}

void drawDrop(PresentState& s, SDL_Surface* screen, const Layout& at, Uint32 e) {
    // NOTE: unsigned minus int, cut to 16 bits: above the screen the logo's y
    // is negative until SDL's clipping raises it to 0.
    SDL_Rect where = {(Sint16)at.cx, (Sint16)(e / 30 - at.lh), 0, 0};
    SDL_UpperBlit(s.krx4.get(), nullptr, screen, &where);
    // The clipped y is what decides that the drop is over.
    if (where.y >= at.top) {
        s.stage = 1;
    }
}

void drawSwing(PresentState& s, SDL_Surface* screen, const Layout& at, Uint32 e) {
    // A logo 100 pixels or taller ends its drop at once; no spread before
    // the swing's start rather than an unsigned wrap-around.
    const int spread = e < kSwingStart ? 0 : (int)((e - kSwingStart) / 300);
    // NOTE: the sine of a whole number of radians, one step every 100 ms,
    // truncated toward zero.
    const Uint32 k = e / 100;
    const int g = (int)(sin((double)k) * (double)spread);
    drawPieces(s, screen, at, at.cx - spread - g, at.cx + kSplit + spread + g);
    if (spread > kSettleSpread) {
        s.stage = 2;
    }
}

void drawSettled(const PresentState& s, SDL_Surface* screen, const Layout& at) {
    drawPieces(s, screen, at, at.cx - kSettledOffset, at.cx + kSplit + kSettledOffset);
    blitAt(s.seven.get(), screen, at.cx + kSplit - kSettledOffset, at.top);
}

void drawLogo(PresentState& s, SDL_Surface* screen, Uint32 e) {
    const Layout at = layoutOf(screen, s.krx4.get());
    switch (s.stage) {
    case 0:
        drawDrop(s, screen, at, e);
        break;
    case 1:
        drawSwing(s, screen, at, e);
        break;
    default:
        drawSettled(s, screen, at);
        break;
    }
}

} // namespace

int present(PresentState& s, SDL_Surface* screen, Uint32 demoTime) {
    if (s.first) {
        loadPictures(s, screen);
        s.starttid = demoTime;
        s.first = 0;
    }
    const Uint32 e = demoTime - s.starttid;

    SDL_FillRect(screen, nullptr, 0);
    blitString("the snolk demo", 100, 400, 0, screen, redfont);
    // Without the logo the title stands alone for the scene's time.
    if (s.krx4 != nullptr) {
        drawLogo(s, screen, e);
    }
    return e > kPresentMs ? 1 : 0;
}
