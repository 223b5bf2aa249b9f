// The last scene, which plays until the viewer quits: a candlestick on black
// with four flickering candle flames, each in its own phase, while the
// greetings rise from below the bottom edge on the right.
#include "gfx/toolkit.h"
#include "scenes/scene_state.h"
#include "scenes/scenes.h"

namespace {
CandlestickState state;
} // namespace

const CandlestickState& ljusstakeState() {
    return state;
}

void setLjusstakeState(const CandlestickState& replacement) {
    state = replacement;
}

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
    SDL_Surface* flame = SDL_CreateRGBSurface(0, 40, 128, 8, 0, 0, 0, 0);
    if (flame == nullptr) {
        return nullptr;
    }
    // Not every SDL starts an 8-bit surface with a black palette; without a
    // palette file the flames must stay black everywhere.
    SDL_Color black[256] = {};
    SDL_SetColors(flame, black, 0, 256);
    skapaPalett(flame, "data/firePalette.bmp");
    SDL_FillRect(flame, nullptr, 0);
    return flame;
}

void firstCall(SDL_Surface* screen) {
    state.iStake = loadImage("data/Ljus.gif");
    // NOTE: a key no 8-bit pixel can hold: the stake is drawn whole, and
    // preparing it for blitting drops the key rather than making green clear.
    setColourKey(state.iStake, 0x00FF00);
    state.iStake = prepareBlitSprite(state.iStake, screen);
    for (SDL_Surface*& flame : state.eld) {
        flame = makeFlameSurface();
    }
    state.iGreets = prepareBlitSprite(loadImage("data/greets.png"), screen);
    state.first = 0;
}

void drawFlames(SDL_Surface* screen, Uint32 demoTime) {
    for (int k = 0; k < 4; ++k) {
        SDL_Surface* flame = state.eld[k];
        if (flame == nullptr) {
            continue;
        }
        nextCandleFrame(flame, (int)demoTime, kFlames[k].phase);
        // No colour key: the whole rectangle, cold black included, covers
        // the stake beneath it.
        blitAt(flame, screen, kFlames[k].x, kFlames[k].y);
    }
}

void riseGreetings(SDL_Surface* screen) {
    // NOTE: blitAt keeps the low 16 bits of apan, so the greetings come back
    // from below every 32,768 frames.
    blitAt(state.iGreets, screen, 370, state.apan);
    // NOTE: apan falls without end; the subtraction is done unsigned and
    // wraps, so its low 16 bits keep the same cycle past the int range.
    state.apan = (int)((unsigned)state.apan - 2u);
}

} // namespace

int ljusstake(SDL_Surface* screen, Uint32 demoTime) {
    if (state.first) {
        firstCall(screen);
    }
    SDL_FillRect(screen, nullptr, 0);
    blitAt(state.iStake, screen, 45, 114);
    drawFlames(screen, demoTime);
    riseGreetings(screen);
    return 0;
}
