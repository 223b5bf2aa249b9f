// The rules below were found by loading pictures of every kind both through
// SDL_image 1.2 (Debian 12's, on libpng 1.6) and through this file, and
// comparing the surfaces (tests/web/picture_decoder_test.cpp does so).
#include "web/picture_decoder.h"

#include <gif_lib.h>
#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

namespace {

// Whether the stream starts with the given bytes; the stream is left where
// it was.
bool startsWith(SDL_RWops* stream, const char* signature, int length) {
    const int start = SDL_RWtell(stream);
    char head[8] = {};
    const bool same = SDL_RWread(stream, head, 1, length) == length &&
                      memcmp(head, signature, (size_t)length) == 0;
    SDL_RWseek(stream, start, RW_SEEK_SET);
    return same;
}

// ---- PNG --------------------------------------------------------------------

struct PngDecoding {
    SDL_RWops* stream = nullptr;
    png_structp png = nullptr;
    png_infop info = nullptr;
    SDL_Surface* surface = nullptr;
    std::vector<png_bytep> rows;
    int keyIndex = -1;        // a palette index to key, or -1
    bool keyFromTrns = false; // key the colour that tRNS names
    png_color_16 trnsColour = {};
};

// NOTE: a file that ends early reads as zeros rather than failing, as
// SDL_image's reader does under loadImage's zero-filling stream; libpng then
// meets a chunk of length 0 and type 0 and gives up.
void readPngBytes(png_structp png, png_bytep data, size_t length) {
    PngDecoding* d = static_cast<PngDecoding*>(png_get_io_ptr(png));
    const int got = SDL_RWread(d->stream, data, 1, (int)length);
    const size_t whole = got > 0 ? (size_t)got : 0;
    if (whole < length) {
        memset(data + whole, 0, length - whole);
    }
}

void failPng(png_structp png, png_const_charp message) {
    SDL_SetError("PNG: %s", message);
    png_longjmp(png, 1);
}

void ignorePngWarning(png_structp, png_const_charp) {}

// A palette's tRNS becomes a colour key only when it makes exactly one index
// fully clear and leaves every other listed index fully opaque; -1 when it
// marks none (all opaque). Anything else (two clear indexes, one translucent)
// turns the picture into 32-bit RGBA instead: -2.
int paletteKeyOf(png_const_bytep alpha, int count) {
    int key = -1;
    for (int i = 0; i < count; ++i) {
        if (alpha[i] == 0 && key < 0) {
            key = i;
        } else if (alpha[i] != 255) {
            return -2;
        }
    }
    return key;
}

// What a tRNS chunk does: a palette index key, a colour key that is looked up
// once the surface exists, or (with a palette it cannot key) expansion.
void takeTransparency(PngDecoding& d, int colourType) {
    png_bytep alpha = nullptr;
    int count = 0;
    png_color_16p colour = nullptr;
    png_get_tRNS(d.png, d.info, &alpha, &count, &colour);
    if (colourType != PNG_COLOR_TYPE_PALETTE) {
        d.keyFromTrns = true;
        d.trnsColour = *colour;
        return;
    }
    const int key = paletteKeyOf(alpha, count);
    if (key == -2) {
        png_set_expand(d.png);
    } else {
        d.keyIndex = key;
    }
}

// Eight bits a channel (16-bit samples keep their high byte), one byte a
// pixel at least, grey of fewer bits scaled up to 0 ... 255, grey with alpha
// as RGB with alpha; interlaced pictures are delivered whole.
void chooseTransforms(PngDecoding& d) {
    png_read_info(d.png, d.info);
    const int colourType = png_get_color_type(d.png, d.info);
    png_set_strip_16(d.png);
    png_set_packing(d.png);
    if (colourType == PNG_COLOR_TYPE_GRAY) {
        png_set_expand(d.png);
    }
    if (png_get_valid(d.png, d.info, PNG_INFO_tRNS)) {
        takeTransparency(d, colourType);
    }
    if (colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
        png_set_gray_to_rgb(d.png);
    }
    png_set_interlace_handling(d.png);
    png_read_update_info(d.png, d.info);
}

// Bytes in file order: R in the lowest byte of a pixel word, alpha (if any)
// in the highest. Palette pictures get no masks; every other kind, grey too,
// gets the RGB masks, whatever its depth.
// NOTE: grey with a tRNS colour comes out as grey plus alpha, two bytes a
// pixel: a 16-bit surface whose "red" is the grey and "green" the alpha.
// SDL_image makes exactly this, so the web build must too.
#if SDL_BYTEORDER != SDL_LIL_ENDIAN
#error "the masks below are those of a little-endian machine"
#endif
SDL_Surface* createPngSurface(PngDecoding& d) {
    const int colourType = png_get_color_type(d.png, d.info);
    const int channels = png_get_channels(d.png, d.info);
    const int depth = png_get_bit_depth(d.png, d.info) * channels;
    const bool masked = colourType != PNG_COLOR_TYPE_PALETTE;
    const Uint32 r = masked ? 0x000000ff : 0;
    const Uint32 g = masked ? 0x0000ff00 : 0;
    const Uint32 b = masked ? 0x00ff0000 : 0;
    const Uint32 a = masked && channels == 4 ? 0xff000000 : 0;
    return SDL_CreateRGBSurface(SDL_SWSURFACE, (int)png_get_image_width(d.png, d.info),
                                (int)png_get_image_height(d.png, d.info), depth, r, g, b, a);
}

// NOTE: a tRNS colour is matched by the low byte of each of its 16-bit
// fields, whatever the picture's bit depth; grey pictures carry their value
// in a field that is not read, so their key is black.
void setPngColourKey(PngDecoding& d) {
    if (d.keyFromTrns) {
        const Uint32 key = SDL_MapRGB(d.surface->format, (Uint8)d.trnsColour.red,
                                      (Uint8)d.trnsColour.green, (Uint8)d.trnsColour.blue);
        SDL_SetColorKey(d.surface, SDL_SRCCOLORKEY, key);
    } else if (d.keyIndex >= 0) {
        SDL_SetColorKey(d.surface, SDL_SRCCOLORKEY, (Uint32)d.keyIndex);
    }
}

// Grey gets a full 256-step ramp; a palette picture gets its PLTE, and the
// palette's length is the PLTE's.
void setPngPalette(PngDecoding& d) {
    SDL_Palette* palette = d.surface->format->palette;
    if (palette == nullptr) {
        return;
    }
    if (png_get_color_type(d.png, d.info) == PNG_COLOR_TYPE_GRAY) {
        palette->ncolors = 256;
        for (int i = 0; i < 256; ++i) {
            palette->colors[i] = {(Uint8)i, (Uint8)i, (Uint8)i, 0};
        }
        return;
    }
    png_colorp colours = nullptr;
    int count = 0;
    png_get_PLTE(d.png, d.info, &colours, &count);
    if (count > 0) {
        palette->ncolors = count;
        for (int i = 0; i < count; ++i) {
            palette->colors[i] = {colours[i].red, colours[i].green, colours[i].blue, 0};
        }
    }
}

// Everything that may longjmp back here. No object with a destructor lives
// in the frames between, so nothing is skipped; what the decoding owns sits
// in d, in the caller's frame.
bool runPngDecoding(PngDecoding& d) {
    if (setjmp(png_jmpbuf(d.png))) {
        return false;
    }
    chooseTransforms(d);
    d.surface = createPngSurface(d);
    if (d.surface == nullptr) {
        return false;
    }
    setPngColourKey(d);
    d.rows.resize(d.surface->h);
    for (int y = 0; y < d.surface->h; ++y) {
        d.rows[y] = static_cast<png_bytep>(d.surface->pixels) + y * d.surface->pitch;
    }
    // As SDL_image: the chunks after the image data are never read, so what
    // follows the last row does not matter.
    png_read_image(d.png, d.rows.data());
    setPngPalette(d);
    return true;
}

SDL_Surface* decodePng(SDL_RWops* stream) {
    PngDecoding d;
    d.stream = stream;
    d.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &d, failPng, ignorePngWarning);
    d.info = d.png != nullptr ? png_create_info_struct(d.png) : nullptr;
    if (d.info == nullptr) {
        png_destroy_read_struct(&d.png, nullptr, nullptr);
        SDL_SetError("PNG: out of memory");
        return nullptr;
    }
    png_set_read_fn(d.png, &d, readPngBytes);
    const bool decoded = runPngDecoding(d);
    png_destroy_read_struct(&d.png, &d.info, nullptr);
    if (!decoded) {
        SDL_FreeSurface(d.surface);
        return nullptr;
    }
    return d.surface;
}

