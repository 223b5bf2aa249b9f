// The 32 x 32 bitmap font: wide, heavy letters that fill their cells, lit
// from above as red enamel with a dark rim, so they read on black and on the
// plasma alike. Black around the glyphs is the colour key.
#include "assets.h"
#include "enamel_type.h"

#include FT_OUTLINE_H

#include <algorithm>
#include <climits>
#include <cmath>
#include <stdexcept>

namespace {

constexpr int kCell = 32, kScale = 4, kBaseline = kEnamelBaseline;

// Letter shapes, in cell pixels. The heavy face is widened up to kWiden
// times, but never wider than kMaxInk, before its strokes grow. Ink starts no
// higher than kTopRow, which leaves the top row of the cell to the dark rim,
// and accents keep kAccentGap clear above their letter. With a descender of
// 0.22 em below kBaseline the bottom row stays free as well.
constexpr double kWiden = 1.6, kMaxInk = 27;
constexpr double kTopRow = 2, kAccentGap = 1.5;

// The text blitter steps a whole cell per glyph, so a narrow glyph would
// stand alone between wide gaps ("sno l k"). i, j and l come from the
// monospaced face, whose serifs and feet fill the cell, and every glyph is
// widened to at least kMinInk; the dots of . and , also grow by kDotGrowth
// both ways, so they stay round.
constexpr double kMinInk = 16, kMinPunctuationInk = 11, kDotGrowth = 1.45;

struct GlyphStyle {
    bool serifed;  // drawn from the monospaced face
    double minInk; // in cell pixels
    double growth; // uniform scale before widening
};

GlyphStyle styleOf(unsigned char ch) {
    switch (ch) {
    case 'i':
    case 'j':
    case 'l':
        return {true, kMinInk, 1.0};
    case '!':
        return {false, kMinPunctuationInk, 1.0};
    case '.':
    case ',':
        return {false, kMinPunctuationInk, kDotGrowth};
    default:
        return {false, 0, 1.0};
    }
}

struct CellChar {
    unsigned char ch;
    int col, row;
};

std::vector<CellChar> cellTable() {
    std::vector<CellChar> t = {{'!', 1, 0}, {246, 8, 2}, {228, 9, 2}, {229, 0, 3}, {'?', 1, 3}};
    const char* row1 = ",-./0123";
    for (int i = 0; i < 8; ++i)
        t.push_back({(unsigned char)row1[i], 2 + i, 1});
    const char* row2 = "456789:;";
    for (int i = 0; i < 8; ++i)
        t.push_back({(unsigned char)row2[i], i, 2});
    for (int i = 0; i < 7; ++i)
        t.push_back({(unsigned char)('a' + i), 3 + i, 3});
    for (int i = 0; i < 10; ++i)
        t.push_back({(unsigned char)('h' + i), i, 4});
    for (int i = 0; i < 9; ++i)
        t.push_back({(unsigned char)('r' + i), i, 5});
    return t;
}

FT_Pos toFt(double cellPixels) {
    return FT_Pos(std::lround(cellPixels * kScale * 64));
}

// Fits a thickened outline under the top of the cell. Accents (contours
// wholly above the x-height) move down towards their letter first; a glyph
// still too tall is squeezed from the baseline up. Then every accent keeps a
// clear gap to its letter, or the dark rim would fuse the two.
void fitHeight(FT_Outline& o, FT_Pos xHeight) {
    const FT_Pos top = toFt(kBaseline - kTopRow), gap = toFt(kAccentGap);
    std::vector<bool> accent = accentContours(o, xHeight);
    FT_Pos bodyTop = LONG_MIN, accentTop = LONG_MIN, accentBottom = LONG_MAX;
    auto measure = [&] {
        bodyTop = accentTop = LONG_MIN;
        accentBottom = LONG_MAX;
        for (int c = 0; c < o.n_contours; ++c) {
            Span s = contourSpan(o, c, true);
            if (accent[size_t(c)]) {
                accentBottom = std::min(accentBottom, s.lo);
                accentTop = std::max(accentTop, s.hi);
            } else {
                bodyTop = std::max(bodyTop, s.hi);
            }
        }
    };
    measure();
    if (accentTop > top) {
        FT_Pos room = std::max(FT_Pos(0), accentBottom - bodyTop - gap);
        moveAccents(o, accent, 0, 1.0, std::min(accentTop - top, room));
        measure();
    }
    FT_Pos glyphTop = std::max(bodyTop, accentTop);
    if (glyphTop > top) {
        FT_Matrix m = {0x10000, 0, 0, FT_Fixed(double(top) / glyphTop * 65536)};
        FT_Outline_Transform(&o, &m);
        measure();
    }
    if (accentTop != LONG_MIN && accentBottom - bodyTop < gap)
        moveAccents(o, accent, accentTop,
                    double(accentTop - bodyTop - gap) / double(accentTop - accentBottom), 0);
}

// One glyph centred in a cell-sized mask at kScale times the cell size.
TextMask glyphCell(HeavyFace& face, unsigned char ch, FT_Pos xHeight) {
    const int size = kCell * kScale;
    const GlyphStyle style = styleOf(ch);
    FT_BBox box;
    FT_Outline_Get_CBox(&face.load(ch, style.growth, style.growth), &box);
    double inkWidth = std::max(double(box.xMax - box.xMin) / (64 * kScale), 1.0);
    double sx = std::min(kWiden, (kMaxInk - kEnamelBoldX) / inkWidth);
    sx = std::max(sx, (style.minInk - kEnamelBoldX) / inkWidth);
    FT_Outline& o = face.load(ch, sx * style.growth, style.growth);
    FT_Outline_EmboldenXY(&o, toFt(kEnamelBoldX), toFt(kEnamelBoldY));
    fitHeight(o, xHeight);
    if (FT_Render_Glyph(face.slot(), FT_RENDER_MODE_NORMAL))
        throw std::runtime_error("glyph failed to render");
    const FT_Bitmap& bm = face.slot()->bitmap;

    TextMask cell;
    cell.w = cell.h = size;
    cell.baseline = kBaseline * kScale;
    cell.cover.assign(size_t(size) * size, 0.0);
    int ox = (size - int(bm.width)) / 2;
    int oy = cell.baseline - face.slot()->bitmap_top;
    for (unsigned y = 0; y < bm.rows; ++y)
        for (unsigned x = 0; x < bm.width; ++x) {
            int tx = ox + int(x), ty = oy + int(y);
            if (tx >= 0 && ty >= 0 && tx < size && ty < size)
                cell.cover[size_t(ty) * size + tx] = bm.buffer[y * bm.pitch + x] / 255.0;
        }
    return cell;
}

} // namespace

