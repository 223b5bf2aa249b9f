// The checks a picture file passes before SDL's or SDL_image's decoder reads
// it: the BMP header as SDL 1.2 reads it, the PNG header through libpng, and
// the GIF block structure through giflib with the LZW codes of every frame.
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

bool pictureFits(long long width, long long height) {
    return sideFits(width) && sideFits(height) && width * height <= kMaxPicturePixels;
}

// The limits as the refusals name them.
const char* const kTooLarge = "picture empty, over 2048 pixels a side or over 1048576 pixels";
static_assert(kMaxPictureSide == 2048 && kMaxPicturePixels == 1048576, "the text names them");

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
    if (!pictureFits(h.width, h.height < 0 ? -h.height : h.height)) {
        return refuse(kTooLarge);
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

// The chunks libpng inflates whole as it reads them.
bool isInflatedChunk(const Uint8* type) {
    return memcmp(type, "zTXt", 4) == 0 || memcmp(type, "iTXt", 4) == 0 ||
           memcmp(type, "iCCP", 4) == 0;
}

// Calls visit(offset, length, type) for each chunk from the first up to IEND
// while it lies inside the file. Returns the offset just past IEND, or 0 when
// a chunk runs past the end of the file or there is no IEND.
template <typename Visit> size_t walkChunks(const Uint8* bytes, size_t size, Visit visit) {
    size_t at = sizeof kPngSignature;
    while (size >= at && size - at >= 12) {
        const Uint32 length = big32(bytes + at);
        if (length > size - at - 12) {
            return 0;
        }
        const Uint8* type = bytes + at + 4;
        visit(at, (size_t)length, type);
        at += 12 + (size_t)length;
        if (memcmp(type, "IEND", 4) == 0) {
            return at;
        }
    }
    return 0;
}

// Every chunk up to IEND lies inside the file (libpng only warns about a
// chunk longer than the picture can need, and then allocates the length it
// announces, up to 2 GB, before it finds that the file is shorter), and none
// is one libpng would inflate (see dropInflatedChunks).
bool chunksAreSafe(const Uint8* bytes, size_t size) {
    bool inflated = false;
    const size_t end = walkChunks(bytes, size, [&](size_t, size_t, const Uint8* type) {
        inflated = inflated || isInflatedChunk(type);
    });
    if (end == 0) {
        return refuse("PNG chunk runs past the end of the file, or no IEND");
    }
    return !inflated || refuse("PNG with compressed text or a colour profile");
}

// libpng reads the chunks up to the pixel data and checks them and their
// CRCs; the size comes from IHDR.
bool pngIsSafe(const Uint8* bytes, size_t size) {
    if (!chunksAreSafe(bytes, size)) {
        return false;
    }
    png_image image;
    memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes, size)) {
        return refuse(image.message);
    }
    const bool fits = pictureFits(image.width, image.height);
    png_image_free(&image);
    return fits || refuse(kTooLarge);
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

// The LZW codes of a frame as SDL_image's decoder reads them and builds its
// table. It follows a code's chain of table entries onto a fixed stack with
// no bound: a code that names an entry past the one it is about to make lets
// two entries point at each other, and the walk then runs off its stack into
// the memory beside it (the picture holds those bytes, which differ from run
// to run). So every code must name a pixel, the clear or end code, an entry
// made or the entry being made; then every entry points at an older one, and
// no chain is longer than the table. The first code of the data and the code
// after each clear are taken as pixels and make no entry, so they must be
// pixels. Reading stops at the end code or the end of the data, as the
// decoder does.
bool lzwCodesAreSafe(int codeSize, const std::vector<Uint8>& data) {
    constexpr int kTableSize = 1 << 12;
    const int clear = 1 << codeSize;
    const int end = clear + 1;
    int width = codeSize + 1;
    int next = clear + 2;
    bool atStart = true; // clears before the first code are skipped
    bool afterClear = false;
    const size_t bits = data.size() * 8;
    for (size_t bit = 0; bit + (size_t)width <= bits;) {
        int code = 0;
        for (int i = 0; i < width; ++i, ++bit) {
            code |= ((data[bit / 8] >> (bit % 8)) & 1) << i;
        }
        if (atStart && code == clear) {
            continue;
        }
        if (atStart || afterClear) {
            if (code >= clear) {
                return false;
            }
            atStart = afterClear = false;
        } else if (code == clear) {
            width = codeSize + 1;
            next = clear + 2;
            afterClear = true;
        } else if (code == end) {
            return true;
        } else if (code > next) {
            return false;
        } else if (next < kTableSize && ++next == 1 << width && width < 12) {
            ++width;
        }
    }
    return true;
}

// A frame SDL_image can decode: not empty, inside the logical screen (so
// within the picture limits), with colours, an LZW code size of 2 to 8 (a
// code never wider than 12 bits; SDL_image loops for ever on a code size of
// 255), its compressed sub-blocks complete and its codes safe. giflib refuses
// code sizes over 8.
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
    std::vector<Uint8> data;
    while (block != nullptr) {
        data.insert(data.end(), block + 1, block + 1 + block[0]);
        if (DGifGetCodeNext(gif, &block) != GIF_OK) {
            return refuse("GIF frame cut short");
        }
    }
    return lzwCodesAreSafe(codeSize, data) ||
           refuse("GIF LZW code names a table entry not made yet");
}

// Every block from the screen descriptor to the trailer.
bool blocksAreSafe(GifFileType* gif) {
    if (!pictureFits(gif->SWidth, gif->SHeight)) {
        return refuse(kTooLarge);
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

void dropInflatedChunks(std::vector<Uint8>& bytes) {
    if (pictureFormatOf(bytes.data(), bytes.size()) != PictureFormat::Png) {
        return;
    }
    size_t dropped = 0;
    const size_t end =
        walkChunks(bytes.data(), bytes.size(), [&](size_t, size_t, const Uint8* type) {
            dropped += isInflatedChunk(type) ? 1 : 0;
        });
    if (end == 0 || dropped == 0) {
        return; // nothing to drop, or a file the check refuses as it is
    }
    std::vector<Uint8> kept(bytes.begin(), bytes.begin() + sizeof kPngSignature);
    walkChunks(bytes.data(), bytes.size(), [&](size_t at, size_t length, const Uint8* type) {
        if (!isInflatedChunk(type)) {
            kept.insert(kept.end(), bytes.begin() + (long)at,
                        bytes.begin() + (long)(at + 12 + length));
        }
    });
    kept.insert(kept.end(), bytes.begin() + (long)end, bytes.end());
    bytes.swap(kept);
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
