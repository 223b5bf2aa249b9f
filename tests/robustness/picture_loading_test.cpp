// Sprites drawn pixel by pixel are read as dense 32-bit words: whatever
// depth and kind of picture the file holds, loading must hand them over in
// that layout with the picture's own colours.
#include "robustness/picture_files.h"

#include "gfx/toolkit.h"
#include "support/fixtures.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Odd sizes, so that rows of the file carry padding.
constexpr int kWidth = 37;
constexpr int kHeight = 23;

struct PictureKind {
    const char* name;
    std::function<bool(const std::string&)> write;
    std::function<Uint32(int, int)> colour; // expected 0x00RRGGBB at (x, y)
    Uint32 significant = 0xffffff;          // bits a loader must keep
};

std::function<Uint32(int, int)> paletted(int bits) {
    return [bits](int x, int y) { return paletteColour(patternIndex(x, y, bits), bits); };
}

Uint32 grey(int x, int y) {
    const Uint32 v = patternColour(x, y) >> 16;
    return v << 16 | v << 8 | v;
}

std::vector<PictureKind> everyKind() {
    auto bmp = [](int bits) {
        return [bits](const std::string& p) { return writeBmp(p, bits, kWidth, kHeight); };
    };
    auto png = [](PngKind kind, int transparent) {
        return
            [=](const std::string& p) { return writePng(p, kind, kWidth, kHeight, transparent); };
    };
    auto gif = [](int transparent) {
        return [=](const std::string& p) { return writeGif(p, kWidth, kHeight, transparent); };
    };
    return {
        {"bmp1", bmp(1), paletted(1)},
        {"bmp4", bmp(4), paletted(4)},
        {"bmp8", bmp(8), paletted(8)},
        // Five bits a channel: SDL builds differ in how they fill the rest.
        {"bmp16", bmp(16), patternColour, 0xf8f8f8},
        {"bmp24", bmp(24), patternColour},
        {"bmp32", bmp(32), patternColour},
        {"pnggrey", png(PngKind::Grey, -1), grey},
        {"pngpal", png(PngKind::Paletted, -1), paletted(8)},
        {"pngpaltrans", png(PngKind::Paletted, 5), paletted(8)},
        {"pngrgb", png(PngKind::Rgb, -1), patternColour},
        {"pngrgba", png(PngKind::Rgba, -1), patternColour},
        {"gif", gif(-1), paletted(8)},
        {"giftrans", gif(3), paletted(8)},
    };
}

} // namespace

TEST(PixelSprite, EveryDepthAndKindLoadsAsDense32BitWithItsColours) {
    ScratchFolder folder;
    for (const PictureKind& kind : everyKind()) {
        SCOPED_TRACE(kind.name);
        const std::string path = std::string("picture-") + kind.name;
        ASSERT_TRUE(kind.write(path));
        SDL_Surface* sprite = loadPixelSprite(path.c_str());
        ASSERT_NE(sprite, nullptr) << IMG_GetError();
        ASSERT_EQ(sprite->w, kWidth);
        ASSERT_EQ(sprite->h, kHeight);
        ASSERT_EQ(sprite->format->BytesPerPixel, 4);
        ASSERT_EQ(sprite->pitch, 4 * kWidth);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const Uint32 rgb = getpixel2ARGB(sprite, x, y) & kind.significant;
                ASSERT_EQ(rgb, kind.colour(x, y) & kind.significant) << x << ", " << y;
            }
        }
        SDL_FreeSurface(sprite);
    }
}

TEST(PixelSprite, RgbaKeepsItsAlphaInTheTopByte) {
    ScratchFolder folder;
    ASSERT_TRUE(writePng("rgba.png", PngKind::Rgba, kWidth, kHeight));
    SDL_Surface* sprite = loadPixelSprite("rgba.png");
    ASSERT_NE(sprite, nullptr);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            ASSERT_EQ(getpixel2ARGB(sprite, x, y) >> 24, patternAlpha(x, y)) << x << ", " << y;
        }
    }
    SDL_FreeSurface(sprite);
}
