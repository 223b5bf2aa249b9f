#include "support/fixtures.h"

#include <gtest/gtest.h>

// Without data only the speed lines and the flash are drawn. These frames
// depend on every earlier scene: their durations set when the warp starts
// and all of them draw from the one random sequence.
TEST(KnownAnswersWarp, SpeedLinesAndFlashWithoutData) {
    ScratchFolder folder;
    const std::vector<std::string> run =
        hashLinesAt(*loadShowAssets("data", nullptr), {0, 0, 60}, 1, {5150, 5300});
    EXPECT_EQ(run[0], "frame 5150 time 87816 scene 6 hash e9e11ae70fc3fe7a");
    EXPECT_EQ(run[1], "frame 5300 time 90316 scene 6 hash 4a3c6cbb28ce66d5");
}
