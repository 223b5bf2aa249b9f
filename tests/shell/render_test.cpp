#include "shell/render_clock.h"

#include "support/fixtures.h"
#include "support/run_program.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

TEST(Renderer, VirtualClock) {
    RenderOptions o;
    EXPECT_EQ(clockOf(o).frameMs(1), 2000u);
    EXPECT_EQ(clockOf(o).frameMs(2), 2016u);
    EXPECT_EQ(clockOf(o).frameMs(559), 11300u);
    o.fps = 7;
    o.startSeconds = 600;
    EXPECT_EQ(clockOf(o).frameMs(3), 602285u);
    // Computed in 64 bits, stored as the unsigned 32-bit demo time.
    o.fps = 1;
    o.startSeconds = 0;
    EXPECT_EQ(clockOf(o).frameMs(4294966), 4294967000u);
    EXPECT_EQ(clockOf(o).frameMs(4294967), 704u);
}

TEST(Renderer, OptionsAreCheckedAndBadOnesExitWithTwo) {
    ScratchFolder folder;
    for (const char* bad :
         {"--fps 0", "--frames", "--seed x", "--start 601", "--every 0", "--bogus", "--png",
          "--png ''", "--scene 8", "--bench --video v.mp4", "--bench --hash", "--start 600abc",
          "--fps 1e3", "--frames ''", "--seed +5", "--frames 5 --png p --from 6",
          "--scene 7 --png p --from 700"}) {
        const ProgramResult r = runProgram(std::string("SNOLK_BIN/snolk-render ") + bad, true);
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_NE(r.out.find("usage: snolk-render"), std::string::npos) << bad;
    }
    EXPECT_NE(runProgram("SNOLK_BIN/snolk-render --frames 5 --png p --from 6", true)
                  .out.find("--from 6 is past the last frame, 5"),
              std::string::npos);
}

// Both programs: the usage alone on standard output, nothing on standard
// error, and success.
TEST(Renderer, HelpIsNoMistake) {
    ScratchFolder folder;
    for (const char* command :
         {"SNOLK_BIN/snolk-render --help", "SNOLK_BIN/snolk-render --fps 5 -h",
          "SNOLK_BIN/snolk --help", "SNOLK_BIN/snolk -h"}) {
        const ProgramResult r = runProgram(std::string(command) + " 2>err");
        EXPECT_EQ(r.status, 0) << command;
        EXPECT_TRUE(r.out.rfind("usage: snolk-render", 0) == 0 ||
                    r.out.rfind("Options are:", 0) == 0)
            << command << ": " << r.out;
        EXPECT_EQ(runProgram("cat err").out, "") << command;
    }
}

// Standard output carries the hash lines alone; the show's own words (here
// for the sparkler's missing pictures) go to standard error.
TEST(Renderer, HashLinesOnStandardOutputTheShowsWordsOnStandardError) {
    ScratchFolder folder;
    const ProgramResult r =
        runProgram("SNOLK_BIN/snolk-render --hash --seed 1 --fps 60 --frames 561 2>console");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(lineOf(r.out, 0), "frame 1 time 2000 scene 0 hash f318e0e2f9b92325");
    EXPECT_EQ(lineOf(r.out, 560).substr(0, 26), "frame 561 time 11333 scene");
    EXPECT_EQ(r.out.find("blota"), std::string::npos);
    const std::string console = runProgram("cat console").out;
    EXPECT_EQ(console.substr(console.find("blota")), "blota!!\nblota brunnit!!\n") << console;
}

// --at: the frames a run from the top draws from that moment on, numbered
// as in that run; --frames counts from there.
TEST(Renderer, AtRendersTheFramesOfARunFromTheTop) {
    enterSourceTree();
    const ProgramResult whole = runProgram("SNOLK_BIN/snolk-render --hash --frames 1083");
    const ProgramResult at = runProgram("SNOLK_BIN/snolk-render --hash --at 20 --frames 3");
    ASSERT_EQ(at.status, 0);
    // Frame 1081 is the first at or after 20 s of demo time.
    EXPECT_EQ(at.out, lineOf(whole.out, 1080) + "\n" + lineOf(whole.out, 1081) + "\n" +
                          lineOf(whole.out, 1082) + "\n");
    EXPECT_NE(runProgram("SNOLK_BIN/snolk-render --at 60 --video v.mp4", true).status, 0);
    EXPECT_EQ(runProgram("SNOLK_BIN/snolk-render --at 3600 --hash", true).status, 2);
}

TEST(Renderer, SameArgumentsSameFrames) {
    enterSourceTree();
    const std::string command =
        "SNOLK_BIN/snolk-render --hash --seed 3 --fps 50 --start 2 --frames 900";
    const ProgramResult first = runProgram(command);
    const ProgramResult second = runProgram(command);
    EXPECT_EQ(first.status, 0);
    EXPECT_EQ(first.out, second.out);
    EXPECT_EQ(lineOf(first.out, 899).substr(0, 24), "frame 900 time 21980 sce");
}

