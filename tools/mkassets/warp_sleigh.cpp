// Santa's sleigh seen from behind: the picture that flies off into the
// distance (tomtebak.png, with black.png erasing its trail), and the same
// sleigh in warp flight with streaks of light, straight and banking.
#include "assets.h"
#include "canvas.h"
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
    void glow(const Sdf& design, Rgb col, double radius, double strength) {
        c.glow([&](Vec2 p) { return design(toDesign(p)) * s; }, col, radius * s, fullBox(c),
               strength);
    }
};

Shader vertical(Rgb top, Rgb bottom, double y0, double y1) {
    return [=](Vec2 p) { return lerp(top, bottom, clamp01((p.y - y0) / (y1 - y0))); };
}

void paintSleighBack(View& v) {
    // Runners first: they show below the tub. Each sweeps out and down from
    // under the tub on a short strut and curls up at its rear end.
    v.fill(
        [](Vec2 p) {
            double d = 1e9;
            for (int s : {-1, 1}) {
                auto at = [s](double x, double y) { return Vec2{100 + s * x, y}; };
                Vec2 curl = at(57, 141);
                double hook = std::abs(sdCircle(p, curl, 7)) - 2.3;
                // Only the curl's outer half, which carries the runner on
                // round and up.
                if (s * (p.x - curl.x) < 0)
                    hook = std::max(hook, 9.0);
                d = std::min({d, hook, sdTaperedCapsule(p, at(30, 122), at(57, 148), 1.6, 2.3),
                              sdCapsule(p, at(44, 118), at(45, 136), 1.9)});
            }
            return d;
        },
        vertical(hex(0xfff0c0), hex(0xa08040), 118, 147));
    // The sack of gifts on the left, Santa in the middle.
    v.fill(
        [](Vec2 p) {
            return sdEllipse(p, {58, 52}, 24, 26);
        },
        vertical(hex(0xd8a060), hex(0x6a4018), 26, 78));
    v.fill([](Vec2 p) { return sdBox(p, {50, 28}, 8, 7, 1.5); }, hex(0x30b050));
    v.fill([](Vec2 p) { return sdBox(p, {50, 28}, 1.5, 7); }, hex(0xffe060));
    v.fill([](Vec2 p) { return sdBox(p, {67, 25}, 7, 9, 1.5); }, hex(0x3a68e0));
    v.fill([](Vec2 p) { return sdBox(p, {67, 25}, 7, 1.5); }, hex(0xff4060));
    v.fill(
        [](Vec2 p) {
            return sdEllipse(p, {108, 62}, 34, 34);
        },
        [](Vec2 p) {
            double u = (p.x - 108) / 34;
            return lerp(hex(0xff4a4a), hex(0x8a0818), clamp01(0.45 + 0.55 * u)) *
                   (1.05 - 0.004 * (p.y - 30));
        });
    v.fill([](Vec2 p) { return sdEllipse(p, {108, 28}, 15, 10); }, hex(0xe8b090)); // neck
    v.fill([](Vec2 p) { return sdEllipse(p, {108, 30}, 18, 8); }, hex(0xf4f4fa));  // collar fur
    // The hat, bent over to the right with its pompom.
    v.fill(
        [](Vec2 p) {
            return sdPolygon(p, {{92, 16}, {124, 16}, {118, 2}, {134, -4}, {106, -6}});
        },
        vertical(hex(0xff3a3a), hex(0xb01020), -6, 16));
    v.fill([](Vec2 p) { return sdBox(p, {108, 17}, 17, 4, 3); }, hex(0xf6f6fa));
    v.fill([](Vec2 p) { return sdCircle(p, {136, -2}, 5); }, hex(0xf6f6fa));
    // The tub: red lacquer, gold edge and scrollwork.
    std::vector<Vec2> tub = {{14, 66}, {186, 66}, {168, 124}, {32, 124}};
    auto body = [tub](Vec2 p) { return sdPolygon(p, tub) - 4; };
    v.fill(body, [](Vec2 p) {
        double sheen = std::exp(-std::pow((p.y - 78) / 10, 2)) * 0.35;
        return vertical(hex(0xf03038), hex(0x7a0612), 62, 128)(p) + hex(0xffd0c0) * sheen;
    });
    v.fill([body](Vec2 p) { return std::abs(body(p) + 4) - 2; },
           vertical(hex(0xfff0a0), hex(0xb07818), 60, 128));
    v.fill(
        [](Vec2 p) {
            double d = 1e9;
            for (int s : {-1, 1}) {
                Vec2 c = {100 + s * 34.0, 96};
                d = std::min(d, std::abs(sdCircle(p, c, 11)) - 1.6 + (s * (p.x - c.x) > 4 ? 9 : 0));
                d = std::min(d, std::abs(sdCircle(p, c + Vec2{s * -4.0, 0}, 5)) - 1.4 +
                                    (s * (p.x - c.x) < -4 ? 9 : 0));
            }
            return std::min(d, sdStar(p, {100, 96}, 9, 4));
        },
        hex(0xffd858));
    // A lantern on a short iron post at the right corner, glowing warm.
    v.fill([](Vec2 p) { return sdCapsule(p, {184, 74}, {184, 58}, 1.8); }, hex(0x3a2a18));
    auto lantern = [](Vec2 p) { return sdBox(p, {184, 48}, 5, 7, 2); };
    v.glow(lantern, hex(0xffa030), 8, 0.9);
    v.fill(lantern, hex(0xfff0b0));
    v.fill(
        [](Vec2 p) {
            return std::min(sdBox(p, {184, 40}, 6, 1.5), sdBox(p, {184, 56}, 6, 1.5));
        },
        hex(0x6a4a20));
}

