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
#include <filesystem>
#include <string>

namespace {

// A line "FPS=" and a number, as the live program ends with.
bool printsFrameRate(const std::string& out) {
    const size_t at = out.find("FPS=");
    return at != std::string::npos && (at == 0 || out[at - 1] == '\n') &&
           isdigit((unsigned char)out[at + 4]) && out.back() == '\n';
}

// SIGHUP comes when the terminal closes; SDL does not catch it, so that case
// fails without the show's own handler. The three shows run at once.
TEST(QuitSignal, EndsTheShowLikeAQuit) {
    ScratchFolder folder;
    copyDataSet(folder.path());
    if (!makeTrack(folder.path())) {
        GTEST_SKIP() << "ffmpeg cannot make an MP3 track here";
    }
    std::vector<LiveRun> runs;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        const std::string place = folder.path() + "/" + sigabbrev_np(signal);
        std::filesystem::create_directory(place);
        runs.push_back({place, {}, {{"SDL_AUDIODRIVER", "dummy"}}, signal});
    }
    const std::vector<LiveResult> results = runAllUntilSignalled(runs, 2.5);
    for (size_t k = 0; k < runs.size(); ++k) {
        SCOPED_TRACE(runs[k].folder);
        const LiveResult& r = results[k];
        EXPECT_EQ(r.status, 0) << r.errs;
        EXPECT_TRUE(printsFrameRate(r.out)) << r.out;
        EXPECT_EQ(r.errs.find("no music"), std::string::npos) << r.errs;
        EXPECT_EQ(r.errs.find("Sanitizer"), std::string::npos) << r.errs;
    }
}

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
