// The last scene, which plays until the viewer quits: a candlestick on black
// with four flickering candle flames, each in its own phase, while the
// greetings rise from below the bottom edge on the right.
#include "gfx/toolkit.h"
#include "scenes/scenes.h"

namespace {

struct FlameSpot {
    float phase;
    int x;
    int y;
};

// Flame rectangles sit just above the candle tops of the stake drawn at
// (45, 114).
constexpr FlameSpot kFlames[4] = {
    {0.0f, 45 + 17, 114 - 30},
    {3.14f, 45 + 97, 114 - 52},
    {1.8f, 45 + 175, 114 - 72},
    {4.0f, 45 + 255, 114 - 94},
};

SDL_Surface* makeFlameSurface() {
    // Without a palette file the flames stay black everywhere.
    SDL_Surface* flame = createPaletteSurface(40, 128, "data/firePalette.bmp");
    if (flame != nullptr) {
        SDL_FillRect(flame, nullptr, 0);
    }
    return flame;
}

void firstCall(CandlestickState& s, SDL_Surface* screen) {
    SDL_Surface* stake = loadImage("data/Ljus.gif");
    // NOTE: a key no 8-bit pixel can hold: the stake is drawn whole, and
    // preparing it for blitting drops the key rather than making green clear.
    setColourKey(stake, 0x00FF00);
    s.iStake.reset(prepareBlitSprite(stake, screen));
    for (Picture& flame : s.eld) {
        flame.reset(makeFlameSurface());
    }
    s.iGreets.reset(prepareBlitSprite(loadImage("data/greets.png"), screen));
    s.first = 0;
}

void drawFlames(CandlestickState& s, SDL_Surface* screen, Uint32 demoTime) {
    for (int k = 0; k < 4; ++k) {
        SDL_Surface* flame = s.eld[k].get();
        if (flame == nullptr) {
            continue;
        }
        nextCandleFrame(s.flames, flame, (int)demoTime, kFlames[k].phase);
        // No colour key: the whole rectangle, cold black included, covers
        // the stake beneath it.
        blitAt(flame, screen, kFlames[k].x, kFlames[k].y);
    }
}

void riseGreetings(CandlestickState& s, SDL_Surface* screen) {
    // NOTE: blitAt keeps the low 16 bits of apan, so the greetings come back
    // from below every 32,768 frames.
    blitAt(s.iGreets.get(), screen, 370, s.apan);
    // NOTE: apan falls without end; the subtraction is done unsigned and
    // wraps, so its low 16 bits keep the same cycle past the int range.
    s.apan = (int)((unsigned)s.apan - 2u);
}

} // namespace

int ljusstake(CandlestickState& s, SDL_Surface* screen, Uint32 demoTime) {
    if (s.first) {
        firstCall(s, screen);
    }
    SDL_FillRect(screen, nullptr, 0);
    blitAt(s.iStake.get(), screen, 45, 114);
    drawFlames(s, screen, demoTime);
    riseGreetings(s, screen);
    return 0;
}
