// The live show's moves, checked against straight runs drawn in the same
// process: a seek lands on the very frame the renderer draws there and goes
// on exactly as the run does, forward and back a frame at a time; a scene
// key shows its scene at once, as -scene begins it; and the frame rate
// counts only the frames drawn while the show plays.
#include "drivers/live_show.h"
#include "drivers/show_lines.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

namespace {

// The hash of a hash line.
std::string hashIn(const std::string& line) {
    return line.substr(line.rfind(' ') + 1);
}

std::string screenHash(const SDL_Surface* screen) {
    const std::string line = hashLine(0, 0, 0, hashFrame(screen));
    return line.substr(line.rfind(' ') + 1);
}

struct SeekCase {
    const char* data; // the data folder, relative to the source tree
    unsigned seed;
    int64_t startSeconds;
};

void PrintTo(const SeekCase& c, std::ostream* out) {
    *out << c.data << " seed " << c.seed << " start " << c.startSeconds;
}

class Seeking : public testing::TestWithParam<SeekCase> {};

// Moments all over the show, the same on every run: after each seek the
// frame shown and the two after it are the run's, and a step back gives the
// one before again. Without data nothing clears the screen in some scenes,
// so what a frame leaves behind is part of what a seek must restore.
TEST_P(Seeking, AnyMomentGivesTheFramesOfAStraightRun) {
    enterSourceTree();
    const SeekCase c = GetParam();
    SDL_Surface* screen = makeScreenSurface(640, 480);
    const std::unique_ptr<ShowAssets> assets = loadShowAssets(c.data, screen);
    const VirtualClock clock{0, c.startSeconds, 60};
    std::mt19937 moments(c.seed);
    std::uniform_int_distribution<int64_t> frameAt(1, clock.wholeShowFrames() - 2);
    std::vector<int64_t> seeks;
    std::set<int64_t> shown;
    for (int k = 0; k < 12; ++k) {
        seeks.push_back(frameAt(moments));
        shown.insert({seeks.back(), seeks.back() + 1, seeks.back() + 2});
    }
    std::map<int64_t, std::string> run;
    for (const std::string& line : hashLinesAt(*assets, clock, c.seed, shown)) {
        run[std::stoll(line.substr(6))] = line;
    }

    LiveShow live(*assets, 0, c.seed, (Uint32)(c.startSeconds * 1000));
    live.setPaused(true);
    ShowPlatform unseen;
    for (size_t k = 0; k < seeks.size(); ++k) {
        // Half of them before the index has been built that far.
        if (k == seeks.size() / 2) {
            live.prepareSeeking(screen, [] { return true; });
        }
        const int64_t n = seeks[k];
        const int64_t trackMs = clock.frameMs(n) - 1000 * c.startSeconds;
        // Any moment since the frame before lands on frame n.
        const Uint32 landed = live.seekTo(trackMs - (n > 1 ? 5 : 0), screen, unseen);
        ASSERT_EQ(landed, (Uint32)trackMs) << "frame " << n;
        ASSERT_EQ(screenHash(screen), hashIn(run[n])) << "seek to frame " << n;
        live.stepOneFrame(1, screen, unseen);
        ASSERT_EQ(screenHash(screen), hashIn(run[n + 1])) << "a frame on from " << n;
        live.stepOneFrame(1, screen, unseen);
        ASSERT_EQ(screenHash(screen), hashIn(run[n + 2])) << "two frames on from " << n;
        live.stepOneFrame(-1, screen, unseen);
        ASSERT_EQ(screenHash(screen), hashIn(run[n + 1])) << "a frame back to " << n + 1;
        EXPECT_EQ(live.scene(), run[n + 1][run[n + 1].find("scene ") + 6] - '0');
    }
    SDL_FreeSurface(screen);
}

INSTANTIATE_TEST_SUITE_P(Show, Seeking,
                         testing::Values(SeekCase{"data", 1, 0}, SeekCase{"data", 12345, 3},
                                         SeekCase{"no-such-folder", 7, 0}));

// A scene key: the scene's first frame at once, exactly the first frame of
// a show begun with -scene at that scene, the music at the scene's place.
TEST(LiveShowMoves, ASceneKeyShowsItsSceneAtOnceAsSceneBeginsIt) {
    enterSourceTree();
    SDL_Surface* screen = makeScreenSurface(640, 480);
    const std::unique_ptr<ShowAssets> assets = loadShowAssets("data", screen);
    LiveShow live(*assets, 0, 99, 0);
    ShowPlatform unseen;
    // The letters never clear the screen: they begin on black after a jump
    // too.
    for (int scene : {3, 6, 0, 1}) {
        const Uint32 trackMs = live.jumpTo(scene, screen);
        EXPECT_EQ(trackMs, kTimeline[scene].trackMs);
        ASSERT_TRUE(live.stepFrame(screen, trackMs, unseen));
        const std::vector<std::string> begun = hashLinesOf(*assets, {scene, 0, 60}, 99, 1);
        EXPECT_EQ(screenHash(screen), hashIn(begun[0])) << "scene " << scene;
        EXPECT_EQ(live.scene(), scene);
    }
    SDL_FreeSurface(screen);
}

// Frames drawn while the show plays, over the time between them: the
// lead-in, a pause, a seek and a jump add no time; a show that drew no
// frames says so.
TEST(LiveShowMoves, TheFrameRateCountsOnlyTheFramesDrawnWhileTheShowPlays) {
    SDL_Surface* screen = makeScreenSurface(640, 480);
    const std::unique_ptr<ShowAssets> assets = loadShowAssets("no-such-folder", screen);
    ShowPlatform unseen;
    LiveShow quitInTheLeadIn(*assets, 0, 1, 0);
    EXPECT_FALSE(quitInTheLeadIn.stepFrame(screen, 1500, unseen));
    EXPECT_EQ(quitInTheLeadIn.frameRate(), "FPS=0.000000");

    LiveShow live(*assets, 0, 1, 5000);
    Uint32 track = kShowStartMs;
    const auto playFor = [&](int frames, Uint32 stepMs) {
        for (int k = 0; k < frames; ++k, track += stepMs) {
            ASSERT_TRUE(live.stepFrame(screen, track, unseen));
        }
    };
    playFor(100, 20); // 50 a second
    live.setPaused(true);
    track += 60000;
    live.setPaused(false);
    playFor(50, 20);
    track = live.seekTo(40000, screen, unseen) + 20;
    playFor(50, 20);
    track = live.jumpTo(5, screen);
    playFor(51, 20);
    EXPECT_EQ(live.frames(), 252u);
    EXPECT_EQ(live.frameRate(), "FPS=50.000000");
    SDL_FreeSurface(screen);
}

} // namespace
