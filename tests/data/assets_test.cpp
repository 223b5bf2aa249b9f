// The committed data files load the way the show loads them and have the
// sizes, formats and colour keys the scenes rely on.
#include "asset_pixels.h"

#include "gfx/toolkit.h"
#include "scenes/scenes.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

namespace {

class Assets : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError(); }
    void TearDown() override { SDL_Quit(); }

    static Surface load(const char* name) {
        Surface s = loadAsset(dataPath(name));
        EXPECT_TRUE(s) << name << ": " << SDL_GetError();
        return s;
    }
};

bool anyVisible(const SDL_Surface* s, int x0, int y0, int w, int h) {
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            if (rgbAt(s, x, y) != 0)
                return true;
    return false;
}

// A blitted picture: plain RGB, no alpha channel, no palette.
void expectPlainRgb(const SDL_Surface* s, const char* name) {
    EXPECT_EQ(s->format->BitsPerPixel, 24) << name;
    EXPECT_EQ(s->format->Amask, 0u) << name;
    EXPECT_EQ(s->flags & SDL_SRCCOLORKEY, 0u) << name << " carries a transparent colour";
}

TEST_F(Assets, EveryFileLoads) {
    for (const char* name : kGeneratedFiles)
        load(name);
}

// The sheet cells (column, row) the glyph table points at.
std::set<std::pair<int, int>> mappedCells() {
    std::set<std::pair<int, int>> mapped = {{1, 0}, {8, 2}, {9, 2}, {0, 3}, {1, 3}};
    for (int c = 2; c <= 9; ++c)
        mapped.insert({c, 1});
    for (int c = 0; c <= 7; ++c)
        mapped.insert({c, 2});
    for (int c = 3; c <= 9; ++c)
        mapped.insert({c, 3});
    for (int c = 0; c <= 9; ++c)
        mapped.insert({c, 4});
    for (int c = 0; c <= 8; ++c)
        mapped.insert({c, 5});
    return mapped;
}

TEST_F(Assets, FontSheetHoldsExactlyTheMappedGlyphCells) {
    Surface s = load("020.bmp");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->w, 320);
    EXPECT_EQ(s->h, 192);
    EXPECT_EQ(s->format->BitsPerPixel, 24);
    std::set<std::pair<int, int>> mapped = mappedCells();
    for (int row = 0; row < 6; ++row)
        for (int col = 0; col < 10; ++col)
            EXPECT_EQ(anyVisible(s.get(), col * 32, row * 32, 32, 32),
                      mapped.count({col, row}) == 1)
                << "cell " << col << "," << row;
}

