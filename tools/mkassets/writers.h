// Image writers: PNG through libpng, icons of PNGs, BMP through SDL's own SDL_SaveBMP, GIF
// through libimagequant and giflib. Each throws std::runtime_error when the
// file cannot be written.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct PaletteEntry {
    uint8_t r, g, b;
};
using Palette = std::array<PaletteEntry, 256>;

// 24-bit RGB PNG without alpha, from packed RGB bytes.
void writePngRgb(const std::string& path, int w, int h, const std::vector<uint8_t>& rgb);
// 32-bit RGBA PNG, from packed RGBA bytes.
void writePngRgba(const std::string& path, int w, int h, const std::vector<uint8_t>& rgba);
// A square picture of an icon, in packed RGBA bytes.
struct IconImage {
    int size;
    std::vector<uint8_t> rgba;
};
// A Windows icon file holding each picture as a PNG (Windows Vista and later
// read those at every size).
void writeIcon(const std::string& path, const std::vector<IconImage>& images);
// 24-bit BMP from packed RGB bytes.
void writeBmp24(const std::string& path, int w, int h, const std::vector<uint8_t>& rgb);
// 8-bit BMP of palette indexes with the given palette.
void writeBmp8(const std::string& path, int w, int h, const std::vector<uint8_t>& index,
               const Palette& palette);
// GIF of packed RGB bytes, reduced to at most 256 colours by libimagequant
// without dithering, pure black kept as it is; no transparency extension.
void writeGif(const std::string& path, int w, int h, const std::vector<uint8_t>& rgb);
