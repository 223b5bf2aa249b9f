// The sparkler: a silver wire handle above a grey, glittering coat of powder
// (tb.png), and the same stick burnt down to a dark, ashy wire (tbub.png).
// The coat ends where the sparks stop, so the handle never seems to burn.
// Santa's arm reaches in from the upper right and holds the handle; the
// part of it that lies over the stick's 20 columns is the same in both
// pictures, so it never changes as the stick burns.
#include "assets.h"
#include "canvas.h"
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
        [](Vec2 p) { return lerp(hex(0xe8eef4), hex(0x707880), clamp01((p.x - 8.5) / 3)); },
        fullBox(c));
}

void paintSantasArm(Canvas& c) {
    Box all = fullBox(c);
    // The sleeve: red velvet coming down from beyond the picture's corner.
    Vec2 shoulder = {420, 40}, wrist = {42, 58};
    auto sleeve = [=](Vec2 p) { return sdTaperedCapsule(p, wrist, shoulder, 15, 30); };
    c.fill(
        sleeve,
        [=](Vec2 p) {
            Vec2 axis = shoulder - wrist;
            Vec2 across = {-axis.y / length(axis), axis.x / length(axis)};
            double u = dot(p - wrist, across) / 24;
            double folds = 0.12 * std::sin(dot(p - wrist, axis) / length(axis) * 0.09 + u * 2);
            double light = 0.75 - 0.45 * u + folds;
            return hex(0xc8142a) * clamp01(light) +
                   hex(0xff8080) * (0.25 * smoothstep(0.5, 0.9, -u));
        },
        all);
    // The white fur cuff, fluffy at its edge.
    auto cuff = [=](Vec2 p) {
        Vec2 q = rotateAround(p, wrist + Vec2{6, -4},
                              -std::atan2(shoulder.y - wrist.y, shoulder.x - wrist.x));
        double fluff = 1.3 * (fbm(p.x * 0.35, p.y * 0.35, 61) - 0.5);
        return sdBox(q, wrist + Vec2{6, -4}, 8, 19, 6) + fluff;
    };
    c.fill(
        cuff,
        [](Vec2 p) {
            return lerp(hex(0xffffff), hex(0xb8c0d8), clamp01((p.x - 34) / 30)) *
                   (0.9 + 0.2 * fbm(p.x * 0.5, p.y * 0.5, 62));
        },
        all);
    // The mitten closed round the wire: the fist reaches past it on the
    // left, so the wire goes into the hand and comes out below, with the
    // fingers curled round it and the thumb over the front.
    auto mitten = [](Vec2 p) { return sdEllipse(p, {24, 60}, 19.5, 14.5); };
    auto mittenShade = [](Vec2 p) {
        double d = length(p - Vec2{18, 52}) / 22;
        return lerp(hex(0x2e8a40), hex(0x0c3a18), clamp01(d)) * (0.9 + 0.2 * fbm(p.x, p.y, 63));
    };
    c.fill(mitten, mittenShade, all);
    c.fill([](Vec2 p) { return sdTaperedCapsule(p, {22, 68}, {7, 62}, 6, 4.5); }, mittenShade, all);
    c.fill(
        [](Vec2 p) {
            return std::abs(sdEllipse(p, {24, 60}, 19.5, 14.5)) - 0.8 + (p.x < 20 ? 9 : 0);
        },
        hex(0x0a2a12), all);
    for (int i = 0; i < 3; ++i) {
        double y = 54 + 6.5 * i;
        c.fill(
            [=](Vec2 p) {
                return sdCapsule(p, {6, y - 1}, {22, y + 1}, 0.7);
            },
            hex(0x0e4a1e), all);
    }
}

} // namespace

void makeSparkler(const std::string& dir) {
    Canvas unburnt(kW, kH);
    paintHandle(unburnt);
    paintSantasArm(unburnt);
    auto coat = [](Vec2 p) {
        double wobble = 0.5 * (valueNoise(p.y * 0.35, 0, 7) - 0.5);
        return sdBox(p, {kCx, (kCoatTop + kH - 2) / 2}, 3.6 + wobble, (kH - 2 - kCoatTop) / 2, 3.2);
    };
    unburnt.fill(
        coat,
        [](Vec2 p) {
            double u = (p.x - kCx) / 4;
            double shade = 0.55 + 0.5 * std::sqrt(std::max(0.0, 1 - u * u)) - 0.25 * u;
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
    paintSantasArm(burnt);
    writePngRgb(dir + "/tbub.png", kArmW, kH, burnt.rgb8());
}
