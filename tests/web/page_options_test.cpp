// The page's URL parameters and its frame pacer, natively: the same code the
// page runs in WebAssembly.
#include "web/frame_pacer.h"
#include "web/page_options.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

struct QueryCase {
    const char* query;
    bool accepted;
    PageMode mode;
    bool nosound;
    int64_t start;
    int scene;
    int64_t fps;
    bool seedGiven;
    unsigned seed;
    int64_t frames;
    const char* ignored = ""; // the names the page leaves out, as it says them
};

constexpr PageMode L = PageMode::Live;
constexpr PageMode H = PageMode::Hash;
constexpr PageMode B = PageMode::Bench;

const QueryCase kQueries[] = {
    {"", true, L, false, 0, 0, 60, false, 1, 0},
    {"?", true, L, false, 0, 0, 60, false, 1, 0},
    {"?ns&start=600&scene=7&fps=0&seed=4294967295", true, L, true, 600, 7, 0, true, 4294967295u, 0},
    {"ns&&fps=1000", true, L, true, 0, 0, 1000, false, 1, 0},
    {"?hash&seed=12345&fps=37&start=5&frames=10", true, H, false, 5, 0, 37, true, 12345, 10},
    {"?bench&fps=100000", true, B, false, 0, 0, 100000, false, 1, 0},
    {"?start=601", false, L, false, 0, 0, 60, false, 1, 0},
    {"?start=-1", false, L, false, 0, 0, 60, false, 1, 0},
    {"?start=", false, L, false, 0, 0, 60, false, 1, 0},
    {"?start", false, L, false, 0, 0, 60, false, 1, 0},
    {"?scene=8", false, L, false, 0, 0, 60, false, 1, 0},
    {"?fps=1001", false, L, false, 0, 0, 60, false, 1, 0},
    {"?fps=fast", false, L, false, 0, 0, 60, false, 1, 0},
    {"?fps=30x", false, L, false, 0, 0, 60, false, 1, 0},
    {"?start=600abc", false, L, false, 0, 0, 60, false, 1, 0},
    {"?fps=1e3", false, L, false, 0, 0, 60, false, 1, 0},
    {"?seed=4294967296", false, L, false, 0, 0, 60, false, 1, 0},
    {"?hash&fps=0", false, L, false, 0, 0, 60, false, 1, 0},
    {"?frames=10", false, L, false, 0, 0, 60, false, 1, 0},
    {"?ns=1", false, L, false, 0, 0, 60, false, 1, 0},
    {"?seed", false, L, false, 0, 0, 60, false, 1, 0},
    // A shared link's tags, and names the page does not know, never stop the
    // show; a known name with a bad value after them still does.
    {"?NS&fs", true, L, false, 0, 0, 60, false, 1, 0, "NS, fs"},
    {"?ns&fbclid=IwAR0x&utm_source=chat&utm_medium=social&start=3", true, L, true, 3, 0, 60, false,
     1, 0, "fbclid, utm_source, utm_medium"},
    {"?utm_campaign=x&fps=-5", false, L, false, 0, 0, 60, false, 1, 0},
};

TEST(PageOptions, ReadEveryParameterOrShowTheUsage) {
    for (const QueryCase& c : kQueries) {
        PageOptions o;
        std::string ignored;
        const std::string problem = parsePageOptions(c.query, o, ignored);
        ASSERT_EQ(problem.empty(), c.accepted) << c.query << ": " << problem;
        if (!c.accepted) {
            EXPECT_NE(problem.find("Options are"), std::string::npos) << c.query;
            continue;
        }
        EXPECT_EQ(o.mode, c.mode) << c.query;
        EXPECT_EQ(o.nosound, c.nosound) << c.query;
        EXPECT_EQ(o.startSeconds, c.start) << c.query;
        EXPECT_EQ(o.firstScene, c.scene) << c.query;
        EXPECT_EQ(o.fps, c.fps) << c.query;
        EXPECT_EQ(o.seedGiven, c.seedGiven) << c.query;
        EXPECT_EQ(o.seed, c.seed) << c.query;
        EXPECT_EQ(o.frames, c.frames) << c.query;
        EXPECT_EQ(ignored, c.ignored) << c.query;
    }
}

// Ten seconds of display refreshes, each a little early or late, as a
// browser delivers them; the frames drawn per second follow the limit (or
// the display, when it is slower or there is no limit).
TEST(FramePacer, DrawsAtTheLimitWhateverTheDisplayRate) {
    const double displays[] = {30, 60, 75, 120, 144, 240};
    const double limits[] = {0, 37, 50, 60};
    for (const double hz : displays) {
        for (const double fps : limits) {
            FramePacer pacer;
            pacer.fps = fps;
            int frames = 0;
            const int refreshes = (int)(10 * hz);
            for (int k = 0; k < refreshes; ++k) {
                const double jitter = 0.4 * std::sin(k * 1.7);
                frames += frameIsDue(pacer, 1000.0 * k / hz + jitter) ? 1 : 0;
            }
            const double expected = 10 * (fps == 0 || fps > hz ? hz : fps);
            EXPECT_NEAR(frames, expected, 0.01 * expected + 1) << hz << " Hz, limit " << fps;
        }
    }
}

} // namespace
