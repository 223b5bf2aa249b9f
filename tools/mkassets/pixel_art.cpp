#include "pixel_art.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace {

bool blank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

std::vector<std::string_view> gridRows(std::string_view text) {
    std::vector<std::string_view> rows;
    for (size_t start = 0; start <= text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        rows.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    while (!rows.empty() && blank(rows.front()))
        rows.erase(rows.begin());
    while (!rows.empty() && blank(rows.back()))
        rows.pop_back();
    return rows;
}

} // namespace

Legend rampInks(const Ramp& ramp, std::string_view keys) {
    Legend inks;
    for (size_t i = 0; i < keys.size() && i < 5; ++i)
        if (keys[i] != '.')
            inks.push_back({keys[i], shadeOf(ramp, int(i))});
    return inks;
}

Legend operator+(Legend a, const Legend& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const Legend kShowInks =
    rampInks(kCoatRed, "qrRPp") + rampInks(kTrimWhite, "uwWVv") + rampInks(kSkin, "jkKJi") +
    rampInks(kReindeer, "efFED") + rampInks(kAntler, "zaAZY") + rampInks(kGold, "ogGOQ") +
    rampInks(kCloth, "8cC9%") + rampInks(kSpruce, "thHTU") + rampInks(kGiftBlue, "lbBLI") +
    rampInks(kSilver, "4sS56") + rampInks(kNoseRed, "ymM!*");

Canvas gridCanvas(std::string_view text, const Legend& legend) {
    const std::vector<std::string_view> rows = gridRows(text);
    if (rows.empty())
        throw std::runtime_error("an empty pixel grid");
    Canvas c(int(rows[0].size()), int(rows.size()));
    c.crisp = true;
    for (int y = 0; y < c.h; ++y) {
        if (int(rows[size_t(y)].size()) != c.w)
            throw std::runtime_error("pixel grid row " + std::to_string(y) + " is " +
                                     std::to_string(rows[size_t(y)].size()) + " wide, not " +
                                     std::to_string(c.w));
        for (int x = 0; x < c.w; ++x) {
            char key = rows[size_t(y)][size_t(x)];
            if (key == '.')
                continue;
            auto ink = std::find_if(legend.begin(), legend.end(),
                                    [key](const Ink& i) { return i.key == key; });
            if (ink == legend.end())
                throw std::runtime_error(std::string("pixel grid colour '") + key +
                                         "' is not in its legend");
            c.at(x, y) = ink->colour;
            c.coverAt(x, y) = 1;
        }
    }
    return c;
}

void outlineShadowSide(Canvas& c, double darkness) {
    Canvas before = c;
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) {
            if (before.coverAt(x, y) > 0)
                continue;
            const int from[2][2] = {{x + 1, y}, {x, y - 1}};
            for (auto [nx, ny] : from)
                if (nx < c.w && ny >= 0 && before.coverAt(nx, ny) > 0) {
                    c.at(x, y) = before.at(nx, ny) * darkness;
                    c.coverAt(x, y) = 1;
                    break;
                }
        }
}
