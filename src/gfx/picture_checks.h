// What the loaders check in a picture file before a decoder sees it. SDL's
// BMP reader and SDL_image's decoders trust the headers they read: crafted
// ones crash them, make them loop for ever or make them allocate gigabytes.
// A file passes only when it is a BMP, PNG or GIF whose structure its
// decoder handles safely and whose picture fits the limits below.
#pragma once

#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// The largest width or height of a picture the show accepts, and the most
// pixels in one. The show's own pictures are at most 640 x 480; with every
// picture it loads at the largest size, it stays within a few hundred
// megabytes and each scene's first frame within a fraction of a second.
constexpr int kMaxPictureSide = 2048;
constexpr int64_t kMaxPicturePixels = 1 << 20;

// The largest file that can hold such a picture: raw 32-bit pixels with room
// for headers. No larger file is read at all.
constexpr int64_t kMaxPictureFileBytes = 4 * kMaxPicturePixels + (1 << 20);

// The formats the show loads. Everything else SDL_image could decode is
// refused: fewer decoders, fewer ways in.
enum class PictureFormat { Unknown, Bmp, Png, Gif };

// The format named by the file's first bytes, never by its name.
PictureFormat pictureFormatOf(const Uint8* bytes, size_t size);

// Whether the whole file is safe to hand to the decoder of format, which
// must be the one its first bytes name. On refusal, SDL_GetError() says
// why. Unknown formats are always refused.
bool pictureIsSafe(PictureFormat format, const Uint8* bytes, size_t size);

// Drops from a PNG the chunks that libpng would inflate and the show has no
// use for: text (zTXt, iTXt) and colour profiles (iCCP). A crafted file packs
// gigabytes into them, and libpng inflates each one whole when it reads it.
// What is left decodes to the same pixels. Leaves other files as they are.
void dropInflatedChunks(std::vector<Uint8>& bytes);
