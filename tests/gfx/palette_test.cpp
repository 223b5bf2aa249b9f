#include "gfx/toolkit.h"

#include "support/fixtures.h"

#include <gtest/gtest.h>

namespace {

// Saves a w x h bitmap of the given depth: row 0 all grey, row 1 a ramp.
void saveBitmap(const char* path, int w, int h, int bits) {
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, bits, 0xff0000, 0xff00, 0xff, 0);
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 0x55, 0x55, 0x55));
    for (int i = 0; i < w && h > 1; ++i) {
        SDL_Rect pixel = {(Sint16)i, 1, 1, 1};
        SDL_FillRect(s, &pixel, SDL_MapRGB(s->format, (Uint8)i, (Uint8)(255 - i), (Uint8)(i / 2)));
    }
    ASSERT_EQ(SDL_SaveBMP(s, path), 0);
    SDL_FreeSurface(s);
}

SDL_Surface* eightBitSurface() {
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 4, 8, 0, 0, 0, 0);
    SDL_Color grey[256];
    for (int i = 0; i < 256; ++i) {
        grey[i] = {7, 7, 7, 0};
    }
    SDL_SetColors(s, grey, 0, 256);
    return s;
}

void expectRamp(const SDL_Surface* s) {
    const SDL_Palette* palette = s->format->palette;
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(palette->colors[i].r, i);
        EXPECT_EQ(palette->colors[i].g, 255 - i);
        EXPECT_EQ(palette->colors[i].b, i / 2);
    }
}

void expectUnchanged(const SDL_Surface* s) {
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(s->format->palette->colors[i].r, 7);
    }
}

} // namespace

TEST(SkapaPalett, TakesRowOneOf24And32BitBitmaps) {
    ScratchFolder folder;
    for (int bits : {24, 32}) {
        saveBitmap("palette.bmp", 300, 3, bits);
        SDL_Surface* s = eightBitSurface();
        skapaPalett(s, "palette.bmp");
        expectRamp(s);
        SDL_FreeSurface(s);
    }
}

TEST(SkapaPalett, BitmapBytesAreBlueGreenRed) {
    ScratchFolder folder;
    saveBitmap("palette.bmp", 256, 2, 24);
    SDL_Surface* bmp = loadBitmap("palette.bmp");
    ASSERT_NE(bmp, nullptr);
    Uint8* p = static_cast<Uint8*>(bmp->pixels) + bmp->pitch + 3 * 5;
    p[0] = 0x10;
    p[1] = 0x20;
    p[2] = 0x30;
    EXPECT_EQ(getpixel(bmp, 5, 1), 0x302010u);
    SDL_FreeSurface(bmp);
}

TEST(SkapaPalett, MissingOrSmallFilesLeaveThePalette) {
    ScratchFolder folder;
    saveBitmap("narrow.bmp", 255, 2, 24);
    saveBitmap("flat.bmp", 256, 1, 24);
    FILE* junk = fopen("junk.bmp", "wb");
    fputs("BM not really", junk);
    fclose(junk);
    for (const char* path : {"missing.bmp", "narrow.bmp", "flat.bmp", "junk.bmp"}) {
        SDL_Surface* s = eightBitSurface();
        skapaPalett(s, path);
        expectUnchanged(s);
        SDL_FreeSurface(s);
    }
    skapaPalett(nullptr, "narrow.bmp");
}
