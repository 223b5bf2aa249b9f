// A sparkler burning down on a black screen: the stick shortens a row every
// 80 ms while sparks spray from the burning point and fall away. After 16
// seconds it is burnt out; after 18 the logo takes over.
#include "scenes/scenes.h"

#include "gfx/random.h"
#include "gfx/toolkit.h"

namespace {

constexpr Uint32 kMsPerRow = 80;        // the burning point climbs a row this often
constexpr Uint32 kLastBurningRow = 199; // from the next row on, sparks are parked
constexpr int kParkedX = -10000;        // far enough left never to pass the clipping
constexpr int kStickWidth = 20;
constexpr double kGravity = 9.82 / 200;

// The pictures were read ahead; the words for a missing one come in the
// scene's first frame.
void sayWhatIsMissing(const SparklerPictures& p, FILE* console) {
    if (p.tomtepinne == nullptr) {
        sayLine(console, "blota!!");
    }
    if (p.tomtepub == nullptr) {
        sayLine(console, "blota brunnit!!");
    }
}

// Both pictures hang from the same corner, a 20 x 320 stick whose bottom
// centre is the anchor; the unburnt one is cut off at the burning point.
void drawStick(const ShowFrame& f, const SparklerPictures& p, const SparklerState& s, int x, int y,
               Uint32 depth) {
    const int left = x - kStickWidth / 2;
    const int top = y - 320;
    blitAt(p.tomtepub.get(), f.screen, left, top, f.kernels);
    // NOTE: the height goes into a 16-bit rectangle field.
    blitPartAt(p.tomtepinne.get(), 0, 0, kStickWidth, s.fulmeter - (int)depth, f.screen, left, top,
               nullptr, f.kernels);
}

// Takes the ring's next slot for a spark at the anchor, with whole-number
// speeds -4 ... 4 (x drawn first). Once burnt out it is parked out of sight.
void startSpark(SparklerState& s, ShowRandom& random, int x, int y, Uint32 depth) {
    const int i = s.skapa;
    s.xspeed[i] = (float)(random.rand() % 9 - 4);
    s.yspeed[i] = (float)(random.rand() % 9 - 4);
    s.xpos[i] = x;
    s.ypos[i] = y;
    if (depth > kLastBurningRow) {
        s.xpos[i] = kParkedX;
    }
    s.skapa = (s.skapa + 1) % kSparkSlots;
}

// A 3 x 3 block, white at the heart, yellow to orange below.
void drawSubSpark(SDL_Surface* screen, int x, int y) {
    putpixel(screen, x, y, 0xffffff);
    putpixel(screen, x - 1, y, 0xffff00);
    putpixel(screen, x - 1, y - 1, 0xffddff);
    putpixel(screen, x - 1, y + 1, 0xee9900);
    putpixel(screen, x + 1, y, 0xddffff);
    putpixel(screen, x + 1, y + 1, 0xeeff00);
    putpixel(screen, x + 1, y - 1, 0xffffff);
    putpixel(screen, x, y - 1, 0xffffff);
    putpixel(screen, x, y + 1, 0xffff00);
}

// Four flickering sub-sparks, all lifted with the burning point.
void drawSpark(SDL_Surface* screen, ShowRandom& random, const SparklerState& s, int i,
               Uint32 depth) {
    for (int j = 0; j < 4; ++j) {
        // x offset before y offset: that is the order the numbers are drawn in.
        const int x = s.xpos[i] + random.rand() % 12 - 6;
        const int y = s.ypos[i] + random.rand() % 12 - 6 - (int)depth;
        drawSubSpark(screen, x, y);
    }
}

void moveSpark(SparklerState& s, int i) {
    // NOTE: single-precision sums cast back to int, truncating toward zero:
    // the fraction is lost every frame, so a downward speed under 1 never
    // moves a spark.
    s.ypos[i] = (int)((float)s.ypos[i] + s.yspeed[i]);
    s.xpos[i] = (int)((float)s.xpos[i] + s.xspeed[i]);
    // NOTE: gravity is added in double precision and rounded back to float.
    s.yspeed[i] = (float)((double)s.yspeed[i] + kGravity);
}

} // namespace

// ---- Ahead --------------------------------------------------------------------

SparklerPictures loadSparklerPictures(const PictureSource& from) {
    return {from.blitSprite("data/tb.png"), from.blitSprite("data/tbub.png")};
}

// ---- Every frame, the first saying which pictures are missing -----------------------

int tomtebloss(const SparklerPictures& p, SparklerState& s, const ShowFrame& f, int x, int y) {
    SDL_Surface* screen = f.screen;
    ShowRandom& random = f.random;
    clearSurface(screen, 0, f.kernels);
    if (f.sceneBegins) {
        sayWhatIsMissing(p, f.console);
    }

    // Update and draw: the burn depth follows the clock, the sparks the frame.
    const Uint32 elapsed = f.elapsed;
    const Uint32 depth = elapsed / kMsPerRow;
    drawStick(f, p, s, x, y, depth);
    for (int i = 0; i < kSparkSlots; ++i) {
        // One chance in fifty per slot: about one new spark per frame.
        if (random.rand() % 50 == 1) {
            startSpark(s, random, x, y, depth);
        }
        drawSpark(screen, random, s, i, depth);
        moveSpark(s, i);
    }

    return elapsed > kTomteblossMs ? 1 : 0;
}