TEST_F(Assets, FontGlyphsFillTheirCellsButNeverTouch) {
    Surface s = load("020.bmp");
    ASSERT_TRUE(s);
    // Every glyph advances a whole cell, so the letters are drawn wide enough
    // to make words of them; yet the outer columns stay empty, or neighbours
    // would run into each other.
    for (auto [col, row] : mappedCells()) {
        EXPECT_FALSE(anyVisible(s.get(), col * 32, row * 32, 1, 32))
            << "cell " << col << "," << row;
        EXPECT_FALSE(anyVisible(s.get(), col * 32 + 31, row * 32, 1, 32))
            << "cell " << col << "," << row;
    }
    auto inkWidth = [&](int col, int row) {
        int left = 32, right = -1;
        for (int x = 0; x < 32; ++x)
            if (anyVisible(s.get(), col * 32 + x, row * 32, 1, 32)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        return right - left + 1;
    };
    for (auto [col, row] : {std::pair{6, 4}, {7, 4}, {3, 3}, {0, 4}}) // n o a h
        EXPECT_GE(inkWidth(col, row), 22) << "cell " << col << "," << row;
    // The blitter steps a whole cell per glyph: narrow letters must still
    // fill theirs, centred, or a word falls apart ("sno l k").
    for (auto [col, row] : {std::pair{1, 4}, {2, 4}, {4, 4}, {1, 0}}) { // i j l !
        int left = 0, right = 31;
        while (left < 31 && !anyVisible(s.get(), col * 32 + left, row * 32, 1, 32))
            ++left;
        while (right > 0 && !anyVisible(s.get(), col * 32 + right, row * 32, 1, 32))
            --right;
        EXPECT_GE(right - left + 1, 11) << "cell " << col << "," << row;
        EXPECT_LE(std::abs(left - (31 - right)), 2) << "cell " << col << "," << row;
    }
}

TEST_F(Assets, LetterTilesFitTheirSlots) {
    for (const char* name : {"bf.png", "bg.png", "lf.png", "lg.png", "of.png", "og.png", "sf.png",
                             "sg.png", "af.png", "ag.png"}) {
        Surface s = load(name);
        ASSERT_TRUE(s);
        expectPlainRgb(s.get(), name);
        EXPECT_LE(s->w, 62) << name;
        EXPECT_LE(s->h, 90) << name;
    }
    Surface bottle = load("flaska.png");
    ASSERT_TRUE(bottle);
    expectPlainRgb(bottle.get(), "flaska.png");
    EXPECT_LE(100 + bottle->w, 640);
    EXPECT_LE(100 + bottle->h, 480);
}

TEST_F(Assets, SparklerStickFillsItsSourceRectangle) {
    Surface unburnt = load("tb.png"), burnt = load("tbub.png");
    ASSERT_TRUE(unburnt && burnt);
    expectPlainRgb(unburnt.get(), "tb.png");
    expectPlainRgb(burnt.get(), "tbub.png");
    EXPECT_GE(unburnt->w, 20);
    EXPECT_GE(unburnt->h, 320);
    EXPECT_GE(burnt->w, 20);
    EXPECT_GE(burnt->h, 320);
    // Both show a stick down the middle of the 20 columns over the full height.
    for (int y = 40; y < 318; y += 10) {
        EXPECT_TRUE(anyVisible(unburnt.get(), 0, y, 20, 1)) << "row " << y;
        EXPECT_TRUE(anyVisible(burnt.get(), 0, y, 20, 1)) << "row " << y;
    }
}

TEST_F(Assets, LogoSplitsAndItsMiddlePieceFitsTheGap) {
    Surface logo = load("krx4.png"), seven = load("7.png");
    ASSERT_TRUE(logo && seven);
    expectPlainRgb(logo.get(), "krx4.png");
    expectPlainRgb(seven.get(), "7.png");
    EXPECT_GE(logo->w, 121);
    EXPECT_LE(logo->w, 640);
    EXPECT_LT(logo->h, 100);
    EXPECT_EQ(seven->w, 40);
    EXPECT_EQ(seven->h, logo->h);
    EXPECT_TRUE(anyVisible(logo.get(), 0, 0, 120, logo->h));
    EXPECT_TRUE(anyVisible(logo.get(), 120, 0, logo->w - 120, logo->h));
    // The star's glow fades out before the sides and the bottom of its box,
    // or the box shows as straight edges in the gap.
    EXPECT_FALSE(anyVisible(seven.get(), 0, 0, 1, seven->h));
    EXPECT_FALSE(anyVisible(seven.get(), seven->w - 1, 0, 1, seven->h));
    EXPECT_FALSE(anyVisible(seven.get(), 0, seven->h - 1, seven->w, 1));
}

// Entries from firstDistinct on each have a colour of their own.
void expectPaletteFile(const SDL_Surface* s, const char* name, int firstDistinct = 0) {
    EXPECT_EQ(s->format->BitsPerPixel, 24) << name;
    ASSERT_GE(s->w, 256) << name;
    ASSERT_GE(s->h, 2) << name;
    std::set<Uint32> colours;
    bool rowsDiffer = false;
    for (int i = 0; i < 256; ++i) {
        if (i >= firstDistinct) {
            colours.insert(rgbAt(s, i, 1));
        }
        rowsDiffer = rowsDiffer || rgbAt(s, i, 0) != rgbAt(s, i, 1);
    }
    EXPECT_EQ(colours.size(), size_t(256 - firstDistinct)) << name;
    EXPECT_TRUE(rowsDiffer) << name << ": row 0 must differ from the palette row";
}

int channelDistance(Uint32 a, Uint32 b) {
    int d = 0;
    for (int shift : {0, 8, 16})
        d = std::max(d, std::abs(int((a >> shift) & 255) - int((b >> shift) & 255)));
    return d;
}

TEST_F(Assets, PlasmaPaletteIsDistinctAndWrapsSmoothly) {
    Surface s = load("weinPalette.bmp");
    ASSERT_TRUE(s);
    expectPaletteFile(s.get(), "weinPalette.bmp");
    // The plasma runs through the palette three times: no seam anywhere,
    // including from the last entry back to the first.
    for (int i = 0; i < 256; ++i)
        EXPECT_LE(channelDistance(rgbAt(s.get(), i, 1), rgbAt(s.get(), (i + 1) % 256, 1)), 16)
            << "entries " << i << " and " << (i + 1) % 256;
    // Beside the wine reds, a cool hue against which the red scroller stands
    // out: at least an eighth of the loop clearly bluer than red.
    int cool = 0;
    for (int i = 0; i < 256; ++i) {
        Uint32 c = rgbAt(s.get(), i, 1);
        cool += int(c & 255) >= int(c >> 16 & 255) + 40;
    }
    EXPECT_GE(cool, 32);
}

// The coldest heat values share true black; the hotter ones, which the seed
// and the flames' bodies use, each keep their own colour.
int blackEntries(const SDL_Surface* palette) {
    int n = 0;
    while (n < 256 && rgbAt(palette, n, 1) == 0) {
        ++n;
    }
    return n;
}

TEST_F(Assets, FirePaletteClimbsFromBlackToNearWhite) {
    Surface s = load("firePalette.bmp");
    ASSERT_TRUE(s);
    ASSERT_GE(blackEntries(s.get()), 1);
    expectPaletteFile(s.get(), "firePalette.bmp", blackEntries(s.get()));
    Uint32 top = rgbAt(s.get(), 255, 1);
    EXPECT_GE((top >> 16 & 255) + (top >> 8 & 255) + (top & 255), 660u);
    int lastSum = -1;
    for (int i = 0; i < 256; ++i) {
        Uint32 c = rgbAt(s.get(), i, 1);
        int sum = int((c >> 16 & 255) + (c >> 8 & 255) + (c & 255));
        EXPECT_GE(sum, lastSum) << "entry " << i << " is darker than the one before";
        lastSum = sum;
    }
}

TEST_F(Assets, FirePatternUsesTheFirePaletteAndHasAHotCore) {
    Surface pattern = load("firePattern.bmp"), palette = load("firePalette.bmp");
    ASSERT_TRUE(pattern && palette);
    ASSERT_EQ(pattern->format->BitsPerPixel, 8);
    ASSERT_NE(pattern->format->palette, nullptr);
    ASSERT_GE(pattern->format->palette->ncolors, 256);
    for (int i = 0; i < 256; ++i) {
        const SDL_Color& c = pattern->format->palette->colors[i];
        EXPECT_EQ(Uint32(c.r) << 16 | Uint32(c.g) << 8 | c.b, rgbAt(palette.get(), i, 1))
            << "entry " << i;
    }
    int hot = 0;
    for (int y = 0; y < pattern->h; ++y)
        for (int x = 0; x < pattern->w; ++x) {
            Uint32 v = rawPixel(pattern.get(), x, y);
            bool border = x == 0 || y == 0 || x == pattern->w - 1 || y == pattern->h - 1;
            if (border) {
                EXPECT_EQ(v, 0u) << "border pixel " << x << "," << y;
            }
            hot += v >= 160;
            EXPECT_TRUE(v == 0 || int(v) >= blackEntries(palette.get()))
                << "seed heat " << v << " at " << x << "," << y << " shows as black";
        }
    EXPECT_GE(hot, 40);
    EXPECT_LE(pattern->w, 40);
    EXPECT_LE(pattern->h, 32);
}

// The four flames of the candlestick burn for ten seconds at 60 frames per
// second; wherever the rising heat meets the top or the sides of a flame's
// box, the palette shows it as black, or the box's edge would show.
TEST_F(Assets, FlamesFadeToBlackBeforeTheEdgesOfTheirBoxes) {
    enterSourceTree();
    const float phases[kFlames] = {0.0f, 3.14f, 1.8f, 4.0f};
    const FlamePictures p = loadFlamePictures({"data", nullptr, Kernels::Fast});
    ASSERT_NE(p.palette, nullptr);
    SDL_Surface* flames[kFlames];
    for (SDL_Surface*& flame : flames) {
        flame = createPaletteSurface(40, 128, p.palette.get());
        ASSERT_NE(flame, nullptr);
        SDL_FillRect(flame, nullptr, 0);
    }
    CandleFlameState burning;
    makeOwnSeeds(p, burning, Kernels::Fast);
    for (int frame = 0; frame < 600; ++frame) {
        for (int k = 0; k < kFlames; ++k) {
            nextCandleFrame(p, burning, k, flames[k], 99400 + frame * 1000 / 60, phases[k],
                            Kernels::Fast);
        }
    }
    for (int k = 0; k < kFlames; ++k) {
        for (int y = 0; y < 128; ++y) {
            for (int x = 0; x < 40; ++x) {
                if (y >= 3 && x >= 3 && x < 37) {
                    continue;
                }
                EXPECT_EQ(rgbAt(flames[k], x, y), 0u) << "flame " << k << " at " << x << "," << y;
            }
        }
        SDL_FreeSurface(flames[k]);
    }
}

TEST_F(Assets, FullScreenAndSkyPictures) {
    Surface tree = load("tannenbaum.png");
    ASSERT_TRUE(tree);
    expectPlainRgb(tree.get(), "tannenbaum.png");
    EXPECT_EQ(tree->w, 640);
    EXPECT_EQ(tree->h, 480);
    Surface moon = load("256MOONE.PNG");
    ASSERT_TRUE(moon);
    expectPlainRgb(moon.get(), "256MOONE.PNG");
    EXPECT_LE(moon->w, 280);
    EXPECT_EQ(rgbAt(moon.get(), 0, 0), 0u);
    EXPECT_NE(rgbAt(moon.get(), moon->w / 2, moon->h / 2), 0u);
    for (const char* name : {"litenapanap.png", "flinga0.png", "flinga1.png", "greets.png"}) {
        Surface s = load(name);
        ASSERT_TRUE(s);
        expectPlainRgb(s.get(), name);
        // Colour key 0: the corners are transparent, the middle is not.
        EXPECT_EQ(rgbAt(s.get(), 0, 0), 0u) << name;
        EXPECT_TRUE(anyVisible(s.get(), 0, 0, s->w, s->h)) << name;
    }
    Surface greets = load("greets.png");
    ASSERT_TRUE(greets);
    EXPECT_LE(370 + greets->w, 640);
}

// The mean brightness (0 to 255) and saturation (0 to 1) of the pixels a
// picture shows (those not black).
struct Tone {
    double brightness, saturation;
};

Tone visibleTone(const SDL_Surface* s) {
    double brightness = 0, saturation = 0;
    int n = 0;
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x) {
            Uint32 c = rgbAt(s, x, y);
            int r = c >> 16 & 255, g = c >> 8 & 255, b = c & 255;
            if (c == 0)
                continue;
            int hi = std::max({r, g, b}), lo = std::min({r, g, b});
            brightness += (r + g + b) / 3.0;
            saturation += double(hi - lo) / hi;
            ++n;
        }
    return n ? Tone{brightness / n, saturation / n} : Tone{0, 0};
}

