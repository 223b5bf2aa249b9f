// The warp flight: the caption "take us to warpspeed, rudolph" over a sprinkle
// of stars while the picture holds still and then recedes into a blue flash;
// then a field of stars and gifts rushes past a warp picture, first straight,
// then turning.
#include "scenes/scenes.h"

#include "gfx/font.h"
#include "gfx/toolkit.h"

namespace {

constexpr float kTurnPerCall = 0.03f; // radians
constexpr int kPictureY = 250;

// NOTE: both pictures are centred by the width of iTomtewarp, so without that
// picture neither is drawn.
void blitWarpPicture(SDL_Surface* screen, SDL_Surface* picture, const WarpPictures& p) {
    if (p.iTomtewarp == nullptr) {
        return;
    }
    const Sint16 x = (Sint16)((screen->w - p.iTomtewarp->w) / 2);
    blitAt(picture, screen, x, kPictureY);
}

// The field is drawn over a cleared screen, which also wipes the caption. It
// is scattered in the first frame it flies.
void flyThroughField(const WarpPictures& p, WarpSequenceState& s, const ShowFrame& f, float angle,
                     SDL_Surface* picture) {
    clearSurface(f.screen, 0, f.kernels);
    star3d(p.field, s.field, f, {.scatter = !s.fieldFlying, .advance = true}, angle);
    s.fieldFlying = true;
    blitWarpPicture(f.screen, picture, p);
}

} // namespace

// ---- Ahead: the field's pictures too, which the sprinkle borrows its star from -------

WarpPictures loadWarpPictures(const PictureSource& from) {
    WarpPictures p;
    p.iTomtewarp0 = from.keyedOnBlack("data/tomtewarp0.png");
    p.iTomtewarp = from.keyedOnBlack("data/tomtewarp.png");
    // Only the receding picture is keyed; black keeps the key it loaded with.
    p.zoom.enterprise = from.pixelSprite("data/tomtebak.png");
    setColourKey(p.zoom.enterprise.get(), 0);
    p.zoom.black = from.pixelSprite("data/black.png");
    const char* const kinds[kFieldKinds] = {"data/star.png", "data/paket0.png", "data/paket1.png"};
    for (int k = 0; k < kFieldKinds; ++k) {
        p.field.bild[k] = from.pixelSprite(kinds[k]);
        setColourKey(p.field.bild[k].get(), 0);
    }
    return p;
}

// ---- Every frame, the first sprinkling stars --------------------------------------

int warpEffekt(const WarpPictures& p, WarpSequenceState& s, const ShowFrame& f) {
    // Keyed or not, the sprinkled stars are drawn by the key's value, 0
    // either way.
    if (f.sceneBegins) {
        clearSurface(f.screen, 0, f.kernels);
        starSlump(f.screen, p.field.bild[0].get(), f.random, f.kernels);
    }
    const Uint32 elapsed = f.elapsed;
    // Two blanks after "to" and after the comma: each ends its line off screen.
    blitString("take us to  warpspeed,  rudolph", 300, 20, f.screen->w, f.screen, f.font);
    if (f.sceneBegins) {
        warpspeedBegin(p.zoom, f);
    }
    if (elapsed < kWarpHoldEndsMs) {
        warpspeed(p.zoom, s.zoom, f, ZoomMotion::Hold);
    } else if (elapsed < kWarpZoomEndsMs) {
        warpspeed(p.zoom, s.zoom, f, ZoomMotion::Recede);
    } else if (elapsed < kWarpStraightEndsMs) {
        flyThroughField(p, s, f, 0.0f, p.iTomtewarp0.get());
    } else {
        flyThroughField(p, s, f, kTurnPerCall, p.iTomtewarp.get());
    }
    return elapsed > kWarpEffektMs ? 1 : 0;
}
