// The web build has no SDL_image: its pictures come from the decoder in
// src/web. Every picture the show may meet must come out of it as the very
// surface SDL_image makes: the show's own pictures, the damaged ones the
// robustness tests make, and PNG and GIF files of every depth and kind.
#include "gfx/picture_checks.h"
#include "web/picture_decoder.h"

#include "gfx/toolkit.h"
#include "robustness/damaged_data.h"
#include "robustness/picture_files.h"
#include "support/fixtures.h"

#include <gif_lib.h>
#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

// ---- Pictures of every kind ---------------------------------------------------

struct PngVariant {
    int colourType;
    int bitDepth;
    bool interlaced;
    std::vector<png_byte> trnsAlpha; // palette pictures: the tRNS alpha list
    bool trnsColour;                 // other pictures: a tRNS colour
};

int paletteLength(const PngVariant& v) {
    return v.bitDepth < 4 ? 1 << v.bitDepth : 6;
}

// Sample s (0 ... 2^depth - 1) of channel c at (x, y); palette pictures use
// 1 ... 6 colours at most, so every tRNS entry meets some pixels.
int sampleAt(const PngVariant& v, int x, int y, int c) {
    if (v.colourType == PNG_COLOR_TYPE_PALETTE) {
        return (x + 3 * y) % paletteLength(v);
    }
    const int top = (1 << v.bitDepth) - 1;
    return (x * 37 + y * 101 + c * 59 + (x * y) * 13) % (top + 1) ^
           (c == 3 && x % 4 == 0 ? top : 0);
}

bool writePngVariant(const std::string& path, const PngVariant& v) {
    constexpr int w = 21, h = 11;
    FILE* file = fopen(path.c_str(), "wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, w, h, v.bitDepth, v.colourType,
                 v.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_color palette[6] = {{0, 0, 0},     {250, 10, 20}, {30, 240, 40},
                            {50, 60, 230}, {7, 8, 9},     {99, 98, 97}};
    if (v.colourType == PNG_COLOR_TYPE_PALETTE) {
        png_set_PLTE(png, info, palette, paletteLength(v));
        if (!v.trnsAlpha.empty()) {
            png_set_tRNS(png, info, v.trnsAlpha.data(), (int)v.trnsAlpha.size(), nullptr);
        }
    }
    if (v.trnsColour) {
        // The low bytes differ from the high ones, to show which a loader reads.
        const png_uint_16 top = (png_uint_16)((1 << v.bitDepth) - 1);
        png_color_16 key = {0, (png_uint_16)(0x1234 & top), (png_uint_16)(0x5607 & top),
                            (png_uint_16)(0x0a9b & top), (png_uint_16)(0x3c01 & top)};
        png_set_tRNS(png, info, nullptr, 0, &key);
    }
    png_write_info(png, info);
    if (v.bitDepth < 8) {
        png_set_packing(png);
    }
    const int channels = png_get_channels(png, info);
    const int bytes = v.bitDepth == 16 ? 2 : 1;
    std::vector<png_byte> row((size_t)(w * channels * bytes));
    const int passes = png_set_interlace_handling(png);
    for (int pass = 0; pass < passes; ++pass) {
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                for (int c = 0; c < channels; ++c) {
                    const int s = sampleAt(v, x, y, c);
                    png_byte* at = &row[(size_t)((x * channels + c) * bytes)];
                    at[0] = (png_byte)(bytes == 2 ? s >> 8 : s);
                    at[bytes - 1] = (png_byte)s;
                }
            }
            png_write_row(png, row.data());
        }
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return fclose(file) == 0;
}

struct GifVariant {
    int colours = 256;     // of the colour map, a power of two
    bool localMap = false; // the map is the image's own, not the screen's
    bool interlaced = false;
    int left = 0, top = 0; // the image's place on a larger screen
    int transparent = -1;  // from a graphic control extension
    bool secondImage = false;
};

void putGifLines(GifFileType* gif, const GifVariant& v, int w, int h, bool& ok) {
    std::vector<GifPixelType> line((size_t)w);
    auto put = [&](int y) {
        for (int x = 0; x < w; ++x) {
            line[(size_t)x] = (GifPixelType)((x * 7 + y * 3 + x * y) % v.colours);
        }
        ok = ok && EGifPutLine(gif, line.data(), w) == GIF_OK;
    };
    if (!v.interlaced) {
        for (int y = 0; y < h; ++y) {
            put(y);
        }
        return;
    }
    for (int y = 0; y < h; y += 8)
        put(y);
    for (int y = 4; y < h; y += 8)
        put(y);
    for (int y = 2; y < h; y += 4)
        put(y);
    for (int y = 1; y < h; y += 2)
        put(y);
}