TEST_F(Assets, SantasGrowAndBrightenFromFarToNearOnABlackKey) {
    int lastWidth = 0;
    double lastBrightness = 0;
    for (const char* name : {"tomte0.bmp", "tomte1.bmp", "tomte2.bmp"}) {
        Surface s = load(name);
        ASSERT_TRUE(s);
        EXPECT_EQ(s->format->BitsPerPixel, 24) << name;
        EXPECT_GT(s->w, lastWidth) << name;
        lastWidth = s->w;
        // Farther layers recede into the night: brightness rises towards us.
        EXPECT_GT(visibleTone(s.get()).brightness, lastBrightness * 1.05) << name;
        lastBrightness = visibleTone(s.get()).brightness;
        EXPECT_TRUE(anyVisible(s.get(), 0, 0, s->w, s->h)) << name;
    }
    // The far team is sunk into the night: clearly dimmer and greyer than
    // the near one, not the same team merely smaller.
    Surface far = load("tomte0.bmp"), near = load("tomte2.bmp");
    ASSERT_TRUE(far && near);
    EXPECT_LE(visibleTone(far.get()).brightness, 0.75 * visibleTone(near.get()).brightness);
    EXPECT_LE(visibleTone(far.get()).saturation, 0.6 * visibleTone(near.get()).saturation);
}

