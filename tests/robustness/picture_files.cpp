#include "robustness/picture_files.h"

#include <gif_lib.h>
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <vector>

Uint32 patternColour(int x, int y) {
    if ((x + 2 * y) % 7 == 0) {
        return 0;
    }
    if ((3 * x + y) % 11 == 0) {
        return 0x00ff00;
    }
    const Uint32 r = (x * 37 + y * 11 + 40) & 255;
    const Uint32 g = (x * 13 + y * 29 + 90) & 255;
    const Uint32 b = (x * 7 + y * 3 + 150) & 255;
    return r << 16 | g << 8 | b;
}

int patternIndex(int x, int y, int bits) {
    if ((x + 2 * y) % 7 == 0) {
        return 0;
    }
    return (x + 3 * y) % (1 << bits);
}

Uint32 paletteColour(int index, int bits) {
    if (index == 0) {
        return 0;
    }
    if (bits == 1) {
        return 0xffeecc;
    }
    const Uint32 r = (index * 53 + 20) & 255;
    const Uint32 g = (index * 101 + 60) & 255;
    const Uint32 b = (index * 29 + 200) & 255;
    return r << 16 | g << 8 | b;
}

Uint8 patternAlpha(int x, int y) {
    if ((x + y) % 5 == 0) {
        return 0;
    }
    return (Uint8)((x * 17 + y * 5) | 0x40);
}

// ---- BMP --------------------------------------------------------------------

namespace {

void putLittle(std::vector<Uint8>& out, Uint32 value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back((Uint8)(value >> (8 * i)));
    }
}

// One row of indexes packed most significant bits first.
void packIndexes(std::vector<Uint8>& row, int y, int bits, int w) {
    const int perByte = 8 / bits;
    for (int x = 0; x < w; x += perByte) {
        Uint8 byte = 0;
        for (int k = 0; k < perByte; ++k) {
            const int index = x + k < w ? patternIndex(x + k, y, bits) : 0;
            byte |= (Uint8)(index << (8 - bits * (k + 1)));
        }
        row.push_back(byte);
    }
}

void packColours(std::vector<Uint8>& row, int y, int bits, int w) {
    for (int x = 0; x < w; ++x) {
        const Uint32 c = patternColour(x, y);
        if (bits == 16) {
            const Uint32 r = c >> 19 & 31;
            const Uint32 g = c >> 11 & 31;
            const Uint32 b = c >> 3 & 31;
            putLittle(row, r << 10 | g << 5 | b, 2);
        } else {
            putLittle(row, c, bits / 8);
        }
    }
}

std::vector<Uint8> bmpRow(int y, int bits, int w) {
    std::vector<Uint8> row;
    if (bits <= 8) {
        packIndexes(row, y, bits, w);
    } else {
        packColours(row, y, bits, w);
    }
    while (row.size() % 4 != 0) {
        row.push_back(0);
    }
    return row;
}

bool writeAll(const std::string& path, const std::vector<Uint8>& bytes) {
    FILE* file = fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool ok = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && ok;
}

} // namespace

bool writeBmp(const std::string& path, int bits, int w, int h) {
    const int colours = bits <= 8 ? 1 << bits : 0;
    const Uint32 rowBytes = (Uint32)bmpRow(0, bits, w).size();
    const Uint32 offset = 14 + 40 + 4 * colours;
    std::vector<Uint8> out;
    out.push_back('B');
    out.push_back('M');
    putLittle(out, offset + rowBytes * h, 4);
    putLittle(out, 0, 4);
    putLittle(out, offset, 4);
    // BITMAPINFOHEADER: size, width, height (bottom-up), planes, depth,
    // no compression, image size, resolution, colours used and important.
    for (Uint32 field : {40u, (Uint32)w, (Uint32)h}) {
        putLittle(out, field, 4);
    }
    putLittle(out, 1, 2);
    putLittle(out, bits, 2);
    for (Uint32 field : {0u, rowBytes * h, 2835u, 2835u, (Uint32)colours, 0u}) {
        putLittle(out, field, 4);
    }
    for (int i = 0; i < colours; ++i) {
        putLittle(out, paletteColour(i, bits), 4); // B, G, R, 0
    }
    for (int y = h - 1; y >= 0; --y) {
        const std::vector<Uint8> row = bmpRow(y, bits, w);
        out.insert(out.end(), row.begin(), row.end());
    }
    return writeAll(path, out);
}

// ---- PNG --------------------------------------------------------------------

