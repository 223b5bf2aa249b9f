// The sparkler: a silver wire handle above a grey, glittering coat of powder
// (tb.png), and the same stick burnt down to a dark, ashy wire (tbub.png).
// The coat ends where the sparks stop, so the handle never seems to burn.
// Santa's arm reaches in from the right and holds the handle; the
// part of it that lies over the stick's 20 columns is the same in both
// pictures, so it never changes as the stick burns.
#include "assets.h"
#include "canvas.h"
#include "pixel_art.h"
#include "ramps.h"
#include "rng.h"

namespace {

constexpr int kW = 20, kH = 320, kArmW = 350;
constexpr double kCx = 10, kHandleTop = 30, kCoatTop = 120;

void paintHandle(Canvas& c) {
    c.fill(
        [](Vec2 p) {
            return sdBox(p, {kCx, (kHandleTop + kCoatTop + 3) / 2}, 1.1,
                         (kCoatTop + 3 - kHandleTop) / 2);
        },
        [](Vec2 p) { return lerp(hex(0xe8eef4), hex(0x707880), clamp01((11.5 - p.x) / 3)); },
        fullBox(c));
}

// Where a point lies on Santa's sleeve: the forearm runs from the wrist down
// to the elbow, the upper arm from there up and out past the picture's
// right edge; a point belongs to the nearer of the two.
struct OnSleeve {
    double s;      // pixels along the arm from the wrist
    double across; // signed distance from the arm's middle, the lit side positive
    double radius; // the sleeve's half width there
};

const Vec2 kWrist = {48, 64}, kElbow = {188, 184}, kShoulder = {420, 92};

OnSleeve onSegment(Vec2 p, Vec2 a, Vec2 b, double ra, double rb, double s0) {
    Vec2 ab = b - a;
    double len = length(ab), h = std::clamp(dot(p - a, ab) / (len * len), 0.0, 1.0);
    Vec2 dir = ab * (1 / len), normal = {dir.y, -dir.x};
    if (dot(normal, kLightFrom) < 0)
        normal = normal * -1;
    Vec2 q = a + ab * h;
    double across = dot(p - q, normal), off = length(p - q);
    return {s0 + h * len + (h <= 0 ? -off : 0), off * (across < 0 ? -1 : 1), mix(ra, rb, h)};
}

OnSleeve onSleeve(Vec2 p) {
    OnSleeve fore = onSegment(p, kWrist, kElbow, 17, 25, 0);
    OnSleeve upper = onSegment(p, kElbow, kShoulder, 25, 32, length(kElbow - kWrist));
    return std::abs(fore.across) - fore.radius < std::abs(upper.across) - upper.radius ? fore
                                                                                       : upper;
}

// The sleeve's outline: both parts joined round the elbow, cut square at
// the wrist, where the cuff covers it.
double sleeveShape(Vec2 p) {
    OnSleeve fore = onSegment(p, kWrist, kElbow, 17, 25, 0);
    OnSleeve upper = onSegment(p, kElbow, kShoulder, 25, 32, 0);
    double d = smin(std::abs(fore.across) - fore.radius, std::abs(upper.across) - upper.radius, 14);
    return fore.s < 2 ? std::max(d, 2 - fore.s) : d;
}

// Three tones across the sleeve, their borders rippling a little; two
// curved folds where it bunches up behind the cuff, a dark crease with a lit
// ridge on its wrist side; and creases in the crook of the elbow.
Rgb sleeveShade(const OnSleeve& a) {
    double v = a.across / a.radius;
    for (double fold : {24.0, 42.0}) {
        double at = fold + 8 * v * v;
        if (std::abs(a.s - at) < 0.8 && v > -0.9)
            return kCoatRed.dark;
        if (a.s < at && a.s > at - 3.5 && v > -0.7)
            return v > 0.2 ? kCoatRed.shine : kCoatRed.lit;
    }
    double fromElbow = a.s - length(kElbow - kWrist);
    for (double crease : {-14.0, -4.0, 8.0})
        if (v > 0.2 && std::abs(fromElbow - crease + 10 * (v - 0.2)) < 0.8)
            return kCoatRed.shade;
    double ripple = 0.08 * std::sin(a.s / 9);
    return v > 0.35 + ripple ? kCoatRed.lit : v > -0.4 + ripple ? kCoatRed.base : kCoatRed.shade;
}

// Santa's arm reaches in from the right: a red sleeve in three tones, bent
// at the elbow, a white fur cuff over its end, and a green mitten closed
// round the wire with the thumb curled over the front.
Canvas santasArm(int w, int h) {
    Canvas c(w, h);
    c.crisp = true;
    Box all = fullBox(c);
    c.fill(
        sleeveShape, [](Vec2 p) { return sleeveShade(onSleeve(p)); }, all);
    // The fist reaches past the wire on the left, so the wire goes into the
    // hand and comes out below it; the fingers' creases face us.
    const Vec2 fist = {27, 63};
    auto mitten = [=](Vec2 p) {
        return std::min(sdEllipse(p, fist, 22, 16.5), sdCapsule(p, {24, 71}, {8, 66}, 7));
    };
    c.fill(
        mitten,
        [=](Vec2 p) {
            return bandOf(kSpruce, ballLight(p, fist + Vec2{-2, -5}, 26, 22) + 0.12);
        },
        all);
    for (int i = 0; i < 2; ++i) {
        double y = 65.5 + 6.5 * i;
        c.fill(
            [=](Vec2 p) {
                return std::max(sdCapsule(p, {4, y - 1}, {17, y + 1}, 0.6), mitten(p) + 1.2);
            },
            kSpruce.dark, all);
    }
    // The thumb curls over the front of the wire, a dark crease under it.
    auto thumb = [](Vec2 p) { return sdTaperedCapsule(p, {31, 54}, {5, 59}, 5.5, 4.5); };
    c.fill([thumb](Vec2 p) { return thumb(p - Vec2{-1, 1.5}); }, kSpruce.dark, all);
    c.fill(
        thumb, [](Vec2 p) { return p.y < 55.5 ? kSpruce.lit : kSpruce.base; }, all);
    // The cuff: white fur round the wrist, over the sleeve's end and the
    // mitten's, fluffy at both edges.
    auto cuff = [](Vec2 p) {
        OnSleeve a = onSleeve(p);
        double fluff = 0.8 * std::sin(a.across * 1.1) + 0.6 * std::sin(a.s * 1.7 + 0.5);
        return sdBox({a.s, a.across}, {4, 0}, 7.5, a.radius + 4.5, 5) - fluff;
    };
    c.fill(
        cuff,
        [](Vec2 p) {
            OnSleeve a = onSleeve(p);
            double v = a.across / a.radius;
            return v > 0.35 ? kTrimWhite.lit : v > -0.5 ? kTrimWhite.base : kTrimWhite.shade;
        },
        all);
    outlineShadowSide(c, 0.3);
    return c;
}

} // namespace