// Every colour-keyed sprite keeps two empty pixels round what it shows, so
// nothing of it (an antler, a flake's arm, a nose) is cut flat by its edge.
TEST_F(Assets, SpritesKeepAnEmptyMarginOfTwoPixels) {
    for (const char* name : {"tomte0.bmp", "tomte1.bmp", "tomte2.bmp", "flinga0.png", "flinga1.png",
                             "litenapanap.png", "star.png", "paket0.png", "paket1.png",
                             "tomtebak.png", "tomtewarp0.png", "tomtewarp.png"}) {
        Surface s = load(name);
        ASSERT_TRUE(s);
        EXPECT_FALSE(anyVisible(s.get(), 0, 0, s->w, 2)) << name << ": top";
        EXPECT_FALSE(anyVisible(s.get(), 0, s->h - 2, s->w, 2)) << name << ": bottom";
        EXPECT_FALSE(anyVisible(s.get(), 0, 0, 2, s->h)) << name << ": left";
        EXPECT_FALSE(anyVisible(s.get(), s->w - 2, 0, 2, s->h)) << name << ": right";
    }
}

// Only pure black is the colour key, so whatever is meant as background
// must be pure black: a near-black glow is drawn as a dark halo over the
// stars and gifts that pass behind the sleigh.
TEST_F(Assets, WarpSleighHasNoDarkHalo) {
    for (const char* name : {"tomtewarp0.png", "tomtewarp.png", "tomtebak.png"}) {
        Surface s = load(name);
        ASSERT_TRUE(s);
        int visible = 0, nearBlack = 0;
        for (int y = 0; y < s->h; ++y)
            for (int x = 0; x < s->w; ++x) {
                Uint32 c = rgbAt(s.get(), x, y);
                visible += c != 0;
                nearBlack += c != 0 && std::max({c >> 16 & 255, c >> 8 & 255, c & 255}) < 48;
            }
        EXPECT_LE(nearBlack * 50, visible) << name << ": " << nearBlack << " of " << visible;
    }
}

