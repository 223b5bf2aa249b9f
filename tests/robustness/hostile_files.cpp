#include "robustness/hostile_files.h"

#include "robustness/picture_files.h"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

using Bytes = std::vector<Uint8>;

void putLittle(Bytes& out, Uint32 value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back((Uint8)(value >> (8 * i)));
    }
}

void putBig32(Bytes& out, Uint32 value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back((Uint8)(value >> shift));
    }
}

void append(Bytes& out, const Bytes& more) {
    for (Uint8 byte : more) {
        out.push_back(byte);
    }
}

// The bytes of a string literal, zero bytes inside it included.
template <size_t N> Bytes text(const char (&s)[N]) {
    return Bytes(s, s + N - 1);
}

// ---- BMP ----------------------------------------------------------------------

constexpr Uint32 kBiRle8 = 1;
constexpr Uint32 kBiRle4 = 2;
constexpr Uint32 kBiBitfields = 3;

// A BMP as written, field by field; the defaults make a valid 12 x 10
// picture of 24 bits.
struct Bmp {
    Uint32 headerSize = 40;
    Sint32 width = 12;
    Sint32 height = 10;
    int bits = 24;
    Uint32 compression = 0;
    Uint32 coloursUsed = 0;
    int paletteEntries = -1;        // written after the header; -1: 2^bits up to 8 bits
    std::vector<Uint32> masks = {}; // written right after the header
    long rows = -1;                 // pixel rows written; -1: every row
    Uint8 fill = 0x5a;              // every pixel byte
};

Bytes bmpBytes(const Bmp& b) {
    const int entries = b.paletteEntries >= 0 ? b.paletteEntries : b.bits <= 8 ? 1 << b.bits : 0;
    const Uint32 offset = 14 + b.headerSize + 4 * (Uint32)b.masks.size() + 4 * (Uint32)entries;
    const long rowBytes = ((long)b.width * b.bits + 31) / 32 * 4;
    const long rows = b.rows >= 0 ? b.rows : b.height < 0 ? -(long)b.height : b.height;
    Bytes out = text("BM");
    putLittle(out, offset + (Uint32)(rowBytes * rows), 4);
    putLittle(out, 0, 4);
    putLittle(out, offset, 4);
    putLittle(out, b.headerSize, 4);
    if (b.headerSize == 12) {
        putLittle(out, (Uint32)b.width, 2);
        putLittle(out, (Uint32)b.height, 2);
        putLittle(out, 1, 2);
        putLittle(out, (Uint32)b.bits, 2);
    } else {
        putLittle(out, (Uint32)b.width, 4);
        putLittle(out, (Uint32)b.height, 4);
        putLittle(out, 1, 2);
        putLittle(out, (Uint32)b.bits, 2);
        for (Uint32 field :
             {b.compression, (Uint32)(rowBytes * rows), 2835u, 2835u, b.coloursUsed, 0u}) {
            putLittle(out, field, 4);
        }
        // Only the fields SDL reads are written; a known longer header is
        // padded with zeros.
        out.resize(14 + (b.headerSize <= 124 ? b.headerSize : 40), 0);
    }
    for (Uint32 mask : b.masks) {
        putLittle(out, mask, 4);
    }
    for (int i = 0; i < entries; ++i) {
        putLittle(out, paletteColour(i % 256, 8), 4);
    }
    out.resize(out.size() + (size_t)(rowBytes * rows), b.fill);
    return out;
}

