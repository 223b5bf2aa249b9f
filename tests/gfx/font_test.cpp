#include "gfx/font.h"

#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Each cell of a 320 x 192 sheet filled with a colour naming the cell.
SDL_Surface* numberedSheet() {
    SDL_Surface* sheet = makeScreenSurface(320, 192);
    for (int row = 0; row < 6; ++row) {
        for (int col = 0; col < 10; ++col) {
            SDL_Rect cell = {(Sint16)(col * 32), (Sint16)(row * 32), 32, 32};
            SDL_FillRect(sheet, &cell, 0x100000 + (Uint32)(row * 10 + col));
        }
    }
    SDL_SetColorKey(sheet, SDL_SRCCOLORKEY, 0);
    return sheet;
}

Uint32 cellColour(int col, int row) {
    return 0x100000 + (Uint32)(row * 10 + col);
}

} // namespace

TEST(FillFontstr, CellsOfTheSheet) {
    Font font;
    memset(font.glyphX, 0xff, sizeof font.glyphX);
    memset(font.glyphY, 0xff, sizeof font.glyphY);
    font.width = font.height = 0xffffffffu;
    fillFontstr(font);
    EXPECT_EQ(font.width, 32u);
    EXPECT_EQ(font.height, 32u);
    auto cell = [&](unsigned char c) {
        return std::make_pair(font.glyphX[c] / 32, font.glyphY[c] / 32);
    };
    EXPECT_EQ(cell('!'), std::make_pair(1u, 0u));
    EXPECT_EQ(cell(','), std::make_pair(2u, 1u));
    EXPECT_EQ(cell('3'), std::make_pair(9u, 1u));
    EXPECT_EQ(cell('4'), std::make_pair(0u, 2u));
    EXPECT_EQ(cell(';'), std::make_pair(7u, 2u));
    EXPECT_EQ(cell(246), std::make_pair(8u, 2u));
    EXPECT_EQ(cell(228), std::make_pair(9u, 2u));
    EXPECT_EQ(cell(229), std::make_pair(0u, 3u));
    EXPECT_EQ(cell('?'), std::make_pair(1u, 3u));
    EXPECT_EQ(cell('a'), std::make_pair(3u, 3u));
    EXPECT_EQ(cell('g'), std::make_pair(9u, 3u));
    EXPECT_EQ(cell('h'), std::make_pair(0u, 4u));
    EXPECT_EQ(cell('q'), std::make_pair(9u, 4u));
    EXPECT_EQ(cell('r'), std::make_pair(0u, 5u));
    EXPECT_EQ(cell('z'), std::make_pair(8u, 5u));
    for (int c : {32, 65, 90, 34, 64, 255}) {
        EXPECT_EQ(cell((unsigned char)c), std::make_pair(0u, 0u)) << c;
    }
}

TEST(BlitString, WrapsAfterTheGlyphBeyondWrapX) {
    Font font;
    fillFontstr(font);
    font.surface.reset(numberedSheet());
    SDL_Surface* screen = makeScreenSurface(640, 480);
    // Twelve glyphs on the first line: 300, 332, ..., 620, 652.
    blitString("abcdefghijkl!", 300, 20, 640, screen, font);
    EXPECT_EQ(wordAt(screen, 300, 20), cellColour(3, 3)); // a
    EXPECT_EQ(wordAt(screen, 620, 20), cellColour(3, 4)); // k at 620, clipped
    EXPECT_EQ(wordAt(screen, 639, 51), cellColour(3, 4));
    EXPECT_EQ(wordAt(screen, 299, 20), 0u);
    // "!" starts the second line at x = 300, 34 pixels lower.
    EXPECT_EQ(wordAt(screen, 300, 54), cellColour(1, 0));
    EXPECT_EQ(wordAt(screen, 331, 85), cellColour(1, 0));
    EXPECT_EQ(wordAt(screen, 300, 52), 0u);
    SDL_FreeSurface(screen);
}

TEST(BlitString, EmptyCellsBlanksAndTheLeftEdge) {
    Font font;
    fillFontstr(font);
    font.surface.reset(numberedSheet());
    SDL_Surface* screen = makeScreenSurface(640, 480);
    blitString("", 10, 10, 0, screen, font);
    // Capitals and blanks draw cell (0, 0) and advance one glyph.
    blitString("A b", 10, 10, 0, screen, font);
    EXPECT_EQ(wordAt(screen, 10, 10), cellColour(0, 0));
    EXPECT_EQ(wordAt(screen, 42, 10), cellColour(0, 0));
    EXPECT_EQ(wordAt(screen, 74, 10), cellColour(4, 3));
    // Starting left of the screen: leading glyphs are skipped, the one that
    // reaches past the edge is clipped.
    blitString("abc", -50, 100, 0, screen, font);
    EXPECT_EQ(wordAt(screen, 0, 100), cellColour(4, 3));
    EXPECT_EQ(wordAt(screen, 13, 100), cellColour(4, 3));
    EXPECT_EQ(wordAt(screen, 14, 100), cellColour(5, 3));
    // Bytes above 127 are glyphs, not negative indexes.
    blitString("\xe5\xe4\xf6", 100, 200, 0, screen, font);
    EXPECT_EQ(wordAt(screen, 100, 200), cellColour(0, 3));
    EXPECT_EQ(wordAt(screen, 132, 200), cellColour(9, 2));
    EXPECT_EQ(wordAt(screen, 164, 200), cellColour(8, 2));
    SDL_FreeSurface(screen);
}

TEST(BlitString, NoSheetOrASmallSheetIsSafe) {
    Font font;
    fillFontstr(font);
    SDL_Surface* screen = makeScreenSurface(64, 64);
    EXPECT_EQ(blitString("hello", 0, 0, 0, screen, font), 0);
    font.surface.reset(makeSolidSurface(40, 20, 0x222222));
    // "!" gets the 8 x 20 pixels of its cell that the sheet has; "z" none.
    blitString("!z", 0, 0, 0, screen, font);
    EXPECT_EQ(wordAt(screen, 0, 0), 0x222222u);
    EXPECT_EQ(wordAt(screen, 7, 19), 0x222222u);
    EXPECT_EQ(wordAt(screen, 8, 0), 0u);
    EXPECT_EQ(wordAt(screen, 0, 20), 0u);
    EXPECT_EQ(wordAt(screen, 32, 0), 0u);
    SDL_FreeSurface(screen);
}
