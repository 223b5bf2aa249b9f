// The 32 x 32 bitmap font: embossed red letters with a dark rim so they read
// on black and on the plasma alike. Black around the glyphs is the colour key.
#include "assets.h"
#include "bevel.h"

#include <algorithm>

namespace {

constexpr int kCell = 32, kScale = 4, kBaseline = 24;

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

// One glyph centred in a cell-sized mask at kScale times the cell size.
TextMask glyphCell(unsigned char ch) {
    const int size = kCell * kScale;
    TextMask g =
        renderText(fontPath("DejaVuSans-Bold.ttf"), 24.0 * kScale, std::string(1, char(ch)));
    int left = g.w, right = -1;
    for (int y = 0; y < g.h; ++y)
        for (int x = 0; x < g.w; ++x)
            if (g.at(x, y) > 0) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    TextMask cell;
    cell.w = cell.h = size;
    cell.baseline = kBaseline * kScale;
    cell.cover.assign(size_t(size) * size, 0.0);
    if (right < left)
        return cell;
    int ox = (size - (right - left + 1)) / 2 - left;
    int oy = cell.baseline - g.baseline;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            cell.cover[size_t(y) * size + x] = g.at(x - ox, y - oy);
    return cell;
}

} // namespace

void makeFontSheet(const std::string& dir) {
    const int w = 320, h = 192;
    Canvas sheet(w, h);
    Material red;
    red.top = hex(0xff5a34);
    red.bottom = hex(0x9a0010);
    red.specular = hex(0xffd8a8);
    red.shininess = 20;
    red.ambient = 0.5;
    red.bevel = 5;
    red.depth = 1.6;
    red.outline = hex(0x3a0004);
    red.outlineWidth = 4;
    for (const CellChar& c : cellTable()) {
        Canvas glyph = bevel(glyphCell(c.ch), red, kScale);
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
