// The Windows programs' icon: the warp field's red gift, painted anew at
// each size an icon is shown at, four times over and box-filtered down. Its
// edges keep their soft coverage as alpha, since a desktop is no black sky.
#include "assets.h"
#include "canvas.h"
#include "gift.h"

namespace {

constexpr int kFine = 4;                                // supersampling factor
constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 256}; // what Windows asks for

IconImage paintIcon(int size) {
    Canvas c(size * kFine, size * kFine);
    const double scale = size * kFine / 24.0; // the gift's 24-unit design square
    paintGift(
        [&](const Sdf& shape, const Shader& shader) {
            c.fill([&](Vec2 p) { return shape(p * (1.0 / scale)) * scale; },
                   [&](Vec2 p) { return shader(p * (1.0 / scale)); }, fullBox(c));
        },
        {12, 22.8, 9.4, 5.2}, {kCoatRed, kGold, Pattern::Dots});
    const Canvas s = downsample(c, kFine);
    IconImage image{size, std::vector<uint8_t>(size_t(size) * size * 4, 0)};
    for (size_t i = 0; i < s.colour.size(); ++i) {
        const double cover = clamp01(s.cover[i]);
        if (cover <= 0)
            continue;
        const Rgb v = s.colour[i] * (1 / cover); // the colour, not its blend with black
        image.rgba[i * 4] = toByte(v.r);
        image.rgba[i * 4 + 1] = toByte(v.g);
        image.rgba[i * 4 + 2] = toByte(v.b);
        image.rgba[i * 4 + 3] = toByte(cover);
    }
    return image;
}

} // namespace

void makeIcon(const std::string& path) {
    std::vector<IconImage> images;
    for (int size : kIconSizes)
        images.push_back(paintIcon(size));
    writeIcon(path, images);
}
