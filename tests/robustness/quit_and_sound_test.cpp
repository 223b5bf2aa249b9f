// Ctrl+C and a polite kill end the live program as Escape does, and a
// machine without a sound device still gets the show, silently.
#include "robustness/damaged_data.h"
#include "robustness/live_program.h"

#include "support/fixtures.h"
#include "support/run_program.h"

#include <gtest/gtest.h>

#include <csignal>
#include <regex>

namespace {

// A short track in data/, so that the music really starts (or fails for
// want of a device, not of a file). ffmpeg is one of the show's video
// dependencies.
bool makeTrack() {
    const ProgramResult r =
        runProgram("ffmpeg -v error -y -f lavfi -i sine=frequency=440:duration=20 -ac 2 "
                   "-c:a libmp3lame data/laten2.mp3",
                   true);
    return r.status == 0;
}

bool printsFrameRate(const std::string& out) {
    return std::regex_search(out, std::regex("(^|\n)FPS=[0-9]+\\.[0-9]+\n"));
}

class QuitSignal : public testing::TestWithParam<int> {};

TEST_P(QuitSignal, EndsTheShowLikeAQuit) {
    ScratchFolder folder;
    copyDataSet(folder.path());
    if (!makeTrack()) {
        GTEST_SKIP() << "ffmpeg cannot make an MP3 track here";
    }
    const LiveResult r = runUntilSignalled({}, {{"SDL_AUDIODRIVER", "dummy"}}, GetParam(), 2.5);
    EXPECT_EQ(r.status, 0) << r.errs;
    EXPECT_TRUE(printsFrameRate(r.out)) << r.out;
    EXPECT_EQ(r.errs.find("no music"), std::string::npos) << r.errs;
    EXPECT_EQ(r.errs.find("Sanitizer"), std::string::npos) << r.errs;
}

INSTANTIATE_TEST_SUITE_P(Live, QuitSignal, testing::Values(SIGINT, SIGTERM),
                         [](const testing::TestParamInfo<int>& info) {
                             return info.param == SIGINT ? "SIGINT" : "SIGTERM";
                         });

TEST(NoAudioDevice, OneLineThenTheShowPlaysSilently) {
    ScratchFolder folder;
    copyDataSet(folder.path());
    if (!makeTrack()) {
        GTEST_SKIP() << "ffmpeg cannot make an MP3 track here";
    }
    const LiveResult r =
        runUntilSignalled({}, {{"SDL_AUDIODRIVER", "no-such-sound-driver"}}, SIGINT, 2.5);
    EXPECT_EQ(r.status, 0) << r.errs;
    EXPECT_TRUE(printsFrameRate(r.out)) << r.out;
    EXPECT_TRUE(std::regex_match(r.errs, std::regex("no music: [^\n]+\n"))) << r.errs;
}

} // namespace