// ---- GIF --------------------------------------------------------------------

int readGifBytes(GifFileType* gif, GifByteType* buffer, int length) {
    return SDL_RWread(static_cast<SDL_RWops*>(gif->UserData), buffer, 1, length);
}

// The transparent index of a graphic control extension; a later one that
// sets it wins, one that does not leaves it.
bool readExtension(GifFileType* gif, int* transparent) {
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) {
        return false;
    }
    if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] >= 4 && (block[1] & 1)) {
        *transparent = block[4];
    }
    while (block != nullptr) {
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) {
            return false;
        }
    }
    return true;
}

// The image's own colour map, else the screen's; every entry goes into the
// surface's palette, which keeps its 256 entries.
void setGifPalette(SDL_Surface* surface, const ColorMapObject* map) {
    if (map == nullptr) {
        return;
    }
    SDL_Color* colours = surface->format->palette->colors;
    for (int i = 0; i < map->ColorCount && i < 256; ++i) {
        colours[i] = {map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue, 0};
    }
}

// The row that the n-th stored line fills: interlaced pictures store every
// 8th row from 0, every 8th from 4, every 4th from 2, then every 2nd from 1.
int rowOfLine(int line, int height, bool interlaced) {
    if (!interlaced) {
        return line;
    }
    const int first[4] = {0, 4, 2, 1};
    const int step[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        const int lines =
            first[pass] < height ? (height - first[pass] + step[pass] - 1) / step[pass] : 0;
        if (line < lines) {
            return first[pass] + line * step[pass];
        }
        line -= lines;
    }
    return -1;
}