std::vector<HostileFile> hostileBitmaps() {
    using E = Expect;
    auto file = [](const char* name, const Bmp& bmp, Expect expect) {
        return HostileFile{name, bmpBytes(bmp), expect};
    };
    const std::vector<Uint32> allOnes = {0xffffffff, 0xffffffff, 0xffffffff};
    return {
        // The crash in the candlestick scene: SDL turns each mask into a
        // channel of 32 bits and a loss that wraps around.
        file("bmp32-masks-all-ones.bmp",
             {.bits = 32, .compression = kBiBitfields, .masks = allOnes, .fill = 0xc7}, E::Refused),
        file("bmp16-masks-broken-runs.bmp",
             {.bits = 16,
              .compression = kBiBitfields,
              .masks = {0x5500, 0x00aa, 0x0055},
              .fill = 0xff},
             E::Refused),
        file("bmp16-masks-overlap.bmp",
             {.bits = 16, .compression = kBiBitfields, .masks = {0xf800, 0x0fe0, 0x001f}},
             E::Refused),
        file("bmp32-masks-ten-bits.bmp",
             {.bits = 32, .compression = kBiBitfields, .masks = {0x3ff00000, 0x000ffc00, 0x3ff}},
             E::Refused),
        file("bmp16-mask-above-the-pixel.bmp",
             {.bits = 16, .compression = kBiBitfields, .masks = {0x1f0000, 0x07e0, 0x001f}},
             E::Refused),
        // Plain BI_RGB, but the pixels do not follow the header: SDL reads
        // masks from the bytes in between.
        file("bmp32-garbage-masks-before-pixels.bmp", {.bits = 32, .masks = allOnes}, E::Refused),
        file("bmp32-bitfields-8-8-8.bmp",
             {.bits = 32, .compression = kBiBitfields, .masks = {0xff0000, 0x00ff00, 0x0000ff}},
             E::Loads),
        file("bmp16-bitfields-5-6-5.bmp",
             {.bits = 16, .compression = kBiBitfields, .masks = {0xf800, 0x07e0, 0x001f}},
             E::Loads),
        // Undefined behaviour in our own sprite preparation, and surfaces
        // the toolkit cannot read.
        file("bmp64.bmp", {.bits = 64}, E::Refused),
        file("bmp2.bmp", {.bits = 2}, E::Refused),
        // SDL negates a top-down height; the most negative one stays negative.
        file("bmp-height-int-min.bmp", {.height = INT_MIN, .rows = 4}, E::Refused),
        file("bmp-top-down.bmp", {.height = -10}, E::Loads),
        file("bmp-2049-wide.bmp", {.width = 2049, .height = 1}, E::Refused),
        file("bmp-2048-wide.bmp", {.width = 2048, .height = 1}, E::Loads),
        file("bmp-2049-high.bmp", {.width = 1, .height = 2049}, E::Refused),
        // 2^20 pixels at most, whatever the sides.
        file("bmp1-2048x512.bmp", {.width = 2048, .height = 512, .bits = 1}, E::Loads),
        file("bmp1-2048x513.bmp", {.width = 2048, .height = 513, .bits = 1}, E::Refused),
        file("bmp-empty.bmp", {.width = 0}, E::Refused),
        file("bmp8-rle.bmp", {.bits = 8, .compression = kBiRle8, .rows = 1}, E::Refused),
        file("bmp4-rle.bmp", {.bits = 4, .compression = kBiRle4, .rows = 1}, E::Refused),
        file("bmp24-bitfields.bmp",
             {.compression = kBiBitfields, .masks = {0xff0000, 0x00ff00, 0x0000ff}}, E::Refused),
        file("bmp1-three-colours.bmp", {.bits = 1, .coloursUsed = 3, .paletteEntries = 3},
             E::Refused),
        file("bmp8-257-colours.bmp", {.bits = 8, .coloursUsed = 257, .paletteEntries = 257},
             E::Refused),
        // Pixels that name colours the palette does not have.
        file("bmp8-pixels-beyond-the-palette.bmp",
             {.bits = 8, .coloursUsed = 2, .paletteEntries = 2, .fill = 200}, E::Survives),
        file("bmp4-pixels-beyond-the-palette.bmp",
             {.bits = 4, .coloursUsed = 2, .paletteEntries = 2, .fill = 0xff}, E::Survives),
        file("bmp1-odd-width.bmp", {.width = 33, .bits = 1, .fill = 0xa5}, E::Loads),
        file("bmp-pixels-cut-short.bmp", {.rows = 9}, E::Refused),
        file("bmp-header-of-unknown-size.bmp", {.headerSize = 0xfffffff0}, E::Refused),
        file("bmp-os2-header.bmp", {.headerSize = 12}, E::Loads),
        file("bmp-v5-header.bmp", {.headerSize = 124, .bits = 32}, E::Loads),
        // A palette bitmap of 1 bit: skapaPalett reads its indexes as colours.
        file("bmp1-palette-shape.bmp", {.width = 256, .height = 2, .bits = 1}, E::Loads),
    };
}

