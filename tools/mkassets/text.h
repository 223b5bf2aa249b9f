// Text through FreeType: a string rendered to an anti-aliased coverage mask.
#pragma once

#include <string>
#include <vector>

struct TextMask {
    int w = 0, h = 0;
    int baseline = 0; // row of the baseline inside the mask
    std::vector<double> cover;
    double at(int x, int y) const {
        return (x < 0 || y < 0 || x >= w || y >= h) ? 0.0 : cover[size_t(y) * w + x];
    }
};

// The DejaVu faces of Debian's fonts-dejavu-core.
std::string fontPath(const char* file);

// Renders latin1 (ISO 8859-1 bytes) at pixelSize with extra tracking pixels
// between glyphs; the mask spans the pen advance and the face's ascent and
// descent, plus margin pixels on every side.
TextMask renderText(const std::string& font, double pixelSize, const std::string& latin1,
                    double tracking = 0, int margin = 0);
