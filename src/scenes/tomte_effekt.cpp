// A moon hangs in the night sky while santas fly past and snow falls in front
// of them. Half way through a second picture appears under the moon, the
// santas start to bob and the viewer is asked "to much snolk?".
#include "scenes/scene_state.h"
#include "scenes/scenes.h"

#include "gfx/font.h"
#include "gfx/toolkit.h"

namespace {
MoonlitSkyState state;
} // namespace

const MoonlitSkyState& tomteEffektState() {
    return state;
}

void setTomteEffektState(const MoonlitSkyState& replacement) {
    state = replacement;
}

namespace {

// ---- First call ---------------------------------------------------------------

void start(MoonlitSkyState& s, SDL_Surface* screen, Uint32 demoTime) {
    s.iMoon = prepareBlitSprite(loadImage("data/256MOONE.PNG"), screen);
    s.iLitenapanap = loadImage("data/litenapanap.png");
    setColourKey(s.iLitenapanap, 0);
    s.iLitenapanap = prepareBlitSprite(s.iLitenapanap, screen);
    s.stid = demoTime;
    s.first = 0;
}

// ---- Drawing ------------------------------------------------------------------

void drawMoon(const MoonlitSkyState& s, SDL_Surface* screen) {
    // NOTE: taken from the low 16 bits of the width, as the rectangle holds it.
    blitAt(s.iMoon, screen, (Sint16)((Uint16)screen->w - 280), 10);
}

void drawEarlyPhase(SDL_Surface* screen) {
    tomtefield(screen, 0);
    snoe(screen, 0);
    snoe(screen, 1);
}

void drawLatePhase(const MoonlitSkyState& s, SDL_Surface* screen) {
    blitAt(s.iLitenapanap, screen, screen->w - 220, 130);
    tomtefield(screen, 1);
    snoe(screen, 0);
    snoe(screen, 1);
    blitString("to much snolk?", 50, 50, 0, screen, redfont);
}

} // namespace

int tomteEffekt(SDL_Surface* screen, Uint32 demoTime) {
    MoonlitSkyState& s = state;
    if (s.first != 0) {
        start(s, screen, demoTime);
    }
    SDL_FillRect(screen, nullptr, 0);
    const Uint32 elapsed = demoTime - s.stid;
    drawMoon(s, screen);
    if (elapsed >= kSkyLatePhaseMs) {
        drawLatePhase(s, screen);
    } else {
        drawEarlyPhase(screen);
    }
    // Decided after drawing: the last frame of the scene is a whole one.
    return elapsed > kTomteEffektMs ? 1 : 0;
}