// ---- GIF ----------------------------------------------------------------------

// A screen descriptor with a two-colour table, or none.
Bytes gifHeader(int w, int h, bool colours = true, const char* version = "GIF89a") {
    Bytes out(version, version + 6);
    putLittle(out, (Uint32)w, 2);
    putLittle(out, (Uint32)h, 2);
    out.push_back(colours ? 0x80 : 0x00);
    out.push_back(0);
    out.push_back(0);
    if (colours) {
        append(out, {0, 0, 0, 0xff, 0xff, 0xff});
    }
    return out;
}

// The same with 256 colours, each one of its own, so that a stray pixel
// value shows.
Bytes gifHeaderOf256Colours(int w, int h) {
    Bytes out = gifHeader(w, h, false);
    out[10] = 0x87;
    for (int i = 0; i < 256; ++i) {
        append(out, {(Uint8)i, (Uint8)(255 - i), (Uint8)(i * 7)});
    }
    return out;
}

// One pixel of colour 0 in LZW at code size 2, in one sub-block.
const Bytes kOnePixel = {0x02, 0x44, 0x01, 0x00};

// LZW codes at code size 2, packed as a decoder reads them (the width grows
// by one bit once the table reaches 8, 16, ... entries; a clear code starts
// over), in sub-blocks of 255 bytes and a terminator.
Bytes lzwBlocks(const std::vector<int>& codes) {
    Bytes packed;
    int width = 3;
    int next = 6;
    bool first = true;
    Uint32 bits = 0;
    int count = 0;
    for (int code : codes) {
        bits |= (Uint32)code << count;
        count += width;
        for (; count >= 8; count -= 8, bits >>= 8) {
            packed.push_back((Uint8)bits);
        }
        if (code == 4) {
            width = 3;
            next = 6;
            first = true;
        } else if (first) {
            first = false;
        } else if (next < 4096 && ++next == 1 << width && width < 12) {
            ++width;
        }
    }
    if (count > 0) {
        packed.push_back((Uint8)bits);
    }
    Bytes out;
    for (size_t at = 0; at < packed.size(); at += 255) {
        const size_t n = std::min<size_t>(255, packed.size() - at);
        out.push_back((Uint8)n);
        out.insert(out.end(), packed.begin() + (long)at, packed.begin() + (long)(at + n));
    }
    out.push_back(0);
    return out;
}

// pixels of colour 0, then a clear and codes that tie two table entries to
// each other.
Bytes lzwCycleAfter(int pixels) {
    std::vector<int> codes(1 + (size_t)pixels, 0);
    codes[0] = 4;
    codes.insert(codes.end(), {4, 7, 6, 6, 6, 5});
    return lzwBlocks(codes);
}

// Runs of one colour as long as the table allows: each code names the entry
// it makes itself, so every chain is as long as the table then is (a clear
// starts over once it is full).
Bytes lzwLongestChains(int pixels) {
    std::vector<int> codes;
    int made = 0;
    for (int left = pixels; left > 0;) {
        if (made == 0) {
            codes.insert(codes.end(), {4, 0});
            --left;
            made = 6;
            continue;
        }
        const int length = made - 4; // the entry `made` spells this many pixels
        codes.push_back(left >= length ? made : 0);
        left -= left >= length ? length : 1;
        made = made == 4095 ? 0 : made + 1;
    }
    codes.push_back(5);
    return lzwBlocks(codes);
}

