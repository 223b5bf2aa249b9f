#include "scenes/plasma_field.h"
#include "scenes/show.h"

#include "gfx/font.h"
#include "gfx/random.h"
#include "gfx/toolkit.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr Uint32 kWhite = 0xffffff;

std::vector<Uint8> field(float b, const int attx[3], const int atty[3]) {
    std::vector<Uint8> pixels(kPlasmaWidth * kPlasmaHeight, 0xee);
    drawPlasmaField(pixels.data(), b, attx, atty);
    return pixels;
}

Uint8 at(const std::vector<Uint8>& pixels, int x, int y) {
    return pixels[y * kPlasmaWidth + x];
}

// FNV-1a over the bytes.
Uint64 fingerprint(const std::vector<Uint8>& pixels) {
    Uint64 hash = 14695981039346656037ull;
    for (Uint8 byte : pixels) {
        hash = (hash ^ byte) * 1099511628211ull;
    }
    return hash;
}

void setAllSines(float value) {
    for (float& entry : sintab) {
        entry = value;
    }
}

// A 256 x 2 palette bitmap whose row 1 holds colour i = (i, 255 - i, 0x40).
void savePalette(const char* path) {
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 256, 2, 24, 0xff0000, 0xff00, 0xff, 0);
    SDL_FillRect(s, nullptr, 0x777777);
    for (int i = 0; i < 256; ++i) {
        SDL_Rect pixel = {(Sint16)i, 1, 1, 1};
        SDL_FillRect(s, &pixel, (Uint32)i << 16 | (Uint32)(255 - i) << 8 | 0x40);
    }
    ASSERT_EQ(SDL_SaveBMP(s, path), 0);
    SDL_FreeSurface(s);
}

std::string scrollerText() {
    return "feel the snolk" + std::string(11, ' ') + "coke? coffee? tea?" + std::string(3, ' ') +
           "no!! snolk is the superior dryck at juletid";
}

} // namespace

TEST(PlasmaField, ByteIsTheLowEightBitsOfTheWaveSumScaled) {
    const int attx[3] = {100, 300, 500};
    const int atty[3] = {50, 200, 470};
    // Every table entry the same, so s is three times it wherever the rings are.
    const std::pair<float, int> cases[] = {
        {0.0f, 128},  {1.0f / 6, 192}, {-1.0f / 6, 64}, {1.0f / 3, 0}, {-1.0f / 3, 0},
        {0.25f, 224}, {-0.25f, 32},    {-1.0f, 0},      {0.999f, 255}, // v = 767, the top of the
                                                                       // range
    };
    for (const auto& [value, expected] : cases) {
        SCOPED_TRACE(value);
        setAllSines(value);
        const std::vector<Uint8> pixels = field(0.3f, attx, atty);
        EXPECT_EQ(at(pixels, 0, 0), expected);
        EXPECT_EQ(at(pixels, 639, 439), expected);
        EXPECT_EQ(fingerprint(pixels), fingerprint(std::vector<Uint8>(pixels.size(), expected)));
    }
    fillSintab();
}

// With b = -0.5 the phase is -45: pixels a little nearer than 45 to the
// centres get small negative indexes.
TEST(PlasmaField, IndexTruncatesTowardZeroAndWrapsNegativeIntoTheTable) {
    setAllSines(0.0f);
    sintab[255] = 0.25f;  // three of them: 224
    sintab[0] = -0.25f;   // 32
    sintab[254] = 0.5f;   // 64
    sintab[1] = 1.0f / 6; // 192
    const int centre[3] = {0, 0, 0};
    const std::vector<Uint8> pixels = field(-0.5f, centre, centre);
    EXPECT_EQ(at(pixels, 43, 6), 224); // d = 43.42: j = -1, index 255
    EXPECT_EQ(at(pixels, 44, 3), 32);  // d = 44.10: -0.9 truncates to 0
    EXPECT_EQ(at(pixels, 43, 0), 64);  // d = 43: j = -2, index 254
    EXPECT_EQ(at(pixels, 46, 0), 192); // d = 46: j = 1
    EXPECT_EQ(at(pixels, 0, 0), 128);  // j = -45, index 211
    fillSintab();
}

