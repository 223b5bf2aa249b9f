// A moon hangs in the night sky while santas fly past and snow falls in front
// of them. Half way through a second picture appears under the moon, the
// santas start to bob and the viewer is asked "to much snolk?".
#include "scenes/scenes.h"

#include "gfx/font.h"
#include "gfx/toolkit.h"

namespace {

// ---- First call ---------------------------------------------------------------

void start(MoonlitSkyState& s, SDL_Surface* screen, Uint32 demoTime) {
    s.iMoon.reset(prepareBlitSprite(loadImage("data/256MOONE.PNG"), screen));
    s.iLitenapanap = keyedOnBlack(loadImage("data/litenapanap.png"), screen);
    s.stid = demoTime;
    s.first = 0;
}

// ---- Drawing ------------------------------------------------------------------

void drawMoon(const MoonlitSkyState& s, SDL_Surface* screen) {
    // NOTE: taken from the low 16 bits of the width, as the rectangle holds it.
    blitAt(s.iMoon.get(), screen, (Sint16)((Uint16)screen->w - 280), 10);
}

void drawEarlyPhase(MoonlitSkyState& s, ShowRandom& random, SDL_Surface* screen) {
    tomtefield(s.santas, random, screen, SantaFlight::Level);
    snoe(s.snow, random, screen, kSmallFlakes);
    snoe(s.snow, random, screen, kLargeFlakes);
}

void drawLatePhase(MoonlitSkyState& s, ShowRandom& random, SDL_Surface* screen) {
    blitAt(s.iLitenapanap.get(), screen, screen->w - 220, 130);
    tomtefield(s.santas, random, screen, SantaFlight::Bobbing);
    snoe(s.snow, random, screen, kSmallFlakes);
    snoe(s.snow, random, screen, kLargeFlakes);
    blitString("to much snolk?", 50, 50, 0, screen, redfont);
}

} // namespace

int tomteEffekt(MoonlitSkyState& s, ShowRandom& random, SDL_Surface* screen, Uint32 demoTime) {
    if (s.first != 0) {
        start(s, screen, demoTime);
    }
    SDL_FillRect(screen, nullptr, 0);
    const Uint32 elapsed = demoTime - s.stid;
    drawMoon(s, screen);
    if (elapsed >= kSkyLatePhaseMs) {
        drawLatePhase(s, random, screen);
    } else {
        drawEarlyPhase(s, random, screen);
    }
    // Decided after drawing: the last frame of the scene is a whole one.
    return elapsed > kTomteEffektMs ? 1 : 0;
}
