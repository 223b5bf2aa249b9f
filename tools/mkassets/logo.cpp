// The title logo: a glossy red bauble with a white snow crystal in the left
// 120 columns and the word "snolk" in candy-cane letters whose stripes run
// round each stroke; it splits after column 120 and a small hanging gold
// star (7.png) fills the gap.
#include "assets.h"
#include "bevel.h"
#include "ramps.h"

#include <cmath>
#include <memory>

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

// A glossy sphere lit from the upper right.
Rgb sphere(Vec2 p, Vec2 c, double r, Rgb base) {
    double nx = (p.x - c.x) / r, ny = (p.y - c.y) / r;
    double nz = std::sqrt(std::max(0.0, 1 - nx * nx - ny * ny));
    double diffuse = std::max(0.0, 0.5 * nx - 0.55 * ny + 0.67 * nz);
    double hx = 0.26, hy = -0.3, hz = 0.92;
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
    Vec2 hl = centre + Vec2{r * 0.38, -r * 0.42};
    c.fill([=](Vec2 p) { return sdEllipse(p, hl, r * 0.16, r * 0.1); }, hex(0xffffff), all, 0.8);
    Vec2 capC = {centre.x, centre.y - r - 3};
    c.fill([=](Vec2 p) { return sdBox(p, capC, 7, 4.5, 1.5); },
           [=](Vec2 p) { return lerp(kGold.shine, kGold.shade, clamp01((capC.x + 7 - p.x) / 14)); },
           all);
    c.fill(
        [=](Vec2 p) {
            return std::abs(sdCircle(p, capC + Vec2{0, -6}, 3)) - 0.9;
        },
        hex(0xe8c060), all);
}

// The middle lines of the strokes of "snolk", in the logo's pixels, each a
// polyline: the stripes of the candy cane run round each stroke, following
// it through its curves.
using Stroke = std::vector<Vec2>;

Stroke arc(Vec2 c, double rx, double ry, double fromDeg, double toDeg, int steps) {
    Stroke s;
    for (int i = 0; i <= steps; ++i) {
        double a = (fromDeg + (toDeg - fromDeg) * i / steps) * M_PI / 180;
        s.push_back({c.x + rx * std::cos(a), c.y + ry * std::sin(a)});
    }
    return s;
}

std::vector<Stroke> snolkStrokes() {
    Stroke nArch = arc({216, 50}, 20, 19, 200, 360, 16);
    nArch.insert(nArch.begin(), Vec2{196, 42});
    nArch.push_back({236, 83});
    return {
        {{167, 37},
         {158, 31},
         {146, 29},
         {135, 32},
         {129, 40},
         {132, 48},
         {142, 53},
         {155, 57},
         {165, 63},
         {167, 71},
         {161, 78},
         {149, 81},
         {137, 80},
         {127, 75}},
        {{196, 83}, {196, 28}},
        nArch,
        arc({287, 54}, 19, 21, -90, 270, 36),
        {{340, 83}, {340, 6}},
        {{376, 83}, {376, 6}},
        {{382, 58}, {424, 30}},
        {{390, 52}, {426, 83}},
    };
}

// Where p lies on its nearest stroke: how far along it, and how far across
// (to the stroke's left positive).
struct OnStroke {
    double along, across;
};

OnStroke nearestStroke(const std::vector<Stroke>& strokes, Vec2 p) {
    double best = 1e18;
    OnStroke on = {0, 0};
    for (size_t k = 0; k < strokes.size(); ++k) {
        double start = 37.0 * k; // strokes out of step with each other
        for (size_t i = 0; i + 1 < strokes[k].size(); ++i) {
            Vec2 a = strokes[k][i], b = strokes[k][i + 1], ab = b - a;
            double len = length(ab), h = std::clamp(dot(p - a, ab) / (len * len), 0.0, 1.0);
            Vec2 q = a + ab * h;
            double d = dot(p - q, p - q);
            if (d < best) {
                best = d;
                double side = ab.x * (p.y - a.y) - ab.y * (p.x - a.x);
                on = {start + h * len, std::sqrt(d) * (side < 0 ? 1 : -1)};
            }
            start += len;
        }
    }
    return on;
}

// Red and white stripes that slant across each stroke and follow it; at
// maskPerPixel mask pixels per logo pixel, the mask's origin at origin in
// the logo.
Material candyCane(Vec2 origin, double maskPerPixel) {
    Material m;
    m.ambient = 0.55;
    m.bevel = 9;
    m.depth = 1.6;
    m.shininess = 28;
    m.outline = hex(0x300008);
    m.outlineWidth = 7;
    auto strokes = std::make_shared<std::vector<Stroke>>(snolkStrokes());
    m.body = [=](Vec2 p) {
        OnStroke on = nearestStroke(*strokes, origin + p * (1 / maskPerPixel));
        double s = std::fmod((on.along + 0.9 * on.across) / 15.0 + 100, 1.0);
        double stripe = smoothstep(0.44, 0.5, s) * (1 - smoothstep(0.94, 1.0, s));
        return lerp(kTrimWhite.shine, kCoatRed.base, stripe);
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
    // Where the word lands decides the stripes' frame, so measure it first.
    Box ink = inkBounds(bevel(word, candyCane({0, 0}, scale), scale));
    const int ox = kSplit + 2 - int(ink.x0), oy = int((kH - (ink.y1 - ink.y0)) / 2 - ink.y0);
    Canvas text = bevel(word, candyCane({double(ox), double(oy)}, scale), scale);
    const int w = kSplit + 2 + int(ink.x1 - ink.x0) + 6;
    Canvas c(w, kH);
    paintBauble(c, {60, 52}, 34);
    c.draw(text, ox, oy);
    // Three glints where the light catches the candy, on the strokes' lit
    // upper right: small crosses, white at the heart.
    for (auto [x, y] : {std::pair{308, 33}, {348, 9}, {234, 31}})
        for (int t = -2; t <= 2; ++t) {
            Rgb ray = std::abs(t) == 2 ? kTrimWhite.lit : kTrimWhite.shine;
            c.at(x + t, y) = c.at(x, y + t) = ray;
            c.coverAt(x + t, y) = c.coverAt(x, y + t) = 1;
        }
    writePngRgb(dir + "/krx4.png", w, kH, c.rgb8(false));
    writeHangingStar(dir + "/7.png");
}
