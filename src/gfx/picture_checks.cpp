// The checks a picture file passes before SDL's or SDL_image's decoder reads
// it: the BMP header as SDL 1.2 reads it, the PNG header through libpng, and
// the GIF block structure through giflib.
#include "gfx/picture_checks.h"

#include <gif_lib.h>
#include <png.h>

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

bool refuse(const char* why) {
    SDL_SetError("%s", why);
    return false;
}

bool sideFits(long long side) {
    return side >= 1 && side <= kMaxPictureSide;
}

Uint16 little16(const Uint8* p) {
    return (Uint16)(p[0] | p[1] << 8);
}

Uint32 little32(const Uint8* p) {
    return (Uint32)p[0] | (Uint32)p[1] << 8 | (Uint32)p[2] << 16 | (Uint32)p[3] << 24;
}

// ---- BMP ----------------------------------------------------------------------

constexpr size_t kFileHeaderBytes = 14;
constexpr Uint32 kBiRgb = 0;
constexpr Uint32 kBiBitfields = 3;

// The fields SDL's reader acts on. A 12-byte (OS/2) header holds 16-bit
// sizes and no compression; every longer one starts with the 40 bytes SDL
// reads.
struct BitmapHeader {
    Uint32 pixelOffset;
    Uint32 headerSize;
    long long width;
    long long height; // negative: rows stored top-down
    int bits;
    Uint32 compression;
    Uint32 coloursUsed;
};

bool knownHeaderSize(Uint32 size) {
    for (Uint32 known : {12u, 40u, 52u, 56u, 64u, 108u, 124u}) {
        if (size == known) {
            return true;
        }
    }
    return false;
}

bool readBitmapHeader(const Uint8* bytes, size_t size, BitmapHeader& h) {
    if (size < kFileHeaderBytes + 4) {
        return refuse("BMP header cut short");
    }
    h.pixelOffset = little32(bytes + 10);
    h.headerSize = little32(bytes + 14);
    if (!knownHeaderSize(h.headerSize) || size < kFileHeaderBytes + h.headerSize) {
        return refuse("BMP header of unknown size or cut short");
    }
    const Uint8* info = bytes + kFileHeaderBytes;
    if (h.headerSize == 12) {
        h.width = little16(info + 4);
        h.height = little16(info + 6);
        h.bits = little16(info + 10);
        h.compression = kBiRgb;
        h.coloursUsed = 0;
    } else {
        h.width = (Sint32)little32(info + 4);
        h.height = (Sint32)little32(info + 8);
        h.bits = little16(info + 14);
        h.compression = little32(info + 16);
        h.coloursUsed = little32(info + 32);
    }
    return true;
}

