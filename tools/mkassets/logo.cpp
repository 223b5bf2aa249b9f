// The title logo: a glossy red bauble with a white snow crystal in the left
// 120 columns and the word "snolk" in candy-cane letters; it splits after
// column 120 and a small hanging gold star (7.png) fills the gap.
#include "assets.h"
#include "bevel.h"
#include "rng.h"

#include <cmath>

namespace {

constexpr int kH = 90, kSplit = 120;

void paintSnowCrystal(Canvas& c, Vec2 centre, double r, Rgb colour, double width) {
    for (int i = 0; i < 6; ++i) {
        double a = i * M_PI / 3;
        Vec2 d = {std::cos(a), std::sin(a)};
        Vec2 tip = centre + d * r;
        c.fill([=](Vec2 p) { return sdCapsule(p, centre, tip, width); }, colour,
               around(centre, r + 2));
        for (double t : {0.5, 0.75}) {
            Vec2 base = centre + d * (r * t);
            for (int s : {-1, 1}) {
                double b = a + s * 0.8;
                Vec2 twig = base + Vec2{std::cos(b), std::sin(b)} * (r * 0.28 * (1.3 - t));
                c.fill([=](Vec2 p) { return sdCapsule(p, base, twig, width * 0.8); }, colour,
                       around(centre, r + 2));
            }
        }
    }
}

// A glossy sphere lit from the upper left.
Rgb sphere(Vec2 p, Vec2 c, double r, Rgb base) {
    double nx = (p.x - c.x) / r, ny = (p.y - c.y) / r;
    double nz = std::sqrt(std::max(0.0, 1 - nx * nx - ny * ny));
    double diffuse = std::max(0.0, -0.5 * nx - 0.55 * ny + 0.67 * nz);
    double hx = -0.26, hy = -0.3, hz = 0.92;
    double shine = std::pow(std::max(0.0, nx * hx + ny * hy + nz * hz), 40);
    double rim = std::pow(1 - nz, 3) * 0.4;
    return base * (0.18 + 0.95 * diffuse) + Rgb{1, 1, 1} * shine + hex(0xffc080) * rim;
}

void paintBauble(Canvas& c, Vec2 centre, double r) {
    Box all = fullBox(c);
    c.fill([=](Vec2 p) { return sdCircle(p, centre, r); },
           [=](Vec2 p) { return sphere(p, centre, r, hex(0xd01020)); }, all);
    paintSnowCrystal(c, centre + Vec2{2, 3}, r * 0.55, hex(0xfff4f0), 1.3);
    // The spot of light again over the crystal.
    Vec2 hl = centre + Vec2{-r * 0.38, -r * 0.42};
    c.fill([=](Vec2 p) { return sdEllipse(p, hl, r * 0.16, r * 0.1); }, hex(0xffffff), all, 0.8);
    Vec2 capC = {centre.x, centre.y - r - 3};
    c.fill([=](Vec2 p) { return sdBox(p, capC, 7, 4.5, 1.5); },
           [=](Vec2 p) {
               return lerp(hex(0xfff0a0), hex(0x8a5a10), clamp01((p.x - capC.x + 7) / 14));
           },
           all);
    c.fill(
        [=](Vec2 p) {
            return std::abs(sdCircle(p, capC + Vec2{0, -6}, 3)) - 0.9;
        },
        hex(0xe8c060), all);
}

Material candyCane() {
    Material m;
    m.ambient = 0.55;
    m.bevel = 9;
    m.depth = 1.6;
    m.shininess = 28;
    m.outline = hex(0x300008);
    m.outlineWidth = 7;
    m.body = [](Vec2 p) {
        double s = std::fmod((p.x + p.y * 0.9) / 60.0, 1.0);
        double stripe = smoothstep(0.42, 0.5, s) * (1 - smoothstep(0.92, 1.0, s));
        return lerp(hex(0xfff8f4), hex(0xe01428), stripe);
    };
    return m;
}

void writeHangingStar(const std::string& path) {
    Canvas c(40, kH);
    Box all = fullBox(c);
    Vec2 centre = {20, 54};
    auto star = [=](Vec2 p) { return sdStar(p, centre, 15.5, 6.8) + 0.8; };
    // The glow fades out before the sides and the bottom of the picture, or
    // its box would show as straight edges between the logo's pieces.
    Canvas glow(c.w, c.h);
    glow.glow(star, hex(0xffb030), 4, all, 0.6);
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) {
            double edge = std::min({x + 0.5, c.w - x - 0.5, c.h - y - 0.5});
            c.at(x, y) = glow.at(x, y) * smoothstep(0.5, 3.5, edge);
        }
    c.fill([](Vec2 p) { return sdBox(p, {20, 18}, 0.5, 18); }, hex(0xc8a050), all);
    c.fill(
        star,
        [=](Vec2 p) {
            // Facets: each arm darker on the side turned away from the light.
            double a = std::atan2(p.y - centre.y, p.x - centre.x) + M_PI / 2;
            double facet = 0.5 + 0.5 * std::cos(std::fmod(a + 20 * M_PI, 2 * M_PI / 5) * 5);
            double light = 0.65 + 0.35 * facet - 0.01 * (p.y - centre.y);
            return lerp(hex(0xffe890), hex(0xd08a10), 0.5 - 0.5 * facet) * light;
        },
        all);
    c.fill([=](Vec2 p) { return sdCircle(p, centre, 2.2); }, hex(0xffffff), all);
    writePngRgb(path, c.w, c.h, c.rgb8(false));
}

} // namespace

void makeLogo(const std::string& dir) {
    const int scale = 4;
    TextMask word =
        renderText(fontPath("DejaVuSans-Bold.ttf"), 98 * scale, "snolk", 3 * scale, 4 * scale);
    Canvas text = bevel(word, candyCane(), scale);
    const int w = kSplit + 2 + int(inkBounds(text).x1 - inkBounds(text).x0) + 6;
    Canvas c(w, kH);
    paintBauble(c, {60, 52}, 34);
    Box ink = inkBounds(text);
    c.draw(text, kSplit + 2 - int(ink.x0), int((kH - (ink.y1 - ink.y0)) / 2 - ink.y0));
    // Frost sparkles scattered over the whole logo.
    Rng rng(77);
    for (int i = 0; i < 14; ++i) {
        Vec2 q = {rng.range(kSplit + 4, w - 4), rng.range(6, kH - 6)};
        double r = rng.range(1.5, 3.5);
        c.fill([=](Vec2 p) { return sdStar(p, q, r, r * 0.25, 4); }, hex(0xffffff), around(q, r),
               0.9);
    }
    writePngRgb(dir + "/krx4.png", w, kH, c.rgb8(false));
    writeHangingStar(dir + "/7.png");
}