// flags 0x80 says a colour table of 2^(flags & 7 + 1) colours follows; 0x40
// says interlaced.
Bytes gifFrame(int left, int top, int w, int h, int codeSize, const Bytes& blocks = kOnePixel,
               Uint8 flags = 0, const Bytes& colours = {}) {
    Bytes out = {','};
    for (int v : {left, top, w, h}) {
        putLittle(out, (Uint32)v, 2);
    }
    out.push_back(flags);
    append(out, colours);
    out.push_back((Uint8)codeSize);
    append(out, blocks);
    return out;
}

const Bytes kGraphicsControl = {'!', 0xf9, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00};
const Bytes kTrailer = {';'};

Bytes join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts) {
        append(out, part);
    }
    return out;
}

std::vector<HostileFile> hostileGifs() {
    using E = Expect;
    return {
        {"gif-frame-0x0.gif", join({gifHeader(1, 1), gifFrame(0, 0, 0, 0, 2), kTrailer}),
         E::Refused},
        {"gif-frame-65535-wide.gif", join({gifHeader(1, 1), gifFrame(0, 0, 65535, 1, 2), kTrailer}),
         E::Refused},
        {"gif-frame-outside-the-screen.gif",
         join({gifHeader(10, 10), gifFrame(5, 0, 10, 1, 2), kTrailer}), E::Refused},
        {"gif-frame-beyond-2048.gif",
         join({gifHeader(2048, 1), gifFrame(2047, 0, 2, 1, 2), kTrailer}), E::Refused},
        // 17 bytes: SDL_image loops for ever looking for the extension's end.
        {"gif-cut-in-an-extension.gif", join({gifHeader(1, 1, false), {'!', 0xf9, 0x04, 0x01}}),
         E::Refused},
        // Found by the fuzzer: SDL_image reads a block the empty extension
        // does not have, takes the trailer for a block length and loops for
        // ever at the file's end.
        {"gif-empty-control-extension.gif", join({gifHeader(1, 1), {'!', 0xf9, 0x00}, kTrailer}),
         E::Refused},
        {"gif-cut-in-a-frame.gif", join({gifHeader(1, 1), gifFrame(0, 0, 1, 1, 2, {0x02, 0x44})}),
         E::Refused},
        {"gif-without-trailer.gif", join({gifHeader(1, 1), gifFrame(0, 0, 1, 1, 2)}), E::Refused},
        // SDL_image loops for ever on code size 255 and reads past its
        // tables from 12 on.
        {"gif-code-size-255.gif", join({gifHeader(1, 1), gifFrame(0, 0, 1, 1, 255), kTrailer}),
         E::Refused},
        {"gif-code-size-12.gif", join({gifHeader(1, 1), gifFrame(0, 0, 1, 1, 12), kTrailer}),
         E::Refused},
        {"gif-code-size-9.gif", join({gifHeader(1, 1), gifFrame(0, 0, 1, 1, 9), kTrailer}),
         E::Refused},
        {"gif-code-size-1.gif", join({gifHeader(1, 1), gifFrame(0, 0, 1, 1, 1), kTrailer}),
         E::Refused},
        {"gif-code-size-0.gif", join({gifHeader(1, 1), gifFrame(0, 0, 1, 1, 0), kTrailer}),
         E::Refused},
        {"gif-screen-2049-wide.gif", join({gifHeader(2049, 1), gifFrame(0, 0, 1, 1, 2), kTrailer}),
         E::Refused},
        {"gif-screen-1025x1024.gif",
         join({gifHeader(1025, 1024), gifFrame(0, 0, 1, 1, 2), kTrailer}), E::Refused},
        // Codes that name table entries not made yet: SDL_image's decoder
        // then builds entries that point at each other (or at themselves)
        // and runs off its stack, and the picture holds bytes that differ
        // from run to run. First a code after the clear that is no pixel,
        // then a code two entries ahead.
        {"gif-lzw-cycle.gif",
         join({gifHeaderOf256Colours(64, 64),
               gifFrame(0, 0, 64, 64, 2, lzwCycleAfter(64 * 39 + 48)), kTrailer}),
         E::Refused},
        {"gif-lzw-entry-names-itself.gif",
         join({gifHeaderOf256Colours(64, 64),
               gifFrame(0, 0, 64, 64, 2, lzwBlocks({4, 0, 7, 6, 7, 7, 5})), kTrailer}),
         E::Refused},
        {"gif-lzw-longest-chains.gif",
         join({gifHeader(1024, 1024), gifFrame(0, 0, 1024, 1024, 2, lzwLongestChains(1024 * 1024)),
               kTrailer}),
         E::Loads},
        {"gif-screen-empty.gif", join({gifHeader(0, 0), gifFrame(0, 0, 1, 1, 2), kTrailer}),
         E::Refused},
        {"gif-without-colours.gif",
         join({gifHeader(1, 1, false), gifFrame(0, 0, 1, 1, 2), kTrailer}), E::Refused},
        {"gif-garbage-between-blocks.gif",
         join({gifHeader(1, 1), {'x', 'y'}, gifFrame(0, 0, 1, 1, 2), kTrailer}), E::Refused},
        {"gif-version-88a.gif",
         join({gifHeader(1, 1, true, "GIF88a"), gifFrame(0, 0, 1, 1, 2), kTrailer}), E::Refused},
        {"gif-one-pixel.gif",
         join({gifHeader(1, 1), kGraphicsControl, gifFrame(0, 0, 1, 1, 2), kTrailer}), E::Loads},
        // Too few codes for the frame, codes past the table, a frame that
        // is interlaced and one row high: SDL_image's decoder copes.
        {"gif-lzw-short.gif", join({gifHeader(64, 64), gifFrame(0, 0, 64, 64, 2), kTrailer}),
         E::Survives},
        {"gif-lzw-garbage.gif",
         join({gifHeader(16, 16),
               gifFrame(0, 0, 16, 16, 2, {0x06, 0xff, 0xff, 0x00, 0xff, 0x13, 0x77, 0x00}),
               kTrailer}),
         E::Survives},
        {"gif-interlaced-one-row.gif",
         join({gifHeader(3, 1), gifFrame(0, 0, 3, 1, 2, kOnePixel, 0x40), kTrailer}), E::Survives},
        {"gif-local-colours.gif",
         join({gifHeader(2, 2, false), gifFrame(1, 1, 1, 1, 2, kOnePixel, 0x80, {0, 0, 0, 9, 9, 9}),
               kTrailer}),
         E::Loads},
    };
}

