#include "gfx/font.h"
#include "gfx/random.h"
#include "gfx/toolkit.h"
#include "scenes/scenes.h"
#include "scenes/sky_test_support.h"
#include "shell/frame_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

constexpr Uint32 kMoon = 0x00707080, kPicture = 0x00e0a040, kText = 0x00ff2020;
constexpr Uint32 kSanta = 0x00a00000, kJunk = 0x00ffffff;

class MoonlitSky : public testing::Test {
  protected:
    void SetUp() override { fillSintab(); }
    void TearDown() override { SDL_FreeSurface(screen); }

    // Draws one frame on a screen full of junk; returns what the scene reports.
    int frame(Uint32 elapsed, bool begins = false) {
        SDL_FillRect(screen, nullptr, kJunk);
        return tomteEffekt(p, s, shown.at(screen, elapsed, begins));
    }

    ScratchFolder folder;
    MoonlitSkyPictures p;
    MoonlitSkyState s;
    TestFrame shown;
    ShowRandom& random = shown.random;
    SDL_Surface* screen = makeScreenSurface(640, 480);
};

TEST_F(MoonlitSky, FirstFrameStartsSantasThenSnowAndAnnouncesOnce) {
    const std::vector<int> r = randomNumbers(21, 207);
    random.srand(21);
    StdoutCapture console;
    EXPECT_EQ(frame(0, true), 0);
    EXPECT_EQ(s.santas.py0[0], (float)(r[1] % 480));
    EXPECT_EQ(s.snow.py0[0], (float)((double)(r[77] % 480) + 0.2));
    EXPECT_EQ(s.snow.py1[4], (float)((double)(r[205] % 480) + 0.4));
    EXPECT_EQ(random.rand(), r[206]);
    frame(16);
    EXPECT_EQ(console.finish(), "tomten har kommit\n");
    // Without any picture the sky is plain black.
    for (Uint32 word : allWords(screen)) {
        ASSERT_EQ(word, 0u);
    }
}

// The second picture, the bobbing and the text come together at 7500 ms of
// the scene's own time; the scene is over from 15001 ms on.
TEST_F(MoonlitSky, PhasesFollowTheScenesOwnClock) {
    std::filesystem::create_directory("data");
    SDL_Surface* moon = makeSolidSurface(256, 256, kMoon);
    SDL_Surface* picture = makeSolidSurface(60, 40, kPicture);
    SDL_Rect border[] = {{0, 0, 60, 2}, {0, 38, 60, 2}};
    for (SDL_Rect& rows : border) {
        SDL_FillRect(picture, &rows, 0); // black: the moon shows through
    }
    writePng(moon, "data/256MOONE.PNG");
    writePng(picture, "data/litenapanap.png");
    SDL_FreeSurface(moon);
    SDL_FreeSurface(picture);
    p = loadMoonlitSkyPictures({"data", screen, Kernels::Fast});
    p.santas.tomte0 = keyedOnBlack(makeSolidSurface(8, 6, kSanta), screen);
    fillFontstr(shown.font);
    shown.font.surface.reset(makeSolidSurface(320, 192, kText));
    shown.console = nullptr;

    EXPECT_EQ(frame(0, true), 0);
    SantaFieldState& field = s.santas;
    std::fill(field.px0, field.px0 + 25, 10000.0f);
    std::fill(field.px1, field.px1 + 10, 10000.0f);
    std::fill(field.px2, field.px2 + 3, 10000.0f);
    field.px0[0] = 56.7f; // drawn at 56 twice: a quarter turn of bobbing
    field.py0[0] = 300.0f;

    EXPECT_EQ(frame(7499), 0);
    EXPECT_EQ(boxOf(screen, kMoon), (Box{360, 10, 615, 265}));
    EXPECT_EQ(wordAt(screen, 450, 150), kMoon);
    EXPECT_EQ(wordAt(screen, 60, 60), 0u);
    EXPECT_EQ(boxOf(screen, kSanta), (Box{56, 300, 63, 305}));

    EXPECT_EQ(frame(7500), 0);
    EXPECT_EQ(boxOf(screen, kPicture), (Box{420, 132, 479, 167}));
    EXPECT_EQ(wordAt(screen, 420, 130), kMoon); // the colour key
    EXPECT_EQ(boxOf(screen, kText), (Box{50, 50, 497, 81}));
    EXPECT_EQ(boxOf(screen, kSanta), (Box{56, 309, 63, 314}));
    EXPECT_EQ(wordAt(screen, 5, 400), 0u);

    EXPECT_EQ(frame(15000), 0);
    EXPECT_EQ(frame(15001), 1);
    EXPECT_EQ(boxOf(screen, kText), (Box{50, 50, 497, 81}));
}

} // namespace