bool writeGifVariant(const std::string& path, const GifVariant& v) {
    constexpr int w = 23, h = 19;
    std::vector<GifColorType> colours((size_t)v.colours);
    for (int i = 0; i < v.colours; ++i) {
        colours[(size_t)i] = {(GifByteType)(i * 41), (GifByteType)(255 - i), (GifByteType)(i * 7)};
    }
    ColorMapObject* map = GifMakeMapObject(v.colours, colours.data());
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    EGifSetGifVersion(gif, true);
    bool ok =
        EGifPutScreenDesc(gif, w + v.left, h + v.top, 8, 0, v.localMap ? nullptr : map) == GIF_OK;
    if (v.transparent >= 0) {
        GraphicsControlBlock control = {DISPOSAL_UNSPECIFIED, false, 0, v.transparent};
        GifByteType extension[4];
        EGifGCBToExtension(&control, extension);
        ok = ok && EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension) == GIF_OK;
    }
    for (int image = 0; image < (v.secondImage ? 2 : 1); ++image) {
        ok = ok && EGifPutImageDesc(gif, v.left, v.top, w, h, v.interlaced,
                                    v.localMap ? map : nullptr) == GIF_OK;
        putGifLines(gif, v, w, h, ok);
    }
    GifFreeMapObject(map);
    return EGifCloseFile(gif, &error) == GIF_OK && ok;
}

// A GIF of two colours and no extension, edited: its image descriptor (',',
// place, size, flags) starts at byte 19.
std::function<bool(const std::string&)> editedGif(std::function<void(std::string&)> edit) {
    return [edit](const std::string& path) {
        if (!writeGifVariant(path, {2})) {
            return false;
        }
        std::ifstream in(path, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), {});
        in.close();
        edit(bytes);
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        return bytes[0] == 'G';
    };
}

// ---- Comparing surfaces ---------------------------------------------------------

// The first way two surfaces differ, or "" when they are the same.
std::string differenceBetween(const SDL_Surface* a, const SDL_Surface* b) {
    std::ostringstream out;
    const SDL_PixelFormat* fa = a->format;
    const SDL_PixelFormat* fb = b->format;
    const Uint32 keyFlags = SDL_SRCCOLORKEY | SDL_SRCALPHA;
    if (a->w != b->w || a->h != b->h || a->pitch != b->pitch) {
        out << "size " << a->w << "x" << a->h << " vs " << b->w << "x" << b->h;
    } else if (fa->BitsPerPixel != fb->BitsPerPixel || fa->Rmask != fb->Rmask ||
               fa->Gmask != fb->Gmask || fa->Bmask != fb->Bmask || fa->Amask != fb->Amask) {
        out << "format " << (int)fa->BitsPerPixel << " vs " << (int)fb->BitsPerPixel << " bits";
    } else if ((a->flags & keyFlags) != (b->flags & keyFlags) ||
               ((a->flags & SDL_SRCCOLORKEY) && fa->colorkey != fb->colorkey)) {
        out << "colour key " << std::hex << fa->colorkey << " vs " << fb->colorkey;
    } else if ((fa->palette == nullptr) != (fb->palette == nullptr) ||
               (fa->palette && fa->palette->ncolors != fb->palette->ncolors)) {
        out << "palette length";
    }
    for (int i = 0; out.str().empty() && fa->palette && i < fa->palette->ncolors; ++i) {
        const SDL_Color ca = fa->palette->colors[i], cb = fb->palette->colors[i];
        if (ca.r != cb.r || ca.g != cb.g || ca.b != cb.b) {
            out << "palette entry " << i;
        }
    }
    const size_t rowBytes = (size_t)a->w * fa->BytesPerPixel;
    for (int y = 0; out.str().empty() && y < a->h; ++y) {
        const Uint8* ra = static_cast<const Uint8*>(a->pixels) + y * a->pitch;
        const Uint8* rb = static_cast<const Uint8*>(b->pixels) + y * b->pitch;
        if (memcmp(ra, rb, rowBytes) != 0) {
            out << "pixels of row " << y;
        }
    }
    return out.str();
}

// The surface the engine's loader makes, and the decoder's, as one word.
std::string outcomeOf(const SDL_Surface* s) {
    return s == nullptr ? "NULL" : "surface";
}

SDL_Surface* throughDecoder(const std::string& path) {
    SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
    if (file == nullptr) {
        return nullptr;
    }
    SDL_Surface* picture = decodePicture(file);
    SDL_RWclose(file);
    return picture;
}

