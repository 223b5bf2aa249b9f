// The moon over the flying santas, with soft maria, craters lit from the
// upper left and a faint halo; and the little rosy-nosed santa that peeks
// over its lower edge when the snolk has been flowing.
#include "assets.h"
#include "canvas.h"
#include "rng.h"

#include <cmath>

namespace {

// A crater's height in units of its radius at q radii from its centre: a
// smooth bowl sunk into the ground with a raised rim around it, so the
// shading has no edge anywhere.
double craterHeight(double q) {
    return -0.3 * std::exp(-std::pow(q / 0.72, 2)) + 0.08 * std::exp(-std::pow((q - 1) / 0.25, 2));
}

// The crater's slope (height change per pixel, in x and y) at offset d from
// its centre.
Vec2 craterSlope(Vec2 d, double radius) {
    double dist = length(d), q = dist / radius;
    if (q > 2 || dist == 0)
        return {0, 0};
    const double h = 1e-3;
    double dq = (craterHeight(q + h) - craterHeight(q - h)) / (2 * h); // per radius, per radius
    return d * (dq / dist);
}

// How much brighter a slope is than flat ground under light from the upper
// left: the bowl's wall nearest the light lies in shadow, the far wall and
// the rim facing the light are lit.
double reliefLight(Vec2 slope) {
    const double lx = -0.45, ly = -0.45, lz = 0.77;
    double n = std::sqrt(slope.x * slope.x + slope.y * slope.y + 1);
    double lambert = (-slope.x * lx - slope.y * ly + lz) / n;
    return std::max(0.0, lambert) / lz;
}

void writeMoon(const std::string& path) {
    const int size = 256;
    const Vec2 m = {128, 128};
    const double r = 104;
    Canvas c(size, size);
    Box all = fullBox(c);
    auto disk = [=](Vec2 p) { return sdCircle(p, m, r); };
    c.glow(disk, hex(0x9098c0), 6, all, 0.35);

    struct Crater {
        Vec2 at;
        double r;
    };
    std::vector<Crater> craters;
    Rng rng(2024);
    for (int i = 0; i < 70; ++i) {
        double a = rng.range(0, 2 * M_PI), d = std::sqrt(rng.uniform()) * (r - 12);
        craters.push_back({m + Vec2{std::cos(a) * d, std::sin(a) * d},
                           i < 6 ? rng.range(7, 13) : rng.range(1.5, 5)});
    }
    c.fill(
        disk,
        [&](Vec2 p) {
            double nx = (p.x - m.x) / r, ny = (p.y - m.y) / r;
            double nz = std::sqrt(std::max(0.0, 1 - nx * nx - ny * ny));
            double limb = 0.32 + 0.68 * std::sqrt(nz);
            // Turned and warped noise, so no lattice shows in the seas.
            Vec2 q = rotateAround(p, m, 0.6);
            q = q + Vec2{fbm(q.x / 40, q.y / 40, 12), fbm(q.x / 40, q.y / 40, 13)} * 28;
            double maria = smoothstep(0.53, 0.7, fbm(q.x / 70, q.y / 70, 8, 5));
            double grain = fbm(q.x / 5, q.y / 5, 9, 3);
            double v = (1 - 0.26 * maria) * (0.88 + 0.2 * grain);
            Vec2 slope = {0, 0};
            for (const Crater& k : craters)
                slope = slope + craterSlope(p - k.at, k.r);
            return lerp(hex(0xfff6dc), hex(0xc8c2b4), maria) * (v * limb * reliefLight(slope));
        },
        all);
    writePngRgb(path, size, size, c.rgb8(false));
}

// A cartoon santa face: each part is painted over a slightly larger dark red
// copy, which gives the whole figure an outline against the moon. The light
// falls from the upper left, as on the moon behind: every part and the
// outline are lighter on that side.
void writeTipsySanta(const std::string& path) {
    Canvas c(110, 110);
    Box all = fullBox(c);
    // 0 where the light falls on the figure, 1 on its far side.
    auto shadowSide = [](Vec2 p) { return clamp01((p.x + p.y - 60) / 110); };
    auto outlined = [&](const Sdf& shape, const Shader& shader) {
        c.fill([&](Vec2 p) { return shape(p) - 1.6; },
               [&](Vec2 p) { return lerp(hex(0x9a2830), hex(0x4a0810), shadowSide(p)); }, all);
        c.fill(
            shape, [&](Vec2 p) { return shader(p) * (1.06 - 0.2 * shadowSide(p)); }, all);
    };
    auto flat = [](Rgb col) { return [col](Vec2) { return col; }; };
    auto beard = [](Vec2 p) {
        double d = sdEllipse(p, {55, 72}, 30, 26);
        for (int i = 0; i < 7; ++i) {
            double a = M_PI * (0.1 + 0.8 * i / 6.0);
            d = std::min(d, sdCircle(p, {55 + 28 * std::cos(a), 70 + 26 * std::sin(a)}, 9));
        }
        return d;
    };
    // The hat flops over to the right, its pompom bobbing beside the face.
    std::vector<Vec2> hat = {{27, 42}, {84, 42}, {70, 20}, {92, 14}, {98, 26}, {62, 6}, {40, 12}};
    outlined([&](Vec2 p) { return sdPolygon(p, hat) - 1; },
             [](Vec2 p) { return lerp(hex(0xff3040), hex(0xa00818), clamp01((p.x - 30) / 70)); });
    outlined([](Vec2 p) { return sdCircle(p, {97, 28}, 8); }, flat(hex(0xfafaff)));
    // The face fills everything between the hat's brim and the beard.
    outlined(
        [](Vec2 p) {
            return std::min(sdEllipse(p, {55, 55}, 23, 21), sdBox(p, {55, 54}, 28, 9, 6));
        },
        [](Vec2 p) { return lerp(hex(0xffd8c0), hex(0xe8a888), clamp01((p.x - 35) / 45)); });
    outlined(beard,
             [](Vec2 p) { return lerp(hex(0xffffff), hex(0xc8d0e0), clamp01((p.y - 50) / 50)); });
    outlined([](Vec2 p) { return sdBox(p, {55, 43}, 31, 6, 5); }, flat(hex(0xf4f4fa)));
    // Rosy cheeks, a shiny red nose and a wide moustache.
    for (int s : {-1, 1})
        c.fill(
            [=](Vec2 p) {
                return sdCircle(p, {55 + s * 14.0, 62}, 5.5);
            },
            hex(0xff8080), all, 0.6);
    for (int s : {-1, 1})
        outlined(
            [=](Vec2 p) {
                return sdEllipse(p, {55 + s * 10.0, 70}, 11, 5);
            },
            flat(hex(0xffffff)));
    outlined(
        [](Vec2 p) {
            return sdCircle(p, {55, 63}, 6.5);
        },
        [](Vec2 p) {
            return lerp(hex(0xff5a5a), hex(0xb01020), clamp01(length(p - Vec2{52, 60}) / 7));
        });
    c.fill([](Vec2 p) { return sdCircle(p, {53, 61}, 1.6); }, hex(0xffffff), all, 0.9);
    // Eyes closed in a happy squint.
    for (int s : {-1, 1}) {
        Vec2 e = {55 + s * 9.0, 55};
        c.fill(
            [=](Vec2 p) {
                return std::abs(sdCircle(p, e + Vec2{0, 3}, 4)) - 0.9 + (p.y > e.y + 1 ? 9 : 0);
            },
            hex(0x3a0a0e), all);
    }
    writePngRgb(path, c.w, c.h, c.rgb8());
}

} // namespace

void makeMoon(const std::string& dir) {
    writeMoon(dir + "/256MOONE.PNG");
    writeTipsySanta(dir + "/litenapanap.png");
}
