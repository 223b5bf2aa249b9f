// The sparkler: a silver wire handle above a grey, glittering coat of powder
// (tb.png), and the same stick burnt down to a dark, ashy wire (tbub.png).
// The coat ends where the sparks stop, so the handle never seems to burn.
#include "assets.h"
#include "canvas.h"
#include "rng.h"

namespace {

constexpr int kW = 20, kH = 320;
constexpr double kCx = 10, kCoatTop = 118;

void paintHandle(Canvas& c) {
    c.fill(
        [](Vec2 p) {
            return sdBox(p, {kCx, kCoatTop / 2 + 2}, 1.1, kCoatTop / 2 + 1);
        },
        [](Vec2 p) { return lerp(hex(0xe8eef4), hex(0x707880), clamp01((p.x - 8.5) / 3)); },
        fullBox(c));
}

} // namespace

void makeSparkler(const std::string& dir) {
    Canvas unburnt(kW, kH);
    paintHandle(unburnt);
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

    Canvas burnt(kW, kH);
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
    writePngRgb(dir + "/tbub.png", kW, kH, burnt.rgb8());
}
