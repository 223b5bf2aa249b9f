// Sprites and shapes drawn pixel by pixel: the scaled, colour-keyed sprite
// blit, the filled ellipse, the star scatter, and places spread at random.
//
// The scaled blit's sample positions are running sums of the step in double
// precision, so the fast version replays exactly the same sums once per axis
// and then visits only the samples that land on the screen.
#include "gfx/random.h"
#include "gfx/toolkit.h"

#include <cstdlib>

namespace {

// One sampled source row or column that lands inside the destination.
struct Sample {
    int source;
    int target;
};

// The samples that land on the screen: about one per target row or column,
// so far fewer than this on a 640 x 480 screen whatever the step. A blit with
// more, or a sprite wider than a converted row holds, takes the plain loop,
// which draws the same pixels.
constexpr int kMaxSamples = 2048;
constexpr int kMaxRowPixels = 4096;

// What the fast blit works in, on the stack: nothing is kept between calls.
struct BlitScratch {
    Sample columns[kMaxSamples];
    Sample rows[kMaxSamples];
    // One source row converted to ARGB: at small steps each source pixel is
    // sampled many times over, and each source row for many target rows.
    Uint32 argbRow[kMaxRowPixels];
};

// Walks the samples of one axis exactly as the plain loop does and keeps the
// ones whose target lies in 1 ... limit - 1. The targets never decrease along
// the axis, so the walk stops at the first one past the edge. Returns -1 when
// there are more samples than the table holds.
int collectSamples(int size, float step, int offset, bool offsetFirst, int limit, Sample* out) {
    int count = 0;
    for (double s = 0; (double)size - (double)step > s; s += step) {
        const int target =
            offsetFirst ? (int)(offset + s / (double)step) : (int)(s / (double)step + offset);
        if (target >= limit) {
            break;
        }
        if (target > 0) {
            if (count == kMaxSamples) {
                return -1;
            }
            out[count++] = {(int)s, target};
        }
    }
    return count;
}

bool canDraw(SDL_Surface* dst, SDL_Surface* sprite, float step) {
    return dst != nullptr && sprite != nullptr && step > 0;
}

void convertRow(const SDL_PixelFormat* f, const Uint32* source, int w, Uint32* argbRow) {
    for (int x = 0; x < w; ++x) {
        const Uint32 pixel = source[x];
        const Uint32 red = (((pixel & f->Rmask) >> f->Rshift) << f->Rloss) & 0xff;
        const Uint32 green = (((pixel & f->Gmask) >> f->Gshift) << f->Gloss) & 0xff;
        const Uint32 blue = (((pixel & f->Bmask) >> f->Bshift) << f->Bloss) & 0xff;
        const Uint32 alpha = ((pixel & f->Amask) >> f->Ashift) << f->Aloss;
        argbRow[x] = alpha << 24 | red << 16 | green << 8 | blue;
    }
}

// argbRow holds the source row from column first on.
void drawRow(Uint32* targetRow, const Sample* columns, int columnCount, const Uint32* argbRow,
             int first, Uint32 key) {
    for (int c = 0; c < columnCount; ++c) {
        const Uint32 argb = argbRow[columns[c].source - first];
        if (argb != key) {
            targetRow[columns[c].target] = argb;
        }
    }
}

} // namespace

void blitScaleDownReference(SDL_Surface* dst, SDL_Surface* sprite, float step, int x, int y) {
    if (!canDraw(dst, sprite, step)) {
        return;
    }
    const Uint32 key = sprite->format->colorkey;
    for (double sy = 0; (double)sprite->h - (double)step > sy; sy += step) {
        for (double sx = 0; (double)sprite->w - (double)step > sx; sx += step) {
            const Uint32 argb = getpixel2ARGB(sprite, (int)sx, (int)sy);
            if (argb != key) {
                putpixel(dst, (int)(x + sx / (double)step), (int)(sy / (double)step + y), argb);
            }
        }
    }
}

void blitScaleDown(SDL_Surface* dst, SDL_Surface* sprite, float step, int x, int y,
                   Kernels kernels) {
    if (!canDraw(dst, sprite, step)) {
        return;
    }
    if (kernels == Kernels::Literal || sprite->w > kMaxRowPixels) {
        blitScaleDownReference(dst, sprite, step, x, y);
        return;
    }
    BlitScratch scratch;
    const int columnCount = collectSamples(sprite->w, step, x, true, dst->w, scratch.columns);
    const int rowCount = collectSamples(sprite->h, step, y, false, dst->h, scratch.rows);
    if (columnCount < 0 || rowCount < 0) {
        blitScaleDownReference(dst, sprite, step, x, y);
        return;
    }
    if (columnCount == 0) {
        return;
    }
    // Only the span of source columns that reaches the screen is converted.
    const int first = scratch.columns[0].source;
    const int span = scratch.columns[columnCount - 1].source - first + 1;
    const Uint32 key = sprite->format->colorkey;
    const Uint32* source = static_cast<const Uint32*>(sprite->pixels);
    Uint32* target = static_cast<Uint32*>(dst->pixels);
    int convertedRow = -1;
    for (int r = 0; r < rowCount; ++r) {
        const Sample row = scratch.rows[r];
        if (row.source != convertedRow) {
            convertedRow = row.source;
            convertRow(sprite->format, source + convertedRow * sprite->w + first, span,
                       scratch.argbRow);
        }
        drawRow(target + row.target * dst->w, scratch.columns, columnCount, scratch.argbRow, first,
                key);
    }
}

// ---- The filled ellipse, mirrored about the half-pixel centre (cx + 0.5, cy + 0.5).

void ritaElips(SDL_Surface* dst, int cx, int cy, float rx, float ry, Uint32 colour) {
    // NOTE: single precision throughout; a radius <= 0 (or NaN) draws nothing.
    for (int j = 0; ry > (float)j; ++j) {
        for (int n = 0; rx > (float)n; ++n) {
            const float v = (float)j / ry;
            const float u = (float)n / rx;
            if (v * v + u * u < 1.0f) {
                putpixel(dst, cx + n, cy + j, colour);
                putpixel(dst, cx + 1 - n, cy + j, colour);
                putpixel(dst, cx + n, cy + 1 - j, colour);
                putpixel(dst, cx + 1 - n, cy + 1 - j, colour);
            }
        }
    }
}

// ---- A sprinkle of twenty stars at random places, each drawn at twice or at two
// thirds of its size (a sampling step of 0.5 or 1.5).

void starSlump(SDL_Surface* dst, SDL_Surface* star, ShowRandom& random, Kernels kernels) {
    for (int i = 0; i < 20; ++i) {
        // The three draws happen even without a star picture, so the random
        // sequence is the same either way.
        const int x = random.rand() % dst->w;
        const int y = random.rand() % dst->h;
        const float step = (random.rand() % 2) + 0.5;
        blitScaleDown(dst, star, step, x, y, kernels);
    }
}

// ---- Things spread over the screen at random: x then y for each.

void scatterOverScreen(float* px, float* py, int count, const SDL_Surface* screen,
                       ShowRandom& random) {
    for (int i = 0; i < count; ++i) {
        px[i] = (float)(random.rand() % screen->w);
        py[i] = (float)(random.rand() % screen->h);
    }
}
