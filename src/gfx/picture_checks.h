// What the loaders check in a picture file before a decoder sees it. SDL's
// BMP reader and SDL_image's decoders trust the headers they read: crafted
// ones crash them, make them loop for ever or make them allocate gigabytes.
// A file passes only when it is a BMP, PNG or GIF whose structure its
// decoder handles safely and whose picture is at most 4096 x 4096.
#pragma once

#include <SDL.h>

#include <cstddef>

// The largest width or height of a picture the show accepts.
constexpr int kMaxPictureSide = 4096;

// The formats the show loads. Everything else SDL_image could decode is
// refused: fewer decoders, fewer ways in.
enum class PictureFormat { Unknown, Bmp, Png, Gif };

// The format named by the file's first bytes, never by its name.
PictureFormat pictureFormatOf(const Uint8* bytes, size_t size);

// Whether the whole file is safe to hand to the decoder of format, which
// must be the one its first bytes name. On refusal, SDL_GetError() says
// why. Unknown formats are always refused.
bool pictureIsSafe(PictureFormat format, const Uint8* bytes, size_t size);
