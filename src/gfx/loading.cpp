// NULL-safe loading and blitting of pictures: a missing, broken or hostile
// file gives a NULL surface, and a NULL surface is never drawn or
// dereferenced.
#include "gfx/toolkit.h"

#include "gfx/picture_checks.h"

#include <SDL_image.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace {

// The one place a data file is opened: its bytes, whole, so that they can be
// checked before a decoder sees them. False for a missing, unreadable, empty
// or oversized file, and for anything but a plain file: opening a FIFO
// waits for a writer, a device may never end. The size is read in 64 bits:
// a file of 4 GiB and more must not pass for a small one.
bool readDataFile(const char* path, std::vector<Uint8>& bytes) {
    std::error_code error;
    const std::uintmax_t size =
        std::filesystem::is_regular_file(path, error) ? std::filesystem::file_size(path, error) : 0;
    if (error || size == 0 || size > (std::uintmax_t)kMaxPictureFileBytes) {
        SDL_SetError("%s: missing, empty, not a plain file or larger than any picture", path);
        return false;
    }
    SDL_RWops* file = SDL_RWFromFile(path, "rb");
    if (file == nullptr) {
        return false;
    }
    bytes.resize((size_t)size);
    const bool ok = SDL_RWread(file, bytes.data(), (int)size, 1) == 1;
    SDL_RWclose(file);
    if (!ok) {
        SDL_SetError("%s: unreadable", path);
    }
    return ok;
}

// The decoders read some header fields without looking whether the file
// had them (SDL_ReadLE16 and SDL_ReadLE32 give whatever was in the variable),
// and SDL_image's PNG reader ignores a short read, so an empty or cut-off
// file would feed them uninitialised bytes. Reads through this stream give
// zeros wherever the file ended early: a damaged file then fails, or decodes
// to the same pixels, every time.
int readZeroFilled(SDL_RWops* self, void* buffer, int size, int count) {
    SDL_RWops* inner = static_cast<SDL_RWops*>(self->hidden.unknown.data1);
    const int got = SDL_RWread(inner, buffer, size, count);
    const int whole = got < 0 ? 0 : got;
    if (size > 0 && count > whole) {
        memset(static_cast<Uint8*>(buffer) + (size_t)whole * (size_t)size, 0,
               (size_t)(count - whole) * (size_t)size);
    }
    return got;
}

int seekInner(SDL_RWops* self, int offset, int whence) {
    return SDL_RWseek(static_cast<SDL_RWops*>(self->hidden.unknown.data1), offset, whence);
}

int refuseWrite(SDL_RWops*, const void*, int, int) {
    return -1;
}

int closeInner(SDL_RWops* self) {
    const int status = SDL_RWclose(static_cast<SDL_RWops*>(self->hidden.unknown.data1));
    SDL_FreeRW(self);
    return status;
}

// The file's bytes as a stream whose reads past the end give zeros.
SDL_RWops* zeroFilledStream(const std::vector<Uint8>& bytes) {
    SDL_RWops* memory = SDL_RWFromConstMem(bytes.data(), (int)bytes.size());
    if (memory == nullptr) {
        return nullptr;
    }
    SDL_RWops* stream = SDL_AllocRW();
    if (stream == nullptr) {
        SDL_RWclose(memory);
        return nullptr;
    }
    stream->seek = seekInner;
    stream->read = readZeroFilled;
    stream->write = refuseWrite;
    stream->close = closeInner;
    stream->hidden.unknown.data1 = memory;
    return stream;
}

// Each format goes to its own decoder, never to SDL_image's guess from the
// content: BMP to SDL's reader, PNG and GIF to SDL_image's.
SDL_Surface* decode(const std::vector<Uint8>& bytes, PictureFormat format) {
    SDL_RWops* stream = zeroFilledStream(bytes);
    if (stream == nullptr) {
        return nullptr;
    }
    if (format == PictureFormat::Bmp) {
        return SDL_LoadBMP_RW(stream, 1);
    }
    SDL_Surface* picture =
        format == PictureFormat::Png ? IMG_LoadPNG_RW(stream) : IMG_LoadGIF_RW(stream);
    SDL_RWclose(stream);
    return picture;
}

// What the drawing code may assume of any loaded picture, whatever the
// decoder made of the file.
bool fitsTheToolkit(const SDL_Surface* s) {
    return s->w >= 1 && s->w <= kMaxPictureSide && s->h >= 1 && s->h <= kMaxPictureSide &&
           (int64_t)s->w * s->h <= kMaxPicturePixels && s->format->BytesPerPixel >= 1 &&
           s->format->BytesPerPixel <= 4 && s->pixels != nullptr;
}

SDL_Surface* loadChecked(const char* path, bool bitmapOnly) {
    std::vector<Uint8> bytes;
    if (!readDataFile(path, bytes)) {
        return nullptr;
    }
    const PictureFormat format = pictureFormatOf(bytes.data(), bytes.size());
    if (bitmapOnly && format != PictureFormat::Bmp) {
        SDL_SetError("%s: not a BMP picture", path);
        return nullptr;
    }
    dropInflatedChunks(bytes);
    if (!pictureIsSafe(format, bytes.data(), bytes.size())) {
        return nullptr;
    }
    SDL_Surface* picture = decode(bytes, format);
    if (picture != nullptr && !fitsTheToolkit(picture)) {
        SDL_FreeSurface(picture);
        SDL_SetError("%s: decoded to a surface the toolkit cannot draw", path);
        return nullptr;
    }
    return picture;
}

} // namespace

SDL_Surface* loadImage(const char* path) {
    return loadChecked(path, false);
}

SDL_Surface* loadBitmap(const char* path) {
    return loadChecked(path, true);
}

namespace {

bool isDense32(const SDL_Surface* s) {
    return s->format->BytesPerPixel == 4 && s->pitch == 4 * s->w;
}

// The screen's own layout: 0x00RRGGBB, no alpha.
SDL_Surface* convertToDense32(SDL_Surface* picture) {
    SDL_Surface* model =
        SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, 0x00ff0000, 0x0000ff00, 0x000000ff, 0);
    if (model == nullptr) {
        return nullptr;
    }
    SDL_Surface* converted = SDL_ConvertSurface(picture, model->format, SDL_SWSURFACE);
    SDL_FreeSurface(model);
    if (converted != nullptr && !isDense32(converted)) {
        SDL_FreeSurface(converted);
        converted = nullptr;
    }
    return converted;
}

} // namespace

SDL_Surface* loadPixelSprite(const char* path) {
    SDL_Surface* picture = loadImage(path);
    if (picture == nullptr || isDense32(picture)) {
        return picture;
    }
    SDL_Surface* converted = convertToDense32(picture);
    SDL_FreeSurface(picture);
    return converted;
}

int widthOf(const SDL_Surface* picture) {
    return picture != nullptr ? picture->w : 0;
}

int heightOf(const SDL_Surface* picture) {
    return picture != nullptr ? picture->h : 0;
}

void setColourKey(SDL_Surface* surface, Uint32 key) {
    if (surface != nullptr) {
        SDL_SetColorKey(surface, SDL_SRCCOLORKEY, key);
    }
}
