// How the canvas reaches a window n times as large: every canvas pixel
// becomes an n x n block, and a partial present (the plasma's strip) copies
// only its own rows.
#include "shell/display.h"

#include "support/fixtures.h"

#include <gtest/gtest.h>

namespace {

// A word that differs for every canvas pixel.
Uint32 patternAt(int x, int y) {
    return (Uint32)(y * 640 + x) * 2654435761u & 0xffffff;
}

void paintPattern(SDL_Surface* canvas) {
    Uint32* pixels = static_cast<Uint32*>(canvas->pixels);
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            pixels[y * canvas->pitch / 4 + x] = patternAt(x, y);
        }
    }
}

// Rows of the window in [top, bottom) that are not the canvas's scaled copy.
int rowsNotScaled(const SDL_Surface* window, int scale, int top, int bottom) {
    int wrong = 0;
    for (int y = top; y < bottom; ++y) {
        bool same = true;
        for (int x = 0; x < window->w; ++x) {
            same = same && wordAt(window, x, y) == patternAt(x / scale, y / scale);
        }
        wrong += !same;
    }
    return wrong;
}

int blackRows(const SDL_Surface* window, int top, int bottom) {
    int black = 0;
    for (int y = top; y < bottom; ++y) {
        bool allBlack = true;
        for (int x = 0; x < window->w; ++x) {
            allBlack = allBlack && wordAt(window, x, y) == 0;
        }
        black += allBlack;
    }
    return black;
}

} // namespace

TEST(Display, UnscaledCanvasIsTheWindowItself) {
    SDL_Surface* canvas = openScreen(0, 1);
    EXPECT_EQ(canvas, SDL_GetVideoSurface());
    EXPECT_EQ(canvas->w, 640);
    closeScreen(canvas);
}

TEST(Display, ScaledPresentsCopyPixelsAsBlocks) {
    SDL_Surface* canvas = openScreen(0, 3);
    const SDL_Surface* window = SDL_GetVideoSurface();
    ASSERT_NE(canvas, window);
    ASSERT_EQ(canvas->w, 640);
    ASSERT_EQ(canvas->h, 480);
    ASSERT_EQ(window->w, 1920);
    ASSERT_EQ(window->h, 1440);
    paintPattern(canvas);

    showRect(canvas, 0, 0, 640, 40);
    EXPECT_EQ(rowsNotScaled(window, 3, 0, 120), 0);
    EXPECT_EQ(blackRows(window, 120, 1440), 1320);

    showCanvas(canvas);
    EXPECT_EQ(rowsNotScaled(window, 3, 0, 1440), 0);
    closeScreen(canvas);
}
