// Golden frames: the hashes of three frames of every scene, drawn with the
// committed data files at seed 1 and 60 frames a second, pinned in
// golden_frames.txt. Any change to what a frame shows, in the code or in the
// data, fails here. When the art changes on purpose, `make golden` (which
// `make assets` runs) writes the table anew: it runs this test with
// SNOLK_RENEW_GOLDEN=1.
#include "drivers/virtual_clock.h"
#include "scenes/show_assets.h"

#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kTable = std::string(SNOLK_SOURCE_DIR) + "/tests/data/golden_frames.txt";

// The first frame of each scene, one in its middle and its last (for the
// last scene, the whole show's last).
std::set<int64_t> goldenFrames(const VirtualClock& clock) {
    std::set<int64_t> frames;
    for (int k = 0; k < kSceneCount; ++k) {
        const int64_t first = firstFrameOfScene(kTimeline, 0, k, clock.fps, clock.firstFrameMs());
        const int64_t end =
            k < kLastScene ? firstFrameOfScene(kTimeline, 0, k + 1, clock.fps, clock.firstFrameMs())
                           : clock.wholeShowFrames() + 1;
        frames.insert({first, (first + end) / 2, end - 1});
    }
    return frames;
}

// The hash lines of those frames, drawn in this process.
std::vector<std::string> drawnLines() {
    enterSourceTree();
    const VirtualClock clock{0, 0, 60};
    const std::set<int64_t> wanted = goldenFrames(clock);
    const std::unique_ptr<ShowAssets> assets = loadShowAssets("data", nullptr);
    return hashLinesAt(*assets, clock, 1, wanted);
}

std::vector<std::string> pinnedLines() {
    std::ifstream in(kTable);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] != '#') {
            lines.push_back(line);
        }
    }
    return lines;
}

} // namespace

TEST(GoldenFrames, ThreeFramesOfEverySceneLookAsPinned) {
    const std::vector<std::string> drawn = drawnLines();
    if (getenv("SNOLK_RENEW_GOLDEN") != nullptr) {
        std::ofstream out(kTable);
        out << "# Three frames of every scene with the committed data, seed 1, 60 fps.\n"
               "# Written by `make golden`; see tests/data/golden_frames_test.cpp.\n";
        for (const std::string& line : drawn) {
            out << line << "\n";
        }
        GTEST_SKIP() << "wrote " << kTable;
    }
    const std::vector<std::string> pinned = pinnedLines();
    ASSERT_EQ(drawn.size(), pinned.size()) << "renew the table with `make golden`";
    for (size_t i = 0; i < drawn.size(); ++i) {
        EXPECT_EQ(drawn[i], pinned[i])
            << "if the data changed on purpose, renew the table with `make golden`";
    }
}
