#include "scenes/scenes.h"

#include "shell/frame_files.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr Uint32 kOld = 0x123456; // what the plasma left on the screen
constexpr Uint32 kTree = 0x00cc00;

void fillScreen(SDL_Surface* screen) {
    SDL_FillRect(screen, nullptr, kOld);
}

} // namespace

// Drawn at the top left from 0 to 1999 ms over what is already there; the
// frame at 2000 ms draws nothing and finishes.
TEST(Tannenbaum, ShowsTheTreeForTwoSecondsOverTheLastFrame) {
    ScratchFolder folder;
    ASSERT_TRUE(std::filesystem::create_directory("data"));
    SDL_Surface* tree = makeScreenSurface(100, 80);
    SDL_FillRect(tree, nullptr, kTree);
    ASSERT_TRUE(writePng(tree, "data/tannenbaum.png"));
    SDL_FreeSurface(tree);
    TreeState s;
    SDL_Surface* screen = makeScreenSurface(640, 480);

    fillScreen(screen);
    EXPECT_EQ(tannenbaum(s, screen, 50000), 0);
    EXPECT_EQ(s.stime, 50000u);
    EXPECT_EQ(wordAt(screen, 0, 0), kTree);
    EXPECT_EQ(wordAt(screen, 99, 79), kTree);
    EXPECT_EQ(wordAt(screen, 100, 0), kOld);
    EXPECT_EQ(wordAt(screen, 0, 80), kOld);

    fillScreen(screen);
    EXPECT_EQ(tannenbaum(s, screen, 51999), 0);
    EXPECT_EQ(wordAt(screen, 0, 0), kTree);

    fillScreen(screen);
    EXPECT_EQ(tannenbaum(s, screen, 52000), 1);
    EXPECT_EQ(wordAt(screen, 0, 0), kOld);
    SDL_FreeSurface(screen);
}

TEST(Tannenbaum, WithoutThePictureKeepsTheTwoSecondsAndDrawsNothing) {
    ScratchFolder folder;
    TreeState s;
    SDL_Surface* screen = makeScreenSurface(640, 480);
    fillScreen(screen);
    // The elapsed time is unsigned: it wraps with the demo time.
    const Uint32 start = 0xfffffff0u;
    EXPECT_EQ(tannenbaum(s, screen, start), 0);
    EXPECT_EQ(s.baum, nullptr);
    EXPECT_EQ(tannenbaum(s, screen, start + 1999), 0);
    EXPECT_EQ(tannenbaum(s, screen, start + 2000), 1);
    for (Uint32 word : allWords(screen)) {
        ASSERT_EQ(word, kOld);
    }
    SDL_FreeSurface(screen);
}
