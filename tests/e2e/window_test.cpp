// The live program in a real window under Xvfb: what the viewer sees a few
// seconds in, and that Escape, a window manager's close, the music and a full
// screen that may not be had all end cleanly.
#include "live_show.h"

#include "support/fixtures.h"
#include "support/run_program.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace {

constexpr double kWindowLimit = 20; // seconds for the window to show up
constexpr double kExitLimit = 10;   // seconds for the show to end once asked
constexpr double kWatch = 3;        // seconds of the first scene before the screenshot

// The letter row across the top, drawn scale times as large from (left,
// top), and black below it; the bottle comes later.
void expectLetterRow(const SDL_Surface* shot, int left, int top, int scale) {
    EXPECT_GT(litShare(shot, left + 10 * scale, top + 10 * scale, 384 * scale, 60 * scale), 0.2);
    EXPECT_EQ(litShare(shot, left, top + 240 * scale, 640 * scale, 240 * scale), 0.0);
}

// Each canvas pixel is a square block of the window's pixels.
void expectSharpBlocks(const SDL_Surface* shot, int left, int top, int scale) {
    int blurred = 0;
    for (int y = top + 10 * scale; y < top + 70 * scale; y += scale) {
        for (int x = left + 10 * scale; x < left + 394 * scale; x += scale) {
            const Uint32 corner = pixelAt(shot, x, y);
            blurred += pixelAt(shot, x + scale - 1, y) != corner ||
                       pixelAt(shot, x, y + scale - 1) != corner ||
                       pixelAt(shot, x + scale - 1, y + scale - 1) != corner;
        }
    }
    EXPECT_EQ(blurred, 0);
}

// "FPS=" with the limiter's 60 frames per second. The figure divides the
// frames by the demo time, which also counts the two seconds before the first
// frame: a show whose demo time ended at d seconds prints about
// 60 (d - 2) / d. The first frame was seen after the demo time passed 2 s,
// and the whole run took longer than d, which bounds d from both sides; a
// busy machine may drop frames, hence the generous lower bound.
void expectFrameRate(const std::string& output, double sinceFirstFrame, double wholeRun) {
    const size_t at = output.find("FPS=");
    ASSERT_NE(at, std::string::npos) << output;
    const double fps = atof(output.c_str() + at + 4);
    EXPECT_GT(fps, 0.5 * 60 * sinceFirstFrame / (sinceFirstFrame + 2)) << output;
    EXPECT_LT(fps, 1.1 * 60 * (wholeRun - 2) / wholeRun) << output;
}

class LiveWindow : public testing::Test {
  protected:
    void SetUp() override {
        if (!std::filesystem::exists(SNOLK_SOURCE_DIR "/data/bf.png")) {
            GTEST_SKIP() << "the letter pictures are not in data/";
        }
    }

    // Starts the show and waits for its window and first frame; false when
    // they did not come.
    bool start(const std::string& options) {
        show = startShow(options, folder.path());
        window = waitForWindow(show, kWindowLimit);
        return !window.empty() && waitForFirstFrame();
    }

    bool waitForFirstFrame() {
        const double deadline = monotonicSeconds() + kWindowLimit;
        while (monotonicSeconds() < deadline) {
            const Screenshot shot = takeScreenshot(folder.path());
            if (shot && litShare(shot.get(), 0, 0, shot->w, shot->h) > 0) {
                firstFrameSeen = monotonicSeconds();
                return true;
            }
        }
        return false;
    }

    // Watches the first scene, then takes a screenshot.
    Screenshot watch() {
        usleep((useconds_t)(kWatch * 1e6));
        return takeScreenshot(folder.path());
    }

    void pressEscape() {
        EXPECT_EQ(runProgram("xdotool windowfocus --sync " + window + " key Escape").status, 0);
    }

    // Waits for the end and checks the status and the frame-rate line.
    void expectCleanEnd() {
        EXPECT_EQ(waitForExit(show, kExitLimit), 0) << outputOf(show);
        expectFrameRate(outputOf(show), monotonicSeconds() - firstFrameSeen,
                        monotonicSeconds() - show.startedAt);
    }

    void TearDown() override {
        if (show.pid > 0) {
            waitForExit(show, 0);
        }
    }

    ScratchFolder folder;
    LiveShow show;
    std::string window;
    double firstFrameSeen = 0;
};

} // namespace

