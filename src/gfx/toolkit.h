// The drawing toolkit: the sine tables, pixel access on 32-bit surfaces, ARGB conversion, the
// scaled colour-keyed sprite, the filled ellipse, the star scatter, palettes
// read from bitmaps, and NULL-safe loading and blitting of pictures.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

class ShowRandom;

// ---- Kernels ------------------------------------------------------------------

// The hot drawing kernels come in two versions that draw the very same
// pixels: the fast ones the show runs, and the plain loops they are checked
// and benchmarked against. This switch (false by default) picks the plain
// loops everywhere, so a whole show can be rendered both ways and compared
// frame by frame. Set it before the first frame: sprites prepared for fast
// blitting at load time stay as loaded while it is set.
extern bool useReferenceKernels;

// ---- Sine tables ----------------------------------------------------------------

// One full period over indexes 0 ... 255 (divisor 255, so entry 255 is entry
// 0 again up to rounding), filled once at start-up.
extern float sintab[256];
extern float costab[256];
void fillSintab();

// ---- Pixel access ---------------------------------------------------------

// Stores colour at word x + y * w when 0 < x < w and 0 < y < h. Column 0 and
// row 0 are never written by pixel-level drawing.
void putpixel(SDL_Surface* surface, int x, int y, Uint32 colour);

// Reads one pixel by the surface's bytes per pixel (1 to 4; otherwise 0).
// No bounds check.
Uint32 getpixel(SDL_Surface* surface, int x, int y);

// Converts a raw pixel of the given format to 0xAARRGGBB.
Uint32 toARGB(const SDL_PixelFormat* format, Uint32 pixel);

// Reads the 32-bit word x + y * w of a dense 32-bit sprite as ARGB.
Uint32 getpixel2ARGB(SDL_Surface* surface, int x, int y);

// A fingerprint of one frame: 64-bit FNV-1a over the 640 x 480 pixel words
// of a 32-bit screen, row by row, each word as its four bytes in
// little-endian order.
uint64_t hashFrame(const SDL_Surface* screen);

// ---- Scaled sprites, ellipses, stars ---------------------------------------

// Draws sprite with its top-left corner at (x, y), sampling every step source
// pixels; pixels whose ARGB value equals the format's colour key are skipped.
// Nothing is drawn for a NULL sprite or a step <= 0.
void blitScaleDown(SDL_Surface* dst, SDL_Surface* sprite, float step, int x, int y);

// The same routine as a plain double loop over every sample: the reference the
// fast version is tested and benchmarked against.
void blitScaleDownReference(SDL_Surface* dst, SDL_Surface* sprite, float step, int x, int y);

// Fills the ellipse of radii rx, ry mirrored about (cx + 0.5, cy + 0.5).
void ritaElips(SDL_Surface* dst, int cx, int cy, float rx, float ry, Uint32 colour);

// Sprinkles 20 stars over dst at random places and scales, each a copy of
// star (the star field's picture, drawn by its colour key's value whether or
// not the key is set; NULL draws nothing but draws the random numbers).
void starSlump(SDL_Surface* dst, SDL_Surface* star, ShowRandom& random);

// Puts count things at random places on the screen: x, then y, for each.
void scatterOverScreen(float* px, float* py, int count, const SDL_Surface* screen,
                       ShowRandom& random);

// ---- Palettes ---------------------------------------------------------------

// Installs the 256 colours of row 1 of the bitmap at path on an 8-bit surface.
// A missing or too small bitmap leaves the palette as it was.
void skapaPalett(SDL_Surface* surface, const char* path);

// A w x h 8-bit surface with the palette of the bitmap at path, black where
// the bitmap gives no colours (not every SDL starts a new 8-bit surface
// with a black palette). NULL when SDL cannot make it.
SDL_Surface* createPaletteSurface(int w, int h, const char* palettePath);

// ---- Console ----------------------------------------------------------------------

// Writes one of the show's console lines ("tomten har kommit", the words for
// a missing picture) and a line break, to standard output unless the program
// chose another stream.
void sayLine(const char* text);
void setConsole(FILE* stream);

// ---- Loading and blitting pictures -------------------------------------------

// A surface that is freed with its owner.
struct FreeSurface {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using Picture = std::unique_ptr<SDL_Surface, FreeSurface>;

// Where the data files are: the scenes name them "data/...", and that prefix
// stands for this folder ("data", in the working folder, unless the program
// found them elsewhere at start-up).
void setDataFolder(const char* folder);
std::string dataFilePath(const char* path);

// A PNG, GIF or BMP picture, told apart by its content: PNG and GIF through
// SDL_image, BMP through SDL's reader. NULL when the file is missing or
// unreadable, holds another format, or fails the checks that keep crafted
// files from the decoders (gfx/picture_checks.h), pictures over 2048 pixels
// a side or over 2^20 pixels among them. Decoders read zeros, not uninitialised bytes,
// wherever a damaged file ends early.
SDL_Surface* loadImage(const char* path);

// The same for BMP pictures only; NULL for any other format.
SDL_Surface* loadBitmap(const char* path);

// IMG_Load for a sprite drawn pixel by pixel: anything that is not a dense
// 32-bit surface is converted to the screen's 0x00RRGGBB layout.
SDL_Surface* loadPixelSprite(const char* path);

// The size of a picture; a picture that failed to load counts as empty, so
// whatever moves with it keeps moving.
int widthOf(const SDL_Surface* picture);
int heightOf(const SDL_Surface* picture);

// SDL_SetColorKey(surface, SDL_SRCCOLORKEY, key), skipped for NULL.
void setColourKey(SDL_Surface* surface, Uint32 key);

// Makes a sprite that SDL blits whole faster to blit onto screen, with the
// very same pixels: converted to the screen's layout (0x00RRGGBB when screen
// is NULL), its colour key, if any, carried over and run-length encoded, its
// blit map built at once. Sprites with alpha, palette sprites with a key that
// can match, and all sprites while useReferenceKernels is set stay as they
// are. Call it after setColourKey; use the sprite it returns (the one passed
// in may have been freed). NULL stays NULL. A sheet whose small cells are
// blitted one at a time is better without run lengths (runLengths false):
// SDL would walk the runs of every row above a cell to reach it.
SDL_Surface* prepareBlitSprite(SDL_Surface* sprite, SDL_Surface* screen, bool runLengths = true);

// The picture with colour key 0 (black is clear), made ready for blitting
// onto screen as prepareBlitSprite makes it. NULL stays NULL.
Picture keyedOnBlack(SDL_Surface* picture, SDL_Surface* screen);

// Blits the whole picture with its top-left corner at (x, y), each stored as
// a 16-bit rectangle field. Does nothing for a NULL picture.
void blitAt(SDL_Surface* picture, SDL_Surface* dst, int x, int y);

// Blits part of the picture at (x, y); the destination rectangle SDL clipped
// is returned through clipped when it is given.
void blitPartAt(SDL_Surface* picture, int sx, int sy, int w, int h, SDL_Surface* dst, int x, int y,
                SDL_Rect* clipped = nullptr);
