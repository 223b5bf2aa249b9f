#include "scenes/scenes.h"

#include "shell/frame_files.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr Uint32 kOld = 0x123456; // what the plasma left on the screen
constexpr Uint32 kTree = 0x00cc00;

} // namespace

// Drawn at the top left from 0 to 1999 ms over what is already there; the
// frame at 2000 ms draws nothing and finishes.
TEST(Tannenbaum, ShowsTheTreeForTwoSecondsOverTheLastFrame) {
    ScratchFolder folder;
    ASSERT_TRUE(std::filesystem::create_directory("data"));
    SDL_Surface* tree = makeSolidSurface(100, 80, kTree);
    ASSERT_TRUE(writePng(tree, "data/tannenbaum.png"));
    SDL_FreeSurface(tree);
    SDL_Surface* screen = makeSolidSurface(640, 480, kOld);
    const TreePictures p = loadTreePictures({"data", screen, Kernels::Fast});
    TestFrame frame;

    EXPECT_EQ(tannenbaum(p, frame.at(screen, 0, true)), 0);
    EXPECT_EQ(wordAt(screen, 0, 0), kTree);
    EXPECT_EQ(wordAt(screen, 99, 79), kTree);
    EXPECT_EQ(wordAt(screen, 100, 0), kOld);
    EXPECT_EQ(wordAt(screen, 0, 80), kOld);

    SDL_FillRect(screen, nullptr, kOld);
    EXPECT_EQ(tannenbaum(p, frame.at(screen, 1999)), 0);
    EXPECT_EQ(wordAt(screen, 0, 0), kTree);

    SDL_FillRect(screen, nullptr, kOld);
    EXPECT_EQ(tannenbaum(p, frame.at(screen, 2000)), 1);
    EXPECT_EQ(wordAt(screen, 0, 0), kOld);
    SDL_FreeSurface(screen);
}

TEST(Tannenbaum, WithoutThePictureKeepsTheTwoSecondsAndDrawsNothing) {
    ScratchFolder folder;
    const TreePictures p = loadTreePictures({"data", nullptr, Kernels::Fast});
    EXPECT_EQ(p.baum, nullptr);
    SDL_Surface* screen = makeSolidSurface(640, 480, kOld);
    TestFrame frame;
    EXPECT_EQ(tannenbaum(p, frame.at(screen, 0, true)), 0);
    EXPECT_EQ(tannenbaum(p, frame.at(screen, 1999)), 0);
    EXPECT_EQ(tannenbaum(p, frame.at(screen, 2000)), 1);
    for (Uint32 word : allWords(screen)) {
        ASSERT_EQ(word, kOld);
    }
    SDL_FreeSurface(screen);
}
