// The Christmas tree interlude: a snowy spruce hung with baubles, tinsel and
// warm lights under a starry winter night, a gold star on top and gifts in
// the snow below.
#include "assets.h"
#include "canvas.h"
#include "gift.h"
#include "ramps.h"
#include "rng.h"

#include <cmath>

namespace {

constexpr int kW = 640, kH = 480;
constexpr double kCx = 320;

struct Tier {
    double top, bottom, half;
};
const Tier kTiers[] = {
    {58, 140, 62}, {96, 205, 100}, {145, 275, 138}, {200, 345, 176}, {262, 410, 212}};

// A tier is a cone of branches whose drooping tips hang as round clumps
// along its lower edge.
struct TierShape {
    std::vector<Vec2> cone;
    std::vector<Vec2> clumps;
    double clumpR;
    double operator()(Vec2 p) const {
        double d = sdPolygon(p, cone);
        for (const Vec2& c : clumps)
            d = smin(d, sdCircle(p, c, clumpR), 4);
        return d;
    }
};

TierShape tierShape(const Tier& t) {
    TierShape s;
    s.clumpR = 9 + t.half * 0.025;
    s.cone = {{kCx, t.top},
              {kCx + t.half - s.clumpR, t.bottom - s.clumpR - 2},
              {kCx - t.half + s.clumpR, t.bottom - s.clumpR - 2}};
    int n = int(t.half / s.clumpR);
    for (int j = -n; j <= n; ++j) {
        double u = double(j) / n;
        double x = kCx + u * (t.half - s.clumpR);
        double y = t.bottom - s.clumpR - 6 + 8 * u * u;
        s.clumps.push_back({x, y});
    }
    return s;
}

void paintSky(Canvas& c) {
    Rng rng(1);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            double t = y / 400.0;
            Rgb sky = lerp(hex(0x02051a), hex(0x1c2c62), clamp01(t * t));
            // A faint green aurora ribbon across the upper sky.
            double band = std::exp(
                -std::pow((y - 90 - 40 * std::sin(x / 110.0) - 30 * fbm(x / 200.0, 0, 3)) / 26, 2));
            double curtain = 0.5 + 0.5 * fbm(x / 14.0, y / 120.0, 4);
            sky = sky + hex(0x20c080) * (band * curtain * 0.22);
            c.at(x, y) = sky;
            c.coverAt(x, y) = 1;
        }
    for (int i = 0; i < 260; ++i) {
        Vec2 q = {rng.range(0, kW), rng.range(0, 360)};
        double b = std::pow(rng.uniform(), 3);
        double r = 0.5 + 0.9 * b;
        c.fill([=](Vec2 p) { return sdCircle(p, q, r); }, lerp(hex(0x8090c0), hex(0xffffff), b),
               around(q, r + 1), 0.5 + 0.5 * b);
        if (b > 0.7)
            c.fill([=](Vec2 p) { return sdStar(p, q, 5, 0.6, 4); }, hex(0xe8f0ff), around(q, 6),
                   0.6);
    }
}

