// The bottle of snolk that appears after the letters: dark green glass with
// a soft shine, a gold foil cap, a ribbon and a cream label with the name.
#include "assets.h"
#include "bevel.h"
#include "rng.h"

#include <cmath>

namespace {

constexpr int kW = 120, kH = 300;
constexpr double kCx = kW / 2.0;

double bottleShape(Vec2 p) {
    double body = sdBox(p, {kCx, 195}, 46, 98, 16);
    double neck = sdBox(p, {kCx, 70}, 13, 56, 4);
    return smin(body, neck, 26);
}

// Half the glass width at height y: where the silhouette's edge crosses that
// row, found by bisection on its distance. The round-glass shading divides by
// it, so the shading follows the outline itself and runs on without a break
// from the neck over the shoulder into the body.
double halfWidth(double y) {
    // Invariant: the point lo from the axis is inside the glass, hi outside.
    double lo = 0, hi = kW / 2.0;
    if (bottleShape({kCx, y}) >= 0)
        return 1; // above the cap or below the base: no glass on this row
    for (int i = 0; i < 40; ++i) {
        double mid = (lo + hi) / 2;
        (bottleShape({kCx + mid, y}) < 0 ? lo : hi) = mid;
    }
    return std::max(lo, 1.0);
}

Rgb glass(Vec2 p) {
    double u = std::clamp((p.x - kCx) / halfWidth(p.y), -1.0, 1.0);
    double nz = std::sqrt(1 - u * u);
    // Where the glass widens downwards (the shoulder) its surface tilts up
    // towards the light.
    double slope = (halfWidth(p.y + 1) - halfWidth(p.y - 1)) / 2;
    double facingUp = std::max(0.0, slope) / std::sqrt(1 + slope * slope);
    double diffuse = std::max(0.0, 0.5 * u + 0.8 * nz + 0.4 * facingUp * nz);
    Rgb base = hex(0x0c4a2a) * (0.35 + 0.75 * diffuse);
    // Light shining through the far wall on the left.
    base =
        base + hex(0x3aa060) * (0.5 * smoothstep(0.55, 0.95, -u) * (1 - smoothstep(0.95, 1.0, -u)));
    // A long window reflection on the right.
    double streak = smoothstep(-0.72, -0.62, -u) * (1 - smoothstep(-0.5, -0.38, -u));
    return base + hex(0xd8ffe8) * (0.75 * streak);
}

} // namespace

void makeBottle(const std::string& dir) {
    Canvas c(kW, kH);
    Box all = fullBox(c);
    c.fill(bottleShape, glass, all);
    // Gold foil over the cap and the top of the neck.
    auto foil = [](Vec2 p) { return sdBox(p, {kCx, 30}, 15, 18, 4); };
    c.fill(
        foil,
        [](Vec2 p) {
            // Round metal: dark at the far side, a bright streak near the
            // light, fine crinkles running down the foil.
            double u = std::clamp((p.x - kCx) / 15, -1.0, 1.0);
            double streak = std::exp(-std::pow((u - 0.45) / 0.16, 2));
            double crinkle = 0.88 + 0.2 * valueNoise(p.x * 1.6, p.y * 0.12, 3);
            return lerp(hex(0xf0c050), hex(0x6a4008), clamp01(0.45 - 0.55 * u)) * crinkle +
                   hex(0xfff8d8) * (0.8 * streak);
        },
        all);
    c.fill([](Vec2 p) { return sdBox(p, {kCx, 13}, 16, 3, 2); }, hex(0xffe9a0), all);
    // A red ribbon round the neck with a bow.
    c.fill([](Vec2 p) { return sdBox(p, {kCx, 58}, 15.5, 3.5, 1); }, hex(0xd01828), all);
    for (int side : {-1, 1}) {
        Vec2 a = {kCx, 58}, b = {kCx + side * 13.0, 52};
        c.fill([=](Vec2 p) { return sdTaperedCapsule(p, a, b, 2, 5); }, hex(0xe02030), all);
        Vec2 t = {kCx + side * 6.0, 70};
        c.fill([=](Vec2 p) { return sdTaperedCapsule(p, a, t, 1.5, 2.5); }, hex(0xb01020), all);
    }
    c.fill([](Vec2 p) { return sdCircle(p, {kCx, 58}, 3.5); }, hex(0xff4050), all);
    // The label: cream paper with a red band and gold lines.
    auto label = [](Vec2 p) { return sdBox(p, {kCx, 200}, 46.5, 40, 2); };
    c.fill(
        label,
        [](Vec2 p) {
            double u = std::clamp((p.x - kCx) / 46, -1.0, 1.0);
            double shade = 0.55 + 0.5 * std::sqrt(1 - u * u) + 0.15 * u;
            return hex(0xf6ecd0) * shade * (0.95 + 0.1 * fbm(p.x * 0.3, p.y * 0.3, 5));
        },
        all);
    for (double y : {166.0, 234.0})
        c.fill([=](Vec2 p) { return sdBox(p, {kCx, y}, 46.5, 1.2); }, hex(0xc89a30), all);
    c.fill([](Vec2 p) { return sdBox(p, {kCx, 227}, 46.5, 4); }, hex(0xb81424), all);

    Material ink;
    ink.top = hex(0xe02030);
    ink.bottom = hex(0x800010);
    ink.ambient = 0.6;
    ink.bevel = 4;
    ink.outline = hex(0xd8a040);
    ink.outlineWidth = 3;
    TextMask word = renderText(fontPath("DejaVuSerif-BoldItalic.ttf"), 30 * 4, "snolk", 0, 8);
    Canvas text = bevel(word, ink, 4);
    c.draw(text, int(kCx) - text.w / 2, 200 - text.h / 2 - 4);
    // The small print in plain dark red: at this size a relief and a rim
    // would close the counters, and the R would read as an A.
    Material print;
    print.top = print.bottom = hex(0x9a1426);
    print.ambient = 1;
    print.bevel = 1;
    print.depth = 0.3;
    print.specular = {0, 0, 0};
    TextMask small = renderText(fontPath("DejaVuSans-Bold.ttf"), 10 * 4, "JULDRYCK", 6, 4);
    Canvas smallText = bevel(small, print, 4);
    c.draw(smallText, int(kCx) - smallText.w / 2, 167);
    writePngRgb(dir + "/flaska.png", kW, kH, c.rgb8(false));
}