bool isBmpDepth(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// A mask SDL can turn into a channel: none at all, or one run of at most
// eight bits inside the pixel. SDL derives a channel's loss as 8 minus the
// run's length; a longer or broken run gives a loss that wraps around and
// blits that read far outside their tables.
bool isChannelMask(Uint32 mask, int bits) {
    if (mask == 0) {
        return true;
    }
    if (bits < 32 && (mask >> bits) != 0) {
        return false;
    }
    const Uint32 run = mask >> std::countr_zero(mask);
    return (run & (run + 1)) == 0 && std::popcount(run) <= 8;
}

// SDL reads three masks for 16- and 32-bit pixels when the file says
// BI_BITFIELDS, and also for BI_RGB when the pixels do not start right after
// the header; it reads them where the 40 bytes it knows of the header end.
bool masksAreSafe(const Uint8* bytes, size_t size, const BitmapHeader& h) {
    if (h.bits != 16 && h.bits != 32) {
        return true;
    }
    if (h.compression == kBiRgb && h.pixelOffset == kFileHeaderBytes + h.headerSize) {
        return true;
    }
    const size_t at = kFileHeaderBytes + (h.headerSize == 12 ? 12 : 40);
    if (size < at + 12) {
        return refuse("BMP colour masks cut short");
    }
    const Uint32 r = little32(bytes + at);
    const Uint32 g = little32(bytes + at + 4);
    const Uint32 b = little32(bytes + at + 8);
    if (!isChannelMask(r, h.bits) || !isChannelMask(g, h.bits) || !isChannelMask(b, h.bits)) {
        return refuse("BMP colour mask SDL cannot blit");
    }
    if ((r & g) != 0 || (r & b) != 0 || (g & b) != 0) {
        return refuse("BMP colour masks overlap");
    }
    return true;
}

// Every pixel row the header announces is in the file, so no row is read
// past its end and a tiny file cannot make SDL allocate a large surface.
bool pixelRowsArePresent(size_t size, const BitmapHeader& h) {
    const unsigned long long rowBytes = ((unsigned long long)h.width * h.bits + 31) / 32 * 4;
    const unsigned long long rows = (unsigned long long)(h.height < 0 ? -h.height : h.height);
    return (unsigned long long)h.pixelOffset + rowBytes * rows <= size ||
           refuse("BMP pixel rows cut short");
}

bool bitmapIsSafe(const Uint8* bytes, size_t size) {
    BitmapHeader h;
    if (!readBitmapHeader(bytes, size, h)) {
        return false;
    }
    // NOTE: the height is checked as a 64-bit value: SDL negates a top-down
    // height, which for the most negative int stays negative.
    if (!sideFits(h.width) || !sideFits(h.height < 0 ? -h.height : h.height)) {
        return refuse("BMP empty or larger than 4096 x 4096");
    }
    if (!isBmpDepth(h.bits)) {
        return refuse("BMP depth other than 1, 4, 8, 16, 24 or 32 bits");
    }
    const bool bitfields = h.compression == kBiBitfields && (h.bits == 16 || h.bits == 32);
    if (h.compression != kBiRgb && !bitfields) {
        return refuse("compressed BMP");
    }
    if (h.bits <= 8 && h.coloursUsed > (1u << h.bits)) {
        return refuse("BMP with more colours than its depth holds");
    }
    return masksAreSafe(bytes, size, h) && pixelRowsArePresent(size, h);
}

// ---- PNG ----------------------------------------------------------------------

const Uint8 kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

Uint32 big32(const Uint8* p) {
    return (Uint32)p[0] << 24 | (Uint32)p[1] << 16 | (Uint32)p[2] << 8 | (Uint32)p[3];
}

// Every chunk up to IEND lies inside the file. libpng only warns about a
// chunk longer than the picture can need, and then allocates the length it
// announces, up to 2 GB, before it finds that the file is shorter.
bool chunksLieInsideTheFile(const Uint8* bytes, size_t size) {
    size_t at = sizeof kPngSignature;
    while (size - at >= 12) {
        const Uint32 length = big32(bytes + at);
        if (length > size - at - 12) {
            return false;
        }
        if (memcmp(bytes + at + 4, "IEND", 4) == 0) {
            return true;
        }
        at += 12 + (size_t)length;
    }
    return false;
}

// libpng reads the chunks up to the pixel data and checks them and their
// CRCs; the size comes from IHDR.
bool pngIsSafe(const Uint8* bytes, size_t size) {
    if (!chunksLieInsideTheFile(bytes, size)) {
        return refuse("PNG chunk runs past the end of the file");
    }
    png_image image;
    memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes, size)) {
        return refuse(image.message);
    }
    const bool fits = sideFits(image.width) && sideFits(image.height);
    png_image_free(&image);
    return fits || refuse("PNG larger than 4096 x 4096");
}

// ---- GIF ----------------------------------------------------------------------

struct MemoryReader {
    const Uint8* bytes;
    size_t size;
    size_t at;
};

int readGifBytes(GifFileType* gif, GifByteType* out, int count) {
    MemoryReader* reader = static_cast<MemoryReader*>(gif->UserData);
    const size_t wanted = count > 0 ? (size_t)count : 0;
    const size_t n = std::min(wanted, reader->size - reader->at);
    memcpy(out, reader->bytes + reader->at, n);
    reader->at += n;
    return (int)n;
}

// Reads an extension's sub-blocks up to its terminator. SDL_image loops for
// ever on an extension that the file's end cuts short. It also reads a
// graphics control extension's first sub-block whether or not there is one:
// after an empty one it takes the next block's first byte as a length, reads
// on out of step with the file and loops for ever at its end.
bool extensionIsComplete(GifFileType* gif) {
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) != GIF_OK) {
        return false;
    }
    if (code == GRAPHICS_EXT_FUNC_CODE && block == nullptr) {
        return false;
    }
    while (block != nullptr) {
        if (DGifGetExtensionNext(gif, &block) != GIF_OK) {
            return false;
        }
    }
    return true;
}

