#include "gfx/toolkit.h"

#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A 24-bit sprite as RGB pictures load, one pixel in five black.
SDL_Surface* rgbSprite(int w, int h) {
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0x0000ff, 0x00ff00, 0xff0000, 0);
    for (int y = 0; y < h; ++y) {
        Uint8* row = static_cast<Uint8*>(s->pixels) + y * s->pitch;
        for (int i = 0; i < 3 * w; ++i) {
            row[i] = (i / 3 + y) % 5 == 0 ? 0 : (Uint8)(37 * i + 11 * y + 1);
        }
    }
    return s;
}

// An 8-bit sprite using every index; entries 0 and 5 are both black and
// entry 7 is pure green.
SDL_Surface* palettedSprite(int w, int h) {
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 8, 0, 0, 0, 0);
    SDL_Color colours[256];
    for (int i = 0; i < 256; ++i) {
        colours[i] = {(Uint8)(i * 3), (Uint8)(255 - i), (Uint8)(i * 7), 0};
    }
    colours[0] = colours[5] = {0, 0, 0, 0};
    colours[7] = {0, 255, 0, 0};
    SDL_SetColors(s, colours, 0, 256);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            static_cast<Uint8*>(s->pixels)[y * s->pitch + x] = (Uint8)(x * 13 + y * 7);
        }
    }
    return s;
}

// What the sprite leaves on a grey screen, blitted whole and in part.
std::vector<Uint32> blitted(SDL_Surface* sprite) {
    SDL_Surface* screen = makeSolidSurface(64, 48, 0x808080);
    blitAt(sprite, screen, 3, 4);
    blitPartAt(sprite, 2, 1, 9, 5, screen, 40, 30);
    blitAt(sprite, screen, -5, 40);
    std::vector<Uint32> words = allWords(screen);
    SDL_FreeSurface(screen);
    return words;
}

// Prepares the sprite for a screen whose corner holds a marker, and checks
// that the corner is left alone.
SDL_Surface* prepared(SDL_Surface* sprite) {
    SDL_Surface* screen = makeScreenSurface(64, 48);
    static_cast<Uint32*>(screen->pixels)[0] = 0x123456;
    SDL_Surface* ready = prepareBlitSprite(sprite, screen);
    EXPECT_EQ(wordAt(screen, 0, 0), 0x123456u);
    SDL_FreeSurface(screen);
    return ready;
}

} // namespace

TEST(PrepareBlitSprite, KeyedRgbSpriteTakesTheScreenLayoutAndBlitsTheSamePixels) {
    SDL_Surface* sprite = rgbSprite(23, 17);
    SDL_Surface* twin = rgbSprite(23, 17);
    setColourKey(sprite, 0);
    setColourKey(twin, 0);
    twin = prepared(twin);
    EXPECT_EQ(twin->format->BitsPerPixel, 32);
    EXPECT_EQ(twin->format->Rmask, 0x00ff0000u);
    EXPECT_NE(twin->flags & SDL_SRCCOLORKEY, 0u);
    EXPECT_EQ(blitted(twin), blitted(sprite));
    SDL_FreeSurface(twin);
    SDL_FreeSurface(sprite);
}

TEST(PrepareBlitSprite, UnkeyedSpritesOfAnyDepthBlitTheSamePixels) {
    SDL_Surface* sprites[][2] = {{rgbSprite(31, 9), rgbSprite(31, 9)},
                                 {palettedSprite(30, 20), palettedSprite(30, 20)}};
    for (auto& [sprite, twin] : sprites) {
        twin = prepared(twin);
        EXPECT_EQ(twin->format->BitsPerPixel, 32);
        EXPECT_EQ(blitted(twin), blitted(sprite));
        SDL_FreeSurface(twin);
        SDL_FreeSurface(sprite);
    }
}

// A key above 255 matches no 8-bit pixel, so pure green stays drawn; the key
// is dropped, not carried over as a colour.
TEST(PrepareBlitSprite, KeyNoPixelCanHoldIsDroppedAndGreenStaysDrawn) {
    SDL_Surface* sprite = palettedSprite(30, 20);
    SDL_Surface* twin = palettedSprite(30, 20);
    setColourKey(sprite, 0x00ff00);
    setColourKey(twin, 0x00ff00);
    twin = prepared(twin);
    EXPECT_EQ(twin->flags & SDL_SRCCOLORKEY, 0u);
    EXPECT_EQ(blitted(twin), blitted(sprite));
    SDL_FreeSurface(twin);
    SDL_FreeSurface(sprite);
}

// Index 0 is the key but index 5 has the same colour: in 32 bits both would
// vanish, so the sprite keeps its palette.
TEST(PrepareBlitSprite, KeyedPaletteSpriteAlphaSpriteAndPlainKernelsStayAsLoaded) {
    SDL_Surface* paletted = palettedSprite(30, 20);
    setColourKey(paletted, 0);
    EXPECT_EQ(prepareBlitSprite(paletted, nullptr), paletted);
    EXPECT_EQ(paletted->format->BitsPerPixel, 8);
    SDL_Surface* rgba = makeRgbaSurface(8, 8);
    EXPECT_EQ(prepareBlitSprite(rgba, nullptr), rgba);
    SDL_Surface* rgb = rgbSprite(8, 8);
    EXPECT_EQ(prepareBlitSprite(rgb, nullptr, Kernels::Literal), rgb);
    EXPECT_EQ(rgb->format->BitsPerPixel, 24);
    EXPECT_EQ(prepareBlitSprite(nullptr, nullptr), nullptr);
    SDL_FreeSurface(paletted);
    SDL_FreeSurface(rgba);
    SDL_FreeSurface(rgb);
}
