// Whole frames of the show's opening, rendered without data so that only the
// sparks draw, compared bit for bit with known hashes.
#include "drivers/show_lines.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

TEST(KnownAnswersFirstHalf, LetterIntroAndSparklerWithoutData) {
    ScratchFolder folder;
    SDL_Surface* screen = makeScreenSurface(640, 480);
    const std::unique_ptr<ShowAssets> assets = loadShowAssets("data", screen);
    // The show's console lines, as it says them.
    char* said = nullptr;
    size_t saidBytes = 0;
    FILE* sayings = open_memstream(&said, &saidBytes);
    ClockedShow show({0, 0, 60}, *assets, 1);
    show.show().console = sayings;
    ShowPlatform unseen;
    std::vector<std::string> frames;
    for (int n = 1; n <= 1000; ++n) {
        show.stepFrame(screen, unseen);
        frames.push_back(hashLine(show.frame(), show.lastMs(), show.scene(), hashFrame(screen)));
    }
    fclose(sayings);
    const std::string console = said;
    free(said);
    SDL_FreeSurface(screen);

    // Without pictures the letter intro draws nothing for its 9.3 seconds.
    const std::string blank = "hash f318e0e2f9b92325";
    EXPECT_EQ(frames[0], "frame 1 time 2000 scene 0 " + blank);
    EXPECT_EQ(frames[558], "frame 559 time 11300 scene 0 " + blank);
    for (int i = 0; i < 559; ++i) {
        ASSERT_NE(frames[i].find(" scene 0 " + blank), std::string::npos) << frames[i];
    }

    EXPECT_EQ(frames[559], "frame 560 time 11316 scene 1 hash 2c9f5eecb6a08e2b");
    EXPECT_EQ(frames[560], "frame 561 time 11333 scene 1 hash 786fee0efb86abc0");
    EXPECT_EQ(frames[599], "frame 600 time 11983 scene 1 hash d90e25d19645f09d");
    EXPECT_EQ(frames[999], "frame 1000 time 18650 scene 1 hash 3504522554574ee8");

    // Both stick pictures are reported missing, once, when the sparkler
    // begins.
    EXPECT_EQ(console, "blota!!\nblota brunnit!!\n");
}
