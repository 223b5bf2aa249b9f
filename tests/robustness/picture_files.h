// Valid pictures of every depth and kind the show might be handed in place
// of its own: BMP of 1 to 32 bits, grey, paletted, RGB and RGBA PNG, and
// GIF with and without a transparent colour. Every picture shows the same
// pattern, so what a loader makes of it can be checked pixel by pixel.
#pragma once

#include <SDL.h>

#include <string>

// The pattern's colour at (x, y) as 0x00RRGGBB: black in places (the usual
// colour key), pure green in others (the candlestick's key), a mix of
// colours everywhere else.
Uint32 patternColour(int x, int y);

// The pattern reduced to a palette of 2^bits colours: the index at (x, y)
// and the colour of an index. Index 0 is black.
int patternIndex(int x, int y, int bits);
Uint32 paletteColour(int index, int bits);

// The alpha of the RGBA pattern at (x, y): fully clear in places.
Uint8 patternAlpha(int x, int y);

// A BMP of 1, 4, 8, 16 (5-5-5), 24 or 32 bits per pixel. Depths up to 8
// carry a palette of 2^bits colours.
bool writeBmp(const std::string& path, int bits, int w, int h);

enum class PngKind { Grey, Paletted, Rgb, Rgba };

// A PNG of 8 bits per channel. The paletted one has 256 colours and marks
// index transparentIndex fully transparent (none when it is negative).
bool writePng(const std::string& path, PngKind kind, int w, int h, int transparentIndex = -1);

// A very large RGBA PNG that packs small: one flat colour with the pattern
// in its top-left corner, as a picture made to exhaust a loader would be.
bool writeHugePng(const std::string& path, int w, int h);

// A GIF89a of 256 colours; transparentIndex < 0 means no transparent colour.
bool writeGif(const std::string& path, int w, int h, int transparentIndex);