// What the web build's loader makes of a file: the loaders' checks, then the
// decoder in SDL_image's place.
SDL_Surface* throughCheckedDecoder(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<Uint8> bytes((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
    const PictureFormat format = pictureFormatOf(bytes.data(), bytes.size());
    if (format == PictureFormat::Bmp || !pictureIsSafe(format, bytes.data(), bytes.size())) {
        return nullptr;
    }
    return throughDecoder(path);
}

// ---- The cases ------------------------------------------------------------------

struct Case {
    std::string name;
    std::function<bool(const std::string&)> make; // writes the picture at a path
};

std::function<bool(const std::string&)> copyOf(const std::string& dataFile) {
    return [dataFile](const std::string& path) {
        std::error_code error;
        return fs::copy_file(fs::path(SNOLK_SOURCE_DIR) / dataFile, path,
                             fs::copy_options::overwrite_existing, error);
    };
}

// damageFile works on folder/data/NAME; the damaged copy is then moved.
std::function<bool(const std::string&)> damagedCopyOf(const std::string& dataFile, Damage damage) {
    return [dataFile, damage](const std::string& path) {
        fs::create_directories("data");
        return copyOf(dataFile)(dataFile) && damageFile(".", dataFile, damage) &&
               (fs::rename(dataFile, path), true);
    };
}

std::function<bool(const std::string&)> cutCopyOf(const std::string& dataFile, int length) {
    return [dataFile, length](const std::string& path) {
        std::error_code error;
        return copyOf(dataFile)(path) && (fs::resize_file(path, (uintmax_t)length, error), !error);
    };
}

std::vector<Case> showPictures() {
    std::vector<Case> cases;
    for (const auto& entry : fs::directory_iterator(fs::path(SNOLK_SOURCE_DIR) / "data")) {
        std::string ext = entry.path().extension().string();
        for (char& c : ext) {
            c = (char)tolower((unsigned char)c);
        }
        if (ext != ".png" && ext != ".gif") {
            continue;
        }
        const std::string file = "data/" + entry.path().filename().string();
        cases.push_back({file, copyOf(file)});
        for (Damage d : {Damage::Empty, Damage::CutInHalf, Damage::RandomBytes}) {
            cases.push_back({file + " " + nameOf(d), damagedCopyOf(file, d)});
        }
    }
    return cases;
}

std::vector<Case> robustnessPictures() {
    std::vector<Case> cases;
    for (Damage d : {Damage::PngGrey, Damage::PngPaletted, Damage::PngRgb, Damage::PngRgba,
                     Damage::GifPlain, Damage::GifTransparent, Damage::HugePng}) {
        cases.push_back({nameOf(d), damagedCopyOf("data/star.png", d)});
    }
    for (int length : {6, 13, 20, 400, 781, 790, 2000, 9000}) {
        cases.push_back(
            {"Ljus.gif cut at " + std::to_string(length), cutCopyOf("data/Ljus.gif", length)});
    }
    for (int length : {8, 33, 60, 200, 3000}) {
        cases.push_back(
            {"krx4.png cut at " + std::to_string(length), cutCopyOf("data/krx4.png", length)});
    }
    return cases;
}

std::vector<Case> pngKinds() {
    using A = std::vector<png_byte>;
    const std::vector<std::pair<std::string, PngVariant>> kinds = {
        {"grey1", {PNG_COLOR_TYPE_GRAY, 1, false, {}, false}},
        {"grey2", {PNG_COLOR_TYPE_GRAY, 2, false, {}, false}},
        {"grey4", {PNG_COLOR_TYPE_GRAY, 4, false, {}, false}},
        {"grey8", {PNG_COLOR_TYPE_GRAY, 8, false, {}, false}},
        {"grey16", {PNG_COLOR_TYPE_GRAY, 16, false, {}, false}},
        {"grey4 tRNS", {PNG_COLOR_TYPE_GRAY, 4, false, {}, true}},
        {"grey8 tRNS", {PNG_COLOR_TYPE_GRAY, 8, false, {}, true}},
        {"grey-alpha8", {PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, {}, false}},
        {"grey-alpha16", {PNG_COLOR_TYPE_GRAY_ALPHA, 16, false, {}, false}},
        {"palette1", {PNG_COLOR_TYPE_PALETTE, 1, false, {}, false}},
        {"palette2", {PNG_COLOR_TYPE_PALETTE, 2, false, {}, false}},
        {"palette4", {PNG_COLOR_TYPE_PALETTE, 4, false, {}, false}},
        {"palette8", {PNG_COLOR_TYPE_PALETTE, 8, false, {}, false}},
        {"palette one clear", {PNG_COLOR_TYPE_PALETTE, 8, false, A{255, 255, 0}, false}},
        {"palette 0 clear", {PNG_COLOR_TYPE_PALETTE, 4, false, A{0}, false}},
        {"palette all opaque", {PNG_COLOR_TYPE_PALETTE, 8, false, A{255, 255}, false}},
        {"palette two clear", {PNG_COLOR_TYPE_PALETTE, 8, false, A{0, 255, 0}, false}},
        {"palette translucent", {PNG_COLOR_TYPE_PALETTE, 2, false, A{255, 128}, false}},
        {"rgb8", {PNG_COLOR_TYPE_RGB, 8, false, {}, false}},
        {"rgb16", {PNG_COLOR_TYPE_RGB, 16, false, {}, false}},
        {"rgb8 tRNS", {PNG_COLOR_TYPE_RGB, 8, false, {}, true}},
        {"rgb16 tRNS", {PNG_COLOR_TYPE_RGB, 16, false, {}, true}},
        {"rgba8", {PNG_COLOR_TYPE_RGB_ALPHA, 8, false, {}, false}},
        {"rgba16", {PNG_COLOR_TYPE_RGB_ALPHA, 16, false, {}, false}},
        {"interlaced grey2", {PNG_COLOR_TYPE_GRAY, 2, true, {}, false}},
        {"interlaced palette4", {PNG_COLOR_TYPE_PALETTE, 4, true, A{255, 0}, false}},
        {"interlaced rgb16 tRNS", {PNG_COLOR_TYPE_RGB, 16, true, {}, true}},
        {"interlaced rgba8", {PNG_COLOR_TYPE_RGB_ALPHA, 8, true, {}, false}},
    };
    std::vector<Case> cases;
    for (const auto& [name, v] : kinds) {
        cases.push_back(
            {"png " + name, [v](const std::string& p) { return writePngVariant(p, v); }});
    }
    return cases;
}

std::vector<Case> gifKinds() {
    const std::vector<std::pair<std::string, GifVariant>> kinds = {
        {"two colours", {2}},
        {"sixteen colours, transparent 3", {16, false, false, 0, 0, 3}},
        {"transparent beyond the map", {4, false, false, 0, 0, 9}},
        {"local map", {8, true}},
        {"interlaced", {256, false, true}},
        {"placed on a larger screen", {32, false, false, 5, 3}},
        {"two images", {64, true, true, 0, 0, 1, true}},
    };
    std::vector<Case> cases;
    for (const auto& [name, v] : kinds) {
        cases.push_back(
            {"gif " + name, [v](const std::string& p) { return writeGifVariant(p, v); }});
    }
    cases.push_back({"gif stray bytes before the image",
                     editedGif([](std::string& b) { b.insert(19, std::string("\0\x07", 2)); })});
    cases.push_back(
        {"gif image wider than the screen", editedGif([](std::string& b) { b[24] = 60; })});
    return cases;
}

} // namespace

// SDL_image crashes on it: an empty surface has no pixels to write.
TEST(PictureDecoder, RefusesAGifImageWithoutPixels) {
    ScratchFolder folder;
    ASSERT_TRUE(editedGif([](std::string& b) { b[24] = b[25] = 0; })("empty.gif"));
    EXPECT_EQ(throughDecoder("empty.gif"), nullptr);
}

// Behind the same checks the desktop's loader and the web's give the same
// surfaces, and so does a copy of one, as a show copies what it owns. (SDL_image's own
// GIF reader writes a pixel or two of stale buffer past a cut inside the
// image data, where giflib stops at the last whole code; the checks refuse
// such cuts before either decoder sees them.)
TEST(PictureDecoder, GivesTheSurfacesSdlImageGives) {
    ScratchFolder folder;
    std::vector<Case> cases = showPictures();
    for (auto more : {robustnessPictures(), pngKinds(), gifKinds()}) {
        cases.insert(cases.end(), more.begin(), more.end());
    }
    std::string report;
    int index = 0;
    for (const Case& c : cases) {
        const std::string path = "picture-" + std::to_string(index++);
        ASSERT_TRUE(c.make(path)) << c.name;
        SDL_Surface* expected = loadImage(path.c_str());
        SDL_Surface* decoded = throughCheckedDecoder(path);
        std::string difference;
        if (outcomeOf(expected) != outcomeOf(decoded)) {
            difference = outcomeOf(expected) + " / " + outcomeOf(decoded);
        } else if (expected != nullptr) {
            difference = differenceBetween(expected, decoded);
            SDL_Surface* copy = copyOfSurface(decoded);
            if (difference.empty() && copy == nullptr) {
                difference = "no copy made";
            } else if (difference.empty()) {
                difference = differenceBetween(expected, copy);
            }
            SDL_FreeSurface(copy);
        }
        if (!difference.empty()) {
            report += c.name + ": " + difference + "\n";
        }
        SDL_FreeSurface(expected);
        SDL_FreeSurface(decoded);
    }
    EXPECT_EQ(report, "");
}