// The bytes of two frames, pinned (a separate model of the arithmetic in
// another language gives the same): the reference any faster plasma must
// match. One centre lies below the plasma's 440 rows and still shapes it.
TEST(PlasmaField, ReferenceFramesArePinned) {
    fillSintab();
    const int attx[3] = {399, 12, 631};
    const int atty[3] = {219, 475, 3};
    EXPECT_EQ(fingerprint(field(sintab[32], attx, atty)), 6568278654247317461ull);
    EXPECT_EQ(fingerprint(field(sintab[160], attx, atty)), 5709864386852290044ull);
}

// A 640 x 480 screen, the plasma surface left out (its own tests are above),
// and a font sheet that is white in every cell.
class PlasmaTest : public testing::Test {
  protected:
    void SetUp() override {
        fillSintab();
        fillFontstr(frame.font);
        frame.font.surface.reset(makeSolidSurface(320, 192, kWhite));
        screen = makeSolidSurface(640, 480, 0x123456);
    }

    void TearDown() override { SDL_FreeSurface(screen); }

    int frameAt(Uint32 elapsed, int frameCounter = 1000) {
        frame.frameCounter = frameCounter;
        return plasma(t, s, frame.at(screen, elapsed));
    }

    // Whether screen column x shows text in the glyph rows 4 ... 35 and only
    // there in the strip.
    bool textAt(int x) {
        EXPECT_EQ(wordAt(screen, x, 3), 0u);
        EXPECT_EQ(wordAt(screen, x, 36), 0u);
        EXPECT_EQ(wordAt(screen, x, 35), wordAt(screen, x, 4));
        return wordAt(screen, x, 4) == kWhite;
    }

    PlasmaTables t;
    PlasmaState s;
    TestFrame frame;
    SDL_Surface* screen = nullptr;
};

TEST_F(PlasmaTest, ScrollerTextIs89Characters) {
    EXPECT_EQ(std::string(s.scroller), scrollerText());
    EXPECT_EQ(scrollerText().size(), 89u);
}

TEST_F(PlasmaTest, TextStandsForFourSecondsThenMovesTenPixelsPerFrame) {
    EXPECT_EQ(frameAt(0), 0);
    EXPECT_EQ(s.scrollerx, 10);
    EXPECT_FALSE(textAt(9));
    EXPECT_TRUE(textAt(10));
    EXPECT_EQ(wordAt(screen, 5, 0), 0u);
    EXPECT_EQ(wordAt(screen, 5, 39), 0u);

    frameAt(4000);
    EXPECT_EQ(s.scrollerx, 10);
    frameAt(4001);
    EXPECT_EQ(s.scrollerx, 0);
    EXPECT_TRUE(textAt(0));
    frameAt(4002);
    EXPECT_EQ(s.scrollerx, -10);
}

TEST_F(PlasmaTest, LastGlyphLeavesAtMinus2848AndTheStripStaysBlack) {
    s.scrollerx = -2837;
    frameAt(20000);
    EXPECT_EQ(s.scrollerx, -2847);
    EXPECT_TRUE(textAt(0)); // the last column of the d
    EXPECT_FALSE(textAt(1));

    frameAt(20016);
    EXPECT_EQ(s.scrollerx, -2857);
    EXPECT_FALSE(textAt(0));

    // Far beyond, the 16-bit glyph positions must not bring the text back.
    s.scrollerx = -65526;
    frameAt(20032);
    EXPECT_EQ(s.scrollerx, -65536);
    for (int x = 0; x < 640; ++x) {
        ASSERT_FALSE(textAt(x)) << x;
    }
}

TEST_F(PlasmaTest, FinishesOnlyAfter28000msDrawingTheLastFrame) {
    EXPECT_EQ(frameAt(28000), 0);
    const int before = s.scrollerx;
    EXPECT_EQ(frameAt(28001), 1);
    EXPECT_EQ(s.scrollerx, before - 10);
}