// ---- PNG ----------------------------------------------------------------------

Bytes pngChunk(const char (&type)[5], const Bytes& data, bool goodCrc = true) {
    Bytes body = text(type);
    append(body, data);
    Bytes out;
    putBig32(out, (Uint32)data.size());
    append(out, body);
    const Uint32 crc = (Uint32)crc32(0, body.data(), (uInt)body.size());
    putBig32(out, goodCrc ? crc : ~crc);
    return out;
}

Bytes ihdr(Uint32 w, Uint32 h, int depth, int colourType) {
    Bytes data;
    putBig32(data, w);
    putBig32(data, h);
    append(data, {(Uint8)depth, (Uint8)colourType, 0, 0, 0});
    return data;
}

// rows scanlines of rowBytes bytes of value, each with filter byte 0,
// deflated one row at a time.
Bytes deflatedRows(size_t rowBytes, long rows, Uint8 value) {
    z_stream z = {};
    deflateInit(&z, 9);
    Bytes row(rowBytes + 1, value);
    row[0] = 0;
    Bytes out;
    Uint8 buffer[65536];
    for (long y = 0; y <= rows; ++y) {
        const bool last = y == rows;
        z.next_in = last ? nullptr : row.data();
        z.avail_in = last ? 0 : (uInt)row.size();
        do {
            z.next_out = buffer;
            z.avail_out = sizeof buffer;
            deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
            out.insert(out.end(), buffer, buffer + (sizeof buffer - z.avail_out));
        } while (z.avail_out == 0);
    }
    deflateEnd(&z);
    return out;
}

