// The picture of the warp holds still, then flies off towards the vanishing
// point (200, 200), shrinking, with two runs of blue points that leave
// converging streaks; once it is far enough away a tall blue flash swells and
// fades where it vanished. Nothing here clears the screen.
#include "scenes/scenes.h"

#include "gfx/toolkit.h"

namespace {

constexpr float kFlashDistance = 5.0f;
constexpr Uint32 kBlue = 255;

// A point (u, v) at distance d lands at (u / d + 200, v / d + 200).
// NOTE: the division is done in double and the result truncated toward zero.
int project(double u, float distance) {
    return (int)(u / (double)distance + 200.0);
}

// NOTE: grown in double with a double factor, stored back as a float.
float grow(float distance) {
    return (float)((double)distance * 1.01);
}

void drawSpeedLines(SDL_Surface* screen, float zpos) {
    const int y = project(200.0, zpos);
    for (int i = 0; i < 20; ++i) {
        putpixel(screen, project(250.0 + i, zpos), y, kBlue);
        putpixel(screen, project(200.0 + i, zpos), y, kBlue);
    }
}

// Black goes where the picture was drawn last call, so the picture does not
// smear as it shrinks; the speed lines are never wiped and leave streaks.
void zoomStep(const WarpZoomPictures& p, SDL_Surface* screen, WarpZoomState& s, ZoomMotion motion,
              Kernels kernels) {
    const bool moving = motion == ZoomMotion::Recede;
    blitScaleDown(screen, p.black.get(), s.tzpos, project(250.0, s.tzpos), project(200.0, s.tzpos),
                  kernels);
    if (moving) {
        s.tzpos = grow(s.tzpos);
    }
    blitScaleDown(screen, p.enterprise.get(), s.tzpos, project(250.0, s.tzpos),
                  project(200.0, s.tzpos), kernels);
    if (moving) {
        drawSpeedLines(screen, s.zpos);
        s.zpos = grow(s.zpos);
    }
}

void drawFlash(SDL_Surface* screen, int cx, int cy, float apanap, Uint32 colour) {
    const float r = 10.0f * sintab[(int)apanap];
    ritaElips(screen, cx, cy, r, 3.0f * r, colour);
}

// The previous call's ellipse is wiped in black before the next one is drawn.
// Past index 126 the sine is negative and nothing more is drawn.
void flashStep(SDL_Surface* screen, WarpZoomState& s) {
    const int cx = project(250.0, s.tzpos) + 5;
    const int cy = project(200.0, s.tzpos);
    drawFlash(screen, cx, cy, s.apanap, 0);
    if (s.apanap < 254) {
        s.apanap += 2;
    }
    drawFlash(screen, cx, cy, s.apanap, kBlue);
}

} // namespace

// ---- First frame: the pictures were read ahead, the words for a missing one
// come now -------------------------------------------------------------------------

void warpspeedBegin(const WarpZoomPictures& p, const ShowFrame& f) {
    if (p.enterprise == nullptr) {
        sayLine(f.console, "Klingons!!");
    }
    if (p.black == nullptr) {
        sayLine(f.console, "ett fel av typen 1 har intr\xe4"
                           "ffat");
    }
}

// ---- Every frame ----------------------------------------------------------------

void warpspeed(const WarpZoomPictures& p, WarpZoomState& s, const ShowFrame& f, ZoomMotion motion) {
    if (s.zpos < kFlashDistance) {
        zoomStep(p, f.screen, s, motion, f.kernels);
    } else {
        flashStep(f.screen, s);
    }
}