// Pictures drawn pixel by pixel: RGBA where every pixel is either (0,0,0,0)
// or fully opaque, so a colour key of 0 skips exactly the transparent ones.
void expectHardAlpha(const SDL_Surface* s, const char* name) {
    ASSERT_EQ(s->format->BitsPerPixel, 32) << name;
    ASSERT_NE(s->format->Amask, 0u) << name;
    int opaque = 0;
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x) {
            Uint32 p = argbAt(s, x, y);
            Uint32 a = p >> 24;
            if (a == 0) {
                EXPECT_EQ(p, 0u) << name << " at " << x << "," << y;
            } else {
                EXPECT_EQ(a, 255u) << name << " at " << x << "," << y;
            }
            opaque += a == 255;
        }
    EXPECT_GT(opaque, 0) << name;
}

TEST_F(Assets, PixelDrawnSpritesHaveHardAlpha) {
    for (const char* name : {"star.png", "paket0.png", "paket1.png", "tomtebak.png", "black.png"}) {
        Surface s = load(name);
        ASSERT_TRUE(s);
        expectHardAlpha(s.get(), name);
    }
    // The field draws these at 64 / z of their size: a far object (z = 100)
    // at two thirds, a close one up to 64 times enlarged. The sprinkle draws
    // the star twice as large. Up to 48 pixels the far objects stay small by
    // the vanishing point and the sprinkled stars small beside the caption.
    // The show never draws a sprite's last row and column at its own size or
    // smaller: nothing may be painted there.
    for (const char* name : {"star.png", "paket0.png", "paket1.png"}) {
        Surface s = load(name);
        ASSERT_TRUE(s);
        EXPECT_LE(s->w, 48) << name;
        EXPECT_LE(s->h, 48) << name;
        EXPECT_FALSE(anyVisible(s.get(), 0, s->h - 1, s->w, 1)) << name;
        EXPECT_FALSE(anyVisible(s.get(), s->w - 1, 0, 1, s->h)) << name;
    }
}

// Pictures that are magnified or drawn over the bright moon have hard
// edges: no faint pixel, which would show as a muddy block or a dark fringe.
TEST_F(Assets, MagnifiedAndOverlaidPicturesHaveNoFaintPixels) {
    const std::pair<const char*, Uint32> faintest[] = {{"star.png", 96}, {"020.bmp", 64}};
    for (auto [name, least] : faintest) {
        Surface s = load(name);
        ASSERT_TRUE(s);
        for (int y = 0; y < s->h; ++y)
            for (int x = 0; x < s->w; ++x) {
                Uint32 c = rgbAt(s.get(), x, y);
                Uint32 brightest = std::max({c >> 16 & 255, c >> 8 & 255, c & 255});
                if (c != 0) {
                    ASSERT_GE(brightest, least) << name << " at " << x << "," << y;
                }
            }
    }
}

