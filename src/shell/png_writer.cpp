#include "shell/png_writer.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace {

void rowToRgb(const SDL_Surface* surface, int y, std::vector<png_byte>& rgb) {
    const SDL_PixelFormat* f = surface->format;
    const Uint32* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(surface->pixels) +
                                                        y * surface->pitch);
    for (int x = 0; x < surface->w; ++x) {
        rgb[3 * x] = (png_byte)((row[x] & f->Rmask) >> f->Rshift);
        rgb[3 * x + 1] = (png_byte)((row[x] & f->Gmask) >> f->Gshift);
        rgb[3 * x + 2] = (png_byte)((row[x] & f->Bmask) >> f->Bshift);
    }
}

} // namespace

bool writePng(const SDL_Surface* surface, const char* path) {
    FILE* file = fopen(path, "wb");
    if (file == nullptr) {
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = info != nullptr;
    // Before setjmp: a longjmp out of libpng must not skip a destructor.
    std::vector<png_byte> rgb(3 * surface->w);
    if (ok && setjmp(png_jmpbuf(png))) {
        ok = false;
    } else if (ok) {
        png_init_io(png, file);
        png_set_IHDR(png, info, surface->w, surface->h, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < surface->h; ++y) {
            rowToRgb(surface, y, rgb);
            png_write_row(png, rgb.data());
        }
        png_write_end(png, nullptr);
    }
    png_destroy_write_struct(&png, &info);
    return fclose(file) == 0 && ok;
}
