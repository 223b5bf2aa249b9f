// The warp flight: the caption "take us to warpspeed, rudolph" over a sprinkle
// of stars while the picture holds still and then recedes into a blue flash;
// then a field of stars and gifts rushes past a warp picture, first straight,
// then turning.
#include "scenes/scene_state.h"
#include "scenes/scenes.h"

#include "gfx/font.h"
#include "gfx/toolkit.h"

namespace {
WarpSequenceState state;
} // namespace

const WarpSequenceState& warpEffektState() {
    return state;
}

void setWarpEffektState(const WarpSequenceState& replacement) {
    state = replacement;
}

namespace {

constexpr float kTurnPerCall = 0.03f; // radians
constexpr int kPictureY = 250;

// The field starts six seconds later; its pictures are read now, so that no
// later frame of the scene has to, and the sprinkle borrows its star: the
// picture is read once. (Keyed or not, stars are drawn by the key's value,
// 0 either way.)
void firstCall(SDL_Surface* screen, Uint32 demoTime, WarpSequenceState& s) {
    SDL_FillRect(screen, nullptr, 0);
    star3dLoad();
    starSlump(screen, star3dState().bild[0]);
    s.iTomtewarp0 = loadImage("data/tomtewarp0.png");
    s.iTomtewarp = loadImage("data/tomtewarp.png");
    setColourKey(s.iTomtewarp0, 0);
    setColourKey(s.iTomtewarp, 0);
    s.iTomtewarp0 = prepareBlitSprite(s.iTomtewarp0, screen);
    s.iTomtewarp = prepareBlitSprite(s.iTomtewarp, screen);
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
void flyThroughField(SDL_Surface* screen, float angle, SDL_Surface* picture,
                     const WarpSequenceState& s) {
    SDL_FillRect(screen, nullptr, 0);
    star3d(screen, 0, 1, angle);
    blitWarpPicture(screen, picture, s);
}

} // namespace

int warpEffekt(SDL_Surface* screen, Uint32 demoTime) {
    WarpSequenceState& s = state;
    if (s.first) {
        firstCall(screen, demoTime, s);
    }
    const Uint32 elapsed = demoTime - s.stid;
    // Two blanks after "to" and after the comma: each ends its line off screen.
    blitString("take us to  warpspeed,  rudolph", 300, 20, screen->w, screen, redfont);
    if (elapsed < kWarpHoldEndsMs) {
        warpspeed(screen, 0);
    } else if (elapsed < kWarpZoomEndsMs) {
        warpspeed(screen, 1);
    } else if (elapsed < kWarpStraightEndsMs) {
        flyThroughField(screen, 0.0f, s.iTomtewarp0, s);
    } else {
        flyThroughField(screen, kTurnPerCall, s.iTomtewarp, s);
    }
    return elapsed > kWarpEffektMs ? 1 : 0;
}
