#include "enamel_type.h"

#include FT_OUTLINE_H

#include <algorithm>
#include <climits>
#include <cmath>
#include <stdexcept>

namespace {

// The clear space, in pixels, between a small letter and its dot or accent.
constexpr double kMinAccentGap = 1.5;

} // namespace

HeavyFace::HeavyFace(double emPixels, const char* file) {
    if (FT_Init_FreeType(&lib_))
        throw std::runtime_error("FreeType failed to start");
    if (FT_New_Face(lib_, fontPath(file).c_str(), 0, &face_)) {
        FT_Done_FreeType(lib_);
        throw std::runtime_error("cannot load the font face");
    }
    FT_Set_Char_Size(face_, 0, FT_F26Dot6(std::lround(emPixels * 64)), 72, 72);
}

HeavyFace::~HeavyFace() {
    FT_Done_Face(face_);
    FT_Done_FreeType(lib_);
}

FT_Outline& HeavyFace::load(unsigned char ch, double sx, double sy) {
    FT_Matrix m = {FT_Fixed(std::lround(sx * 65536)), 0, 0, FT_Fixed(std::lround(sy * 65536))};
    FT_Set_Transform(face_, &m, nullptr);
    // Latin-1 bytes are the first 256 Unicode code points.
    if (FT_Load_Char(face_, ch, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP))
        throw std::runtime_error("glyph missing from the font face");
    return face_->glyph->outline;
}

Span contourSpan(const FT_Outline& o, int contour, bool vertical) {
    int first = contour == 0 ? 0 : o.contours[contour - 1] + 1;
    Span s = {LONG_MAX, LONG_MIN};
    for (int p = first; p <= o.contours[contour]; ++p) {
        FT_Pos v = vertical ? o.points[p].y : o.points[p].x;
        s.lo = std::min(s.lo, v);
        s.hi = std::max(s.hi, v);
    }
    return s;
}

std::vector<bool> accentContours(const FT_Outline& o, FT_Pos xHeight) {
    std::vector<bool> accent(size_t(o.n_contours));
    for (int c = 0; c < o.n_contours; ++c)
        accent[size_t(c)] = contourSpan(o, c, true).lo > xHeight;
    return accent;
}

void moveAccents(FT_Outline& o, const std::vector<bool>& accent, FT_Pos pivot, double scale,
                 FT_Pos shift) {
    int first = 0;
    for (int c = 0; c < o.n_contours; ++c) {
        if (accent[size_t(c)])
            for (int p = first; p <= o.contours[c]; ++p) {
                FT_Pos& y = o.points[p].y;
                y = pivot + FT_Pos(std::lround(double(y - pivot) * scale)) - shift;
            }
        first = o.contours[c] + 1;
    }
}

namespace {

// Lifts the accents and dots of a grown outline until gap lies clear between
// them and their letter: at small sizes the growth and the dark rim would
// otherwise fuse an i into a bar.
void keepAccentsClear(FT_Outline& o, FT_Pos xHeight, FT_Pos gap) {
    std::vector<bool> accent = accentContours(o, xHeight);
    FT_Pos bodyTop = LONG_MIN, accentBottom = LONG_MAX;
    for (int c = 0; c < o.n_contours; ++c) {
        Span s = contourSpan(o, c, true);
        if (accent[size_t(c)])
            accentBottom = std::min(accentBottom, s.lo);
        else
            bodyTop = std::max(bodyTop, s.hi);
    }
    if (accentBottom != LONG_MAX && bodyTop != LONG_MIN && accentBottom - bodyTop < gap)
        moveAccents(o, accent, 0, 1.0, accentBottom - bodyTop - gap);
}

} // namespace

const EnamelColours kRedEnamel = {hex(0xffb08a), hex(0xf03a2a), hex(0x800814), hex(0xfff0d8),
                                  hex(0x4a0610)};
const EnamelColours kGoldEnamel = {hex(0xfff6c8), hex(0xf4c040), hex(0xa86410), hex(0xffffff),
                                   hex(0x301800)};
