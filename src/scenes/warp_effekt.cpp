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

// The field starts six seconds later; its pictures are read now, so that no
// later frame of the scene has to, and the sprinkle borrows its star: the
// picture is read once. (Keyed or not, stars are drawn by the key's value,
// 0 either way.)
void firstCall(WarpSequenceState& s, ShowRandom& random, SDL_Surface* screen, Uint32 demoTime) {
    SDL_FillRect(screen, nullptr, 0);
    star3dLoad(s.field);
    starSlump(screen, s.field.bild[0].get(), random);
    s.iTomtewarp0 = keyedOnBlack(loadImage("data/tomtewarp0.png"), screen);
    s.iTomtewarp = keyedOnBlack(loadImage("data/tomtewarp.png"), screen);
    s.first = 0;
    s.stid = demoTime;
}

// NOTE: both pictures are centred by the width of iTomtewarp, so without that
// picture neither is drawn.
void blitWarpPicture(SDL_Surface* screen, SDL_Surface* picture, const WarpSequenceState& s) {
    if (s.iTomtewarp == nullptr) {
        return;
    }
    const Sint16 x = (Sint16)((screen->w - s.iTomtewarp->w) / 2);
    blitAt(picture, screen, x, kPictureY);
}

// The field is drawn over a cleared screen, which also wipes the caption.
void flyThroughField(WarpSequenceState& s, ShowRandom& random, SDL_Surface* screen, float angle,
                     SDL_Surface* picture) {
    SDL_FillRect(screen, nullptr, 0);
    star3d(s.field, random, screen, {.advance = true}, angle);
    blitWarpPicture(screen, picture, s);
}

} // namespace

int warpEffekt(WarpSequenceState& s, ShowRandom& random, SDL_Surface* screen, Uint32 demoTime) {
    if (s.first) {
        firstCall(s, random, screen, demoTime);
    }
    const Uint32 elapsed = demoTime - s.stid;
    // Two blanks after "to" and after the comma: each ends its line off screen.
    blitString("take us to  warpspeed,  rudolph", 300, 20, screen->w, screen, redfont);
    if (elapsed < kWarpHoldEndsMs) {
        warpspeed(s.zoom, screen, ZoomMotion::Hold);
    } else if (elapsed < kWarpZoomEndsMs) {
        warpspeed(s.zoom, screen, ZoomMotion::Recede);
    } else if (elapsed < kWarpStraightEndsMs) {
        flyThroughField(s, random, screen, 0.0f, s.iTomtewarp0.get());
    } else {
        flyThroughField(s, random, screen, kTurnPerCall, s.iTomtewarp.get());
    }
    return elapsed > kWarpEffektMs ? 1 : 0;
}
