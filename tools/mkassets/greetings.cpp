// The closing greetings that rise beside the candles: "god jul" and thanks
// to the free software the show is built with, on black, in the show's own
// heavy enamel letters: the title in gold at the font's own size, the names
// in the font's red and the notes in cream, both smaller, so names and
// descriptions stand apart.
#include "assets.h"
#include "enamel_type.h"

#include <cmath>
#include <stdexcept>

namespace {

constexpr int kW = 250, kScale = 4;

struct Line {
    enum Kind { Title, Name, Note, Gap, Ornament } kind;
    std::string text;
};

// Sizes as the font's cell size (the font sheet's is 32): the smaller, the
// less widened, so the notes keep their words on one line.
constexpr HeavyType kTitle = {32, 1.4, kEnamelBoldY}, kName = {20, 1.25, 0.7},
                    kNote = {14, 1.1, 0.3};

// Places a line centred horizontally at row y; returns its height.
int placeLine(Canvas& c, const std::string& text, HeavyType type, const EnamelColours& colours,
              int y) {
    TextMask mask = renderHeavyLine(text, type, kScale, 2 * kScale);
    Canvas t = pixelEnamel(mask, kScale, colours, type.cell);
    if (t.w > kW)
        throw std::runtime_error("greeting wider than the picture: " + text);
    c.draw(t, (kW - t.w) / 2, y);
    return t.h;
}

void paintOrnament(Canvas& c, int y) {
    Box all = fullBox(c);
    Vec2 m = {kW / 2.0, y + 10.0};
    for (int s : {-1, 1}) {
        Vec2 a = m + Vec2{s * 14.0, 0}, b = m + Vec2{s * 90.0, 0};
        c.fill([=](Vec2 p) { return sdTaperedCapsule(p, a, b, 1.3, 0.2); }, hex(0xc89030), all);
        for (int k = 0; k < 2; ++k) {
            Vec2 leafC = m + Vec2{s * (22.0 + 9 * k), k ? 3.0 : -3.0};
            c.fill([=](Vec2 p) { return sdEllipse(p, leafC, 6, 2.6); }, hex(0x1f7a35), all);
        }
    }
    for (int k = -1; k <= 1; ++k) {
        Vec2 berry = m + Vec2{k * 4.5, k == 0 ? -2.5 : 1.5};
        c.fill([=](Vec2 p) { return sdCircle(p, berry, 3); },
               [=](Vec2 p) {
                   return lerp(hex(0xff5050), hex(0x900010),
                               clamp01(length(p - berry + Vec2{1, 1}) / 3.5));
               },
               all);
    }
}

} // namespace

void makeGreetings(const std::string& dir) {
    const std::vector<Line> lines = {
        {Line::Title, "god jul"},
        {Line::Note, "och gott nytt \xe5r"},
        {Line::Gap, ""},
        {Line::Ornament, ""},
        {Line::Note, "the snolk demo"},
        {Line::Note, "is built with free software."},
        {Line::Note, "thanks and greetings to"},
        {Line::Gap, ""},
        {Line::Name, "SDL"},
        {Line::Note, "window, blits and palettes"},
        {Line::Name, "SDL_image"},
        {Line::Note, "every picture you saw"},
        {Line::Name, "libpng"},
        {Line::Note, "pictures, pixel by pixel"},
        {Line::Name, "zlib"},
        {Line::Note, "squeezing them small"},
        {Line::Name, "giflib"},
        {Line::Note, "the candlestick"},
        {Line::Name, "libimagequant"},
        {Line::Note, "its colours"},
        {Line::Name, "libmpg123"},
        {Line::Note, "the music player"},
        {Line::Name, "FluidSynth"},
        {Line::Note, "the band"},
        {Line::Name, "LAME"},
        {Line::Note, "the mp3"},
        {Line::Name, "FreeType"},
        {Line::Note, "every letter"},
        {Line::Name, "DejaVu fonts"},
        {Line::Note, "their shapes"},
        {Line::Name, "GoogleTest"},
        {Line::Note, "keeping us honest"},
        {Line::Name, "Google Benchmark"},
        {Line::Note, "keeping us fast"},
        {Line::Name, "FFmpeg"},
        {Line::Note, "the video"},
        {Line::Name, "GCC and CMake"},
        {Line::Note, "building it all"},
        {Line::Name, "Debian"},
        {Line::Note, "our home"},
        {Line::Gap, ""},
        {Line::Ornament, ""},
        {Line::Note, "tack f\xf6r att ni tittade!"},
        {Line::Gap, ""},
        {Line::Title, "god jul"},
    };
    // Lay out twice: first measure the height, then draw.
    int height = 0;
    for (int pass = 0; pass < 2; ++pass) {
        Canvas c(kW, std::max(height, 1));
        int y = 10;
        for (const Line& l : lines) {
            switch (l.kind) {
            case Line::Title:
                y += placeLine(c, l.text, kTitle, kGoldEnamel, y) + 4;
                break;
            case Line::Name:
                y += 8;
                y += placeLine(c, l.text, kName, kRedEnamel, y);
                break;
            case Line::Note:
                y += placeLine(c, l.text, kNote, kCreamEnamel, y) + 2;
                break;
            case Line::Gap:
                y += 18;
                break;
            case Line::Ornament:
                paintOrnament(c, y);
                y += 30;
                break;
            }
        }
        height = y + 10;
        if (pass == 1)
            writePngRgb(dir + "/greets.png", c.w, c.h, c.rgb8(false));
    }
}
