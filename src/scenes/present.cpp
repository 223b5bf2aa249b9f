// The logo presentation: under the title "the snolk demo" the logo drops in
// from above, splits after its 120th column into two pieces that swing apart
// in growing jerks, and settles with the seven standing in the gap.
#include "scenes/scene_state.h"
#include "scenes/scenes.h"

#include "gfx/font.h"
#include "gfx/toolkit.h"

#include <cmath>

namespace {
PresentState state;
} // namespace

const PresentState& presentState() {
    return state;
}

void setPresentState(const PresentState& replacement) {
    state = replacement;
}

namespace {

constexpr int kRestBottom = 100; // the logo comes to rest with its bottom here
constexpr int kSplit = 120;      // width of the left piece
constexpr Uint32 kSwingStart = 3000;
constexpr int kSettleSpread = 14; // the swing ends once the spread exceeds this
constexpr int kSettledOffset = 20;

void loadPictures(SDL_Surface* screen) {
    state.krx4 = prepareBlitSprite(loadImage("data/krx4.png"), screen);
    state.seven = prepareBlitSprite(loadImage("data/7.png"), screen);
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
void drawPieces(SDL_Surface* screen, const Layout& at, int leftX, int rightX) {
    blitPartAt(state.krx4, 0, 0, kSplit, at.lh, screen, leftX, at.top);
    // A logo no wider than the split has no right piece.
    if (at.lw > kSplit) {
        blitPartAt(state.krx4, kSplit, 0, at.lw - kSplit, at.lh, screen, rightX, at.top);
    }
}

void drawDrop(SDL_Surface* screen, const Layout& at, Uint32 e) {
    // NOTE: unsigned minus int, cut to 16 bits: above the screen the logo's y
    // is negative until SDL's clipping raises it to 0.
    SDL_Rect where = {(Sint16)at.cx, (Sint16)(e / 30 - at.lh), 0, 0};
    SDL_UpperBlit(state.krx4, nullptr, screen, &where);
    // The clipped y is what decides that the drop is over.
    if (where.y >= at.top) {
        state.stage = 1;
    }
}

void drawSwing(SDL_Surface* screen, const Layout& at, Uint32 e) {
    // A logo 100 pixels or taller ends its drop at once; no spread before
    // the swing's start rather than an unsigned wrap-around.
    const int s = e < kSwingStart ? 0 : (int)((e - kSwingStart) / 300);
    // NOTE: the sine of a whole number of radians, one step every 100 ms,
    // truncated toward zero.
    const Uint32 k = e / 100;
    const int g = (int)(sin((double)k) * (double)s);
    drawPieces(screen, at, at.cx - s - g, at.cx + kSplit + s + g);
    if (s > kSettleSpread) {
        state.stage = 2;
    }
}

void drawSettled(SDL_Surface* screen, const Layout& at) {
    drawPieces(screen, at, at.cx - kSettledOffset, at.cx + kSplit + kSettledOffset);
    blitAt(state.seven, screen, at.cx + kSplit - kSettledOffset, at.top);
}

void drawLogo(SDL_Surface* screen, Uint32 e) {
    const Layout at = layoutOf(screen, state.krx4);
    switch (state.stage) {
    case 0:
        drawDrop(screen, at, e);
        break;
    case 1:
        drawSwing(screen, at, e);
        break;
    default:
        drawSettled(screen, at);
        break;
    }
}

} // namespace

int present(SDL_Surface* screen, Uint32 demoTime) {
    if (state.first) {
        loadPictures(screen);
        state.starttid = demoTime;
        state.first = 0;
    }
    const Uint32 e = demoTime - state.starttid;

    SDL_FillRect(screen, nullptr, 0);
    blitString("the snolk demo", 100, 400, 0, screen, redfont);
    // Without the logo the title stands alone for the scene's time.
    if (state.krx4 != nullptr) {
        drawLogo(screen, e);
    }
    return e > kPresentMs ? 1 : 0;
}
