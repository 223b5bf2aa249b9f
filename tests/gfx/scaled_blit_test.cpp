#include "gfx/toolkit.h"

#include "gfx/random.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// A sprite whose every pixel is distinct and opaque, with a few transparent.
SDL_Surface* numberedSprite(int w, int h) {
    SDL_Surface* s = makeRgbaSurface(w, h);
    Uint32* p = static_cast<Uint32*>(s->pixels);
    for (int i = 0; i < w * h; ++i) {
        p[i] = (i % 7 == 3) ? 0 : 0xff000000u | (Uint32)(i * 2654435761u >> 8);
    }
    return s;
}

} // namespace

TEST(BlitScaleDown, StepOneCopiesAllButTheLastRowAndColumn) {
    SDL_Surface* dst = makeScreenSurface(20, 20);
    SDL_Surface* sprite = numberedSprite(4, 3);
    blitScaleDown(dst, sprite, 1.0f, 5, 6);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            const bool inside = x >= 5 && x < 8 && y >= 6 && y < 8;
            const Uint32 expected = inside ? getpixel2ARGB(sprite, x - 5, y - 6) : 0;
            EXPECT_EQ(wordAt(dst, x, y), expected) << x << "," << y;
        }
    }
    SDL_FreeSurface(dst);
    SDL_FreeSurface(sprite);
}

TEST(BlitScaleDown, ColumnZeroIsNeverWrittenAndKeyedPixelsAreSkipped) {
    SDL_Surface* dst = makeSolidSurface(10, 10, 0x777777);
    SDL_Surface* sprite = numberedSprite(4, 4);
    blitScaleDown(dst, sprite, 1.0f, 0, 1);
    for (int y = 0; y < 10; ++y) {
        EXPECT_EQ(wordAt(dst, 0, y), 0x777777u);
    }
    // Sprite pixel (3 % 7 == 3) is transparent: (3, 0) of the sprite.
    EXPECT_EQ(wordAt(dst, 3, 1), 0x777777u);
    EXPECT_EQ(wordAt(dst, 1, 1), getpixel2ARGB(sprite, 1, 0));
    SDL_FreeSurface(dst);
    SDL_FreeSurface(sprite);
}

TEST(BlitScaleDown, NothingForBadStepsOrNoSprite) {
    SDL_Surface* dst = makeScreenSurface(10, 10);
    SDL_Surface* sprite = numberedSprite(4, 4);
    blitScaleDown(dst, sprite, 0.0f, 2, 2);
    blitScaleDown(dst, sprite, -1.0f, 2, 2);
    blitScaleDown(dst, nullptr, 1.0f, 2, 2);
    blitScaleDownReference(dst, nullptr, 1.0f, 2, 2);
    for (Uint32 w : allWords(dst)) {
        EXPECT_EQ(w, 0u);
    }
    SDL_FreeSurface(dst);
    SDL_FreeSurface(sprite);
}

// The clipped blit must write exactly what the plain loop writes, in the same
// order, wherever the sprite lands and whatever the step.
TEST(BlitScaleDown, FastPathEqualsReferenceEverywhere) {
    SDL_Surface* fast = makeScreenSurface(640, 480);
    SDL_Surface* plain = makeScreenSurface(640, 480);
    const float steps[] = {1.0f / 64, 1.0f / 7, 0.25f, 0.5f, 0.9f, 1.0f,
                           1.5f,      1.5625f,  1.65f, 2.3f, 8.69f};
    ShowRandom random(7);
    for (int trial = 0; trial < 300; ++trial) {
        SDL_Surface* sprite = numberedSprite(1 + random.rand() % 40, 1 + random.rand() % 40);
        const float step = steps[trial % 11];
        const int x = random.rand() % 900 - 150;
        const int y = random.rand() % 700 - 150;
        blitScaleDown(fast, sprite, step, x, y);
        blitScaleDownReference(plain, sprite, step, x, y);
        ASSERT_EQ(allWords(fast), allWords(plain)) << trial;
        SDL_FreeSurface(sprite);
    }
    SDL_FreeSurface(fast);
    SDL_FreeSurface(plain);
}