TEST_F(Assets, GreetingsReadOnBlackInTwoColours) {
    Surface s = load("greets.png");
    ASSERT_TRUE(s);
    // Over the lettering (what is more than a faint rim): bright on average,
    // with the names in red and the notes in a light warm colour.
    double luma = 0;
    int letters = 0, red = 0, light = 0;
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x) {
            Uint32 c = rgbAt(s.get(), x, y);
            int r = c >> 16 & 255, g = c >> 8 & 255, b = c & 255;
            if (std::max({r, g, b}) <= 40)
                continue;
            double l = 0.299 * r + 0.587 * g + 0.114 * b;
            luma += l;
            ++letters;
            red += 2 * g < r;
            light += l > 150 && 4 * g >= 3 * r;
        }
    ASSERT_GT(letters, 0);
    EXPECT_GE(luma / letters, 100);
    EXPECT_GE(red, letters / 8);
    EXPECT_GE(light, letters / 5);
}

TEST_F(Assets, SmallSprinkledStarsKeepTheirCore) {
    Surface s = load("star.png");
    ASSERT_TRUE(s);
    // The sprinkle draws the star at two thirds of its size, sampling every
    // 1.5 pixels. The star's centre (its centre of light) must be among the
    // samples, or the small stars come out without core and arms.
    double sum = 0, sx = 0, sy = 0;
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x) {
            Uint32 c = rgbAt(s.get(), x, y);
            double light = (c >> 16 & 255) + (c >> 8 & 255) + (c & 255);
            sum += light;
            sx += light * x;
            sy += light * y;
        }
    ASSERT_GT(sum, 0);
    auto sampled = [](int size, int i) {
        for (double p = 0; size - 1.5 > p; p += 1.5)
            if (int(p) == i)
                return true;
        return false;
    };
    EXPECT_TRUE(sampled(s->w, int(std::lround(sx / sum))));
    EXPECT_TRUE(sampled(s->h, int(std::lround(sy / sum))));
}

TEST_F(Assets, TheTwoGiftsLookDifferent) {
    Surface a = load("paket0.png"), b = load("paket1.png");
    ASSERT_TRUE(a && b);
    ASSERT_EQ(a->w, b->w);
    ASSERT_EQ(a->h, b->h);
    int differing = 0;
    for (int y = 0; y < a->h; ++y)
        for (int x = 0; x < a->w; ++x)
            differing += rgbAt(a.get(), x, y) != rgbAt(b.get(), x, y);
    EXPECT_GT(differing, a->w * a->h / 3);
}

TEST_F(Assets, BlackErasesExactlyTheZoomingPicture) {
    Surface sleigh = load("tomtebak.png"), eraser = load("black.png");
    ASSERT_TRUE(sleigh && eraser);
    ASSERT_EQ(sleigh->w, eraser->w);
    ASSERT_EQ(sleigh->h, eraser->h);
    EXPECT_LE(sleigh->w, 260);
    for (int y = 0; y < sleigh->h; ++y)
        for (int x = 0; x < sleigh->w; ++x) {
            bool visible = argbAt(sleigh.get(), x, y) >> 24 == 255;
            Uint32 expected = visible ? 0xff000000u : 0u;
            ASSERT_EQ(argbAt(eraser.get(), x, y), expected) << x << "," << y;
            if (visible) {
                ASSERT_NE(argbAt(sleigh.get(), x, y), 0xff000000u)
                    << "pure black in tomtebak at " << x << "," << y;
            }
        }
}

TEST_F(Assets, WarpPicturesShareAWidthAndFitBelowTheCaption) {
    Surface a = load("tomtewarp0.png"), b = load("tomtewarp.png");
    ASSERT_TRUE(a && b);
    expectPlainRgb(a.get(), "tomtewarp0.png");
    expectPlainRgb(b.get(), "tomtewarp.png");
    EXPECT_EQ(a->w, b->w);
    EXPECT_LE(a->w, 640);
    EXPECT_LE(a->h, 230);
    EXPECT_LE(b->h, 230);
}