TEST_F(PlasmaTest, CentreZeroCirclesWithTheFrameCounter) {
    struct Case {
        int frame;
        int x;
        int y;
    };
    const Case cases[] = {
        {0, 320, 300},          {32 * 37, 320, 300},
        {8, 399, 219},                                  // truncated, not rounded to (400, 220)
        {32 * 5 + 8, 399, 219}, {0x10000008, 399, 219}, // 8 x frame passes 2^31
        {0x7fffffe8, 399, 219},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frame);
        frameAt(100, c.frame);
        EXPECT_EQ(s.attx[0], c.x);
        EXPECT_EQ(s.atty[0], c.y);
    }
}

// The palette is read ahead and the show's surface made with it; the first
// frame places the centres with six random numbers (x, y, x, y, x, y), and
// the plasma lands under the strip through that palette, the same with the
// cycle of the fast kernels as with the plain loop.
TEST(Plasma, FirstFramePlacesTheCentresAndDrawsThroughThePaletteReadAhead) {
    ScratchFolder folder;
    ASSERT_TRUE(std::filesystem::create_directory("data"));
    savePalette("data/weinPalette.bmp");
    fillSintab();
    ShowRandom random(4242);
    int draws[7];
    for (int& r : draws) {
        r = random.rand();
    }
    for (Kernels kernels : {Kernels::Fast, Kernels::Literal}) {
        SCOPED_TRACE(kernels == Kernels::Fast ? "fast" : "literal");
        const PlasmaTables t = loadPlasmaTables({"data", nullptr, kernels});
        EXPECT_EQ(t.cycle != nullptr, kernels == Kernels::Fast);
        PlasmaState s;
        s.plasma.reset(createPlasmaSurface(t));
        ASSERT_NE(s.plasma, nullptr);
        EXPECT_EQ(s.plasma.get()->pitch, 640);
        TestFrame frame;
        frame.random.srand(4242);
        frame.kernels = kernels;
        frame.frameCounter = 0x30000010; // 4 x frame passes 2^31
        SDL_Surface* screen = makeSolidSurface(640, 480, 0x123456);

        EXPECT_EQ(plasma(t, s, frame.at(screen, 0, true)), 0);
        EXPECT_EQ(s.scrollerx, 10);
        EXPECT_EQ(s.attx[1], draws[2] % 640);
        EXPECT_EQ(s.atty[1], draws[3] % 480);
        EXPECT_EQ(s.attx[2], draws[4] % 640);
        EXPECT_EQ(s.atty[2], draws[5] % 480);
        EXPECT_EQ(frame.random.rand(), draws[6]);

        const std::vector<Uint8> pixels = field(sintab[64], s.attx, s.atty);
        for (int y = 0; y < kPlasmaHeight; ++y) {
            for (int x = 0; x < kPlasmaWidth; ++x) {
                const Uint32 i = at(pixels, x, y);
                ASSERT_EQ(wordAt(screen, x, 40 + y), i << 16 | (255 - i) << 8 | 0x40)
                    << x << "," << y;
            }
        }
        EXPECT_EQ(wordAt(screen, 320, 39), 0u);
        SDL_FreeSurface(screen);
    }
}

TEST(Plasma, WithEveryFileMissingKeepsTheTimingAndDrawsBlack) {
    ScratchFolder folder;
    fillSintab();
    const PlasmaTables t = loadPlasmaTables({"data", nullptr, Kernels::Fast});
    EXPECT_EQ(t.palette, nullptr);
    PlasmaState s;
    s.plasma.reset(createPlasmaSurface(t));
    TestFrame frame;
    frame.frameCounter = 500;
    SDL_Surface* screen = makeSolidSurface(640, 480, 0x123456);
    for (Uint32 elapsed = 0; elapsed <= 28000; elapsed += 1000) {
        ++frame.frameCounter;
        ASSERT_EQ(plasma(t, s, frame.at(screen, elapsed, elapsed == 0)), 0) << elapsed;
    }
    ++frame.frameCounter;
    EXPECT_EQ(plasma(t, s, frame.at(screen, 28001)), 1);
    for (Uint32 word : allWords(screen)) {
        ASSERT_EQ(word, 0u);
    }
    SDL_FreeSurface(screen);
}
