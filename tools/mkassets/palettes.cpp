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
// Mulled wine and gold, then a frosty night: indigo, blue and frost, against
// which the red letters of the scroller stand out.
const double kWineKeys[][3] = {
    {20, 4, 34},    {64, 8, 60},     {120, 12, 56}, {180, 28, 54}, {226, 70, 60},
    {250, 172, 96}, {200, 84, 62},   {130, 24, 62}, {54, 16, 76},  {24, 44, 110},
    {70, 140, 180}, {190, 230, 240}, {60, 90, 150}, {30, 20, 70},
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
    for (int i = 0; i < 256; ++i) {
        double u = i * double(kWineKeyCount) / 256.0;
        int k = int(u);
        double t = u - k;
        auto key = [](int j, int ch) { return kWineKeys[(j + kWineKeyCount) % kWineKeyCount][ch]; };
        uint8_t ch[3];
        for (int c = 0; c < 3; ++c)
            ch[c] = channel(catmullRom(key(k - 1, c), key(k, c), key(k + 1, c), key(k + 2, c), t));
        p[i] = {ch[0], ch[1], ch[2]};
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
