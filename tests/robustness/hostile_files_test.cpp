// Crafted picture files, every cut of a real GIF, the fuzzer's findings and
// our own data set go through every loader and every way the scenes draw
// what they load, in a child process (snolk-replay) that allows each file
// ten seconds: a crash, a hang or a sanitizer's report fails the test and
// names the file. Each crafted file must also come out as it expects, and
// our own pictures must still load.
#include "robustness/hostile_files.h"

#include "support/fixtures.h"
#include "support/run_program.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const char* const kRefusedEverywhere = "picture=- sprite=- bitmap=- palette=- font=- music=ran";

// The replay's "FILE: OUTCOME" lines by file.
std::map<std::string, std::string> outcomesOf(const std::string& out) {
    std::map<std::string, std::string> outcomes;
    std::istringstream lines(out);
    std::string line;
    while (std::getline(lines, line)) {
        const size_t colon = line.rfind(": ");
        if (colon != std::string::npos) {
            outcomes[line.substr(0, colon)] = line.substr(colon + 2);
        }
    }
    return outcomes;
}

std::string lastLineOf(const std::string& out) {
    const size_t end = out.find_last_not_of('\n');
    if (end == std::string::npos) {
        return "";
    }
    const size_t start = out.rfind('\n', end);
    return out.substr(start == std::string::npos ? 0 : start + 1, end + 1);
}

bool isPicture(const fs::path& path) {
    const std::string ext = path.extension().string();
    return ext == ".png" || ext == ".PNG" || ext == ".gif" || ext == ".bmp";
}

// The crafted files, a FIFO, and every cut of a real GIF short of its whole
// length (6 of its 1401 cuts used to hang SDL_image), written into folder.
std::map<std::string, Expect> writeHostileFiles(const std::string& folder) {
    std::map<std::string, Expect> expected;
    for (const HostileFile& file : hostileFiles()) {
        EXPECT_TRUE(writeBytes(folder + "/" + file.name, file.bytes)) << file.name;
        expected[folder + "/" + file.name] = file.expect;
    }
    // Opening a FIFO waits for a writer that never comes.
    EXPECT_EQ(mkfifo((folder + "/fifo.png").c_str(), 0600), 0);
    expected[folder + "/fifo.png"] = Expect::Refused;
    const std::vector<Uint8> gif = realGif("real.gif");
    EXPECT_GT(gif.size(), 1000u);
    // A picture followed by a 4 GiB hole: its size wraps to the picture's
    // own in 32 bits.
    const std::string sparse = folder + "/real-gif-and-4-gib-more.gif";
    EXPECT_TRUE(writeBytes(sparse, gif));
    EXPECT_EQ(truncate(sparse.c_str(), (off_t)(gif.size() + (1ULL << 32))), 0);
    expected[sparse] = Expect::Refused;
    for (size_t length = 0; length <= gif.size(); ++length) {
        char name[64];
        snprintf(name, sizeof name, "/real-gif-%05zu-bytes.gif", length);
        EXPECT_TRUE(
            writeBytes(folder + name, std::vector<Uint8>(gif.begin(), gif.begin() + (long)length)));
        expected[folder + name] = length == gif.size() ? Expect::Loads : Expect::Refused;
    }
    return expected;
}

} // namespace

TEST(PictureLoading, HostileFilesFuzzerFindingsAndOurDataGoThroughEveryLoader) {
    ScratchFolder folder;
    fs::create_directory("hostile");
    std::map<std::string, Expect> expected = writeHostileFiles("hostile");
    const std::string data = std::string(SNOLK_SOURCE_DIR) + "/data";
    for (const fs::directory_entry& entry : fs::directory_iterator(data)) {
        if (isPicture(entry.path())) {
            expected[entry.path().string()] = Expect::Loads;
        }
    }
    const std::string findings = std::string(SNOLK_SOURCE_DIR) + "/fuzz/regressions";
    const ProgramResult r = runProgram("SNOLK_BIN/fuzz/snolk-replay --seconds 10 hostile '" +
                                       findings + "' '" + data + "'");
    ASSERT_EQ(r.status, 0) << "stopped at " << lastLineOf(r.out);
    const std::map<std::string, std::string> outcomes = outcomesOf(r.out);
    for (const auto& [file, expect] : expected) {
        ASSERT_EQ(outcomes.count(file), 1u) << file << " was not replayed";
        const std::string& outcome = outcomes.at(file);
        if (expect == Expect::Refused) {
            EXPECT_EQ(outcome, kRefusedEverywhere) << file;
        } else if (expect == Expect::Loads) {
            EXPECT_EQ(outcome.rfind("picture=-", 0), std::string::npos) << file << ": " << outcome;
        }
    }
}
