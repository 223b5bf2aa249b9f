#include "robustness/damaged_data.h"

#include "robustness/picture_files.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <random>

namespace fs = std::filesystem;

const std::vector<std::string>& dataFiles() {
    static const std::vector<std::string> files = {
        "data/020.bmp",       "data/bf.png",          "data/bg.png",
        "data/lf.png",        "data/lg.png",          "data/of.png",
        "data/og.png",        "data/sf.png",          "data/sg.png",
        "data/af.png",        "data/ag.png",          "data/flaska.png",
        "data/tb.png",        "data/tbub.png",        "data/krx4.png",
        "data/7.png",         "data/weinPalette.bmp", "data/tannenbaum.png",
        "data/256MOONE.PNG",  "data/litenapanap.png", "data/tomte0.bmp",
        "data/tomte1.bmp",    "data/tomte2.bmp",      "data/flinga0.png",
        "data/flinga1.png",   "data/star.png",        "data/tomtewarp0.png",
        "data/tomtewarp.png", "data/tomtebak.png",    "data/black.png",
        "data/paket0.png",    "data/paket1.png",      "data/firePattern.bmp",
        "data/Ljus.gif",      "data/firePalette.bmp", "data/greets.png",
    };
    return files;
}

int firstSceneReading(const std::string& file) {
    static const struct {
        const char* file;
        int scene;
    } kFirstReaders[] = {
        {"tb.png", 1},        {"tbub.png", 1},        {"krx4.png", 2},
        {"7.png", 2},         {"weinPalette.bmp", 3}, {"tannenbaum.png", 4},
        {"256MOONE.PNG", 5},  {"litenapanap.png", 5}, {"tomte0.bmp", 5},
        {"tomte1.bmp", 5},    {"tomte2.bmp", 5},      {"flinga0.png", 5},
        {"flinga1.png", 5},   {"star.png", 6},        {"tomtewarp0.png", 6},
        {"tomtewarp.png", 6}, {"tomtebak.png", 6},    {"black.png", 6},
        {"paket0.png", 6},    {"paket1.png", 6},      {"firePattern.bmp", 7},
        {"Ljus.gif", 7},      {"firePalette.bmp", 7}, {"greets.png", 7},
    };
    const std::string name = fs::path(file).filename().string();
    for (const auto& reader : kFirstReaders) {
        if (name == reader.file) {
            return reader.scene;
        }
    }
    return 0;
}