void paintSnowland(Canvas& c) {
    Box all = fullBox(c);
    auto hills = [](Vec2 p) {
        double h = 350 + 25 * std::sin(p.x / 130.0 + 1) + 30 * (fbm(p.x / 160.0, 0, 21) - 0.5);
        return h - p.y;
    };
    c.fill(
        hills, [](Vec2 p) { return lerp(hex(0x5a6a9a), hex(0x8ea0cc), clamp01((p.y - 320) / 80)); },
        all);
    // Little spruces on the far hills.
    Rng rng(12);
    for (int i = 0; i < 26; ++i) {
        double x = rng.range(0, kW);
        if (std::abs(x - kCx) < 230)
            continue;
        double base = 350 + 25 * std::sin(x / 130.0 + 1) + 30 * (fbm(x / 160.0, 0, 21) - 0.5) + 4;
        double hgt = rng.range(18, 34);
        std::vector<Vec2> tri = {{x, base - hgt}, {x + hgt * 0.3, base}, {x - hgt * 0.3, base}};
        c.fill([=](Vec2 p) { return sdPolygon(p, tri); }, hex(0x1a2a4a), all);
    }
    auto ground = [](Vec2 p) { return 405 + 8 * std::sin(p.x / 90.0) - p.y; };
    c.fill(
        ground,
        [](Vec2 p) {
            double shade = 0.85 + 0.2 * fbm(p.x / 40.0, p.y / 12.0, 31);
            return lerp(hex(0xc8d4f0), hex(0x7a8ac0), clamp01((p.y - 400) / 90)) * shade;
        },
        all);
    for (int i = 0; i < 140; ++i) {
        Vec2 q = {rng.range(0, kW), rng.range(412, kH)};
        c.fill([=](Vec2 p) { return sdCircle(p, q, 0.7); }, hex(0xffffff), around(q, 2));
    }
}

Rgb sphereShade(Vec2 p, Vec2 c, double r, Rgb base) {
    double nx = (p.x - c.x) / r, ny = (p.y - c.y) / r;
    double nz = std::sqrt(std::max(0.0, 1 - nx * nx - ny * ny));
    double diffuse = facingLight(nx, ny, nz);
    double shine = std::pow(std::max(0.0, 0.25 * nx - 0.3 * ny + 0.92 * nz), 30);
    return base * (0.2 + 0.95 * diffuse) + Rgb{1, 1, 1} * shine;
}

void paintTree(Canvas& c) {
    Box all = fullBox(c);
    // The trunk: round, lit from the right, its bark in furrows.
    c.fill(
        [](Vec2 p) {
            return sdBox(p, {kCx, 420}, 18, 20, 3);
        },
        [](Vec2 p) {
            Rgb bark = lerp(hex(0x8a5430), hex(0x2e180a), clamp01((kCx + 18 - p.x) / 36));
            double furrow = smoothstep(0.55, 0.75, valueNoise(p.x / 3.2, p.y / 26, 43));
            return bark * ((0.8 + 0.35 * fbm(p.x / 2.5, p.y / 9, 41)) * (1 - 0.55 * furrow));
        },
        all);
    Rng rng(314);
    for (int i = 0; i < 5; ++i) {
        const Tier& t = kTiers[i];
        TierShape tier = tierShape(t);
        Box box = {kCx - t.half - 4, t.top, kCx + t.half + 4, t.bottom + 4};
        // The dark inside of the tier, in the shade of the tier above.
        c.fill(
            tier,
            [=](Vec2 p) {
                double down = clamp01((p.y - t.top) / (t.bottom - t.top));
                return lerp(hex(0x031a0c), hex(0x0c3a1c), down);
            },
            box);
        // Needles: short strokes pointing out and down from the trunk, lit
        // more where the branches stick out and on the right.
        int strokes = int(t.half * (t.bottom - t.top) / 7);
        for (int k = 0; k < strokes; ++k) {
            Vec2 q = {rng.range(box.x0, box.x1), rng.range(box.y0, box.y1)};
            if (tier(q) > -1)
                continue;
            double u = (q.x - kCx) / t.half;
            double down = clamp01((q.y - t.top) / (t.bottom - t.top));
            double side = u < 0 ? -1 : 1;
            double angle = M_PI / 2 - side * rng.range(0.6, 1.2);
            double len = rng.range(4, 8);
            Vec2 tip = q + Vec2{std::cos(angle), std::sin(angle)} * len;
            double light = 0.25 + 0.6 * down * down + 0.25 * u + rng.range(-0.2, 0.2);
            Rgb needle = lerp(hex(0x0e4a22), hex(0x4aa858), clamp01(light));
            c.fill([=](Vec2 p) { return sdCapsule(p, q, tip, 0.75); }, needle, around(q, len + 2),
                   0.85);
        }
        // Snow resting on the drooping branch tips.
        for (const Vec2& clump : tier.clumps) {
            double r = tier.clumpR * rng.range(0.85, 1.05);
            Vec2 lift = {rng.range(-2, 2), r * 0.62};
            c.fill(
                [=](Vec2 p) {
                    return std::max(sdCircle(p, clump, r), -sdCircle(p, clump + lift, r * 1.02));
                },
                [=](Vec2 p) {
                    double shade = clamp01((p.y - clump.y + r) / r);
                    return lerp(hex(0xffffff), hex(0x9aaad8), shade * 0.7);
                },
                around(clump, r + 2));
        }
        for (int k = 0; k < int(t.half / 14); ++k) {
            Vec2 q = {rng.range(box.x0 + 20, box.x1 - 20), rng.range(t.top + 20, t.bottom - 18)};
            if (tier(q) > -6)
                continue;
            double rx = rng.range(3, 6);
            c.fill([=](Vec2 p) { return sdEllipse(p, q, rx, rx * 0.4); }, hex(0xe8f0ff),
                   around(q, rx), 0.9);
        }
    }
}

