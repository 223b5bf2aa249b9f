// Loading everything a show reads, ahead of it: each scene's own loader
// (in its file) reads its pictures through one PictureSource.
#include "scenes/show_assets.h"

#include "scenes/scenes.h"

#include <cstring>

std::string PictureSource::path(const char* name) const {
    if (strncmp(name, "data/", 5) != 0) {
        return name;
    }
    return folder + (name + 4);
}

Picture PictureSource::blitSprite(const char* name) const {
    return Picture(prepareBlitSprite(loadImage(path(name).c_str()), screen, kernels));
}

Picture PictureSource::keyedOnBlack(const char* name) const {
    return ::keyedOnBlack(loadImage(path(name).c_str()), screen, kernels);
}

Picture PictureSource::keyedBitmapOnBlack(const char* name) const {
    return ::keyedOnBlack(loadBitmap(path(name).c_str()), screen, kernels);
}

Picture PictureSource::pixelSprite(const char* name) const {
    return Picture(loadPixelSprite(path(name).c_str()));
}

std::unique_ptr<ShowAssets> loadShowAssets(const std::string& dataFolder, SDL_Surface* screen,
                                           Kernels kernels) {
    fillSintab();
    const PictureSource from{dataFolder, screen, kernels};
    auto assets = std::make_unique<ShowAssets>();
    assets->kernels = kernels;
    fillFontstr(assets->redfont);
    loadFontSheet(assets->redfont, from.path("data/020.bmp").c_str(), kernels);
    assets->letters = loadLetterPictures(from);
    assets->sparkler = loadSparklerPictures(from);
    assets->logo = loadLogoPictures(from);
    assets->plasma = loadPlasmaTables(from);
    assets->tree = loadTreePictures(from);
    assets->sky = loadMoonlitSkyPictures(from);
    assets->warp = loadWarpPictures(from);
    assets->candles = loadCandlestickPictures(from);
    return assets;
}
