// The show's own lettering, shared by the font sheet and the greetings:
// DejaVu Serif Bold drawn wide and heavy, painted pixel by pixel as red
// enamel lit from the upper right, with a dark rim on its shadow side. Sizes are given as the cell
// size of the font: 32 is the font sheet's own.
#pragma once

#include "bevel.h"
#include "text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <string>
#include <vector>

// Letter shapes, in pixels of a 32-pixel cell. The face is drawn at kEm,
// and every stroke grows by kBoldX to the right and kBoldY upwards.
constexpr double kEnamelEm = 27.5, kEnamelBoldX = 0.5, kEnamelBoldY = 1.0;
constexpr int kEnamelBaseline = 24; // the baseline's row in the cell

// DejaVu Serif Bold (or another of the DejaVu faces) at an em size in mask
// pixels: every letter of the alphabet with the same serifs.
class HeavyFace {
  public:
    explicit HeavyFace(double emPixels, const char* file = "DejaVuSerif-Bold.ttf");
    ~HeavyFace();
    HeavyFace(const HeavyFace&) = delete;
    HeavyFace& operator=(const HeavyFace&) = delete;

    // The glyph's outline in 26.6 mask pixels, widened by sx and heightened
    // by sy.
    FT_Outline& load(unsigned char ch, double sx, double sy = 1.0);
    FT_GlyphSlot slot() { return face_->glyph; }

  private:
    FT_Library lib_ = nullptr;
    FT_Face face_ = nullptr;
};

// The vertical (or horizontal) extent of one contour of an outline.
struct Span {
    FT_Pos lo, hi;
};
Span contourSpan(const FT_Outline& o, int contour, bool vertical);

// The contours that lie wholly above the x-height: accents and the dots of
// i and j.
std::vector<bool> accentContours(const FT_Outline& o, FT_Pos xHeight);

// Moves the accents' points vertically: y' = pivot + (y - pivot) * scale - shift.
void moveAccents(FT_Outline& o, const std::vector<bool>& accent, FT_Pos pivot, double scale,
                 FT_Pos shift);

// The colours of an enamel: bright where the light falls on the tops of the
// letters (light), its own colour across the middle (body), deep towards the
// baseline (deep), with a highlight and a dark rim.
struct EnamelColours {
    Rgb light, body, deep, specular, rim;
};

// The show's red enamel, and the two that set the greetings apart from it:
// gold for the title, a light warm cream for the small print.
extern const EnamelColours kRedEnamel, kGoldEnamel, kCreamEnamel;

// Paints a mask of letters in an enamel pixel by pixel, as lettering is
// shaded by hand: a pixel is ink when the mask covers at least half of it;
// the ink takes flat bands by the row of the font's cell (light above, its
// body, deep towards the baseline), one line of highlight along every top
// edge, a step deeper along its lower and left edges, and a dark rim outside
// on the shadow side only. The mask has unit mask pixels per pixel and its
// baseline at mask.baseline; cell is the font's cell size.
Canvas pixelEnamel(const TextMask& mask, int unit, const EnamelColours& colours, double cell = 32);

// How a line of heavy letters is drawn: at the font's cell size cell, its
// letters widened by widen and their strokes grown upwards by boldY (in
// pixels of a 32-pixel cell, like kEnamelBoldY). Small letters need less
// growth, or the dot of an i closes onto its stem.
struct HeavyType {
    double cell, widen, boldY;
};

// One line of text in the heavy letters, drawn unit mask pixels per pixel,
// with margin mask pixels around it.
TextMask renderHeavyLine(const std::string& latin1, HeavyType type, int unit, int margin);
