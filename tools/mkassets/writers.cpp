#include "writers.h"

#include <SDL.h>
#include <gif_lib.h>
#include <libimagequant.h>
#include <omp.h>
#include <png.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace {

void fail(const std::string& what, const std::string& path) {
    throw std::runtime_error(what + ": " + path);
}

// A PNG file's bytes; path names it in errors.
std::vector<uint8_t> encodePng(const std::string& path, int w, int h,
                               const std::vector<uint8_t>& data, int colourType, int channels) {
    std::vector<uint8_t> bytes;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info) {
        png_destroy_write_struct(&png, &info);
        fail("libpng failed on", path);
    }
    // NOTE: setjmp is the whole condition, as C allows it to be used.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        fail("libpng failed on", path);
    }
    png_set_write_fn(
        png, &bytes,
        [](png_structp p, png_bytep chunk, png_size_t n) {
            auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(p));
            out->insert(out->end(), chunk, chunk + n);
        },
        [](png_structp) {}); // nothing to flush: libpng's own flush takes a FILE*
    png_set_IHDR(png, info, png_uint_32(w), png_uint_32(h), 8, colourType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    for (int y = 0; y < h; ++y)
        png_write_row(png, data.data() + size_t(y) * w * channels);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return bytes;
}

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        fail("cannot open", path);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (std::fclose(f) != 0 || !written)
        fail("cannot write", path);
}

void writePng(const std::string& path, int w, int h, const std::vector<uint8_t>& data,
              int colourType, int channels) {
    writeFile(path, encodePng(path, w, h, data, colourType, channels));
}

// Little-endian fields of an icon file's header and directory.
void put16(std::vector<uint8_t>& out, unsigned v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& out, size_t v) {
    put16(out, unsigned(v & 0xffff));
    put16(out, unsigned(v >> 16));
}

struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

} // namespace

void writePngRgb(const std::string& path, int w, int h, const std::vector<uint8_t>& rgb) {
    writePng(path, w, h, rgb, PNG_COLOR_TYPE_RGB, 3);
}

void writePngRgba(const std::string& path, int w, int h, const std::vector<uint8_t>& rgba) {
    writePng(path, w, h, rgba, PNG_COLOR_TYPE_RGB_ALPHA, 4);
}

void writeIcon(const std::string& path, const std::vector<IconImage>& images) {
    std::vector<std::vector<uint8_t>> pngs;
    for (const IconImage& image : images)
        pngs.push_back(
            encodePng(path, image.size, image.size, image.rgba, PNG_COLOR_TYPE_RGB_ALPHA, 4));
    std::vector<uint8_t> out;
    put16(out, 0); // reserved
    put16(out, 1); // an icon, not a cursor
    put16(out, unsigned(images.size()));
    size_t offset = 6 + 16 * images.size();
    for (size_t i = 0; i < images.size(); ++i) {
        const unsigned side = images[i].size >= 256 ? 0 : unsigned(images[i].size); // 0 is 256
        out.push_back(uint8_t(side));
        out.push_back(uint8_t(side));
        out.push_back(0); // no palette
        out.push_back(0); // reserved
        put16(out, 1);    // colour planes
        put16(out, 32);   // bits per pixel
        put32(out, pngs[i].size());
        put32(out, offset);
        offset += pngs[i].size();
    }
    for (const std::vector<uint8_t>& png : pngs)
        out.insert(out.end(), png.begin(), png.end());
    writeFile(path, out);
}

void writeBmp24(const std::string& path, int w, int h, const std::vector<uint8_t>& rgb) {
    // Byte order B, G, R in memory is what a 24-bit BMP stores.
    SurfacePtr s(SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0xff0000, 0x00ff00, 0x0000ff, 0));
    if (!s)
        fail("SDL_CreateRGBSurface failed for", path);
    for (int y = 0; y < h; ++y) {
        auto* row = static_cast<uint8_t*>(s->pixels) + size_t(y) * s->pitch;
        for (int x = 0; x < w; ++x) {
            const uint8_t* p = rgb.data() + (size_t(y) * w + x) * 3;
            row[x * 3] = p[2];
            row[x * 3 + 1] = p[1];
            row[x * 3 + 2] = p[0];
        }
    }
    if (SDL_SaveBMP(s.get(), path.c_str()) != 0)
        fail("SDL_SaveBMP failed for", path);
}

