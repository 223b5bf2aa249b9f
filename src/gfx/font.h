// The 32 x 32 bitmap font: a glyph table mapping every byte to a cell of the
// font sheet, and the text blitter with optional line wrapping.
#pragma once

#include "gfx/toolkit.h"

#include <SDL.h>

struct Font {
    Uint32 glyphX[256] = {}; // left edge of each byte's cell in the sheet
    Uint32 glyphY[256] = {}; // top edge of each byte's cell
    Uint32 width = 0;        // glyph width, 32
    Uint32 height = 0;       // glyph height, 32
    Picture surface;         // the sheet; NULL draws no text
};

// Sets the glyph size to 32 x 32 and fills the cells of every known character;
// every other byte maps to the empty cell (0, 0).
void fillFontstr(Font& font);

// Loads the font sheet from a BMP and gives it colour key 0, made ready for
// these kernels. A missing sheet leaves the surface NULL and text draws
// nothing.
void loadFontSheet(Font& font, const char* path, Kernels kernels = Kernels::Fast);

// Draws text (ISO 8859-1 bytes) from (x, y) glyph by glyph. wrapX = 0 means no
// wrapping; otherwise the line ends after the first glyph whose left edge lies
// beyond wrapX, and the next line starts glyph height + 2 lower. Returns 0.
int blitString(const char* text, int x, int y, int wrapX, SDL_Surface* dst, const Font& font);
