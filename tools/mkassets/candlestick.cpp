// The Advent candlestick: four red candles burnt down week by week, standing
// in spruce twigs with lingonberries on a brass tray. Each candle's top sits
// right under the flame drawn above it, and nothing else reaches up there.
#include "assets.h"
#include "canvas.h"
#include "ramps.h"
#include "rng.h"

#include <cmath>

namespace {

constexpr int kW = 320, kH = 236;
constexpr double kCandleX[4] = {37, 117, 195, 275};
constexpr double kCandleTop[4] = {98, 76, 56, 34};
constexpr double kHalfWidth = 14, kCandleFoot = 196;

// How far the candle's top ellipse reaches down from its top row: the
// candles are seen a little from above.
constexpr double kTopDepth = 3.5;

void paintCandle(Canvas& c, double cx, double top, Rng& rng) {
    Box box = {cx - kHalfWidth - 4, top, cx + kHalfWidth + 4, kCandleFoot + 2};
    // Nothing may reach above the candle's top row: the flame's rectangle
    // starts right above it and blacks out whatever lies there.
    auto belowTop = [=](double d, Vec2 p) { return std::max(d, top - p.y); };
    const Vec2 rim = {cx, top + kTopDepth};
    auto body = [=](Vec2 p) {
        return std::min(
            sdBox(p, {cx, (rim.y + kCandleFoot) / 2}, kHalfWidth, (kCandleFoot - rim.y) / 2),
            sdEllipse(p, rim, kHalfWidth, kTopDepth));
    };
    // Round wax lit from the upper right: the lit side glows warm towards
    // the flame, the shadow side runs down a ramp of crimson into near-black
    // and keeps a thin rim of reflected light, so its edge shows.
    c.fill(
        body,
        [=](Vec2 p) {
            double u = (p.x - cx) / kHalfWidth;
            if (u < -0.93)
                return kWax.shade;
            double light = cylinderLight(u);
            Rgb wax = light < 0.2    ? kWax.dark
                      : light < 0.45 ? kWax.shade
                      : light < 0.75 ? kWax.base
                      : light < 0.95 ? kWax.lit
                                     : kWax.shine;
            // Warmer just under the flame.
            return lerp(wax, kWax.shine, 0.35 * std::exp(-(p.y - top) / 12));
        },
        box);
    // Wax drips running down from the lip.
    int drips = 2 + rng.below(2);
    for (int i = 0; i < drips; ++i) {
        double x = cx + rng.range(-kHalfWidth + 3, kHalfWidth - 3);
        double len = rng.range(8, 26);
        Vec2 a = {x, rim.y + 1}, b = {x, rim.y + len};
        c.fill([=](Vec2 p) { return belowTop(sdTaperedCapsule(p, a, b, 2.2, 2.8), p); },
               [=](Vec2 p) { return p.x > x ? kWax.shine : kWax.lit; }, box);
    }
    // The top: a lit lip round a darker pool of melted wax.
    c.fill([=](Vec2 p) { return sdEllipse(p, rim, kHalfWidth, kTopDepth); },
           [=](Vec2 p) { return p.y > rim.y || p.x > cx + 6 ? kWax.shine : kWax.lit; }, box);
    c.fill(
        [=](Vec2 p) {
            return sdEllipse(p, rim - Vec2{0, 0.3}, kHalfWidth - 2.5, kTopDepth - 1.3);
        },
        [=](Vec2 p) { return p.x > cx + 4 ? kWax.base : kWax.shade; }, box);
    // The wick: black, five pixels tall, standing in the pool, its tip
    // aglow where it reaches into the flame.
    const double wickX = std::floor(cx) - 0.5;
    c.fill(
        [=](Vec2 p) {
            return belowTop(sdBox(p, {wickX, top + 2.5}, 0.5, 2.5), p);
        },
        kReindeer.dark, box);
    c.fill(
        [=](Vec2 p) {
            return belowTop(sdBox(p, {wickX, top + 0.5}, 0.5, 0.5), p);
        },
        kGold.lit, box);
}

void paintTray(Canvas& c) {
    Box all = fullBox(c);
    for (double x : {24.0, 160.0, 296.0})
        c.fill(
            [=](Vec2 p) {
                return sdEllipse(p, {x, 222}, 12, 7);
            },
            [](Vec2 p) { return lerp(kGold.shine, kGold.shade, clamp01((p.y - 215) / 14)); }, all);
    auto tray = [](Vec2 p) { return sdBox(p, {160, 207}, 156, 9, 5); };
    c.fill(
        tray,
        [](Vec2 p) {
            double t = (p.y - 198) / 18;
            // The highlight swells and fades along the tray, brightest
            // towards the light on the right.
            double along =
                0.35 + 0.45 * smoothstep(0.3, 0.8, fbm(p.x / 40, 0, 5, 2)) + 0.2 * (p.x / kW);
            double band = std::exp(-std::pow((t - 0.3) / 0.15, 2)) * along;
            return lerp(kGold.lit, kGold.dark, clamp01(t)) + kGold.shine * (band * 0.6);
        },
        all);
    // Engraved dots along the rim.
    for (int i = 0; i < 26; ++i) {
        Vec2 d = {13.0 + i * 11.75, 210};
        c.fill([=](Vec2 p) { return sdCircle(p, d, 1.4); }, kGold.dark, all);
    }
}

// A brass cup holds each candle on the tray.
void paintCups(Canvas& c) {
    for (double cx : kCandleX) {
        auto cup = [=](Vec2 p) {
            std::vector<Vec2> v = {{cx - 21, 182}, {cx + 21, 182}, {cx + 15, 198}, {cx - 15, 198}};
            return sdPolygon(p, v) - 1.5;
        };
        c.fill(cup,
               [=](Vec2 p) {
                   double u = (p.x - cx) / 21;
                   double shine = std::exp(-std::pow((u - 0.35) / 0.18, 2));
                   return lerp(kGold.lit, kGold.dark, clamp01(0.45 - 0.5 * u)) +
                          kGold.shine * (0.6 * shine);
               },
               {cx - 24, 178, cx + 24, 200});
        c.fill(
            [=](Vec2 p) {
                return sdEllipse(p, {cx, 182}, 22.5, 3);
            },
            kGold.shine, {cx - 24, 178, cx + 24, 186});
    }
}

void paintGreenery(Canvas& c) {
    Box band = {0, 160, double(kW), 206};
    Rng rng(424242);
    // Spruce twigs: a stem with needles either side, laid along the tray.
    // Every twig ends, needles and all, inside the picture.
    const double margin = 10;
    for (int t = 0; t < 34; ++t) {
        Vec2 a = {rng.range(margin, kW - margin), rng.range(186, 198)};
        double ang = rng.range(-0.5, 0.5) + (rng.uniform() < 0.5 ? M_PI : 0);
        double len = rng.range(24, 40);
        if (a.x + std::cos(ang) * len > kW - margin || a.x + std::cos(ang) * len < margin)
            ang += M_PI;
        Vec2 dir = {std::cos(ang), std::sin(ang)};
        Vec2 b = a + dir * len;
        Rgb green = lerp(kSpruce.shade, kSpruce.base, rng.uniform());
        c.fill([=](Vec2 p) { return sdCapsule(p, a, b, 0.8); }, kCloth.shade, band);
        for (double s = 0.05; s < 1; s += 0.07)
            for (int side : {-1, 1}) {
                Vec2 base = a + dir * (len * s);
                double na = ang + side * 1.0 + rng.range(-0.2, 0.2);
                Vec2 tip = base + Vec2{std::cos(na), std::sin(na)} * (6.5 * (1.1 - s * 0.5));
                Rgb needle = green * rng.range(0.8, 1.3);
                c.fill([=](Vec2 p) { return sdTaperedCapsule(p, base, tip, 0.9, 0.3); }, needle,
                       {std::min(base.x, tip.x) - 2, std::min(base.y, tip.y) - 2,
                        std::max(base.x, tip.x) + 2, std::max(base.y, tip.y) + 2});
            }
    }
    // Lingonberries in little clusters, and a few gold baubles.
    for (int k = 0; k < 16; ++k) {
        Vec2 centre = {rng.range(10, kW - 10), rng.range(186, 198)};
        for (int i = 0; i < 3; ++i) {
            Vec2 q = centre + Vec2{rng.range(-4, 4), rng.range(-3, 3)};
            c.fill([=](Vec2 p) { return sdCircle(p, q, 2.6); },
                   [=](Vec2 p) {
                       return lerp(kCoatRed.shine, kCoatRed.shade,
                                   clamp01(length(p - q + Vec2{-1, 1}) / 3.4));
                   },
                   around(q, 3));
        }
    }
    for (double x : {78.0, 156.0, 236.0}) {
        Vec2 q = {x, 192};
        c.fill([=](Vec2 p) { return sdCircle(p, q, 6); },
               [=](Vec2 p) {
                   double d = length(p - q + Vec2{-2, 2}) / 8;
                   return lerp(kGold.shine, kGold.shade, clamp01(d));
               },
               around(q, 7));
    }
}

} // namespace

void makeCandlestick(const std::string& dir) {
    Canvas c(kW, kH);
    Rng rng(1224);
    for (int k = 0; k < 4; ++k)
        paintCandle(c, kCandleX[k], kCandleTop[k], rng);
    paintTray(c);
    paintCups(c);
    paintGreenery(c);
    writeGif(dir + "/Ljus.gif", kW, kH, c.rgb8(false));
}