TEST_F(Assets, CandlesStandRightBelowTheirFlames) {
    Surface s = load("Ljus.gif");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->format->BitsPerPixel, 8);
    // No transparent index: the whole picture, black background included, is drawn.
    EXPECT_EQ(s->flags & SDL_SRCCOLORKEY, 0u);
    const int centre[4] = {37, 117, 195, 275}, top[4] = {98, 76, 56, 34};
    const int flameX[4] = {17, 97, 175, 255}, flameBottom[4] = {98, 76, 56, 34};
    for (int k = 0; k < 4; ++k) {
        EXPECT_NE(rgbAt(s.get(), centre[k], top[k]), 0u) << "candle " << k;
        // Nothing of the picture lies under the flame rectangle.
        for (int y = 0; y < flameBottom[k]; ++y)
            for (int x = flameX[k]; x < flameX[k] + 40; ++x)
                ASSERT_EQ(rgbAt(s.get(), x, y), 0u) << "candle " << k << " at " << x << "," << y;
        // At most 36 pixels wide, just below its top.
        int left = centre[k], right = centre[k];
        while (left > 0 && rgbAt(s.get(), left - 1, top[k] + 4) != 0)
            --left;
        while (right < s->w - 1 && rgbAt(s.get(), right + 1, top[k] + 4) != 0)
            ++right;
        EXPECT_LE(right - left + 1, 36) << "candle " << k;
        EXPECT_LE(std::abs((left + right) / 2 - centre[k]), 1) << "candle " << k;
    }
}

} // namespace

namespace {

double meanBrightness(const SDL_Surface* s) {
    double sum = 0;
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x) {
            Uint32 c = rgbAt(s, x, y);
            sum += (c >> 16 & 255) + (c >> 8 & 255) + (c & 255);
        }
    return sum / (3.0 * s->w * s->h);
}

TEST_F(Assets, EachLetterLightsUpInPlace) {
    for (const char* letter : {"b", "l", "o", "s", "a"}) {
        Surface base = load((std::string(letter) + "g.png").c_str());
        Surface lit = load((std::string(letter) + "f.png").c_str());
        ASSERT_TRUE(base && lit);
        // Same size, so the lit picture covers the base one exactly.
        EXPECT_EQ(base->w, lit->w) << letter;
        EXPECT_EQ(base->h, lit->h) << letter;
        EXPECT_GT(meanBrightness(lit.get()), meanBrightness(base.get()) * 1.2) << letter;
    }
}

TEST_F(Assets, FontGlyphsShareOneBaseline) {
    Surface s = load("020.bmp");
    ASSERT_TRUE(s);
    // a..g sit in row 3 from column 3; the letters without descenders must
    // end on the same pixel row, or the text would wobble.
    auto inkBottom = [&](int col, int row) {
        for (int y = 31; y >= 0; --y)
            if (anyVisible(s.get(), col * 32, row * 32 + y, 32, 1))
                return y;
        return -1;
    };
    int baseline = inkBottom(3, 3); // a
    EXPECT_GT(baseline, 16);
    for (auto [col, row] :
         {std::pair{4, 3}, {5, 3}, {6, 3}, {7, 3}, {0, 4}, {4, 4}, {7, 4}, {5, 5}})
        EXPECT_NEAR(inkBottom(col, row), baseline, 1) << "cell " << col << "," << row;
    // Descenders stay inside their cell.
    EXPECT_GT(inkBottom(9, 3), baseline + 3); // g
    EXPECT_LE(inkBottom(9, 3), 31);
}

TEST_F(Assets, SantasFlyLeftBehindRudolph) {
    // At every size, the far team's 44 pixels too, the bright red nose leads.
    for (const char* name : {"tomte0.bmp", "tomte1.bmp", "tomte2.bmp"}) {
        Surface s = load(name);
        ASSERT_TRUE(s);
        bool noseOnTheLeft = false;
        for (int y = 0; y < s->h; ++y)
            for (int x = 0; x < s->w / 5; ++x) {
                Uint32 c = rgbAt(s.get(), x, y);
                noseOnTheLeft = noseOnTheLeft || ((c >> 16 & 255) > 200 && (c >> 8 & 255) < 100);
            }
        EXPECT_TRUE(noseOnTheLeft) << name;
    }
}

TEST_F(Assets, BankingWarpPictureDiffersFromTheLevelOne) {
    Surface a = load("tomtewarp0.png"), b = load("tomtewarp.png");
    ASSERT_TRUE(a && b);
    ASSERT_EQ(a->h, b->h);
    int differing = 0;
    for (int y = 0; y < a->h; ++y)
        for (int x = 0; x < a->w; ++x)
            differing += rgbAt(a.get(), x, y) != rgbAt(b.get(), x, y);
    EXPECT_GT(differing, a->w * a->h / 10);
}

