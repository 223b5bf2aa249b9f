// The six letter tiles of the opening word: each letter on a small
// night-blue tile with frosty silver lettering, and a lit twin in burgundy
// and gold with a warm glow that runs along the word.
#include "assets.h"
#include "bevel.h"
#include "rng.h"

#include <cmath>

namespace {

constexpr int kTile = 60, kScale = 4;

Material frostLetter() {
    Material m;
    m.top = hex(0xe8f2ff);
    m.bottom = hex(0x7f9cc8);
    m.specular = hex(0xffffff);
    m.ambient = 0.55;
    m.bevel = 7;
    m.depth = 1.3;
    m.outline = hex(0x0a1430);
    m.outlineWidth = 6;
    return m;
}

Material goldLetter() {
    Material m;
    m.top = hex(0xfff3a0);
    m.bottom = hex(0xd88a10);
    m.specular = hex(0xffffff);
    m.shininess = 30;
    m.ambient = 0.6;
    m.bevel = 7;
    m.depth = 1.5;
    m.outline = hex(0x4a1800);
    m.outlineWidth = 6;
    m.sparkle = 0.25;
    return m;
}

// The letter as a mask the size of the hi-res tile, centred on the tile with
// a shared baseline so the word reads as one line.
TextMask letterMask(char letter) {
    const int size = kTile * kScale;
    TextMask g =
        renderText(fontPath("DejaVuSerif-Bold.ttf"), 46.0 * kScale, std::string(1, letter));
    int left = g.w, right = -1;
    for (int y = 0; y < g.h; ++y)
        for (int x = 0; x < g.w; ++x)
            if (g.at(x, y) > 0) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    TextMask m;
    m.w = m.h = size;
    m.baseline = 46 * kScale;
    m.cover.assign(size_t(size) * size, 0.0);
    int ox = (size - (right - left + 1)) / 2 - left, oy = m.baseline - g.baseline;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            m.cover[size_t(y) * size + x] = g.at(x - ox, y - oy);
    return m;
}

void paintTile(Canvas& c, bool lit, uint32_t seed) {
    const double s = kScale, half = kTile * s / 2;
    Vec2 centre = {half, half};
    auto tile = [=](Vec2 p) { return sdBox(p, centre, half - 1 * s, half - 1 * s, 7 * s); };
    Rgb topCol = lit ? hex(0x8a1430) : hex(0x0e1c44);
    Rgb bottomCol = lit ? hex(0x3c0414) : hex(0x050a1c);
    c.fill(
        tile,
        [&](Vec2 p) {
            double t = p.y / (kTile * s);
            double n = fbm(p.x / (10 * s), p.y / (10 * s), seed) - 0.5;
            return lerp(topCol, bottomCol, t) * (1 + 0.35 * n);
        },
        fullBox(c));
    // A thin metal rim, brighter on the upper left where the light comes from.
    Rgb rimA = lit ? hex(0xffe07a) : hex(0xaabbdd), rimB = lit ? hex(0x9a5a10) : hex(0x3a4a70);
    auto rim = [=](Vec2 p) { return std::abs(tile(p) + 2.2 * s) - 1.1 * s; };
    c.fill(
        rim, [&](Vec2 p) { return lerp(rimA, rimB, clamp01((p.x + p.y) / (kTile * s * 2))); },
        fullBox(c));
    // A scatter of tiny snow crystals in the tile's background.
    Rng rng(seed);
    for (int i = 0; i < 9; ++i) {
        Vec2 q = {rng.range(7, kTile - 7) * s, rng.range(7, kTile - 7) * s};
        double r = rng.range(0.5, 1.1) * s;
        Rgb dot = lit ? hex(0xffc080) : hex(0x5878b0);
        c.fill([=](Vec2 p) { return sdCircle(p, q, r); }, dot, around(q, r), 0.7);
    }
}

void writeTile(const std::string& path, char letter, bool lit, uint32_t seed) {
    const int size = kTile * kScale;
    Canvas hi(size, size);
    paintTile(hi, lit, seed);
    TextMask mask = letterMask(letter);
    if (lit) {
        // A warm halo behind the letter.
        std::vector<double> halo = blurMask(mask.cover, size, size, 5 * kScale);
        for (size_t i = 0; i < halo.size(); ++i)
            hi.colour[i] = hi.colour[i] + hex(0xffb040) * (halo[i] * 1.3);
    }
    hi.draw(bevel(mask, lit ? goldLetter() : frostLetter(), 1), 0, 0);
    Canvas out = downsample(hi, kScale);
    writePngRgb(path, out.w, out.h, out.rgb8(false));
}

} // namespace

void makeLetters(const std::string& dir) {
    const char* letters = "blosa";
    for (int i = 0; letters[i]; ++i) {
        std::string base = dir + "/" + letters[i];
        writeTile(base + "g.png", letters[i], false, 100u + uint32_t(i));
        writeTile(base + "f.png", letters[i], true, 100u + uint32_t(i));
    }
}
