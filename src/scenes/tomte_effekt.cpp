// A moon hangs in the night sky while santas fly past and snow falls in front
// of them. Half way through a second picture appears under the moon, the
// santas start to bob and the viewer is asked "to much snolk?".
#include "scenes/scenes.h"

#include "gfx/font.h"
#include "gfx/toolkit.h"

namespace {

void drawMoon(const MoonlitSkyPictures& p, const ShowFrame& f) {
    // NOTE: taken from the low 16 bits of the width, as the rectangle holds it.
    blitAt(p.iMoon.get(), f.screen, (Sint16)((Uint16)f.screen->w - 280), 10, f.kernels);
}

// The santas spread and say so before they first fly; the flakes spread
// before they first fall, after the santas have flown.
void flyAndSnow(const MoonlitSkyPictures& p, MoonlitSkyState& s, const ShowFrame& f,
                SantaFlight flight) {
    if (f.sceneBegins) {
        tomtefieldBegin(p.santas, s.santas, f);
    }
    tomtefield(p.santas, s.santas, f, flight);
    if (f.sceneBegins) {
        snoeBegin(s.snow, f);
    }
    snoe(p.snow, s.snow, f, kSmallFlakes);
    snoe(p.snow, s.snow, f, kLargeFlakes);
}

void drawLatePhase(const MoonlitSkyPictures& p, MoonlitSkyState& s, const ShowFrame& f) {
    blitAt(p.iLitenapanap.get(), f.screen, f.screen->w - 220, 130);
    flyAndSnow(p, s, f, SantaFlight::Bobbing);
    blitString("to much snolk?", 50, 50, 0, f.screen, f.font);
}

} // namespace

// ---- Ahead --------------------------------------------------------------------

MoonlitSkyPictures loadMoonlitSkyPictures(const PictureSource& from) {
    MoonlitSkyPictures p;
    p.iMoon = from.blitSprite("data/256MOONE.PNG");
    p.iLitenapanap = from.keyedOnBlack("data/litenapanap.png");
    p.santas = {from.keyedBitmapOnBlack("data/tomte0.bmp"),
                from.keyedBitmapOnBlack("data/tomte1.bmp"),
                from.keyedBitmapOnBlack("data/tomte2.bmp")};
    p.snow = {from.keyedOnBlack("data/flinga0.png"), from.keyedOnBlack("data/flinga1.png")};
    return p;
}

// ---- Every frame, the first spreading the santas and the snow ----------------------

int tomteEffekt(const MoonlitSkyPictures& p, MoonlitSkyState& s, const ShowFrame& f) {
    clearSurface(f.screen, 0, f.kernels);
    drawMoon(p, f);
    if (f.elapsed >= kSkyLatePhaseMs) {
        drawLatePhase(p, s, f);
    } else {
        flyAndSnow(p, s, f, SantaFlight::Level);
    }
    // Decided after drawing: the last frame of the scene is a whole one.
    return f.elapsed > kTomteEffektMs ? 1 : 0;
}
