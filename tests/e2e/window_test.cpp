// The live program in a real window under Xvfb: what the viewer sees a few
// seconds in, and that Escape, a window manager's close, the music and a full
// screen that may not be had all end cleanly.
#include "show_in_window.h"

#include "support/fixtures.h"
#include "support/run_program.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
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

// "FPS=" with the limiter's 60 frames per second: the frames drawn over the
// time spent drawing them, the lead-in left out. A busy machine (or a
// sanitizer build) may drop frames, hence the generous lower bound; the
// limiter never shows one early.
void expectFrameRate(const std::string& output) {
    const size_t at = output.find("FPS=");
    ASSERT_NE(at, std::string::npos) << output;
    const double fps = atof(output.c_str() + at + 4);
    EXPECT_GT(fps, 15) << output;
    EXPECT_LT(fps, 62) << output;
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
        expectFrameRate(outputOf(show));
    }

    void press(const std::string& key) {
        EXPECT_EQ(runProgram("xdotool windowfocus --sync " + window + " key " + key).status, 0);
    }

    // The show's picture as it stands, half a second after the last key.
    Screenshot settle() {
        usleep(500000);
        return takeScreenshot(folder.path());
    }

    void TearDown() override {
        if (show.pid > 0) {
            waitForExit(show, 0);
        }
    }

    ScratchFolder folder;
    ShowInWindow show;
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

// The scene keys start the show afresh at another scene, at once, as -scene
// begins it: Right the sparkler (black around its stick, where the letters
// stood), Home the letters again, Page Up from the letters the letters once
// more.
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

// Paused, the picture stands still; Shift and Right seek ten seconds on
// into the sparkler, a full stop shows the next frame and a comma the one
// before again, the very picture; Space goes on.
TEST_F(LiveWindow, PauseSeekAndStepAFrameAtATime) {
    ASSERT_TRUE(start("-ns")) << outputOf(show);
    const WindowPlace place = placeOf(window);
    const auto same = [](const SDL_Surface* a, const SDL_Surface* b) {
        return a->h * a->pitch == b->h * b->pitch &&
               memcmp(a->pixels, b->pixels, (size_t)a->h * a->pitch) == 0;
    };
    press("space");
    const Screenshot paused = settle();
    ASSERT_NE(paused, nullptr);
    EXPECT_TRUE(same(paused.get(), settle().get())) << "the paused picture moves";
    press("shift+Right");
    const Screenshot sparkler = settle();
    ASSERT_NE(sparkler, nullptr);
    EXPECT_EQ(litShare(sparkler.get(), place.x + 10, place.y + 10, 270, 60), 0.0);
    EXPECT_GT(litShare(sparkler.get(), place.x + 292, place.y + 100, 16, 200), 0.2);
    press("period");
    const Screenshot next = settle();
    ASSERT_NE(next, nullptr);
    EXPECT_FALSE(same(sparkler.get(), next.get())) << "a full stop shows no new frame";
    press("comma");
    EXPECT_TRUE(same(sparkler.get(), settle().get())) << "a comma does not go back a frame";
    press("space");
    usleep(1000000);
    EXPECT_FALSE(same(sparkler.get(), settle().get())) << "Space does not go on";
    pressEscape();
    expectCleanEnd();
}

// A program stopped (Ctrl-Z) and continued goes on where it stood, with its
// music: the letters, stopped three seconds in for eight, are still there
// once it runs again, not the sparkler eleven seconds on; with sound or
// without.
TEST_F(LiveWindow, AStoppedProgramGoesOnWhereItStood) {
    for (const char* options : {"-ns", ""}) {
        ASSERT_TRUE(start(options)) << outputOf(show);
        const WindowPlace place = placeOf(window);
        usleep(3000000);
        ASSERT_EQ(kill(show.pid, SIGSTOP), 0);
        usleep(8000000);
        ASSERT_EQ(kill(show.pid, SIGCONT), 0);
        const Screenshot goneOn = settle();
        ASSERT_NE(goneOn, nullptr);
        expectLetterRow(goneOn.get(), place.x, place.y, 1);
        pressEscape();
        expectCleanEnd();
    }
}
