// Ctrl+C and a polite kill end the live program as Escape does, and a
// machine without a sound device still gets the show, silently.
#include "robustness/damaged_data.h"
#include "robustness/live_program.h"

#include "support/fixtures.h"
#include "support/run_program.h"

#include <gtest/gtest.h>

#include <cctype>
#include <csignal>
#include <cstring>
#include <string>

namespace {

// A line "FPS=" and a number, as the live program ends with.
bool printsFrameRate(const std::string& out) {
    const size_t at = out.find("FPS=");
    return at != std::string::npos && (at == 0 || out[at - 1] == '\n') &&
           isdigit((unsigned char)out[at + 4]) && out.back() == '\n';
}

class QuitSignal : public testing::TestWithParam<int> {};

TEST_P(QuitSignal, EndsTheShowLikeAQuit) {
    ScratchFolder folder;
    copyDataSet(folder.path());
    if (!makeTrack(folder.path())) {
        GTEST_SKIP() << "ffmpeg cannot make an MP3 track here";
    }
    const LiveResult r = runUntilSignalled({}, {{"SDL_AUDIODRIVER", "dummy"}}, GetParam(), 2.5);
    EXPECT_EQ(r.status, 0) << r.errs;
    EXPECT_TRUE(printsFrameRate(r.out)) << r.out;
    EXPECT_EQ(r.errs.find("no music"), std::string::npos) << r.errs;
    EXPECT_EQ(r.errs.find("Sanitizer"), std::string::npos) << r.errs;
}

// SIGHUP comes when the terminal closes; SDL does not catch it, so this
// case fails without the show's own handler.
INSTANTIATE_TEST_SUITE_P(Live, QuitSignal, testing::Values(SIGINT, SIGTERM, SIGHUP),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::string(sigabbrev_np(info.param));
                         });

TEST(NoAudioDevice, OneLineThenTheShowPlaysSilently) {
    ScratchFolder folder;
    copyDataSet(folder.path());
    if (!makeTrack(folder.path())) {
        GTEST_SKIP() << "ffmpeg cannot make an MP3 track here";
    }
    const LiveResult r =
        runUntilSignalled({}, {{"SDL_AUDIODRIVER", "no-such-sound-driver"}}, SIGINT, 2.5);
    EXPECT_EQ(r.status, 0) << r.errs;
    EXPECT_TRUE(printsFrameRate(r.out)) << r.out;
    // One line, and nothing else on standard error.
    EXPECT_EQ(r.errs.rfind("no music: ", 0), 0u) << r.errs;
    EXPECT_EQ(r.errs.find('\n'), r.errs.size() - 1) << r.errs;
}

} // namespace