void writeTomtebak(const std::string& dir) {
    Canvas c(220, 176);
    View v{c, {10, 22}, 1.0, 0};
    paintSleighBack(v);
    writePngRgba(dir + "/tomtebak.png", c.w, c.h, c.rgba8());
    // Its eraser: opaque black exactly where the sleigh is visible.
    std::vector<uint8_t> black = c.rgba8();
    for (size_t i = 0; i < black.size(); i += 4)
        black[i] = black[i + 1] = black[i + 2] = 0;
    writePngRgba(dir + "/black.png", c.w, c.h, black);
}

// Trails of light streaming back from the runners and the lantern, and a
// frosty glow of speed round the sleigh.
void writeWarp(const std::string& path, double bank) {
    const int w = 360, h = 220;
    Canvas c(w, h);
    Vec2 centre = {180, 110};
    Rng rng(5150);
    for (int i = 0; i < 26; ++i) {
        double a = rng.range(0, 2 * M_PI);
        double r0 = rng.range(70, 100), r1 = r0 + rng.range(40, 90);
        Vec2 d = {std::cos(a), std::sin(a) * 0.7};
        Vec2 p0 = centre + d * r0, p1 = centre + d * r1;
        Rgb col = lerp(hex(0x80b0ff), hex(0xffffff), rng.uniform());
        c.fill(
            [=](Vec2 p) { return sdTaperedCapsule(p, p0, p1, 0.3, 1.2); },
            [=](Vec2 p) { return col * (0.35 + 0.65 * clamp01(length(p - p0) / length(p1 - p0))); },
            {std::min(p0.x, p1.x) - 3, std::min(p0.y, p1.y) - 3, std::max(p0.x, p1.x) + 3,
             std::max(p0.y, p1.y) + 3});
    }
    double s = 0.82;
    View v{c, centre + rotateAround(Vec2{-100, -75} * s, {0, 0}, bank), s, bank};
    auto hull = [](Vec2 p) { return sdEllipse(p, {100, 80}, 88, 62); };
    v.glow(hull, hex(0x3060ff), 10, 0.4);
    // Faint trails stream back from the runners' curled ends.
    for (int side : {-1, 1}) {
        Vec2 a = {100 + side * 66.0, 140}, b = {100 + side * 74.0, 196};
        v.fill([=](Vec2 p) { return sdTaperedCapsule(p, a, b, 1.6, 0.3); },
               [=](Vec2 p) {
                   double t = clamp01((p.y - a.y) / (b.y - a.y));
                   return lerp(hex(0xe0f0ff), hex(0x4080ff), t) * (1 - 0.6 * t);
               });
    }
    paintSleighBack(v);
    writePngRgb(path, w, h, c.rgb8());
}

} // namespace

void makeWarpSleigh(const std::string& dir) {
    writeTomtebak(dir);
    writeWarp(dir + "/tomtewarp0.png", 0);
    writeWarp(dir + "/tomtewarp.png", 0.22);
}