const Bytes kPngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

// A grey picture of 8 bits (or 1 bit) with the given chunks before IDAT.
Bytes greyPng(Uint32 w, Uint32 h, int depth = 8, const Bytes& before = {}, bool goodIdat = true) {
    const size_t rowBytes = ((size_t)w * depth + 7) / 8;
    return join({kPngSignature, pngChunk("IHDR", ihdr(w, h, depth, 0)), before,
                 pngChunk("IDAT", deflatedRows(rowBytes, h, 0x80), goodIdat),
                 pngChunk("IEND", {})});
}

// count chunks that libpng would inflate to 8 MB each (just under its
// limit per chunk): compressed text and, among them, a colour profile. They
// are copies of one another, so even 640 of them are quick to write.
Bytes inflatedChunks(int count) {
    const std::vector<Uint8> zeros(7900000, 0);
    uLongf packedSize = compressBound((uLong)zeros.size());
    Bytes packed(packedSize);
    compress2(packed.data(), &packedSize, zeros.data(), (uLong)zeros.size(), 9);
    packed.resize(packedSize);
    Bytes text = join({Bytes{'C', 'o', 'm', 'm', 'e', 'n', 't', 0, 0}, packed});
    Bytes profile = join({Bytes{'p', 'r', 'o', 'f', 'i', 'l', 'e', 0, 0}, packed});
    Bytes international = join({Bytes{'C', 'o', 'm', 'm', 'e', 'n', 't', 0, 1, 0, 0, 0}, packed});
    const Bytes chunks[] = {pngChunk("zTXt", text), pngChunk("iTXt", international),
                            pngChunk("iCCP", profile)};
    Bytes out = chunks[2];
    for (int i = 1; i < count; ++i) {
        append(out, chunks[i % 2]);
    }
    return out;
}

// A chunk header that announces length bytes and a file that ends soon after.
Bytes announcedChunk(Uint32 length) {
    Bytes out;
    putBig32(out, length);
    append(out, text("tEXt"));
    append(out, text("Comment"));
    return out;
}