namespace {

std::string extensionOf(const std::string& file) {
    std::string ext = fs::path(file).extension().string();
    for (char& c : ext) {
        c = (char)tolower((unsigned char)c);
    }
    return ext;
}

// The star is drawn pixel by pixel at up to 64 times its size: the worst
// place for a very large picture.
bool takesHugePicture(const std::string& file) {
    return file == "data/star.png";
}

bool writeGarbage(const std::string& path, const std::string& seedText) {
    std::mt19937 random((unsigned)std::hash<std::string>{}(seedText)&0xffffffffu);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (int i = 0; i < 4096; ++i) {
        out.put((char)(random() & 255));
    }
    return (bool)out;
}

bool cutInHalf(const std::string& path) {
    std::error_code error;
    const auto size = fs::file_size(path, error);
    if (error) {
        return false;
    }
    fs::resize_file(path, size / 2, error);
    return !error;
}

bool writeEmpty(const std::string& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    return (bool)out;
}

// Sizes vary with the depth: tiny, narrow, wide, taller and wider than the
// screen, exactly the 256 x 2 a palette needs, and just too small for one.
bool writePicture(const std::string& path, Damage damage) {
    switch (damage) {
    case Damage::Bmp1:
        return writeBmp(path, 1, 33, 7);
    case Damage::Bmp4:
        return writeBmp(path, 4, 300, 2);
    case Damage::Bmp8:
        return writeBmp(path, 8, 256, 2);
    case Damage::Bmp16:
        return writeBmp(path, 16, 1, 1);
    case Damage::Bmp24:
        return writeBmp(path, 24, 700, 520);
    case Damage::Bmp32:
        return writeBmp(path, 32, 255, 130);
    case Damage::PngGrey:
        return writePng(path, PngKind::Grey, 1, 1);
    case Damage::PngPaletted:
        return writePng(path, PngKind::Paletted, 130, 90, 0);
    case Damage::PngRgb:
        return writePng(path, PngKind::Rgb, 5, 300);
    case Damage::PngRgba:
        return writePng(path, PngKind::Rgba, 800, 600);
    case Damage::GifPlain:
        return writeGif(path, 700, 50, -1);
    case Damage::GifTransparent:
        return writeGif(path, 20, 130, 3);
    case Damage::HugePng:
        return writeHugePng(path, 10000, 10000);
    default:
        return false;
    }
}

// Writing a picture takes far longer than copying one (the huge PNG, an
// 800 x 600 one compressed): each kind is written once in a test program,
// and its bytes copied after.
bool writePictureOnce(const std::string& path, Damage damage) {
    static std::map<Damage, std::string> written;
    const auto found = written.find(damage);
    if (found != written.end()) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << found->second;
        return (bool)out.flush();
    }
    if (!writePicture(path, damage)) {
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    written[damage].assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

} // namespace

std::vector<Damage> pictureDamagesFor(const std::string& file) {
    const std::string ext = extensionOf(file);
    if (ext == ".bmp") {
        return {Damage::Bmp1,  Damage::Bmp4,  Damage::Bmp8,
                Damage::Bmp16, Damage::Bmp24, Damage::Bmp32};
    }
    if (ext == ".gif") {
        return {Damage::GifPlain, Damage::GifTransparent};
    }
    return {Damage::PngGrey, Damage::PngPaletted, Damage::PngRgb, Damage::PngRgba};
}

std::vector<Damage> damagesFor(const std::string& file) {
    std::vector<Damage> damages = {Damage::Missing, Damage::Empty, Damage::CutInHalf,
                                   Damage::RandomBytes};
    for (Damage d : pictureDamagesFor(file)) {
        damages.push_back(d);
    }
    if (takesHugePicture(file)) {
        damages.push_back(Damage::HugePng);
    }
    return damages;
}

std::string nameOf(Damage damage) {
    static const char* const names[] = {
        "Missing", "Empty",   "CutInHalf", "RandomBytes",    "Bmp1",    "Bmp4",
        "Bmp8",    "Bmp16",   "Bmp24",     "Bmp32",          "PngGrey", "PngPaletted",
        "PngRgb",  "PngRgba", "GifPlain",  "GifTransparent", "HugePng",
    };
    return names[(int)damage];
}

void copyDataSet(const std::string& folder, bool withTrack) {
    const fs::path from = fs::path(SNOLK_SOURCE_DIR) / "data";
    const fs::path to = fs::path(folder) / "data";
    fs::create_directories(to);
    for (const fs::directory_entry& entry : fs::directory_iterator(from)) {
        if (withTrack || entry.path().filename() != "laten2.mp3") {
            fs::copy(entry.path(), to / entry.path().filename(),
                     fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        }
    }
}

bool makeTrack(const std::string& folder) {
    const std::string command = "ffmpeg -v error -y -f lavfi -i sine=frequency=440:duration=20 "
                                "-ac 2 -c:a libmp3lame '" +
                                folder + "/data/laten2.mp3' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    return pipe != nullptr && pclose(pipe) == 0;
}

bool damageFile(const std::string& folder, const std::string& file, Damage damage) {
    const std::string path = folder + "/" + file;
    switch (damage) {
    case Damage::Missing: {
        std::error_code error;
        fs::remove(path, error);
        return !fs::exists(path);
    }
    case Damage::Empty:
        return writeEmpty(path);
    case Damage::CutInHalf:
        return cutInHalf(path);
    case Damage::RandomBytes:
        return writeGarbage(path, file);
    default:
        return writePictureOnce(path, damage);
    }
}
