// The 32 x 32 bitmap font: wide, heavy serifed letters that fill their
// cells, shaded pixel by pixel as red enamel lit from the upper right, with a
// dark rim on the shadow side, so they read on black and on the plasma alike.
// Black around the glyphs is the colour key.
#include "assets.h"
#include "enamel_type.h"
#include "pixel_art.h"

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
// stand alone between wide gaps ("sno l k"): i, j, l and ! are widened to at
// least kMinInk, their serifs and feet filling the cell.
constexpr double kMinInk = 16, kMinPunctuationInk = 11;

double minInkOf(unsigned char ch) {
    switch (ch) {
    case 'i':
    case 'j':
    case 'l':
        return kMinInk;
    case '!':
        return kMinPunctuationInk;
    default:
        return 0;
    }
}

// The full stop and the comma are small marks placed by hand, a 4 x 4 dot
// on the baseline and the same dot with a tail, so a word ends in a point
// rather than a block. '#' is ink; the enamel shades it as the letters.
constexpr const char* kFullStop = R"(
.##.
####
####
.##.
)";
constexpr const char* kComma = R"(
.##.
####
####
..##
..#.
.#..
)";

// A hand-placed mark as a cell's mask at one mask pixel per pixel, centred,
// its fourth row on the baseline's row above.
TextMask markCell(const char* grid) {
    Canvas mark = gridCanvas(grid, {{'#', {1, 1, 1}}});
    TextMask cell;
    cell.w = cell.h = kCell;
    cell.baseline = kBaseline;
    cell.cover.assign(size_t(kCell) * kCell, 0.0);
    const int ox = (kCell - mark.w) / 2, oy = kBaseline - 4;
    for (int y = 0; y < mark.h; ++y)
        for (int x = 0; x < mark.w; ++x)
            cell.cover[size_t(oy + y) * kCell + ox + x] = mark.coverAt(x, y);
    return cell;
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
    FT_BBox box;
    FT_Outline_Get_CBox(&face.load(ch, 1.0), &box);
    double inkWidth = std::max(double(box.xMax - box.xMin) / (64 * kScale), 1.0);
    double sx = std::min(kWiden, (kMaxInk - kEnamelBoldX) / inkWidth);
    sx = std::max(sx, (minInkOf(ch) - kEnamelBoldX) / inkWidth);
    FT_Outline& o = face.load(ch, sx);
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
    HeavyFace face(kEnamelEm * kScale);
    FT_BBox x;
    FT_Outline_Get_CBox(&face.load('x', 1.0), &x);
    for (const CellChar& c : cellTable()) {
        Canvas glyph = c.ch == '.'   ? pixelEnamel(markCell(kFullStop), 1, kRedEnamel)
                       : c.ch == ',' ? pixelEnamel(markCell(kComma), 1, kRedEnamel)
                                     : pixelEnamel(glyphCell(face, c.ch, x.yMax + toFt(0.5)),
                                                   kScale, kRedEnamel);
        sheet.draw(glyph, c.col * kCell, c.row * kCell);
    }
    writeBmp24(dir + "/020.bmp", w, h, sheet.rgb8());
}
