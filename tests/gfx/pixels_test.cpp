#include "gfx/toolkit.h"

#include "support/fixtures.h"

#include <gtest/gtest.h>

TEST(Putpixel, StrictLowerBoundsInclusiveUpperEdge) {
    SDL_Surface* s = makeScreenSurface(8, 6);
    putpixel(s, 0, 3, 0xffffff);
    putpixel(s, 3, 0, 0xffffff);
    putpixel(s, -1, 3, 0xffffff);
    putpixel(s, 8, 3, 0xffffff);
    putpixel(s, 3, 6, 0xffffff);
    for (Uint32 w : allWords(s)) {
        EXPECT_EQ(w, 0u);
    }
    putpixel(s, 7, 5, 0x123456);
    putpixel(s, 1, 1, 0xabcdef);
    EXPECT_EQ(wordAt(s, 7, 5), 0x123456u);
    EXPECT_EQ(wordAt(s, 1, 1), 0xabcdefu);
    SDL_FreeSurface(s);
}

TEST(Getpixel, ReadsByBytesPerPixel) {
    SDL_Surface* s24 = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 3, 24, 0xff0000, 0xff00, 0xff, 0);
    Uint8* p = static_cast<Uint8*>(s24->pixels) + 2 * s24->pitch + 3 * 3;
    p[0] = 0x10;
    p[1] = 0x20;
    p[2] = 0x30;
    EXPECT_EQ(getpixel(s24, 3, 2), 0x302010u);
    SDL_FreeSurface(s24);

    SDL_Surface* s8 = SDL_CreateRGBSurface(SDL_SWSURFACE, 5, 2, 8, 0, 0, 0, 0);
    static_cast<Uint8*>(s8->pixels)[s8->pitch + 4] = 200;
    EXPECT_EQ(getpixel(s8, 4, 1), 200u);
    SDL_FreeSurface(s8);

    SDL_Surface* s16 = SDL_CreateRGBSurface(SDL_SWSURFACE, 3, 2, 16, 0xf800, 0x7e0, 0x1f, 0);
    reinterpret_cast<Uint16*>(static_cast<Uint8*>(s16->pixels) + s16->pitch)[2] = 0xbeef;
    EXPECT_EQ(getpixel(s16, 2, 1), 0xbeefu);
    SDL_FreeSurface(s16);
}

TEST(Argb, ConvertsByTheFormatsMasks) {
    SDL_Surface* rgba = makeRgbaSurface(2, 2);
    // Bytes R, G, B, A in memory order.
    static_cast<Uint32*>(rgba->pixels)[3] = 0xff000000; // opaque black
    static_cast<Uint32*>(rgba->pixels)[1] = 0x80332211;
    EXPECT_EQ(getpixel2ARGB(rgba, 1, 1), 0xff000000u);
    EXPECT_EQ(getpixel2ARGB(rgba, 1, 0), 0x80112233u);
    EXPECT_EQ(getpixel2ARGB(rgba, 0, 0), 0u);
    SDL_FreeSurface(rgba);

    SDL_Surface* plain = makeScreenSurface(2, 1);
    static_cast<Uint32*>(plain->pixels)[1] = 0x00a0b0c0;
    EXPECT_EQ(getpixel2ARGB(plain, 1, 0), 0x00a0b0c0u);
    SDL_FreeSurface(plain);
}
