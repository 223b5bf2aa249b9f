#include "text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <stdexcept>

std::string fontPath(const char* file) {
    return std::string("/usr/share/fonts/truetype/dejavu/") + file;
}

TextMask renderText(const std::string& font, double pixelSize, const std::string& latin1,
                    double tracking, int margin) {
    FT_Library lib;
    if (FT_Init_FreeType(&lib))
        throw std::runtime_error("FreeType failed to start");
    FT_Face face;
    if (FT_New_Face(lib, font.c_str(), 0, &face)) {
        FT_Done_FreeType(lib);
        throw std::runtime_error("cannot load font " + font);
    }
    FT_Set_Char_Size(face, 0, FT_F26Dot6(std::lround(pixelSize * 64)), 72, 72);
    double ascent = face->size->metrics.ascender / 64.0;
    double descent = -face->size->metrics.descender / 64.0;

    // Pass 1 measures, pass 2 draws.
    TextMask m;
    for (int pass = 0; pass < 2; ++pass) {
        double pen = margin;
        for (unsigned char ch : latin1) {
            // Latin-1 bytes are the first 256 Unicode code points.
            if (FT_Load_Char(face, ch, FT_LOAD_RENDER | FT_LOAD_NO_HINTING))
                continue;
            FT_GlyphSlot g = face->glyph;
            if (pass == 1) {
                int ox = int(std::lround(pen)) + g->bitmap_left;
                int oy = m.baseline - g->bitmap_top;
                for (unsigned y = 0; y < g->bitmap.rows; ++y)
                    for (unsigned x = 0; x < g->bitmap.width; ++x) {
                        int tx = ox + int(x), ty = oy + int(y);
                        if (tx < 0 || ty < 0 || tx >= m.w || ty >= m.h)
                            continue;
                        double v = g->bitmap.buffer[y * g->bitmap.pitch + x] / 255.0;
                        double& c = m.cover[size_t(ty) * m.w + tx];
                        c = c + v * (1 - c);
                    }
            }
            pen += g->advance.x / 64.0 + tracking;
        }
        if (pass == 0) {
            m.w = int(std::ceil(pen - tracking)) + margin + 2;
            m.h = int(std::ceil(ascent + descent)) + 2 * margin;
            m.baseline = margin + int(std::lround(ascent));
            m.cover.assign(size_t(m.w) * m.h, 0.0);
        }
    }
    FT_Done_Face(face);
    FT_Done_FreeType(lib);
    return m;
}
