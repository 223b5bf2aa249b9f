// Santa's sleigh seen from behind: the picture that flies off into the
// distance (tomtebak.png, with black.png erasing its trail), and the same
// sleigh in warp flight with streaks of light, straight and banking. Santa
// drives: white hair curls under his hat's trim, his arms reach out to the
// reins and a dark belt crosses his back. Hard edges in flat shades of the
// show's ramps, lit from the upper right, outlined on the shadow side only;
// everything else is pure black, the colour key.
#include "assets.h"
#include "pixel_art.h"
#include "ramps.h"
#include "rng.h"

#include <cmath>

namespace {

// Maps design coordinates (a 200 x 150 plane) onto a canvas with an offset,
// a scale and a turn.
struct View {
    Canvas& c;
    Vec2 origin;
    double s, angle;
    Vec2 toDesign(Vec2 p) const {
        Vec2 q = rotateAround(p - origin, {0, 0}, -angle);
        return q * (1 / s);
    }
    void fill(const Sdf& design, const Shader& shader) {
        c.fill([&](Vec2 p) { return design(toDesign(p)) * s; },
               [&](Vec2 p) { return shader(toDesign(p)); }, fullBox(c));
    }
    void fill(const Sdf& design, Rgb col) {
        fill(design, [col](Vec2) { return col; });
    }
};

// Both sides of the sleigh: mirrored about its middle, x = 100.
template <class F> double bothSides(F side) {
    return std::min(side(-1), side(1));
}

void paintRunners(View& v) {
    // Each sweeps out and down from under the tub on a short strut and curls
    // up at its rear end: only the curl's outer half carries it on round.
    v.fill(
        [](Vec2 p) {
            return bothSides([p](int s) {
                auto at = [s](double x, double y) { return Vec2{100 + s * x, y}; };
                Vec2 curl = at(57, 141);
                double hook = std::abs(sdCircle(p, curl, 7)) - 2.3;
                if (s * (p.x - curl.x) < 0)
                    hook = std::max(hook, 9.0);
                return std::min({hook, sdTaperedCapsule(p, at(30, 122), at(57, 148), 1.6, 2.3),
                                 sdCapsule(p, at(44, 118), at(45, 136), 1.9)});
            });
        },
        [](Vec2 p) { return p.y < 136 ? kGold.lit : kGold.base; });
}

void paintSack(View& v) {
    v.fill(
        [](Vec2 p) {
            return sdEllipse(p, {58, 52}, 24, 26);
        },
        [](Vec2 p) {
            return bandOf(kCloth, ballLight(p, {58, 46}, 28, 30));
        });
    v.fill(
        [](Vec2 p) {
            return sdBox(p, {50, 28}, 8, 7, 1.5);
        },
        [](Vec2 p) { return p.x > 55 || p.y < 23 ? kSpruce.lit : kSpruce.base; });
    v.fill([](Vec2 p) { return sdBox(p, {50, 28}, 1.5, 7); }, kGold.lit);
    v.fill(
        [](Vec2 p) {
            return sdBox(p, {67, 25}, 7, 9, 1.5);
        },
        [](Vec2 p) { return p.x > 71 || p.y < 18 ? kGiftBlue.lit : kGiftBlue.base; });
    v.fill([](Vec2 p) { return sdBox(p, {67, 25}, 7, 1.5); }, kCoatRed.lit);
}

// Santa's back, from the hips in the tub to the shoulders, with the arms
// stretched out to either side and forward to the reins. He sits at x = 108;
// his left side is drawn, his right mirrors it.
double santasBack(Vec2 p) {
    return sdPolygon(p, {{98, 36}, {118, 36}, {134, 48}, {138, 72}, {78, 72}, {82, 48}}) - 6;
}
Vec2 santasSide(int s, Vec2 q) {
    return s < 0 ? q : Vec2{216 - q.x, q.y};
}
const Vec2 kShoulder = {84, 42}, kElbow = {68, 58}, kWrist = {64, 51}, kFist = {62, 45};

double santasArms(Vec2 p) {
    return bothSides([p](int s) {
        return std::min(sdCapsule(p, santasSide(s, kShoulder), santasSide(s, kElbow), 6),
                        sdCapsule(p, santasSide(s, kElbow), santasSide(s, kWrist), 5));
    });
}

// The coat, lit from the right across his whole width, arms included.
Rgb coatShade(Vec2 p) {
    return bandOf(kCoatRed, cylinderLight((p.x - 112) / 46) * (1.1 - 0.006 * (p.y - 30)));
}

void paintSanta(View& v) {
    // The reins run from his fists forward to the team, behind his head.
    v.fill(
        [](Vec2 p) {
            return bothSides([p](int s) {
                return sdCapsule(p, santasSide(s, kFist), {108 + s * 6.0, 14}, 0.9);
            });
        },
        kReindeer.lit);
    v.fill(santasBack, coatShade);
    // The arms lie over his sides; a dark line keeps them apart from his back.
    v.fill([](Vec2 p) { return santasArms(p) - 1; }, kCoatRed.dark);
    v.fill(santasArms, coatShade);
    // A dark belt round his waist, above the rim of the tub.
    v.fill([](Vec2 p) { return std::max(santasBack(p), std::abs(p.y - 58) - 2.2); },
           kNightBlue.shade);
    v.fill([](Vec2 p) { return sdBox(p, {108, 58}, 3, 2.2); }, kGold.lit);
    // Fur cuffs and green mittens round the reins.
    v.fill(
        [](Vec2 p) {
            return bothSides([p](int s) {
                return sdCapsule(p, santasSide(s, kWrist), santasSide(s, kWrist + Vec2{-1, -3}),
                                 4.2);
            });
        },
        kTrimWhite.base);
    v.fill(
        [](Vec2 p) {
            return bothSides([p](int s) { return sdCircle(p, santasSide(s, kFist), 4.5); });
        },
        [](Vec2 p) { return p.x > 108 ? kSpruce.lit : kSpruce.base; });
    // White hair curling out under the hat, over his collar: a row of curls,
    // each lit on its upper right.
    for (int i = 0; i < 5; ++i) {
        Vec2 curl = {96 + 6.0 * i, 26 + (i % 2) * 2.0};
        v.fill([curl](Vec2 p) { return sdCircle(p, curl, 4.4); },
               [curl](Vec2 p) { return bandOf(kTrimWhite, ballLight(p, curl, 5, 5)); });
    }
    // The hat, bent over to the right with its pompom, and its fur trim.
    v.fill(
        [](Vec2 p) {
            return sdPolygon(p, {{92, 16}, {124, 16}, {118, 2}, {134, -4}, {106, -6}});
        },
        [](Vec2 p) { return bandOf(kCoatRed, cylinderLight((p.x - 118) / 18)); });
    v.fill(
        [](Vec2 p) {
            return sdBox(p, {108, 17}, 17, 4, 3);
        },
        [](Vec2 p) { return p.y < 16 && p.x > 100 ? kTrimWhite.shine : kTrimWhite.base; });
    v.fill(
        [](Vec2 p) {
            return sdCircle(p, {136, -2}, 5);
        },
        [](Vec2 p) {
            return bandOf(kTrimWhite, ballLight(p, {137, -3}, 6, 6));
        });
}

void paintTub(View& v) {
    std::vector<Vec2> tub = {{14, 66}, {186, 66}, {168, 124}, {32, 124}};
    auto body = [tub](Vec2 p) { return sdPolygon(p, tub) - 4; };
    v.fill(body, [](Vec2 p) {
        return p.y < 72 ? kCoatRed.lit : p.y < 104 ? kCoatRed.base : kCoatRed.shade;
    });
    v.fill(
        [body](Vec2 p) { return std::abs(body(p) + 4) - 2; },
        [](Vec2 p) { return bandOf(kGold, 1.05 - 0.009 * (p.y - 60) + 0.2 * (p.x - 100) / 86); });
    // Scrollwork either side of a star.
    v.fill(
        [](Vec2 p) {
            double d = bothSides([p](int s) {
                Vec2 c = {100 + s * 34.0, 96};
                double outer = std::abs(sdCircle(p, c, 11)) - 1.6 + (s * (p.x - c.x) > 4 ? 9 : 0);
                double inner = std::abs(sdCircle(p, c + Vec2{s * -4.0, 0}, 5)) - 1.4 +
                               (s * (p.x - c.x) < -4 ? 9 : 0);
                return std::min(outer, inner);
            });
            return std::min(d, sdStar(p, {100, 96}, 9, 4));
        },
        kGold.lit);
}

// A lantern on a short iron post at the right corner: its light is the
// glass itself and a hard amber rim, never a haze.
void paintLantern(View& v) {
    v.fill([](Vec2 p) { return sdCapsule(p, {184, 74}, {184, 58}, 1.8); }, kNightBlue.shade);
    auto lantern = [](Vec2 p) { return sdBox(p, {184, 48}, 5, 7, 2); };
    v.fill([lantern](Vec2 p) { return lantern(p) - 1.5; }, kGold.lit);
    v.fill(lantern, kGold.shine);
    v.fill(
        [](Vec2 p) {
            return std::min(sdBox(p, {184, 40}, 6, 1.5), sdBox(p, {184, 56}, 6, 1.5));
        },
        kGold.shade);
}

void paintSleighBack(View& v) {
    paintRunners(v);
    paintSack(v);
    paintSanta(v);
    paintTub(v);
    paintLantern(v);
    outlineShadowSide(v.c, 0.35);
}

void writeTomtebak(const std::string& dir) {
    Canvas c(220, 176);
    c.crisp = true;
    View v{c, {10, 22}, 1.0, 0};
    paintSleighBack(v);
    writePngRgba(dir + "/tomtebak.png", c.w, c.h, c.rgba8());
    // Its eraser: opaque black exactly where the sleigh is visible.
    std::vector<uint8_t> black = c.rgba8();
    for (size_t i = 0; i < black.size(); i += 4)
        black[i] = black[i + 1] = black[i + 2] = 0;
    writePngRgba(dir + "/black.png", c.w, c.h, black);
}

// A streak of light from p0 out to p1, dim at its inner end and brightest at
// its outer one, in three flat steps.
void paintStreak(Canvas& c, Vec2 p0, Vec2 p1, double width) {
    c.fill([=](Vec2 p) { return sdTaperedCapsule(p, p0, p1, 0.5, width); },
           [=](Vec2 p) {
               double t = clamp01(dot(p - p0, p1 - p0) / dot(p1 - p0, p1 - p0));
               return t < 0.33 ? kNightBlue.lit : t < 0.66 ? kNightBlue.shine : kTrimWhite.base;
           },
           {std::min(p0.x, p1.x) - 3, std::min(p0.y, p1.y) - 3, std::max(p0.x, p1.x) + 3,
            std::max(p0.y, p1.y) + 3});
}

// Streaks of speed round the sleigh, ending two pixels inside the picture.
void writeWarp(const std::string& path, double bank) {
    const int w = 360, h = 220;
    Canvas c(w, h);
    c.crisp = true;
    Vec2 centre = {180, 110};
    Rng rng(5150);
    for (int i = 0; i < 26; ++i) {
        double a = rng.range(0, 2 * M_PI);
        double r0 = rng.range(70, 100), r1 = r0 + rng.range(40, 90);
        Vec2 d = {std::cos(a), std::sin(a) * 0.7};
        double room = std::min((w / 2.0 - 4) / std::max(std::abs(d.x), 1e-9),
                               (h / 2.0 - 4) / std::max(std::abs(d.y), 1e-9));
        r1 = std::min(r1, room);
        if (r1 > r0 + 8)
            paintStreak(c, centre + d * r0, centre + d * r1, 1.1);
    }
    Canvas sleigh(w, h);
    sleigh.crisp = true;
    double s = 0.82;
    View v{sleigh, centre + rotateAround(Vec2{-100, -75} * s, {0, 0}, bank), s, bank};
    // Faint trails stream back from the runners' curled ends.
    for (int side : {-1, 1}) {
        Vec2 a = v.origin + rotateAround(Vec2{100 + side * 66.0, 142} * s, {0, 0}, bank);
        Vec2 b = v.origin + rotateAround(Vec2{100 + side * 72.0, 184} * s, {0, 0}, bank);
        paintStreak(c, b, a, 1.3);
    }
    paintSleighBack(v);
    c.draw(sleigh, 0, 0);
    writePngRgb(path, w, h, c.rgb8());
}

} // namespace

void makeWarpSleigh(const std::string& dir) {
    writeTomtebak(dir);
    writeWarp(dir + "/tomtewarp0.png", 0);
    writeWarp(dir + "/tomtewarp.png", 0.22);
}