void makeFontSheet(const std::string& dir) {
    const int w = 320, h = 192;
    Canvas sheet(w, h);
    const Material red = enamel(kRedEnamel, kBaseline * kScale, kScale);
    HeavyFace face(kEnamelEm * kScale), serifed(kEnamelEm * kScale, "DejaVuSansMono-Bold.ttf");
    FT_BBox x;
    FT_Outline_Get_CBox(&face.load('x', 1.0), &x);
    for (const CellChar& c : cellTable()) {
        HeavyFace& from = styleOf(c.ch).serifed ? serifed : face;
        Canvas glyph = bevel(glyphCell(from, c.ch, x.yMax + toFt(0.5)), red, kScale);
        sheet.draw(glyph, c.col * kCell, c.row * kCell);
    }
    // Hard edges: a pixel mostly covered shows the glyph's own colour, its
    // dark red rim at the outside, and the rest goes to the colour key.
    // Shaded towards black, the soft edge would show as a murky fringe
    // wherever the text passes over something bright, such as the moon.
    for (size_t i = 0; i < sheet.cover.size(); ++i) {
        if (sheet.cover[i] < 0.5) {
            sheet.colour[i] = {0, 0, 0};
            sheet.cover[i] = 0;
        } else {
            sheet.colour[i] = sheet.colour[i] * (1 / sheet.cover[i]);
            sheet.cover[i] = 1;
        }
    }
    writeBmp24(dir + "/020.bmp", w, h, sheet.rgb8());
}
