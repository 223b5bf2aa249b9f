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
constexpr FlameSpot kFlameSpots[kFlames] = {
    {0.0f, 45 + 17, 114 - 30},
    {3.14f, 45 + 97, 114 - 52},
    {1.8f, 45 + 175, 114 - 72},
    {4.0f, 45 + 255, 114 - 94},
};

// Without a palette file the flames stay black everywhere.
SDL_Surface* makeFlameSurface(const Palette* palette) {
    SDL_Surface* flame = createPaletteSurface(40, 128, palette);
    if (flame != nullptr) {
        SDL_FillRect(flame, nullptr, 0);
    }
    return flame;
}

void drawFlames(const CandlestickPictures& p, CandlestickState& s, const ShowFrame& f) {
    for (int k = 0; k < kFlames; ++k) {
        SDL_Surface* flame = s.eld[k].get();
        if (flame == nullptr) {
            continue;
        }
        nextCandleFrame(p.flames, s.flames, k, flame, (int)f.demoTime, kFlameSpots[k].phase,
                        f.kernels);
        // No colour key: the whole rectangle, cold black included, covers
        // the stake beneath it.
        blitAt(flame, f.screen, kFlameSpots[k].x, kFlameSpots[k].y, f.kernels);
    }
}

void riseGreetings(const CandlestickPictures& p, CandlestickState& s, const ShowFrame& f) {
    // NOTE: blitAt keeps the low 16 bits of apan, so the greetings come back
    // from below every 32,768 frames.
    blitAt(p.iGreets.get(), f.screen, 370, s.apan, f.kernels);
    // NOTE: apan falls without end; the subtraction is done unsigned and
    // wraps, so its low 16 bits keep the same cycle past the int range.
    s.apan = (int)((unsigned)s.apan - 2u);
}

} // namespace

// ---- Ahead --------------------------------------------------------------------

CandlestickPictures loadCandlestickPictures(const PictureSource& from) {
    CandlestickPictures p;
    Picture stake(loadImage(from.path("data/Ljus.gif").c_str()));
    // NOTE: a key no 8-bit pixel can hold: the stake is drawn whole, and
    // preparing it for blitting drops the key rather than making green clear.
    setColourKey(stake.get(), 0x00FF00);
    p.iStake.reset(prepareBlitSprite(stake.release(), from.screen, from.kernels));
    p.iGreets = from.blitSprite("data/greets.png");
    p.flames = loadFlamePictures(from);
    return p;
}

// The show's own flame surfaces, cold, and each flame's copy of the seed.
void makeCandleSurfaces(const CandlestickPictures& p, CandlestickState& s, Kernels kernels) {
    for (OwnedSurface& flame : s.eld) {
        flame.reset(makeFlameSurface(p.flames.palette.get()));
    }
    makeOwnSeeds(p.flames, s.flames, kernels);
}

// ---- Every frame (the first needs nothing of its own) ------------------------------

int ljusstake(const CandlestickPictures& p, CandlestickState& s, const ShowFrame& f) {
    clearSurface(f.screen, 0, f.kernels);
    blitAt(p.iStake.get(), f.screen, 45, 114, f.kernels);
    drawFlames(p, s, f);
    riseGreetings(p, s, f);
    return 0;
}
