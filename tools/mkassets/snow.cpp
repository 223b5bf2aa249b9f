// Snowflakes: a small soft flake for the far layer and a six-armed crystal
// for the near one, white with a touch of moonlight blue, on black.
#include "assets.h"
#include "canvas.h"

#include <cmath>

namespace {

void paintCrystal(Canvas& c, Vec2 centre, double r, double width) {
    Box all = fullBox(c);
    for (int i = 0; i < 6; ++i) {
        double a = i * M_PI / 3 + M_PI / 6;
        Vec2 d = {std::cos(a), std::sin(a)};
        c.fill([=](Vec2 p) { return sdCapsule(p, centre, centre + d * r, width); }, hex(0xeef6ff),
               all);
        Vec2 base = centre + d * (r * 0.55);
        for (int s : {-1, 1}) {
            double b = a + s * 0.9;
            Vec2 twig = base + Vec2{std::cos(b), std::sin(b)} * (r * 0.33);
            c.fill([=](Vec2 p) { return sdCapsule(p, base, twig, width * 0.8); }, hex(0xd8e8ff),
                   all);
        }
    }
    c.fill([=](Vec2 p) { return sdCircle(p, centre, r * 0.22); }, hex(0xffffff), all);
}

} // namespace

void makeSnow(const std::string& dir) {
    Canvas small(7, 7);
    Vec2 sc = {3.5, 3.5};
    small.fill(
        [=](Vec2 p) { return sdCircle(p, sc, 2.3); },
        [=](Vec2 p) { return lerp(hex(0xffffff), hex(0x9ab0d8), clamp01(length(p - sc) / 2.6)); },
        fullBox(small));
    writePngRgb(dir + "/flinga0.png", 7, 7, small.rgb8());

    Canvas big(15, 15);
    paintCrystal(big, {7.5, 7.5}, 6.6, 0.75);
    writePngRgb(dir + "/flinga1.png", 15, 15, big.rgb8());
}