// A frame SDL_image can decode: not empty, inside the logical screen (so no
// larger than 4096 x 4096), with colours, an LZW code size of 2 to 8 (a code
// never wider than 12 bits; SDL_image loops for ever on a code size of 255)
// and its compressed sub-blocks complete. giflib refuses code sizes over 8.
bool frameIsSafe(GifFileType* gif) {
    const GifImageDesc& frame = gif->Image;
    if (frame.Width <= 0 || frame.Height <= 0 || frame.Left < 0 || frame.Top < 0 ||
        frame.Left + frame.Width > gif->SWidth || frame.Top + frame.Height > gif->SHeight) {
        return refuse("GIF frame empty or outside the screen");
    }
    if (frame.ColorMap == nullptr && gif->SColorMap == nullptr) {
        return refuse("GIF frame without colours");
    }
    int codeSize = 0;
    GifByteType* block = nullptr;
    if (DGifGetCode(gif, &codeSize, &block) != GIF_OK) {
        return refuse("GIF frame cut short");
    }
    if (codeSize < 2 || codeSize > 8) {
        return refuse("GIF LZW code size outside 2 ... 8");
    }
    while (block != nullptr) {
        if (DGifGetCodeNext(gif, &block) != GIF_OK) {
            return refuse("GIF frame cut short");
        }
    }
    return true;
}

// Every block from the screen descriptor to the trailer.
bool blocksAreSafe(GifFileType* gif) {
    if (!sideFits(gif->SWidth) || !sideFits(gif->SHeight)) {
        return refuse("GIF screen empty or larger than 4096 x 4096");
    }
    for (;;) {
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &record) != GIF_OK) {
            return refuse("GIF cut short or garbled");
        }
        switch (record) {
        case IMAGE_DESC_RECORD_TYPE:
            if (DGifGetImageHeader(gif) != GIF_OK) {
                return refuse("GIF frame header cut short or garbled");
            }
            if (!frameIsSafe(gif)) {
                return false;
            }
            break;
        case EXTENSION_RECORD_TYPE:
            if (!extensionIsComplete(gif)) {
                return refuse("GIF extension cut short or empty");
            }
            break;
        case TERMINATE_RECORD_TYPE:
            return true;
        default:
            return refuse("GIF garbled");
        }
    }
}

bool gifIsSafe(const Uint8* bytes, size_t size) {
    MemoryReader reader = {bytes, size, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, readGifBytes, &error);
    if (gif == nullptr) {
        return refuse("GIF header cut short or garbled");
    }
    const bool safe = blocksAreSafe(gif);
    DGifCloseFile(gif, &error);
    return safe;
}

bool startsWith(const Uint8* bytes, size_t size, const void* magic, size_t length) {
    return size >= length && memcmp(bytes, magic, length) == 0;
}

} // namespace

PictureFormat pictureFormatOf(const Uint8* bytes, size_t size) {
    if (startsWith(bytes, size, "BM", 2)) {
        return PictureFormat::Bmp;
    }
    if (startsWith(bytes, size, kPngSignature, sizeof kPngSignature)) {
        return PictureFormat::Png;
    }
    // SDL_image knows only these two versions.
    if (startsWith(bytes, size, "GIF87a", 6) || startsWith(bytes, size, "GIF89a", 6)) {
        return PictureFormat::Gif;
    }
    return PictureFormat::Unknown;
}

bool pictureIsSafe(PictureFormat format, const Uint8* bytes, size_t size) {
    if (pictureFormatOf(bytes, size) != format) {
        return refuse("not a BMP, PNG or GIF picture");
    }
    switch (format) {
    case PictureFormat::Bmp:
        return bitmapIsSafe(bytes, size);
    case PictureFormat::Png:
        return pngIsSafe(bytes, size);
    case PictureFormat::Gif:
        return gifIsSafe(bytes, size);
    default:
        return refuse("not a BMP, PNG or GIF picture");
    }
}
