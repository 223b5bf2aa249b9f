// The warp field's sprites, drawn pixel by pixel by the show: a small bright
// star and two wrapped gifts. RGBA with hard edges: every pixel is either
// fully transparent (0,0,0,0) or opaque.
#include "assets.h"
#include "canvas.h"

#include <cmath>

namespace {

void writeStar(const std::string& path) {
    Canvas c(11, 11);
    Vec2 m = {5.5, 5.5};
    c.fill([=](Vec2 p) { return sdStar(p, m, 5.4, 1.3, 4); },
           [=](Vec2 p) { return lerp(hex(0xffffff), hex(0xffd040), clamp01(length(p - m) / 5)); },
           fullBox(c));
    c.fill([=](Vec2 p) { return sdCircle(p, m, 1.6); }, hex(0xffffff), fullBox(c));
    writePngRgba(path, c.w, c.h, c.rgba8());
}

void writeGift(const std::string& path, Rgb paper, Rgb ribbon, Rgb dots) {
    Canvas c(14, 14);
    Box all = fullBox(c);
    auto box = [](Vec2 p) { return sdBox(p, {7, 9}, 6, 4.6); };
    c.fill(
        box,
        [=](Vec2 p) {
            double shade = 1.1 - 0.06 * (p.x - 1) - 0.03 * (p.y - 4);
            bool dot = (int(p.x) + int(p.y)) % 4 == 0;
            return (dot ? dots : paper) * shade;
        },
        all);
    c.fill([](Vec2 p) { return sdBox(p, {7, 5.2}, 6.8, 1.3); }, paper * 1.25, all); // the lid
    c.fill([](Vec2 p) { return sdBox(p, {7, 8.5}, 1, 5); }, ribbon, all);
    c.fill([](Vec2 p) { return sdBox(p, {7, 9}, 6, 0.9); }, ribbon * 0.9, all);
    for (int s : {-1, 1}) {
        Vec2 a = {7, 3.6}, b = {7 + s * 3.2, 1.8};
        c.fill([=](Vec2 p) { return sdTaperedCapsule(p, a, b, 0.6, 1.3); }, ribbon * 1.1, all);
    }
    writePngRgba(path, c.w, c.h, c.rgba8());
}

} // namespace

void makeFieldSprites(const std::string& dir) {
    writeStar(dir + "/star.png");
    writeGift(dir + "/paket0.png", hex(0xd01828), hex(0xffd040), hex(0xf05060));
    writeGift(dir + "/paket1.png", hex(0x1a8a3a), hex(0xf4f4ff), hex(0x30b050));
}
