// The 32 x 32 bitmap font: wide, heavy letters that fill their cells, lit
// from above as red enamel with a dark rim, so they read on black and on the
// plasma alike. Black around the glyphs is the colour key.
#include "assets.h"
#include "bevel.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <climits>
#include <cmath>
#include <stdexcept>

namespace {

constexpr int kCell = 32, kScale = 4, kBaseline = 24;

// Letter shapes, in cell pixels. The face is drawn at kEm and widened up to
// kWiden times, but never wider than kMaxInk; then every stroke grows by
// kBoldX to the right and kBoldY upwards. Ink starts no higher than kTopRow,
// which leaves the top row of the cell to the dark rim, and accents keep
// kAccentGap clear above their letter. With a descender of 0.22 em below
// kBaseline the bottom row stays free as well.
constexpr double kEm = 27.5, kWiden = 1.6, kMaxInk = 27, kBoldX = 0.5, kBoldY = 1.0;
constexpr double kTopRow = 2, kAccentGap = 1.5;

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

class Face {
  public:
    Face() {
        if (FT_Init_FreeType(&lib_))
            throw std::runtime_error("FreeType failed to start");
        if (FT_New_Face(lib_, fontPath("DejaVuSans-Bold.ttf").c_str(), 0, &face_)) {
            FT_Done_FreeType(lib_);
            throw std::runtime_error("cannot load the font face");
        }
        FT_Set_Char_Size(face_, 0, FT_F26Dot6(std::lround(kEm * kScale * 64)), 72, 72);
    }
    ~Face() {
        FT_Done_Face(face_);
        FT_Done_FreeType(lib_);
    }
    Face(const Face&) = delete;
    Face& operator=(const Face&) = delete;

    // The glyph's outline in 26.6 mask pixels, widened by sx.
    FT_Outline& load(unsigned char ch, double sx) {
        FT_Matrix m = {FT_Fixed(std::lround(sx * 65536)), 0, 0, 0x10000};
        FT_Set_Transform(face_, &m, nullptr);
        // Latin-1 bytes are the first 256 Unicode code points.
        if (FT_Load_Char(face_, ch, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP))
            throw std::runtime_error("glyph missing from the font face");
        return face_->glyph->outline;
    }
    FT_GlyphSlot slot() { return face_->glyph; }

  private:
    FT_Library lib_ = nullptr;
    FT_Face face_ = nullptr;
};

FT_Pos toFt(double cellPixels) {
    return FT_Pos(std::lround(cellPixels * kScale * 64));
}

struct Span {
    FT_Pos lo, hi;
};

Span contourSpan(const FT_Outline& o, int contour, bool vertical) {
    int first = contour == 0 ? 0 : o.contours[contour - 1] + 1;
    Span s = {LONG_MAX, LONG_MIN};
    for (int p = first; p <= o.contours[contour]; ++p) {
        FT_Pos v = vertical ? o.points[p].y : o.points[p].x;
        s.lo = std::min(s.lo, v);
        s.hi = std::max(s.hi, v);
    }
    return s;
}

// Moves the accents' points vertically: y' = pivot + (y - pivot) * scale - shift.
void moveAccents(FT_Outline& o, const std::vector<bool>& accent, FT_Pos pivot, double scale,
                 FT_Pos shift) {
    int first = 0;
    for (int c = 0; c < o.n_contours; ++c) {
        if (accent[size_t(c)])
            for (int p = first; p <= o.contours[c]; ++p) {
                FT_Pos& y = o.points[p].y;
                y = pivot + FT_Pos(std::lround(double(y - pivot) * scale)) - shift;
            }
        first = o.contours[c] + 1;
    }
}

// Fits a thickened outline under the top of the cell. Accents (contours
// wholly above the x-height) move down towards their letter first; a glyph
// still too tall is squeezed from the baseline up. Then every accent keeps a
// clear gap to its letter, or the dark rim would fuse the two.
void fitHeight(FT_Outline& o, FT_Pos xHeight) {
    const FT_Pos top = toFt(kBaseline - kTopRow), gap = toFt(kAccentGap);
    std::vector<bool> accent(size_t(o.n_contours));
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
    for (int c = 0; c < o.n_contours; ++c)
        accent[size_t(c)] = contourSpan(o, c, true).lo > xHeight;
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
TextMask glyphCell(Face& face, unsigned char ch, FT_Pos xHeight) {
    const int size = kCell * kScale;
    FT_BBox box;
    FT_Outline_Get_CBox(&face.load(ch, 1.0), &box);
    double inkWidth = double(box.xMax - box.xMin) / (64 * kScale);
    double sx = std::min(kWiden, (kMaxInk - kBoldX) / std::max(inkWidth, 1.0));
    FT_Outline& o = face.load(ch, sx);
    FT_Outline_EmboldenXY(&o, toFt(kBoldX), toFt(kBoldY));
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
    // Enamel red, bright where the light falls on the tops of the letters and
    // deep towards the baseline; the grade runs by cell row, so every glyph
    // shares it.
    Material red;
    red.body = [](Vec2 p) {
        double row = p.y / kScale;
        if (row < 12)
            return lerp(hex(0xffb08a), hex(0xf03a2a), smoothstep(4, 12, row));
        return lerp(hex(0xf03a2a), hex(0x800814), smoothstep(12, 27, row));
    };
    red.specular = hex(0xfff0d8);
    red.shininess = 28;
    red.ambient = 0.55;
    red.bevel = 6;
    red.depth = 1.6;
    red.outline = hex(0x300004);
    red.outlineWidth = 4;
    Face face;
    FT_BBox x;
    FT_Outline_Get_CBox(&face.load('x', 1.0), &x);
    for (const CellChar& c : cellTable()) {
        Canvas glyph = bevel(glyphCell(face, c.ch, x.yMax + toFt(0.5)), red, kScale);
        sheet.draw(glyph, c.col * kCell, c.row * kCell);
    }
    // The faintest rim pixels go to the colour key: they would only show as
    // a murky fringe, and they would let tall glyphs touch their cell's edge.
    for (size_t i = 0; i < sheet.cover.size(); ++i)
        if (sheet.cover[i] < 0.2) {
            sheet.colour[i] = {0, 0, 0};
            sheet.cover[i] = 0;
        }
    writeBmp24(dir + "/020.bmp", w, h, sheet.rgb8());
}