void writeBmp8(const std::string& path, int w, int h, const std::vector<uint8_t>& index,
               const Palette& palette) {
    SurfacePtr s(SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 8, 0, 0, 0, 0));
    if (!s)
        fail("SDL_CreateRGBSurface failed for", path);
    SDL_Color colours[256];
    for (int i = 0; i < 256; ++i)
        colours[i] = {palette[i].r, palette[i].g, palette[i].b, 0};
    SDL_SetColors(s.get(), colours, 0, 256);
    for (int y = 0; y < h; ++y)
        std::memcpy(static_cast<uint8_t*>(s->pixels) + size_t(y) * s->pitch,
                    index.data() + size_t(y) * w, size_t(w));
    if (SDL_SaveBMP(s.get(), path.c_str()) != 0)
        fail("SDL_SaveBMP failed for", path);
}

void writeGif(const std::string& path, int w, int h, const std::vector<uint8_t>& rgb) {
    size_t n = size_t(w) * h;
    std::vector<uint8_t> rgba(n * 4), out(n);
    for (size_t i = 0; i < n; ++i) {
        std::memcpy(&rgba[i * 4], &rgb[i * 3], 3);
        rgba[i * 4 + 3] = 255;
    }
    // NOTE: libimagequant sums its colour clusters per OpenMP thread, and sums
    // grouped another way may round another way: one thread gives the same
    // palette on every machine, whatever its number of cores.
    omp_set_num_threads(1);
    std::unique_ptr<liq_attr, void (*)(liq_attr*)> attr(liq_attr_create(), liq_attr_destroy);
    if (!attr || liq_set_max_colors(attr.get(), 256) != LIQ_OK ||
        liq_set_speed(attr.get(), 1) != LIQ_OK)
        fail("libimagequant failed to start for", path);
    std::unique_ptr<liq_image, void (*)(liq_image*)> image(
        liq_image_create_rgba(attr.get(), rgba.data(), w, h, 0), liq_image_destroy);
    // Pure black is the background the scene draws on: it keeps an entry.
    liq_result* raw = nullptr;
    if (!image || liq_image_add_fixed_color(image.get(), {0, 0, 0, 255}) != LIQ_OK ||
        liq_image_quantize(image.get(), attr.get(), &raw) != LIQ_OK)
        fail("libimagequant failed on", path);
    std::unique_ptr<liq_result, void (*)(liq_result*)> result(raw, liq_result_destroy);
    // Flat colours: a ramp steps from one entry to the next, never in a
    // pattern of dots.
    if (liq_set_dithering_level(result.get(), 0) != LIQ_OK ||
        liq_write_remapped_image(result.get(), image.get(), out.data(), n) != LIQ_OK)
        fail("libimagequant failed on", path);
    const liq_palette* pal = liq_get_palette(result.get());
    GifColorType map[256] = {};
    for (unsigned i = 0; i < pal->count && i < 256; ++i)
        map[i] = {pal->entries[i].r, pal->entries[i].g, pal->entries[i].b};
    ColorMapObject* cmap = GifMakeMapObject(256, map);
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    if (!gif || !cmap) {
        GifFreeMapObject(cmap);
        fail("EGifOpenFileName failed for", path);
    }
    bool ok = EGifPutScreenDesc(gif, w, h, 8, 0, cmap) != GIF_ERROR &&
              EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) != GIF_ERROR;
    for (int y = 0; ok && y < h; ++y)
        ok = EGifPutLine(gif, out.data() + size_t(y) * w, w) != GIF_ERROR;
    GifFreeMapObject(cmap);
    if (EGifCloseFile(gif, &error) == GIF_ERROR || !ok)
        fail("giflib failed on", path);
}
