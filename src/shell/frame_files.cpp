#include "shell/frame_files.h"

#include "drivers/show_lines.h"
#include "gfx/toolkit.h"
#include "shell/quit_signals.h"
#include "shell/render_clock.h"

#include <png.h>

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

namespace {

void rowToRgb(const SDL_Surface* surface, int y, png_byte* rgb) {
    const SDL_PixelFormat* f = surface->format;
    const Uint32* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(surface->pixels) +
                                                        y * surface->pitch);
    for (int x = 0; x < surface->w; ++x) {
        rgb[3 * x] = (png_byte)((row[x] & f->Rmask) >> f->Rshift);
        rgb[3 * x + 1] = (png_byte)((row[x] & f->Gmask) >> f->Gshift);
        rgb[3 * x + 2] = (png_byte)((row[x] & f->Bmask) >> f->Bshift);
    }
}

// libpng reports errors by longjmp, so nothing here may need a destructor.
bool encodePng(const SDL_Surface* surface, FILE* file, png_byte* rgb) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    // NOTE: setjmp is the whole condition, as C allows it to be used.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, surface->w, surface->h, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < surface->h; ++y) {
        png_write_row(png, rgb + (size_t)y * 3 * surface->w);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

std::string framePath(const std::string& folder, int64_t n) {
    char name[32];
    snprintf(name, sizeof name, "frame-%06" PRId64 ".png", n);
    return folder + "/" + name;
}

bool wantsPicture(const RenderOptions& o, int64_t n) {
    return !o.pngDir.empty() && n >= o.from && (n - o.from) % o.every == 0;
}

bool makePictureFolder(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        fprintf(stderr, "snolk-render: cannot make %s: %s\n", folder.c_str(),
                error.message().c_str());
        return false;
    }
    return true;
}

} // namespace

bool writePng(const SDL_Surface* surface, const std::string& path) {
    std::vector<png_byte> rgb((size_t)3 * surface->w * surface->h);
    for (int y = 0; y < surface->h; ++y) {
        rowToRgb(surface, y, rgb.data() + (size_t)y * 3 * surface->w);
    }
    FILE* file = fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool encoded = encodePng(surface, file, rgb.data());
    const bool closed = fclose(file) == 0;
    if (!encoded || !closed) {
        const int error = errno;
        remove(path.c_str());
        errno = error;
        return false;
    }
    return true;
}

bool prepareFrameFiles(const RenderOptions& o) {
    return o.pngDir.empty() || makePictureFolder(o.pngDir);
}

bool writeFrameFiles(const SDL_Surface* frame, const RenderOptions& o, int64_t n, Uint32 demoTime,
                     int scene) {
    if (o.hash) {
        puts(hashLine(n, demoTime, scene, hashFrame(frame)).c_str());
    }
    if (wantsPicture(o, n)) {
        const std::string path = framePath(o.pngDir, n);
        if (!writePng(frame, path)) {
            fprintf(stderr, "snolk-render: cannot write %s: %s\n", path.c_str(), strerror(errno));
            return false;
        }
    }
    return true;
}

int renderFrames(SDL_Surface* screen, const ShowAssets& assets, const RenderOptions& o) {
    if (!prepareFrameFiles(o)) {
        return 1;
    }
    const ClockRun run = runVirtualClock(screen, assets, o, framesToRender(o),
                                         [&](SDL_Surface* frame, int64_t n, Uint32 t, int scene) {
                                             return writeFrameFiles(frame, o, n, t, scene);
                                         });
    fflush(stdout);
    if (run.end == RunEnd::Interrupted) {
        reportInterruption(run);
        return 128 + quitSignal();
    }
    return run.end == RunEnd::Stopped ? 1 : 0;
}