// The tinsel sags between two points; lights and baubles hang along it.
Vec2 garlandPoint(int tier, double u) {
    const Tier& t = kTiers[tier];
    double y0 = t.top + (t.bottom - t.top) * 0.45, y1 = t.bottom - 16;
    double x0 = kCx - t.half * 0.5, x1 = kCx + t.half * 0.85;
    double x = mix(x0, x1, u);
    double y = mix(y0, y1, u) + 10 * std::sin(u * M_PI);
    return {x, y};
}

void paintDecorations(Canvas& c) {
    Box all = fullBox(c);
    for (int i = 1; i < 5; ++i)
        for (int k = 0; k < 60; ++k) {
            Vec2 a = garlandPoint(i, k / 60.0), b = garlandPoint(i, (k + 1) / 60.0);
            c.fill([=](Vec2 p) { return sdCapsule(p, a, b, 1.5); },
                   lerp(hex(0xffe070), hex(0xb07818), (k % 3) / 2.0), around(a, 6));
        }
    Rng rng(99);
    const Rgb colours[] = {hex(0xe01020), hex(0xffc030), hex(0x2050e0), hex(0xd0d8f0),
                           hex(0xb020a0)};
    for (int i = 0; i < 5; ++i) {
        const Tier& t = kTiers[i];
        int count = 3 + i * 2;
        for (int k = 0; k < count; ++k) {
            double u = (k + 0.5) / count;
            double y = t.top + (t.bottom - t.top) * rng.range(0.55, 0.8);
            double spread = t.half * (y - t.top) / (t.bottom - t.top);
            Vec2 q = {kCx - spread * 0.85 + 2 * spread * 0.85 * u, y};
            double r = rng.range(5.5, 8.5);
            Rgb col = colours[rng.below(5)];
            c.fill(
                [=](Vec2 p) {
                    return sdBox(p, q + Vec2{0, -r - 1}, 2.2, 1.8);
                },
                hex(0xd8b060), all);
            c.fill([=](Vec2 p) { return sdCircle(p, q, r); },
                   [=](Vec2 p) { return sphereShade(p, q, r, col); }, around(q, r + 1));
        }
    }
    // Warm little lights scattered through the branches.
    for (int i = 0; i < 70; ++i) {
        int tier = rng.below(5);
        const Tier& t = kTiers[tier];
        double y = rng.range(t.top + 20, t.bottom - 14);
        double spread = t.half * (y - t.top) / (t.bottom - t.top) * 0.9;
        Vec2 q = {kCx + rng.range(-spread, spread), y};
        Rgb col = rng.uniform() < 0.7 ? hex(0xffd070) : hex(0xff8060);
        auto bulb = [=](Vec2 p) { return sdCircle(p, q, 1.8); };
        c.glow(bulb, col, 3, around(q, 2), 0.55, false);
        c.fill(bulb, hex(0xfffae0), around(q, 3));
    }
}

