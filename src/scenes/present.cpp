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
void drawPieces(const LogoPictures& s, const ShowFrame& f, const Layout& at, int leftX,
                int rightX) {
    blitPartAt(s.krx4.get(), 0, 0, kSplit, at.lh, f.screen, leftX, at.top, nullptr, f.kernels);
    // A logo no wider than the split has no right piece.
    if (at.lw > kSplit) {
        blitPartAt(s.krx4.get(), kSplit, 0, at.lw - kSplit, at.lh, f.screen, rightX, at.top,
                   nullptr, f.kernels);
    }
}

void drawDrop(const LogoPictures& p, PresentState& s, const ShowFrame& f, const Layout& at,
              Uint32 e) {
    // NOTE: unsigned minus int, cut to 16 bits: above the screen the logo's y
    // is negative until SDL's clipping raises it to 0.
    SDL_Rect where = {(Sint16)at.cx, (Sint16)(e / 30 - at.lh), 0, 0};
    blitSurface(p.krx4.get(), nullptr, f.screen, &where, f.kernels);
    // The clipped y is what decides that the drop is over.
    if (where.y >= at.top) {
        s.stage = 1;
    }
}

void drawSwing(const LogoPictures& p, PresentState& s, const ShowFrame& f, const Layout& at,
               Uint32 e) {
    // A logo 100 pixels or taller ends its drop at once; no spread before
    // the swing's start rather than an unsigned wrap-around.
    const int spread = e < kSwingStart ? 0 : (int)((e - kSwingStart) / 300);
    // NOTE: the sine of a whole number of radians, one step every 100 ms,
    // truncated toward zero.
    const Uint32 k = e / 100;
    const int g = (int)(sin((double)k) * (double)spread);
    drawPieces(p, f, at, at.cx - spread - g, at.cx + kSplit + spread + g);
    if (spread > kSettleSpread) {
        s.stage = 2;
    }
}

void drawSettled(const LogoPictures& s, const ShowFrame& f, const Layout& at) {
    drawPieces(s, f, at, at.cx - kSettledOffset, at.cx + kSplit + kSettledOffset);
    blitAt(s.seven.get(), f.screen, at.cx + kSplit - kSettledOffset, at.top, f.kernels);
}

void drawLogo(const LogoPictures& p, PresentState& s, const ShowFrame& f, Uint32 e) {
    const Layout at = layoutOf(f.screen, p.krx4.get());
    switch (s.stage) {
    case 0:
        drawDrop(p, s, f, at, e);
        break;
    case 1:
        drawSwing(p, s, f, at, e);
        break;
    default:
        drawSettled(p, f, at);
        break;
    }
}

} // namespace

// ---- Ahead --------------------------------------------------------------------

LogoPictures loadLogoPictures(const PictureSource& from) {
    return {from.blitSprite("data/krx4.png"), from.blitSprite("data/7.png")};
}

// ---- Every frame (the first needs nothing of its own) ------------------------------

int present(const LogoPictures& p, PresentState& s, const ShowFrame& f) {
    const Uint32 e = f.elapsed;
    clearSurface(f.screen, 0, f.kernels);
    blitString("the snolk demo", 100, 400, 0, f.screen, f.font);
    // Without the logo the title stands alone for the scene's time.
    if (p.krx4 != nullptr) {
        drawLogo(p, s, f, e);
    }
    return e > kPresentMs ? 1 : 0;
}