TEST_F(Assets, CandlesReachDownToTheTray) {
    Surface s = load("Ljus.gif");
    ASSERT_TRUE(s);
    const int centre[4] = {37, 117, 195, 275}, top[4] = {98, 76, 56, 34};
    for (int k = 0; k < 4; ++k) {
        for (int y = top[k]; y < 180; ++y)
            ASSERT_NE(rgbAt(s.get(), centre[k], y), 0u) << "candle " << k << " broken at " << y;
        // Below the flame's warm light, the wax is crimson from its lit side
        // into the shadow: never brown or olive.
        for (int y = top[k] + 30; y < 170; ++y)
            for (int x = centre[k] - 13; x <= centre[k] + 13; ++x) {
                Uint32 c = rgbAt(s.get(), x, y);
                Uint32 r = c >> 16 & 255, g = c >> 8 & 255, b = c & 255;
                ASSERT_TRUE(2 * g <= r && b <= r) << "candle " << k << " at " << x << "," << y;
            }
    }
    // The greenery ends inside the picture instead of being cut at its sides.
    EXPECT_FALSE(anyVisible(s.get(), 0, 0, 1, s->h));
    EXPECT_FALSE(anyVisible(s.get(), s->w - 1, 0, 1, s->h));
}

} // namespace

namespace {

// The full stop is a small point on the baseline and the comma matches it,
// so "software." and "warpspeed," do not end in blocks.
TEST_F(Assets, FullStopAndCommaAreSmallMarks) {
    Surface s = load("020.bmp");
    ASSERT_TRUE(s);
    auto inkSize = [&](int col, int row) {
        int left = 32, right = -1, top = 32, bottom = -1;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if (rgbAt(s.get(), col * 32 + x, row * 32 + y) != 0) {
                    left = std::min(left, x), right = std::max(right, x);
                    top = std::min(top, y), bottom = std::max(bottom, y);
                }
        return std::pair{right - left + 1, bottom - top + 1};
    };
    auto [stopW, stopH] = inkSize(4, 1);
    auto [commaW, commaH] = inkSize(2, 1);
    EXPECT_GE(stopW, 3);
    EXPECT_LE(stopW, 6);
    EXPECT_GE(stopH, 3);
    EXPECT_LE(stopH, 6);
    EXPECT_LE(commaW, stopW + 1);
    EXPECT_GT(commaH, stopH);
    EXPECT_LE(commaH, 2 * stopH);
}

TEST_F(Assets, TallGlyphsAreNotCutByTheirCell) {
    Surface s = load("020.bmp");
    ASSERT_TRUE(s);
    // The top row of l, ! and the ring of å, and the bottom row of g, j, p, q,
    // y stay empty: glyphs that touch a cell edge have been clipped.
    for (auto [col, row] : {std::pair{4, 4}, {1, 0}, {0, 3}, {2, 4}})
        EXPECT_FALSE(anyVisible(s.get(), col * 32, row * 32, 32, 1))
            << "cell " << col << "," << row;
    for (auto [col, row] : {std::pair{9, 3}, {2, 4}, {8, 4}, {9, 4}, {7, 5}})
        EXPECT_FALSE(anyVisible(s.get(), col * 32, row * 32 + 31, 32, 1))
            << "cell " << col << "," << row;
}

} // namespace

namespace {

TEST_F(Assets, SparklerHandleLooksTheSameBurntAndUnburnt) {
    Surface unburnt = load("tb.png"), burnt = load("tbub.png");
    ASSERT_TRUE(unburnt && burnt);
    // The last sparks die 200 rows up the stick (16 s at one row per 80 ms);
    // above that the unburnt strip keeps shrinking over the burnt picture,
    // which must then show exactly the same handle.
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(rgbAt(unburnt.get(), x, y), rgbAt(burnt.get(), x, y)) << x << "," << y;
    // And below it the burnt stick really looks burnt.
    int differing = 0;
    for (int y = 120; y < 320; ++y)
        for (int x = 0; x < 20; ++x)
            differing += rgbAt(unburnt.get(), x, y) != rgbAt(burnt.get(), x, y);
    EXPECT_GT(differing, 200 * 4);
}

} // namespace
