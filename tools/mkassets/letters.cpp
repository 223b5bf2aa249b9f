// The six letter tiles of the opening word: each letter on a small
// night-blue tile with frosty silver lettering, and a lit twin in burgundy
// and gold with a warm glow that runs along the word.
#include "assets.h"
#include "bevel.h"
#include "ramps.h"
#include "rng.h"

#include <algorithm>
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
    // A thin metal rim, brighter on the upper right where the light comes from.
    Rgb rimA = lit ? kGold.shine : hex(0xaabbdd), rimB = lit ? kGold.shade : hex(0x3a4a70);
    auto rim = [=](Vec2 p) { return std::abs(tile(p) + 2.2 * s) - 1.1 * s; };
    c.fill(
        rim,
        [&](Vec2 p) {
            return lerp(rimA, rimB, clamp01((kTile * s - p.x + p.y) / (kTile * s * 2)));
        },
        fullBox(c));
}

// The tile's open background: what the letter neither covers nor closes in.
// Closing the letter's shape (growing it, then shrinking it back) fills its
// holes and the narrow bays of s and a; what is left outside is open.
std::vector<bool> openBackground(const TextMask& mask) {
    const int radius = 2 * kScale;
    std::vector<double> grown = blurMask(mask.cover, mask.w, mask.h, radius);
    std::vector<double> outside(grown.size());
    for (size_t i = 0; i < grown.size(); ++i)
        outside[i] = grown[i] > 0.02 ? 0.0 : 1.0;
    std::vector<double> shrunk = blurMask(outside, mask.w, mask.h, radius);
    std::vector<bool> open(grown.size());
    for (size_t i = 0; i < grown.size(); ++i)
        open[i] = shrunk[i] > 0.02;
    return open;
}

// Sparkles as small crosses of three pixels by three, four to a tile, each
// wholly on the open background, clear of the letter and its halo, of the
// rim and of each other.
void sparkle(Canvas& tile, const TextMask& mask, const std::vector<bool>& open, bool lit,
             uint32_t seed) {
    auto clear = [&](int x, int y) {
        for (int dy = -3 * kScale; dy <= 4 * kScale; ++dy)
            for (int dx = -3 * kScale; dx <= 4 * kScale; ++dx) {
                int hx = x * kScale + dx, hy = y * kScale + dy;
                if (hx < 0 || hy < 0 || hx >= mask.w || hy >= mask.h ||
                    !open[size_t(hy) * mask.w + hx])
                    return false;
            }
        return true;
    };
    const Rgb core = lit ? kGold.shine : kTrimWhite.shine, arm = lit ? kGold.lit : kNightBlue.shine;
    Rng rng(seed);
    std::vector<Vec2> placed;
    for (int tries = 0; tries < 400 && placed.size() < 4; ++tries) {
        int x = 8 + rng.below(kTile - 16), y = 8 + rng.below(kTile - 16);
        bool apart = std::all_of(placed.begin(), placed.end(), [&](Vec2 q) {
            return length(q - Vec2{double(x), double(y)}) > 10;
        });
        if (!apart || !clear(x, y))
            continue;
        placed.push_back({double(x), double(y)});
        tile.at(x, y) = core;
        for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
            tile.at(x + dx, y + dy) = arm;
    }
}

void writeTile(const std::string& path, char letter, bool lit, uint32_t seed) {
    const int size = kTile * kScale;
    Canvas hi(size, size);
    paintTile(hi, lit, seed);
    TextMask mask = letterMask(letter);
    const std::vector<bool> open = openBackground(mask);
    if (lit) {
        // A warm halo behind the letter, on the open background only.
        std::vector<double> halo = blurMask(mask.cover, size, size, 5 * kScale);
        for (size_t i = 0; i < halo.size(); ++i)
            if (open[i])
                hi.colour[i] = hi.colour[i] + hex(0xffb040) * (halo[i] * 1.3);
    }
    hi.draw(bevel(mask, lit ? goldLetter() : frostLetter(), 1), 0, 0);
    Canvas out = downsample(hi, kScale);
    sparkle(out, mask, open, lit, seed);
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