// The first image, at its own size (its place on the logical screen is
// ignored). Image data that ends early leaves the rest of the picture as it
// was when the surface was made. An image without pixels is refused:
// SDL_image would write through the NULL pixels of its empty surface.
SDL_Surface* readFirstImage(GifFileType* gif, int transparent) {
    if (DGifGetImageDesc(gif) == GIF_ERROR) {
        return nullptr;
    }
    const GifImageDesc& desc = gif->Image;
    if (desc.Width <= 0 || desc.Height <= 0) {
        SDL_SetError("GIF: empty image");
        return nullptr;
    }
    SDL_Surface* surface =
        SDL_CreateRGBSurface(SDL_SWSURFACE, desc.Width, desc.Height, 8, 0, 0, 0, 0);
    if (surface == nullptr) {
        return nullptr;
    }
    setGifPalette(surface, desc.ColorMap != nullptr ? desc.ColorMap : gif->SColorMap);
    for (int line = 0; line < desc.Height; ++line) {
        Uint8* row = static_cast<Uint8*>(surface->pixels) +
                     rowOfLine(line, desc.Height, desc.Interlace) * surface->pitch;
        if (DGifGetLine(gif, row, desc.Width) == GIF_ERROR) {
            break;
        }
    }
    if (transparent >= 0) {
        SDL_SetColorKey(surface, SDL_SRCCOLORKEY, (Uint32)transparent);
    }
    return surface;
}

// SDL_image passes over any byte that starts no block, where giflib would
// refuse the file: leaves the stream at the next ',', '!' or ';'.
void skipStrayBytes(SDL_RWops* stream) {
    Uint8 byte = 0;
    while (SDL_RWread(stream, &byte, 1, 1) == 1) {
        if (byte == ',' || byte == '!' || byte == ';') {
            SDL_RWseek(stream, -1, RW_SEEK_CUR);
            return;
        }
    }
}

SDL_Surface* decodeGif(SDL_RWops* stream) {
    int error = 0;
    GifFileType* gif = DGifOpen(stream, readGifBytes, &error);
    if (gif == nullptr) {
        SDL_SetError("GIF: %s", GifErrorString(error));
        return nullptr;
    }
    SDL_Surface* picture = nullptr;
    int transparent = -1;
    for (;;) {
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        skipStrayBytes(stream);
        if (DGifGetRecordType(gif, &record) == GIF_ERROR) {
            break;
        }
        if (record == TERMINATE_RECORD_TYPE) {
            SDL_SetError("GIF: no image");
            break;
        }
        if (record == IMAGE_DESC_RECORD_TYPE) {
            picture = readFirstImage(gif, transparent);
            break;
        }
        if (record == EXTENSION_RECORD_TYPE && !readExtension(gif, &transparent)) {
            break;
        }
    }
    if (picture == nullptr && gif->Error != 0) {
        SDL_SetError("GIF: %s", GifErrorString(gif->Error));
    }
    DGifCloseFile(gif, &error);
    return picture;
}

} // namespace

SDL_Surface* decodePicture(SDL_RWops* stream) {
    if (stream == nullptr) {
        SDL_SetError("no picture stream");
        return nullptr;
    }
    const int start = SDL_RWtell(stream);
    SDL_Surface* picture = nullptr;
    if (startsWith(stream, "GIF87a", 6) || startsWith(stream, "GIF89a", 6)) {
        picture = decodeGif(stream);
    } else if (startsWith(stream, "\x89PNG", 4)) {
        picture = decodePng(stream);
    } else {
        SDL_SetError("not a PNG or GIF picture");
    }
    if (picture == nullptr) {
        SDL_RWseek(stream, start, RW_SEEK_SET);
    }
    return picture;
}
