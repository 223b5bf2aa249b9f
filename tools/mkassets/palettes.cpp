// The two 256-colour palettes (mulled wine for the plasma, fire for the
// candle flames) and the hot seed blob the flames grow from.
#include "assets.h"
#include "sdf.h"

#include <cmath>
#include <iterator>
#include <set>
#include <span>
#include <vector>

namespace {

// The plasma runs through the palette three times, so it is a closed loop:
// the Catmull-Rom spline through the keys wraps from the last key to the first.
// Mulled wine and gold, then a frosty night: indigo, blue and a wide band of
// frost, about 50 entries from its first pale blue to its last, so the
// frost lies in broad, calm rings rather than thin ones that shimmer. Against
// it the red letters of the scroller stand out.
struct WineKey {
    int index;
    double r, g, b;
};
const WineKey kWineKeys[] = {
    {0, 20, 4, 34},       {18, 64, 8, 60},      {37, 120, 12, 56},   {55, 180, 28, 54},
    {73, 226, 70, 60},    {90, 250, 172, 96},   {108, 200, 84, 62},  {124, 130, 24, 62},
    {140, 54, 16, 76},    {155, 24, 44, 110},   {170, 60, 120, 170}, {186, 150, 205, 230},
    {203, 200, 236, 244}, {220, 150, 200, 228}, {236, 60, 90, 150},  {248, 30, 20, 70},
};
constexpr int kWineKeyCount = sizeof kWineKeys / sizeof kWineKeys[0];

double catmullRom(double p0, double p1, double p2, double p3, double t) {
    return 0.5 * (2 * p1 + (p2 - p0) * t + (2 * p0 - 5 * p1 + 4 * p2 - p3) * t * t +
                  (3 * p1 - p0 - 3 * p2 + p3) * t * t * t);
}

// The flames' heat fades by about one step per row as it rises; the heat that
// reaches the top rows of a flame's 128-row box (29 at most, with the seed
// below) and a margin above it show as true black, so the box has no edge.
constexpr int kHottestBlack = 40;

uint8_t channel(double v) {
    return uint8_t(std::lround(std::clamp(v, 0.0, 255.0)));
}

// Nudges repeated colours until the entries from first on all differ (a flat
// stretch of a gradient would otherwise give two identical neighbours).
void makeDistinct(Palette& p, int first = 0) {
    std::set<uint32_t> seen;
    for (auto& c : std::span(p).subspan(size_t(first))) {
        for (int tries = 0; tries < 64; ++tries) {
            uint32_t key = uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b;
            if (seen.insert(key).second)
                break;
            c.b = c.b < 255 ? uint8_t(c.b + 1) : uint8_t(c.b - 2);
        }
    }
}

Palette winePalette() {
    Palette p;
    for (int i = 0, k = 0; i < 256; ++i) {
        while (k + 1 < kWineKeyCount && kWineKeys[k + 1].index <= i)
            ++k;
        int next = k + 1 < kWineKeyCount ? kWineKeys[k + 1].index : 256;
        double t = double(i - kWineKeys[k].index) / (next - kWineKeys[k].index);
        auto key = [](int j) { return kWineKeys[(j + kWineKeyCount) % kWineKeyCount]; };
        auto channel3 = [&](double WineKey::*c) {
            return channel(catmullRom(key(k - 1).*c, key(k).*c, key(k + 1).*c, key(k + 2).*c, t));
        };
        p[i] = {channel3(&WineKey::r), channel3(&WineKey::g), channel3(&WineKey::b)};
    }
    makeDistinct(p);
    return p;
}

// Row 1 holds the palette; row 0 a darker copy, so the two rows differ.
void writePaletteBmp(const std::string& path, const Palette& p) {
    std::vector<uint8_t> rgb(256 * 2 * 3);
    for (int i = 0; i < 256; ++i) {
        uint8_t* dark = &rgb[size_t(i) * 3];
        uint8_t* row1 = &rgb[(256 + size_t(i)) * 3];
        dark[0] = uint8_t(p[i].r / 2), dark[1] = uint8_t(p[i].g / 2), dark[2] = uint8_t(p[i].b / 2);
        row1[0] = p[i].r, row1[1] = p[i].g, row1[2] = p[i].b;
    }
    writeBmp24(path, 256, 2, rgb);
}

// A small egg of heat, hottest low in the middle like the blue root of a
// candle flame; index 0 around it is the pattern's transparent colour.
void writeFirePattern(const std::string& path) {
    const int w = 12, h = 10;
    std::vector<uint8_t> px(size_t(w) * h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double dx = (x + 0.5 - w / 2.0) / 5.2, dy = (y + 0.5 - h / 2.0) / 4.2;
            double r2 = dx * dx + dy * dy;
            if (r2 < 1)
                px[size_t(y) * w + x] = uint8_t(std::lround(255 - 95 * r2));
        }
    writeBmp8(path, w, h, px, firePalette());
}

} // namespace

Palette firePalette() {
    // Low heat stays nearly black so the flame is a compact tongue of light
    // rather than a red column: the heat lingers long as it rises.
    struct Key {
        int index;
        double r, g, b;
    };
    const Key keys[] = {{0, 0, 0, 0},         {kHottestBlack, 0, 0, 0}, {64, 32, 0, 0},
                        {104, 200, 30, 0},    {140, 255, 120, 10},      {190, 255, 210, 60},
                        {230, 255, 245, 160}, {255, 255, 255, 230}};
    Palette p;
    for (int k = 0; k + 1 < int(std::size(keys)); ++k)
        for (int i = keys[k].index; i <= keys[k + 1].index; ++i) {
            double t = double(i - keys[k].index) / (keys[k + 1].index - keys[k].index);
            p[i] = {channel(mix(keys[k].r, keys[k + 1].r, t)),
                    channel(mix(keys[k].g, keys[k + 1].g, t)),
                    channel(mix(keys[k].b, keys[k + 1].b, t))};
        }
    makeDistinct(p, kHottestBlack + 1);
    return p;
}

void makePalettes(const std::string& dir) {
    writePaletteBmp(dir + "/weinPalette.bmp", winePalette());
    writePaletteBmp(dir + "/firePalette.bmp", firePalette());
    writeFirePattern(dir + "/firePattern.bmp");
}
