#include "bevel.h"
#include "rng.h"

#include <algorithm>
#include <cmath>

namespace {

std::vector<double> boxPass(const std::vector<double>& in, int w, int h, int r, bool horizontal) {
    std::vector<double> out(in.size());
    int n = horizontal ? w : h, lines = horizontal ? h : w;
    for (int l = 0; l < lines; ++l) {
        auto idx = [&](int i) {
            i = std::clamp(i, 0, n - 1);
            return horizontal ? size_t(l) * w + i : size_t(i) * w + l;
        };
        double sum = 0;
        for (int i = -r; i <= r; ++i)
            sum += in[idx(i)];
        for (int i = 0; i < n; ++i) {
            out[idx(i)] = sum / (2 * r + 1);
            sum += in[idx(i + r + 1)] - in[idx(i - r)];
        }
    }
    return out;
}

} // namespace

std::vector<double> blurMask(const std::vector<double>& m, int w, int h, int radius) {
    std::vector<double> v = m;
    if (radius <= 0)
        return v;
    for (int pass = 0; pass < 3; ++pass) {
        v = boxPass(v, w, h, radius, true);
        v = boxPass(v, w, h, radius, false);
    }
    return v;
}

Canvas bevel(const TextMask& mask, const Material& mat, int factor) {
    int w = mask.w, h = mask.h;
    Canvas hi(w, h);
    std::vector<double> height = blurMask(mask.cover, w, h, int(mat.bevel));
    // Where the ink sits vertically, so the body gradient spans the letters only.
    int top = h, bottom = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (mask.cover[size_t(y) * w + x] > 0.5) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (mat.outlineWidth > 0) {
        std::vector<double> grown = blurMask(mask.cover, w, h, int(mat.outlineWidth));
        for (size_t i = 0; i < grown.size(); ++i) {
            double k = smoothstep(0.1, 0.35, grown[i]);
            hi.colour[i] = mat.outline * k;
            hi.cover[i] = k;
        }
    }
    const double lx = 0.55, ly = -0.65, lz = 0.52; // light from the upper right
    double ll = std::sqrt(lx * lx + ly * ly + lz * lz);
    double hx = lx / ll, hy = ly / ll, hz = lz / ll + 1;
    double hl = std::sqrt(hx * hx + hy * hy + hz * hz);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            size_t i = size_t(y) * w + x;
            double k = mask.cover[i];
            if (k <= 0)
                continue;
            auto H = [&](int xx, int yy) {
                xx = std::clamp(xx, 0, w - 1);
                yy = std::clamp(yy, 0, h - 1);
                return height[size_t(yy) * w + xx];
            };
            double dx = (H(x + 1, y) - H(x - 1, y)) * mat.depth * mat.bevel;
            double dy = (H(x, y + 1) - H(x, y - 1)) * mat.depth * mat.bevel;
            double nx = -dx, ny = -dy, nz = 1;
            double nl = std::sqrt(nx * nx + ny * ny + nz * nz);
            nx /= nl, ny /= nl, nz /= nl;
            double diffuse = std::max(0.0, (nx * lx + ny * ly + nz * lz) / ll);
            double shine =
                std::pow(std::max(0.0, (nx * hx + ny * hy + nz * hz) / hl), mat.shininess);
            double t = bottom > top ? clamp01(double(y - top) / (bottom - top)) : 0.5;
            Rgb body = mat.body ? mat.body({x + 0.5, y + 0.5}) : lerp(mat.top, mat.bottom, t);
            double light = mat.ambient + (1 - mat.ambient) * diffuse * 1.2;
            if (mat.sparkle > 0)
                light *= 1 + mat.sparkle * (latticeValue(x, y, 99) - 0.5);
            Rgb c = body * light + mat.specular * (shine * 0.9);
            Rgb& dst = hi.colour[i];
            dst = lerp(dst, c, k);
            hi.cover[i] = hi.cover[i] + k * (1 - hi.cover[i]);
        }
    return factor > 1 ? downsample(hi, factor) : hi;
}
