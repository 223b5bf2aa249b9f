// The generator still draws the committed data set: every file it writes
// decodes to the same pixels (and palette) as the file in data/, and the
// Windows programs' icon is the committed one to the byte.
#include "asset_pixels.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

int runGenerator(const std::string& outDir, const std::string& icon) {
    std::string exe = std::string(SNOLK_BINARY_DIR) + "/tools/mkassets/mkassets";
    char* argv[] = {exe.data(), const_cast<char*>(outDir.c_str()), const_cast<char*>(icon.c_str()),
                    nullptr};
    pid_t pid;
    if (posix_spawn(&pid, exe.c_str(), nullptr, nullptr, argv, environ) != 0)
        return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string bytesOf(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(AssetGenerator, ReproducesTheCommittedDataSet) {
    std::string exe = std::string(SNOLK_BINARY_DIR) + "/tools/mkassets/mkassets";
    if (!std::filesystem::exists(exe))
        GTEST_SKIP() << "generator not built: " << exe;
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    char tmpl[] = "/tmp/snolk-assets-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    std::string outDir = tmpl;
    const std::string icon = outDir + "/snolk.ico";
    ASSERT_EQ(runGenerator(outDir, icon), 0);
    for (const char* name : kGeneratedFiles) {
        Surface fresh = loadAsset(outDir + "/" + name), committed = loadAsset(dataPath(name));
        ASSERT_TRUE(fresh) << name;
        ASSERT_TRUE(committed) << name;
        ASSERT_EQ(fresh->w, committed->w) << name;
        ASSERT_EQ(fresh->h, committed->h) << name;
        ASSERT_EQ(fresh->format->BitsPerPixel, committed->format->BitsPerPixel) << name;
        int differing = 0;
        for (int y = 0; y < fresh->h; ++y)
            for (int x = 0; x < fresh->w; ++x)
                differing += argbAt(fresh.get(), x, y) != argbAt(committed.get(), x, y);
        EXPECT_EQ(differing, 0) << name << ": pixels differ; run `make assets` and commit data/";
    }
    EXPECT_TRUE(bytesOf(icon) == bytesOf(std::string(SNOLK_SOURCE_DIR) + "/release/snolk.ico"))
        << "the icon differs; run `make assets` and commit release/snolk.ico";
    std::filesystem::remove_all(outDir);
    SDL_Quit();
}

} // namespace