const EnamelColours kCreamEnamel = {hex(0xfffcf2), hex(0xfcecc8), hex(0xdcb88a), hex(0xffffff),
                                    hex(0x281408)};

Canvas pixelEnamel(const TextMask& mask, int unit, const EnamelColours& colours, double cell) {
    const int w = mask.w / unit, h = mask.h / unit;
    std::vector<bool> ink(size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double sum = 0;
            for (int j = 0; j < unit; ++j)
                for (int i = 0; i < unit; ++i)
                    sum += mask.at(x * unit + i, y * unit + j);
            ink[size_t(y) * w + x] = sum >= 0.5 * unit * unit;
        }
    auto inked = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h && ink[size_t(y) * w + x];
    };
    Canvas c(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Rgb colour;
            if (inked(x, y)) {
                // NOTE: for the font sheet (cell 32) the row is the cell's own row.
                double row =
                    (y + 0.5 - double(mask.baseline) / unit) * (32 / cell) + kEnamelBaseline;
                colour = row < 12 ? colours.light : row < 19 ? colours.body : colours.deep;
                if (!inked(x, y - 1))
                    colour = colours.specular;
                else if (!inked(x, y + 1) || !inked(x - 1, y))
                    colour = row < 12 ? colours.body : colours.deep;
            } else if (inked(x + 1, y) || inked(x, y - 1) || inked(x + 1, y - 1)) {
                colour = colours.rim;
            } else {
                continue;
            }
            c.at(x, y) = colour;
            c.coverAt(x, y) = 1;
        }
    return c;
}

TextMask renderHeavyLine(const std::string& latin1, HeavyType type, int unit, int margin) {
    const double size = type.cell / 32 * unit; // mask pixels per pixel of a 32-pixel cell
    HeavyFace face(kEnamelEm * size);
    const FT_Pos boldX = FT_Pos(std::lround(kEnamelBoldX * size * 64));
    const FT_Pos boldY = FT_Pos(std::lround(type.boldY * size * 64));
    const int ascent = int(std::ceil(kEnamelBaseline * size)), descent = int(std::ceil(8 * size));
    FT_BBox x;
    FT_Outline_Get_CBox(&face.load('x', 1.0), &x);
    const FT_Pos xHeight = x.yMax + boldY;
    const FT_Pos gap = FT_Pos(std::lround(kMinAccentGap * unit * 64));

    TextMask m;
    // Pass 1 measures, pass 2 draws.
    for (int pass = 0; pass < 2; ++pass) {
        double pen = margin;
        for (unsigned char ch : latin1) {
            FT_Outline& o = face.load(ch, type.widen);
            FT_Outline_EmboldenXY(&o, boldX, boldY);
            keepAccentsClear(o, xHeight, gap);
            if (pass == 1) {
                if (FT_Render_Glyph(face.slot(), FT_RENDER_MODE_NORMAL))
                    throw std::runtime_error("glyph failed to render");
                const FT_Bitmap& bm = face.slot()->bitmap;
                int ox = int(std::lround(pen)) + face.slot()->bitmap_left;
                int oy = m.baseline - face.slot()->bitmap_top;
                for (unsigned y = 0; y < bm.rows; ++y)
                    for (unsigned x = 0; x < bm.width; ++x) {
                        int tx = ox + int(x), ty = oy + int(y);
                        if (tx < 0 || ty < 0 || tx >= m.w || ty >= m.h)
                            continue;
                        double v = bm.buffer[y * bm.pitch + x] / 255.0;
                        double& c = m.cover[size_t(ty) * m.w + tx];
                        c = c + v * (1 - c);
                    }
            }
            pen += face.slot()->advance.x / 64.0 + boldX / 64.0;
        }
        if (pass == 0) {
            m.w = int(std::ceil(pen)) + margin;
            m.h = ascent + descent + 2 * margin;
            m.baseline = margin + ascent;
            m.cover.assign(size_t(m.w) * m.h, 0.0);
        }
    }
    return m;
}
