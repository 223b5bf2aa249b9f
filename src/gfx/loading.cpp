// NULL-safe loading and blitting of pictures: a missing or broken file gives a
// NULL surface, and a NULL surface is never drawn or dereferenced.
#include "gfx/toolkit.h"

#include <SDL_image.h>

#include <cstring>
#include <string>

namespace {

std::string dataFolder = "data";

} // namespace

void setDataFolder(const char* folder) {
    dataFolder = folder;
}

std::string dataFilePath(const char* path) {
    if (strncmp(path, "data/", 5) != 0) {
        return path;
    }
    return dataFolder + (path + 4);
}

namespace {

// The decoders read some header fields without looking whether the file
// had them (SDL_ReadLE16 and SDL_ReadLE32 give whatever was in the variable),
// and SDL_image's PNG reader ignores a short read, so an empty or cut-off
// file would feed them uninitialised bytes. Reads through this stream give
// zeros wherever the file ended early: a damaged file then fails, or decodes
// to the same pixels, every time.
int readZeroFilled(SDL_RWops* self, void* buffer, int size, int count) {
    SDL_RWops* file = static_cast<SDL_RWops*>(self->hidden.unknown.data1);
    const int got = SDL_RWread(file, buffer, size, count);
    const int whole = got < 0 ? 0 : got;
    if (size > 0 && count > whole) {
        memset(static_cast<Uint8*>(buffer) + (size_t)whole * (size_t)size, 0,
               (size_t)(count - whole) * (size_t)size);
    }
    return got;
}

int seekInFile(SDL_RWops* self, int offset, int whence) {
    return SDL_RWseek(static_cast<SDL_RWops*>(self->hidden.unknown.data1), offset, whence);
}

int refuseWrite(SDL_RWops*, const void*, int, int) {
    return -1;
}

int closeFile(SDL_RWops* self) {
    const int status = SDL_RWclose(static_cast<SDL_RWops*>(self->hidden.unknown.data1));
    SDL_FreeRW(self);
    return status;
}

SDL_RWops* openZeroFilled(const char* path) {
    SDL_RWops* file = SDL_RWFromFile(dataFilePath(path).c_str(), "rb");
    if (file == nullptr) {
        return nullptr;
    }
    SDL_RWops* stream = SDL_AllocRW();
    if (stream == nullptr) {
        SDL_RWclose(file);
        return nullptr;
    }
    stream->seek = seekInFile;
    stream->read = readZeroFilled;
    stream->write = refuseWrite;
    stream->close = closeFile;
    stream->hidden.unknown.data1 = file;
    return stream;
}

} // namespace

SDL_Surface* loadImage(const char* path) {
    SDL_RWops* stream = openZeroFilled(path);
    if (stream == nullptr) {
        return nullptr;
    }
    // As IMG_Load does: the file's extension names the format to try for
    // formats that have no magic number.
    const char* dot = strrchr(path, '.');
    return IMG_LoadTyped_RW(stream, 1, const_cast<char*>(dot != nullptr ? dot + 1 : nullptr));
}

SDL_Surface* loadBitmap(const char* path) {
    SDL_RWops* stream = openZeroFilled(path);
    if (stream == nullptr) {
        return nullptr;
    }
    return SDL_LoadBMP_RW(stream, 1);
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

void blitAt(SDL_Surface* picture, SDL_Surface* dst, int x, int y) {
    if (picture == nullptr || dst == nullptr) {
        return;
    }
    // NOTE: the rectangle holds the low 16 bits of the position.
    SDL_Rect where = {(Sint16)x, (Sint16)y, 0, 0};
    SDL_UpperBlit(picture, nullptr, dst, &where);
}

void blitPartAt(SDL_Surface* picture, int sx, int sy, int w, int h, SDL_Surface* dst, int x, int y,
                SDL_Rect* clipped) {
    SDL_Rect where = {(Sint16)x, (Sint16)y, 0, 0};
    if (picture != nullptr && dst != nullptr) {
        SDL_Rect part = {(Sint16)sx, (Sint16)sy, (Uint16)w, (Uint16)h};
        SDL_UpperBlit(picture, &part, dst, &where);
    }
    if (clipped != nullptr) {
        *clipped = where;
    }
}
