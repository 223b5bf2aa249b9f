// The generator reproduces the committed track, and says how it is used.
#include "decoded_track.h"
#include "music_tools.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace music_test;

namespace {

std::string fileText(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A path as one word for the shell.
std::string shellWord(const std::string& path) {
    std::string word = "'";
    word += path;
    word += "'";
    return word;
}

} // namespace

TEST(MusicGenerator, WithoutAnOutputNamePrintsItsUsageAndFails) {
    CommandResult run = runCommand(shellWord(generatorPath()));
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.output.find("usage: mkmusic OUT.mp3"), std::string::npos) << run.output;
}

TEST(MusicGenerator, RefusesAnOutputItCannotWriteBeforeRendering) {
    CommandResult run = runCommand(shellWord(generatorPath()) + " /nonexistent-folder/track.mp3");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("cannot write /nonexistent-folder/track.mp3"), std::string::npos)
        << run.output;
    EXPECT_EQ(run.output.find("rendered"), std::string::npos) << "it rendered first";
}

// FluidSynth, LAME and the SoundFont decide the exact samples. When they are
// the versions the committed track was made with (its ID3 comment records
// them), the regenerated track must decode to the very same samples;
// otherwise only its length must agree.
TEST(MusicGenerator, ReproducesTheCommittedTrack) {
    if (!std::filesystem::exists(generatorPath())) {
        GTEST_SKIP() << "generator not built: " << generatorPath();
    }
    std::filesystem::path output = std::filesystem::temp_directory_path() /
                                   ("snolk-music-" + std::to_string(getpid()) + ".mp3");
    std::filesystem::path loop = std::filesystem::path(output).replace_extension(".loop");
    std::filesystem::path web = output.parent_path() / (output.stem().string() + "-web.mp3");
    CommandResult run = runCommand(shellWord(generatorPath()) + " " + shellWord(output));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    DecodedTrack fresh = decodeMp3(output), freshWeb = decodeMp3(web);
    std::string freshLoop = fileText(loop), committedLoop = fileText(committedLoopPath());
    std::filesystem::remove(output);
    std::filesystem::remove(loop);
    std::filesystem::remove(web);
    EXPECT_FALSE(freshLoop.empty());
    EXPECT_EQ(freshLoop, committedLoop) << "the loop points moved: regenerate both files";
    DecodedTrack committed = decodeMp3(committedTrackPath());
    ASSERT_TRUE(fresh.opened && committed.opened);

    EXPECT_EQ(fresh.samples.size(), committed.samples.size());
    CommandResult fingerprint = runCommand(shellWord(generatorPath()) + " --fingerprint");
    ASSERT_EQ(fingerprint.exitCode, 0);
    EXPECT_EQ(fresh.comment + "\n", fingerprint.output);
    if (committed.comment == fresh.comment) {
        EXPECT_TRUE(fresh.samples == committed.samples)
            << "same libraries and SoundFont, different samples: the generator is not "
               "deterministic";
        EXPECT_TRUE(freshWeb.samples == decodeMp3(committedWebTrackPath()).samples)
            << "the web coding differs";
    } else
        std::printf("committed with '%s', regenerated with '%s': samples not compared\n",
                    committed.comment.c_str(), fresh.comment.c_str());
}