TEST(Renderer, WritesTheChosenFramesAsPngIntoAFolderItMakes) {
    ScratchFolder folder;
    const ProgramResult r = runProgram("SNOLK_BIN/snolk-render --frames 7 --png new/pictures "
                                       "--from 2 --every 3 && ls new/pictures");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "frame-000002.png\nframe-000005.png\n");
    const ProgramResult blocked =
        runProgram("touch file && SNOLK_BIN/snolk-render --frames 2 --png file/pictures", true);
    EXPECT_EQ(blocked.status, 1);
    EXPECT_NE(blocked.out.find("cannot make file/pictures"), std::string::npos) << blocked.out;
    // A name longer than the system takes is refused, never cut short.
    const ProgramResult longName =
        runProgram("SNOLK_BIN/snolk-render --frames 2 --png " + std::string(4085, 'a'), true);
    EXPECT_EQ(longName.status, 1);
    EXPECT_NE(longName.out.find("File name too long"), std::string::npos) << longName.out;
    EXPECT_EQ(runProgram("ls | grep -c frame-").out, "0\n");
}

// Every mode stops soon after a quit signal, says where it stopped, exits
// with 128 + the signal and leaves no file half written: no video, no
// temporary file, only whole pictures. The bench keeps its memory small
// however many frames it is asked for, and an encoder that stalls does not
// hold the renderer.
TEST(Renderer, QuitSignalsStopEveryModeCleanly) {
    ScratchFolder folder;
    ASSERT_EQ(runProgram("mkdir stalled && printf '#!/bin/sh\\nexec sleep 1000\\n' "
                         ">stalled/ffmpeg && chmod +x stalled/ffmpeg")
                  .status,
              0);
    const struct {
        const char* command;
        const char* signal;
        int status;
        long rssLimitKb; // 0: not looked at
    } cases[] = {
        {"SNOLK_BIN/snolk-render --hash --png pictures", "INT", 130, 0},
        // Room for 2^31 frames' times would be tens of gigabytes; the
        // sanitizers alone take a hundred megabytes or two.
        {"SNOLK_BIN/snolk-render --bench --frames 2147483647", "TERM", 143, 512 * 1024},
        {"SNOLK_BIN/snolk-render --no-audio --video v.mp4", "HUP", 129, 0},
        {"PATH=$PWD/stalled:$PATH SNOLK_BIN/snolk-render --no-audio --video v.mp4", "TERM", 143, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        const ProgramResult r = runProgram(
            std::string("(") + c.command + " >out 2>err & pid=$!; sleep 2; " +
                "grep VmRSS /proc/$pid/status | tr -dc 0-9 >rss; t0=$(date +%s%N); kill -" +
                c.signal + " $pid; wait $pid; s=$?; t1=$(date +%s%N); " +
                "echo $s $(( (t1 - t0) / 1000000 )) $(cat rss); rm out rss; cat err >&2; rm err)",
            true);
        int status = -1;
        long ms = -1;
        long rssKb = -1;
        sscanf(r.out.c_str(), "%d %ld %ld", &status, &ms, &rssKb);
        EXPECT_EQ(status, c.status) << r.out;
        EXPECT_LT(ms, 2000) << r.out;
        if (c.rssLimitKb > 0) {
            EXPECT_LT(rssKb, c.rssLimitKb) << r.out;
        }
        EXPECT_NE(r.out.find("snolk-render: stopped by "), std::string::npos) << r.out;
        EXPECT_EQ(runProgram("ls -A | grep -v -x -e stalled -e pictures").out, "");
        const ProgramResult pictures = runProgram("ls pictures 2>/dev/null");
        std::istringstream names(pictures.out);
        for (std::string name; std::getline(names, name);) {
            SDL_Surface* picture = IMG_Load(("pictures/" + name).c_str());
            EXPECT_NE(picture, nullptr) << name << " is not a whole picture";
            SDL_FreeSurface(picture);
        }
    }
}

// Started from any folder, the programs find the repository's data beside
// themselves, and an installed copy finds its own from anywhere; where there
// is none, one line says where they looked.
TEST(Renderer, FindsItsDataFromAnyFolderAndWhenInstalled) {
    enterSourceTree();
    const std::string expected = runProgram("SNOLK_BIN/snolk-render --frames 600 --hash").out;
    ASSERT_NE(expected.find("frame 600 "), std::string::npos);
    ScratchFolder folder;
    unsetenv("SNOLK_DATA");
    const ProgramResult installed =
        runProgram("cmake --install SNOLK_BIN --prefix $PWD/prefix >/dev/null && "
                   "cp SNOLK_BIN/snolk-render . && cd / && " +
                   folder.path() + "/prefix/bin/snolk-render --frames 600 --hash");
    EXPECT_EQ(installed.out, expected);
    EXPECT_EQ(runProgram("SNOLK_BIN/snolk-render --frames 600 --hash").out, expected);

    const ProgramResult lost = runProgram("./snolk-render --frames 1", true);
    EXPECT_EQ(lost.status, 0);
    EXPECT_NE(
        lost.out.find("snolk-render: no data folder found (looked in " + folder.path() + "/data, "),
        std::string::npos)
        << lost.out;
}
