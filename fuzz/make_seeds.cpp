// Writes the fuzzer's seed corpus into a folder: the show's own pictures
// that fit the fuzzer's input size, whole and cut in half, valid pictures
// of every depth and kind the robustness tests write, and every hostile
// file they make.
//   snolk-fuzz-seeds FOLDER
#include "robustness/hostile_files.h"
#include "robustness/picture_files.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The fuzzer's largest input (make fuzz passes it as -max_len).
constexpr std::uintmax_t kMaxSeedBytes = 65536;

// Each picture of the data set whole, and cut in half as the damaged-data
// tests cut it, where that fits.
int writeDataPictures(const fs::path& folder) {
    int count = 0;
    for (const fs::directory_entry& entry :
         fs::directory_iterator(fs::path(SNOLK_SOURCE_DIR) / "data")) {
        if (entry.path().extension() == ".mp3") {
            continue;
        }
        std::ifstream in(entry.path(), std::ios::binary);
        std::vector<Uint8> bytes((std::istreambuf_iterator<char>(in)),
                                 std::istreambuf_iterator<char>());
        const std::string name = entry.path().filename().string();
        if (bytes.size() <= kMaxSeedBytes) {
            count += writeBytes((folder / ("data-" + name)).string(), bytes);
        }
        bytes.resize(bytes.size() / 2);
        if (bytes.size() <= kMaxSeedBytes) {
            count += writeBytes((folder / ("cut-" + name)).string(), bytes);
        }
    }
    return count;
}

int writePictureKinds(const fs::path& folder) {
    const std::vector<std::pair<std::string, std::function<bool(const std::string&)>>> kinds = {
        {"bmp1.bmp", [](const std::string& p) { return writeBmp(p, 1, 33, 7); }},
        {"bmp4.bmp", [](const std::string& p) { return writeBmp(p, 4, 37, 23); }},
        {"bmp8.bmp", [](const std::string& p) { return writeBmp(p, 8, 256, 2); }},
        {"bmp16.bmp", [](const std::string& p) { return writeBmp(p, 16, 37, 23); }},
        {"bmp24.bmp", [](const std::string& p) { return writeBmp(p, 24, 37, 23); }},
        {"bmp32.bmp", [](const std::string& p) { return writeBmp(p, 32, 12, 10); }},
        {"png-grey.png", [](const std::string& p) { return writePng(p, PngKind::Grey, 37, 23); }},
        {"png-paletted.png",
         [](const std::string& p) { return writePng(p, PngKind::Paletted, 37, 23, 5); }},
        {"png-rgb.png", [](const std::string& p) { return writePng(p, PngKind::Rgb, 37, 23); }},
        {"png-rgba.png", [](const std::string& p) { return writePng(p, PngKind::Rgba, 37, 23); }},
        {"gif.gif", [](const std::string& p) { return writeGif(p, 37, 23, -1); }},
        {"gif-transparent.gif", [](const std::string& p) { return writeGif(p, 20, 13, 3); }},
    };
    int count = 0;
    for (const auto& [name, write] : kinds) {
        count += write((folder / ("kind-" + name)).string()) ? 1 : 0;
    }
    return count;
}

int writeHostileFiles(const fs::path& folder) {
    int count = 0;
    for (const HostileFile& file : hostileFiles()) {
        count += file.bytes.size() <= kMaxSeedBytes &&
                 writeBytes((folder / ("hostile-" + file.name)).string(), file.bytes);
    }
    count +=
        writeBytes((folder / "real.gif").string(), realGif((folder / "real-gif.tmp").string()));
    return count;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: snolk-fuzz-seeds FOLDER\n");
        return 2;
    }
    const fs::path folder = argv[1];
    fs::create_directories(folder);
    const int count =
        writeDataPictures(folder) + writePictureKinds(folder) + writeHostileFiles(folder);
    printf("%d seeds in %s\n", count, folder.c_str());
    return count > 0 ? 0 : 1;
}