std::vector<HostileFile> hostilePngs() {
    using E = Expect;
    Bytes palette = pngChunk("PLTE", {0, 0, 0, 0xff, 0xff, 0xff});
    return {
        // About 30 KB that would decode to 16000 x 16000 pixels.
        {"png-16000-square.png", greyPng(16000, 16000, 1), E::Refused},
        {"png-2049-wide.png", greyPng(2049, 1), E::Refused},
        {"png-2049-high.png", greyPng(1, 2049), E::Refused},
        {"png-2048-wide.png", greyPng(2048, 1), E::Loads},
        {"png-1024x1025.png", greyPng(1024, 1025, 1), E::Refused},
        // Text and colour profiles that libpng would inflate, 8 MB each:
        // they are dropped unread, and the picture loads. The large one
        // took minutes of CPU when they were inflated.
        {"png-compressed-text-bomb.png", greyPng(8, 8, 8, inflatedChunks(640)), E::Loads},
        {"png-compressed-text-and-profile.png", greyPng(8, 8, 8, inflatedChunks(2)), E::Loads},
        {"png-ihdr-bad-crc.png", join({kPngSignature, pngChunk("IHDR", ihdr(8, 8, 8, 0), false)}),
         E::Refused},
        {"png-idat-bad-crc.png", greyPng(8, 8, 8, {}, false), E::Refused},
        {"png-text-bad-crc.png", greyPng(8, 8, 8, pngChunk("tEXt", text("Title\0x"), false)),
         E::Survives},
        {"png-chunk-of-2-gb.png",
         join({kPngSignature, pngChunk("IHDR", ihdr(8, 8, 8, 0)), announcedChunk(0x7fffffff)}),
         E::Refused},
        {"png-chunk-past-the-end.png",
         join({kPngSignature, pngChunk("IHDR", ihdr(8, 8, 8, 0)), announcedChunk(1000)}),
         E::Refused},
        {"png-without-pixels.png",
         join({kPngSignature, pngChunk("IHDR", ihdr(8, 8, 8, 0)), pngChunk("IEND", {})}),
         E::Refused},
        {"png-cut-after-the-header.png", join({kPngSignature, pngChunk("IHDR", ihdr(8, 8, 8, 0))}),
         E::Refused},
        {"png-bad-depth.png", join({kPngSignature, pngChunk("IHDR", ihdr(8, 8, 7, 0))}),
         E::Refused},
        // Two colours, pixels naming colour 255.
        {"png-pixels-beyond-the-palette.png",
         join({kPngSignature, pngChunk("IHDR", ihdr(8, 8, 8, 3)), palette,
               pngChunk("IDAT", deflatedRows(8, 8, 0xff)), pngChunk("IEND", {})}),
         E::Survives},
    };
}

// ---- Formats the show does not use --------------------------------------------

// The magic numbers SDL_image's content detection looks for, each followed
// by a little of what could come next.
std::vector<HostileFile> otherFormats() {
    auto file = [](const char* name, Bytes bytes) {
        bytes.resize(bytes.size() + 64, 0x41);
        return HostileFile{name, bytes, Expect::Refused};
    };
    return {
        file("jpeg.png", {0xff, 0xd8, 0xff, 0xe0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0}),
        file("tiff-little.png", {'I', 'I', 42, 0, 8, 0, 0, 0}),
        file("tiff-big.png", {'M', 'M', 0, 42, 0, 0, 0, 8}),
        file("pcx.png", {0x0a, 0x05, 0x01, 0x08, 0, 0, 0, 0, 0xff, 0xff, 0xff, 0xff}),
        file("xpm.png", text("/* XPM */\nstatic char* x[] = {\"99999 99999 9 9\",")),
        file("xcf.png", text("gimp xcf file\0")),
        file("lbm.png", text("FORM\0\0\0\x40ILBMBMHD")),
        file("pnm.png", text("P6\n60000 60000\n255\n")),
        file("ico.png", {0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 1, 0, 32, 0}),
        file("cur.png", {0, 0, 2, 0, 1, 0, 0, 0, 0, 0, 1, 0, 32, 0}),
        file("xv.png", text("P7 332\n#XVVERSION:\n#BUILTIN:\n#END_OF_COMMENTS\n99999 99999 255\n")),
        file("webp.png", text("RIFF\x40\0\0\0WEBPVP8 ")),
        file("tga.tga", {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0xff, 0xff, 0xff, 32, 0}),
        file("no-magic.png", {}),
    };
}

} // namespace

std::vector<HostileFile> hostileFiles() {
    std::vector<HostileFile> all;
    for (auto* family : {hostileBitmaps, hostileGifs, hostilePngs, otherFormats}) {
        std::vector<HostileFile> some = family();
        all.insert(all.end(), some.begin(), some.end());
    }
    return all;
}

std::vector<Uint8> realGif(const std::string& scratchName) {
    if (!writeGif(scratchName, 37, 23, 3)) {
        return {};
    }
    std::ifstream in(scratchName, std::ios::binary);
    Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::remove(scratchName.c_str());
    return bytes;
}

bool writeBytes(const std::string& path, const std::vector<Uint8>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), (std::streamsize)bytes.size());
    return (bool)out;
}
