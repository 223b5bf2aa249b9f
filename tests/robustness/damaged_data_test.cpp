// Whatever is in data/, the show plays to its last scene and quits cleanly:
// every file of the data set is damaged in every way that fits it, one file
// at a time and all files at once. Under the sanitizer build any invalid
// access, undefined behaviour or leak ends the programs with an error.
#include "robustness/damaged_data.h"
#include "robustness/hostile_files.h"
#include "robustness/live_program.h"

#include "scenes/show.h"
#include "support/fixtures.h"
#include "support/run_program.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace {

std::string contentsOf(const char* path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The last "frame ..." line of the renderer's output.
std::string lastFrameLine(const std::string& out) {
    const size_t at = out.rfind("\nframe ");
    if (at == std::string::npos) {
        return out.rfind("frame ", 0) == 0 ? out.substr(0, out.find('\n')) : "";
    }
    const size_t end = out.find('\n', at + 1);
    return out.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
}

// The show from a scene on at a low frame rate, in this process, with the
// data in folder/data: every scene from there loads and draws its pictures,
// and the run ends 10 s into the last scene. Under the sanitizers any
// invalid access or undefined behaviour ends the test program.
void expectShowFrom(const std::string& folder, int scene, int fps) {
    EXPECT_EQ(playShowHeadless(folder + "/data", {scene, 0, fps}), kLastScene);
}

std::string testNameOf(const std::string& file, const std::string& damage) {
    std::string name = std::filesystem::path(file).filename().string() + "_" + damage;
    for (char& c : name) {
        if (!isalnum((unsigned char)c)) {
            c = '_';
        }
    }
    return name;
}

// ---- One file at a time --------------------------------------------------------

struct OneFile {
    std::string file;
    Damage damage;
};

void PrintTo(const OneFile& c, std::ostream* out) {
    *out << c.file << " " << nameOf(c.damage);
}

std::vector<OneFile> everyFileEveryDamage() {
    std::vector<OneFile> cases;
    for (const std::string& file : dataFiles()) {
        for (Damage damage : damagesFor(file)) {
            cases.push_back({file, damage});
        }
    }
    return cases;
}

class OneFileDamaged : public testing::TestWithParam<OneFile> {};

// Two frames a second, from the first scene that reads the damaged file,
// keep some 300 shows within the test budget and still reach every scene
// from there with several frames.
TEST_P(OneFileDamaged, ShowPlaysToTheLastScene) {
    ScratchFolder folder;
    copyDataSet(folder.path(), false);
    ASSERT_TRUE(damageFile(folder.path(), GetParam().file, GetParam().damage));
    expectShowFrom(folder.path(), firstSceneReading(GetParam().file), 2);
}

INSTANTIATE_TEST_SUITE_P(DataSet, OneFileDamaged, testing::ValuesIn(everyFileEveryDamage()),
                         [](const testing::TestParamInfo<OneFile>& info) {
                             return testNameOf(info.param.file, nameOf(info.param.damage));
                         });

// ---- All files at once ---------------------------------------------------------

// A damage for every file at once: one of the four that break any file, or
// the k-th valid picture of each file's own format.
struct AllFiles {
    std::string name;
    Damage generic = Damage::Missing;
    int picture = -1; // >= 0: the k-th picture damage of each file instead
};

void PrintTo(const AllFiles& c, std::ostream* out) {
    *out << c.name;
}

std::vector<AllFiles> everyDamageAtOnce() {
    std::vector<AllFiles> cases;
    for (Damage d : {Damage::Missing, Damage::Empty, Damage::CutInHalf, Damage::RandomBytes}) {
        cases.push_back({nameOf(d), d, -1});
    }
    for (int k = 0; k < 6; ++k) {
        cases.push_back({"Pictures" + std::to_string(k), Damage::Missing, k});
    }
    return cases;
}

void damageAll(const std::string& folder, const AllFiles& how) {
    for (const std::string& file : dataFiles()) {
        Damage damage = how.generic;
        if (how.picture >= 0) {
            const std::vector<Damage> pictures = pictureDamagesFor(file);
            damage = pictures[(size_t)how.picture % pictures.size()];
        }
        ASSERT_TRUE(damageFile(folder, file, damage)) << file;
    }
}

class AllFilesDamaged : public testing::TestWithParam<AllFiles> {};

TEST_P(AllFilesDamaged, ShowPlaysToTheLastScene) {
    ScratchFolder folder;
    copyDataSet(folder.path(), false);
    damageAll(folder.path(), GetParam());
    expectShowFrom(folder.path(), 0, 5);
}

// The live program loads the font sheet and the music at start and the
// first scene's pictures in its first frame. The music track takes the
// damages that break any file. One live program for each way of damaging
// every file, all at once, each in a folder of its own.
TEST(DataSetDamaged, LiveProgramStartsAndQuitsCleanlyWhateverTheDamage) {
    ScratchFolder folder;
    std::vector<LiveRun> runs;
    for (const AllFiles& damage : everyDamageAtOnce()) {
        const std::string place = folder.path() + "/" + damage.name;
        copyDataSet(place);
        damageAll(place, damage);
        if (damage.picture < 0 && makeTrack(place)) {
            ASSERT_TRUE(damageFile(place, "data/laten2.mp3", damage.generic));
        }
        runs.push_back({place, {}, {{"SNOLK_DATA", place + "/data"}}, SIGTERM});
    }
    const std::vector<LiveResult> results = runAllUntilSignalled(runs, 2.5);
    for (size_t k = 0; k < runs.size(); ++k) {
        SCOPED_TRACE(runs[k].folder);
        const LiveResult& r = results[k];
        EXPECT_EQ(r.status, 0) << r.errs;
        EXPECT_NE(r.out.find("FPS="), std::string::npos) << r.out;
        EXPECT_EQ(r.errs.find("Sanitizer"), std::string::npos) << r.errs;
        EXPECT_EQ(r.errs.find("runtime error"), std::string::npos) << r.errs;
    }
}

// The sanitizers watch only the show's own code; memcheck also watches SDL
// and SDL_image as they read the damaged files. It is slow, so it runs in
// the valgrind group only, which sets SNOLK_MEMCHECK.
TEST_P(AllFilesDamaged, MemcheckFindsNothing) {
    if (getenv("SNOLK_MEMCHECK") == nullptr) {
        GTEST_SKIP() << "runs in the valgrind group (SNOLK_MEMCHECK=1)";
    }
    ScratchFolder folder;
    copyDataSet(folder.path());
    damageAll(folder.path(), GetParam());
    const ProgramResult r =
        runProgram("valgrind -q --error-exitcode=99 --leak-check=full "
                   "--errors-for-leak-kinds=definite,indirect,possible --log-file=memcheck.txt "
                   "SNOLK_BIN/snolk-render --hash --seed 1 --fps 1");
    EXPECT_EQ(r.status, 0) << contentsOf("memcheck.txt");
    EXPECT_NE(lastFrameLine(r.out).find(" scene 7 "), std::string::npos) << lastFrameLine(r.out);
}

INSTANTIATE_TEST_SUITE_P(DataSet, AllFilesDamaged, testing::ValuesIn(everyDamageAtOnce()),
                         [](const testing::TestParamInfo<AllFiles>& info) {
                             return info.param.name;
                         });

// ---- Crafted files -------------------------------------------------------------

// The crafted files that crashed or froze the show, each in place of a file
// that meets the same decoder and the same drawing: the candlestick's seed,
// its stake, the font, the santas, the star, palettes and pictures.
TEST(PictureLoading, ShowPlaysWithHostileFilesInPlace) {
    const std::map<std::string, std::string> replaced = {
        {"data/firePattern.bmp", "bmp32-masks-all-ones.bmp"},
        {"data/Ljus.gif", "gif-cut-in-an-extension.gif"},
        {"data/020.bmp", "bmp64.bmp"},
        {"data/tomte0.bmp", "bmp-height-int-min.bmp"},
        {"data/tomte1.bmp", "bmp16-masks-broken-runs.bmp"},
        {"data/star.png", "png-16000-square.png"},
        {"data/tannenbaum.png", "gif-frame-0x0.gif"},
        {"data/greets.png", "gif-code-size-255.gif"},
        {"data/tomtebak.png", "gif-frame-65535-wide.gif"},
        {"data/firePalette.bmp", "bmp8-pixels-beyond-the-palette.bmp"},
        {"data/weinPalette.bmp", "bmp1-palette-shape.bmp"},
        {"data/krx4.png", "jpeg.png"},
    };
    ScratchFolder folder;
    copyDataSet(folder.path());
    std::map<std::string, std::vector<Uint8>> bytesByName;
    for (const HostileFile& file : hostileFiles()) {
        bytesByName[file.name] = file.bytes;
    }
    for (const auto& [dataFile, hostile] : replaced) {
        ASSERT_EQ(bytesByName.count(hostile), 1u) << hostile;
        ASSERT_TRUE(writeBytes(dataFile, bytesByName[hostile])) << dataFile;
    }
    expectShowFrom(folder.path(), 0, 5);
}

} // namespace