TEST_F(LiveWindow, EscapeEndsTheShowAfterTheLetterRow) {
    ASSERT_TRUE(start("-ns")) << outputOf(show);
    const Screenshot shot = watch();
    ASSERT_NE(shot, nullptr);
    const WindowPlace place = placeOf(window);
    EXPECT_EQ(place.width, 640);
    EXPECT_EQ(place.height, 480);
    expectLetterRow(shot.get(), place.x, place.y, 1);
    pressEscape();
    expectCleanEnd();
}

TEST_F(LiveWindow, ClosingTheWindowEndsTheShow) {
    ASSERT_TRUE(start("-ns")) << outputOf(show);
    const Screenshot shot = watch();
    ASSERT_NE(shot, nullptr);
    const WindowPlace place = placeOf(window);
    expectLetterRow(shot.get(), place.x, place.y, 1);
    EXPECT_EQ(runProgram(SNOLK_CLOSE_WINDOW " " + window, true).status, 0);
    expectCleanEnd();
}

TEST_F(LiveWindow, ScaledWindowShowsTheLetterRowInSharpBlocks) {
    ASSERT_TRUE(start("-ns -scale 2")) << outputOf(show);
    const Screenshot shot = watch();
    ASSERT_NE(shot, nullptr);
    const WindowPlace place = placeOf(window);
    EXPECT_EQ(place.width, 1280);
    EXPECT_EQ(place.height, 960);
    expectLetterRow(shot.get(), place.x, place.y, 2);
    expectSharpBlocks(shot.get(), place.x, place.y, 2);
    pressEscape();
    expectCleanEnd();
}

TEST_F(LiveWindow, PlaysWithMusicOnTheDummyAudioDriverAndStops) {
    ASSERT_TRUE(start("")) << outputOf(show);
    watch();
    pressEscape();
    expectCleanEnd();
    if (std::filesystem::exists(SNOLK_SOURCE_DIR "/data/laten2.mp3")) {
        EXPECT_EQ(outputOf(show).find("no music"), std::string::npos) << outputOf(show);
    }
}

// The X screen is 1600 x 1200: the plain full screen fits, four times 640 x
// 480 does not.
TEST_F(LiveWindow, FullScreenShowsTheShowOrSaysWhyNot) {
    for (const char* options : {"-ns -fs", "-ns -fs -scale 2", "-ns -fs -scale 4"}) {
        if (start(options)) {
            const Screenshot shot = watch();
            ASSERT_NE(shot, nullptr);
            EXPECT_GT(litShare(shot.get(), 0, 0, shot->w, shot->h), 0.001) << options;
            pressEscape();
            expectCleanEnd();
        } else {
            EXPECT_EQ(waitForExit(show, kExitLimit), 1) << options;
            EXPECT_NE(outputOf(show).find("Unable to set 640x480 video: "), std::string::npos)
                << options << ": " << outputOf(show);
        }
    }
}

// The scene keys start the show afresh at another scene, two seconds of
// black first as -scene gives them: Right the sparkler (black around its
// stick, where the letters stood), Home the letters again, Page Up from
// the letters the letters once more.
TEST_F(LiveWindow, SceneKeysJumpBetweenTheScenes) {
    ASSERT_TRUE(start("-ns")) << outputOf(show);
    const WindowPlace place = placeOf(window);
    const auto pressAndWatch = [&](const char* key) {
        EXPECT_EQ(runProgram("xdotool windowfocus --sync " + window + " key " + key).status, 0);
        return watch();
    };
    // Left of the sparkler's stick, where the first letters stand.
    const auto lettersShown = [&](const SDL_Surface* shot) {
        return litShare(shot, place.x + 10, place.y + 10, 270, 60) > 0.2;
    };
    Screenshot shot = pressAndWatch("Right");
    ASSERT_NE(shot, nullptr);
    EXPECT_FALSE(lettersShown(shot.get()));
    EXPECT_GT(litShare(shot.get(), place.x + 292, place.y + 100, 16, 200), 0.2);
    shot = pressAndWatch("Home");
    ASSERT_NE(shot, nullptr);
    expectLetterRow(shot.get(), place.x, place.y, 1);
    shot = pressAndWatch("Page_Up");
    ASSERT_NE(shot, nullptr);
    expectLetterRow(shot.get(), place.x, place.y, 1);
    pressEscape();
    EXPECT_EQ(waitForExit(show, kExitLimit), 0) << outputOf(show);
    EXPECT_NE(outputOf(show).find("FPS="), std::string::npos) << outputOf(show);
}
