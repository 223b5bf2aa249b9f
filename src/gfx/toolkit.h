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
// and benchmarked against. A show picks one for all its drawing (its
// pictures are loaded for it: Literal leaves them as decoded), so a whole
// show can be drawn both ways, even in one process, and compared frame by
// frame.
enum class Kernels { Fast, Literal };

// ---- Sine tables ----------------------------------------------------------------

// One full period over indexes 0 ... 255 (divisor 255, so entry 255 is entry
// 0 again up to rounding), filled once at start-up and only read after it.
extern float sintab[256];
extern float costab[256];
void fillSintab();

// ---- The show's rounding rules ---------------------------------------------------

// A single-precision position moved by a step taken in double precision and
// stored back as a float.
inline float steppedInDouble(float position, double step) {
    return (float)((double)position + step);
}

// A position as a rectangle holds it: truncated toward zero, then cut to
// the 16 bits of the field.
inline Sint16 rectangleField(float position) {
    return (Sint16)(int)position;
}

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
void blitScaleDown(SDL_Surface* dst, SDL_Surface* sprite, float step, int x, int y,
                   Kernels kernels = Kernels::Fast);

// The same routine as a plain double loop over every sample: the reference the
// fast version is tested and benchmarked against.
void blitScaleDownReference(SDL_Surface* dst, SDL_Surface* sprite, float step, int x, int y);

// Fills the ellipse of radii rx, ry mirrored about (cx + 0.5, cy + 0.5).
void ritaElips(SDL_Surface* dst, int cx, int cy, float rx, float ry, Uint32 colour);

// Sprinkles 20 stars over dst at random places and scales, each a copy of
// star (the star field's picture, drawn by its colour key's value whether or
// not the key is set; NULL draws nothing but draws the random numbers).
void starSlump(SDL_Surface* dst, SDL_Surface* star, ShowRandom& random,
               Kernels kernels = Kernels::Fast);

// Puts count things at random places on the screen: x, then y, for each.
void scatterOverScreen(float* px, float* py, int count, const SDL_Surface* screen,
                       ShowRandom& random);

// ---- Palettes ---------------------------------------------------------------

// The 256 colours of an 8-bit effect surface.
struct Palette {
    SDL_Color colours[256];
};

// The colours of row 1 of the bitmap at path; none when the bitmap is
// missing or too small (under 256 x 2).
std::unique_ptr<Palette> readPalette(const char* path);

// Installs the 256 colours of row 1 of the bitmap at path on an 8-bit surface.
// A missing or too small bitmap leaves the palette as it was.
void skapaPalett(SDL_Surface* surface, const char* path);

// A w x h 8-bit surface with this palette, black throughout when there is
// none (not every SDL starts a new 8-bit surface with a black palette). NULL
// when SDL cannot make it.
SDL_Surface* createPaletteSurface(int w, int h, const Palette* palette);

// ---- Console ----------------------------------------------------------------------

// Writes one of the show's console lines ("tomten har kommit", the words for
// a missing picture) and a line break to the show's console; nothing when it
// has none (a show run only to reach a moment of it).
void sayLine(FILE* console, const char* text);

// ---- Surfaces --------------------------------------------------------------------

// Fills the surface's clipping rectangle with colour, exactly as
// SDL_FillRect(surface, NULL, colour) does; a plain loop of words where the
// surface is 32 bits in memory (Fast), SDL's own fill otherwise.
void clearSurface(SDL_Surface* surface, Uint32 colour, Kernels kernels = Kernels::Fast);

// The same for the part of rect inside the clipping rectangle, as
// SDL_FillRect(surface, &rect, colour) fills it.
void clearRect(SDL_Surface* surface, SDL_Rect rect, Uint32 colour, Kernels kernels = Kernels::Fast);

// A new surface that is the same as s in everything the toolkit reads: size,
// format, palette, colour key, alpha and pixels. NULL for NULL or when memory
// runs out.
SDL_Surface* copyOfSurface(const SDL_Surface* s);

// ---- Loading and blitting pictures -------------------------------------------

// A surface that is freed with its owner.
struct FreeSurface {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using Picture = std::unique_ptr<SDL_Surface, FreeSurface>;

// A surface owned by a show and copied with it: copying makes a copy of the
// surface (copyOfSurface), so two shows never draw into one.
class OwnedSurface {
  public:
    OwnedSurface() = default;
    explicit OwnedSurface(SDL_Surface* s) : surface_(s) {}
    OwnedSurface(const OwnedSurface& other) : surface_(copyOfSurface(other.get())) {}
    OwnedSurface& operator=(const OwnedSurface& other);
    OwnedSurface(OwnedSurface&&) = default;
    OwnedSurface& operator=(OwnedSurface&&) = default;

    SDL_Surface* get() const { return surface_.get(); }
    void reset(SDL_Surface* s = nullptr) { surface_.reset(s); }
    explicit operator bool() const { return surface_ != nullptr; }
    friend bool operator==(const OwnedSurface& s, std::nullptr_t) { return s.get() == nullptr; }

  private:
    Picture surface_;
};

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
// can match, and all sprites for the Literal kernels stay as they are. Call
// it after setColourKey; use the sprite it returns (the one passed in may
// have been freed). NULL stays NULL. A sheet whose small cells are blitted
// one at a time is better without run lengths (runLengths false): SDL would
// walk the runs of every row above a cell to reach it.
SDL_Surface* prepareBlitSprite(SDL_Surface* sprite, SDL_Surface* screen,
                               Kernels kernels = Kernels::Fast, bool runLengths = true);

// The picture with colour key 0 (black is clear), made ready for blitting
// onto screen as prepareBlitSprite makes it. NULL stays NULL.
Picture keyedOnBlack(SDL_Surface* picture, SDL_Surface* screen, Kernels kernels = Kernels::Fast);

// SDL_UpperBlit, pixel for pixel and with the same clipping (the clipped
// rectangle written back into dstrect): where the blit is a plain copy (the
// same 32-bit layout on both sides, no colour key, no alpha, nothing to
// lock) the Fast kernels copy the rows themselves. SDL's own copy writes
// past the cache, and the next drawing into the screen then waits for it.
int blitSurface(SDL_Surface* src, SDL_Rect* srcrect, SDL_Surface* dst, SDL_Rect* dstrect,
                Kernels kernels = Kernels::Fast);

// Blits the whole picture with its top-left corner at (x, y), each stored as
// a 16-bit rectangle field. Does nothing for a NULL picture.
void blitAt(SDL_Surface* picture, SDL_Surface* dst, int x, int y, Kernels kernels = Kernels::Fast);

// Blits part of the picture at (x, y); the destination rectangle SDL clipped
// is returned through clipped when it is given.
void blitPartAt(SDL_Surface* picture, int sx, int sy, int w, int h, SDL_Surface* dst, int x, int y,
                SDL_Rect* clipped = nullptr, Kernels kernels = Kernels::Fast);