void paintTopStar(Canvas& c) {
    Vec2 m = {kCx, 44};
    auto star = [=](Vec2 p) { return sdStar(p, m, 22, 9); };
    c.glow(star, hex(0xffc040), 12, around(m, 24), 0.7, false);
    for (int i = 0; i < 8; ++i) {
        double a = i * M_PI / 4 + M_PI / 8;
        Vec2 tip = m + Vec2{std::cos(a), std::sin(a)} * (i % 2 ? 40 : 56);
        c.fill([=](Vec2 p) { return sdTaperedCapsule(p, m, tip, 1.6, 0.1); }, hex(0xfff0b0),
               around(m, 60), 0.5);
    }
    c.fill(
        star,
        [=](Vec2 p) {
            double a = std::atan2(p.y - m.y, p.x - m.x) + M_PI / 2;
            double facet = 0.5 + 0.5 * std::cos(std::fmod(a + 20 * M_PI, 2 * M_PI / 5) * 5);
            return lerp(hex(0xfff4b0), hex(0xd89018), 0.6 - 0.6 * facet);
        },
        around(m, 24));
}

// The gifts in the snow, wrapped like the ones that fly in the warp: printed
// paper, a lid, a ribbon with a bow, lit from the upper right, each with its
// shadow on the snow.
void paintGifts(Canvas& c) {
    struct Gift {
        double x, bottom, hw, hh; // pixels: centre, bottom edge, half sizes with the lid
        GiftLook look;
    };
    const Gift gifts[] = {{228, 438, 26, 18, {kCoatRed, kGold, Pattern::Dots}},
                          {268, 440, 18, 12, {kGiftBlue, kTrimWhite, Pattern::Stripes}},
                          {380, 440, 22, 22, {kSpruce, kCoatRed, Pattern::Stripes}},
                          {420, 441, 20, 11, {kGold, kCoatRed, Pattern::Dots}},
                          {336, 446, 16, 10, {kPlum, kGold, Pattern::Dots}}};
    const double s = 1.5; // pixels per design unit
    for (const Gift& g : gifts) {
        Vec2 shadow = {g.x - 0.3 * g.hw, g.bottom + 1};
        c.fill([=](Vec2 p) { return sdEllipse(p, shadow, 1.15 * g.hw + 4, 4) / 3; }, hex(0x283060),
               around(shadow, 1.15 * g.hw + 12), 0.6);
    }
    for (const Gift& g : gifts) {
        // The body's height leaves room for the lid, 3.7 units above it.
        GiftBox box = {g.x / s, g.bottom / s, g.hw / s, (2 * g.hh / s - 3.7) / 2};
        Box near = {g.x - g.hw - 4, g.bottom - 2 * g.hh - 16, g.x + g.hw + 4, g.bottom + 2};
        paintGift(
            [&](const Sdf& shape, const Shader& shader) {
                c.fill([&](Vec2 p) { return shape(p * (1 / s)) * s; },
                       [&](Vec2 p) { return shader(p * (1 / s)); }, near);
            },
            box, g.look);
    }
}

void paintFallingSnow(Canvas& c) {
    Rng rng(7);
    for (int i = 0; i < 120; ++i) {
        Vec2 q = {rng.range(0, kW), rng.range(0, kH)};
        double r = rng.range(0.8, 2.2);
        c.fill([=](Vec2 p) { return sdCircle(p, q, r); }, hex(0xf4f8ff), around(q, r + 1),
               rng.range(0.5, 0.9));
    }
}

} // namespace

void makeTree(const std::string& dir) {
    Canvas c(kW, kH);
    paintSky(c);
    paintSnowland(c);
    paintTree(c);
    paintDecorations(c);
    paintTopStar(c);
    paintGifts(c);
    paintFallingSnow(c);
    writePngRgb(dir + "/tannenbaum.png", kW, kH, c.rgb8(false));
}
