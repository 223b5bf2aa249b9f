// The glyph table of the 32 x 32 font sheet and the text blitter.
#include "gfx/font.h"

#include "gfx/toolkit.h"

namespace {

// Puts the characters of chars into consecutive cells of one sheet row.
void placeRun(Font& font, const char* chars, int firstColumn, int row) {
    for (int i = 0; chars[i] != '\0'; ++i) {
        const unsigned char c = chars[i];
        font.glyphX[c] = (firstColumn + i) * font.width;
        font.glyphY[c] = row * font.height;
    }
}

} // namespace

void fillFontstr(Font& font) {
    font.width = 32;
    font.height = 32;
    for (int c = 0; c < 256; ++c) {
        font.glyphX[c] = 0;
        font.glyphY[c] = 0;
    }
    placeRun(font, "!", 1, 0);
    placeRun(font, ",-./0123", 2, 1);
    placeRun(font, "456789:;", 0, 2);
    placeRun(font, "\xf6\xe4", 8, 2); // ö ä
    placeRun(font, "\xe5?", 0, 3);    // å ?
    placeRun(font, "abcdefg", 3, 3);
    placeRun(font, "hijklmnopq", 0, 4);
    placeRun(font, "rstuvwxyz", 0, 5);
}

void loadFontSheet(Font& font, const char* path, Kernels kernels) {
    SDL_Surface* sheet = loadBitmap(path);
    setColourKey(sheet, 0);
    // Made ready for the show's layout; glyphs are cells of one sheet, so no
    // run lengths.
    font.surface.reset(prepareBlitSprite(sheet, nullptr, kernels, false));
}

int blitString(const char* text, int x, int y, int wrapX, SDL_Surface* dst, const Font& font) {
    const int width = (int)font.width;
    SDL_Rect glyph = {0, 0, (Uint16)font.width, (Uint16)font.height};
    // The pen and the line's y are plain ints: SDL's clipping writes into the
    // destination rectangle, never back into them.
    int pen = x - width;
    int line = y;
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; ++c) {
        pen += width;
        glyph.x = (Sint16)font.glyphX[*c];
        glyph.y = (Sint16)font.glyphY[*c];
        SDL_Rect where = {(Sint16)pen, (Sint16)line, 0, 0};
        // NOTE: the test takes the pen as the signed 16-bit value SDL sees.
        if ((Sint16)pen + width > 0 && font.surface != nullptr && dst != nullptr) {
            SDL_UpperBlit(font.surface.get(), &glyph, dst, &where);
        }
        if (wrapX != 0 && pen > wrapX) {
            pen = x - width;
            line += (int)font.height + 2;
        }
    }
    return 0;
}