void makeSparkler(const std::string& dir) {
    Canvas unburnt(kW, kH);
    paintHandle(unburnt);
    unburnt.draw(santasArm(kW, kH), 0, 0);
    auto coat = [](Vec2 p) {
        double wobble = 0.5 * (valueNoise(p.y * 0.35, 0, 7) - 0.5);
        return sdBox(p, {kCx, (kCoatTop + kH - 2) / 2}, 3.6 + wobble, (kH - 2 - kCoatTop) / 2, 3.2);
    };
    unburnt.fill(
        coat,
        [](Vec2 p) {
            double u = (p.x - kCx) / 4;
            double shade = 0.55 + 0.5 * std::sqrt(std::max(0.0, 1 - u * u)) + 0.25 * u;
            double grain = fbm(p.x * 0.9, p.y * 0.9, 11);
            Rgb c = hex(0x8a8680) * shade * (0.7 + 0.6 * grain);
            // Metal flakes in the powder catch the light.
            if (latticeValue(int(p.x), int(p.y), 23) > 0.93)
                c = c + hex(0xfff6d8) * 0.6;
            return c;
        },
        fullBox(unburnt));
    writePngRgb(dir + "/tb.png", kW, kH, unburnt.rgb8());

    Canvas burnt(kArmW, kH);
    paintHandle(burnt);
    burnt.fill(
        [](Vec2 p) {
            return sdBox(p, {kCx, (kCoatTop + kH) / 2}, 1.2, (kH - kCoatTop) / 2);
        },
        hex(0x4a4440), fullBox(burnt));
    // Lumps of ash and slag still clinging to the wire.
    Rng rng(31);
    for (int i = 0; i < 70; ++i) {
        Vec2 q = {kCx + rng.range(-1.6, 1.6), rng.range(kCoatTop + 2, kH - 3)};
        double r = rng.range(0.6, 1.9);
        Rgb ash = lerp(hex(0x2e2824), hex(0x8a7c70), rng.uniform());
        if (rng.uniform() < 0.15)
            ash = hex(0x7a3a1a);
        burnt.fill([=](Vec2 p) { return sdCircle(p, q, r); }, ash, around(q, r));
    }
    burnt.draw(santasArm(kArmW, kH), 0, 0);
    writePngRgb(dir + "/tbub.png", kArmW, kH, burnt.rgb8());
}