namespace {

int colourTypeOf(PngKind kind) {
    switch (kind) {
    case PngKind::Grey:
        return PNG_COLOR_TYPE_GRAY;
    case PngKind::Paletted:
        return PNG_COLOR_TYPE_PALETTE;
    case PngKind::Rgb:
        return PNG_COLOR_TYPE_RGB;
    case PngKind::Rgba:
        return PNG_COLOR_TYPE_RGB_ALPHA;
    }
    return PNG_COLOR_TYPE_RGB;
}

constexpr int kPatternCorner = 64;

std::vector<Uint8> pngRow(PngKind kind, int y, int w) {
    std::vector<Uint8> row;
    for (int x = 0; x < w; ++x) {
        const Uint32 c = patternColour(x, y);
        if (kind == PngKind::Paletted) {
            row.push_back((Uint8)patternIndex(x, y, 8));
        } else if (kind == PngKind::Grey) {
            row.push_back((Uint8)(c >> 16));
        } else {
            row.insert(row.end(), {(Uint8)(c >> 16), (Uint8)(c >> 8), (Uint8)c});
            if (kind == PngKind::Rgba) {
                row.push_back(patternAlpha(x, y));
            }
        }
    }
    return row;
}

void setPalette(png_structp png, png_infop info, int transparentIndex) {
    png_color colours[256];
    for (int i = 0; i < 256; ++i) {
        const Uint32 c = paletteColour(i, 8);
        colours[i] = {(png_byte)(c >> 16), (png_byte)(c >> 8), (png_byte)c};
    }
    png_set_PLTE(png, info, colours, 256);
    if (transparentIndex >= 0) {
        png_byte alpha[256];
        for (png_byte& a : alpha) {
            a = 255;
        }
        alpha[transparentIndex] = 0;
        png_set_tRNS(png, info, alpha, transparentIndex + 1, nullptr);
    }
}

// Row y of the huge picture, made from the previous one: the flat colour,
// with the pattern's row in the corner of the first rows only.
void hugeRow(std::vector<Uint8>& row, int y, int w) {
    const Uint8 flat[4] = {0xc0, 0xd0, 0xe0, 0xff};
    const int corner = w < kPatternCorner ? w : kPatternCorner;
    if (row.empty() || y == kPatternCorner) {
        row.resize(4 * (size_t)w);
        for (size_t i = 0; i < row.size(); ++i) {
            row[i] = flat[i % 4];
        }
    }
    if (y < kPatternCorner) {
        const std::vector<Uint8> pattern = pngRow(PngKind::Rgba, y, corner);
        std::copy(pattern.begin(), pattern.end(), row.begin());
    }
}

bool writePngRows(FILE* file, PngKind kind, int w, int h, int transparentIndex, bool flat) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    // Before setjmp: a longjmp out of libpng must not skip a destructor.
    std::vector<Uint8> row;
    if (info == nullptr) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    // Fast compression: some of these pictures are very large.
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, w, h, 8, colourTypeOf(kind), PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (kind == PngKind::Paletted) {
        setPalette(png, info, transparentIndex);
    }
    png_write_info(png, info);
    for (int y = 0; y < h; ++y) {
        if (flat) {
            hugeRow(row, y, w);
        } else {
            row = pngRow(kind, y, w);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

bool writePng(const std::string& path, PngKind kind, int w, int h, int transparentIndex) {
    FILE* file = fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool ok = writePngRows(file, kind, w, h, transparentIndex, false);
    return fclose(file) == 0 && ok;
}

bool writeHugePng(const std::string& path, int w, int h) {
    FILE* file = fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool ok = writePngRows(file, PngKind::Rgba, w, h, -1, true);
    return fclose(file) == 0 && ok;
}

// ---- GIF --------------------------------------------------------------------

namespace {

ColorMapObject* gifPalette() {
    GifColorType colours[256];
    for (int i = 0; i < 256; ++i) {
        const Uint32 c = paletteColour(i, 8);
        colours[i] = {(GifByteType)(c >> 16), (GifByteType)(c >> 8), (GifByteType)c};
    }
    return GifMakeMapObject(256, colours);
}

bool putTransparency(GifFileType* gif, int transparentIndex) {
    GraphicsControlBlock control = {};
    control.DisposalMode = DISPOSAL_UNSPECIFIED;
    control.DelayTime = 0;
    control.TransparentColor = transparentIndex;
    GifByteType extension[4];
    const size_t length = EGifGCBToExtension(&control, extension);
    return EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, (int)length, extension) == GIF_OK;
}

bool putPicture(GifFileType* gif, int w, int h, int transparentIndex) {
    ColorMapObject* palette = gifPalette();
    bool ok = EGifPutScreenDesc(gif, w, h, 8, 0, palette) == GIF_OK;
    GifFreeMapObject(palette);
    if (ok && transparentIndex >= 0) {
        ok = putTransparency(gif, transparentIndex);
    }
    ok = ok && EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_OK;
    std::vector<GifPixelType> line((size_t)w);
    for (int y = 0; ok && y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            line[(size_t)x] = (GifPixelType)patternIndex(x, y, 8);
        }
        ok = EGifPutLine(gif, line.data(), w) == GIF_OK;
    }
    return ok;
}

} // namespace

bool writeGif(const std::string& path, int w, int h, int transparentIndex) {
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    if (gif == nullptr) {
        return false;
    }
    EGifSetGifVersion(gif, true);
    const bool ok = putPicture(gif, w, h, transparentIndex);
    return EGifCloseFile(gif, &error) == GIF_OK && ok;
}
