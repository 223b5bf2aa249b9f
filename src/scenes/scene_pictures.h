// What each scene and sub-effect reads and never changes: its pictures,
// palettes and tables, loaded ahead of the show (show_assets.h) and shared by
// every show drawn with them. A picture that failed to load is NULL and
// never drawn; the scene that would have shown it says so in its first frame
// where it always has.
#pragma once

#include "gfx/toolkit.h"
#include "scenes/plasma_field.h"

#include <SDL.h>

#include <memory>
#include <string>

// Where a scene's pictures come from: the data folder, and the screen and
// kernels they are made ready for. Scenes name their files "data/...": that
// prefix stands for the folder.
struct PictureSource {
    std::string folder;  // the data folder
    SDL_Surface* screen; // the pictures are made ready to blit onto it
    Kernels kernels;

    std::string path(const char* name) const;

    // A picture made ready to blit onto the screen as it is (no colour key
    // added), keyed on black, or converted for pixel-by-pixel drawing.
    Picture blitSprite(const char* name) const;
    Picture keyedOnBlack(const char* name) const;
    Picture keyedBitmapOnBlack(const char* name) const;
    Picture pixelSprite(const char* name) const;
};

// The letter intro: one highlight ("f") and one base ("g") picture per
// letter, and the bottle.
struct LetterPictures {
    Picture bf, bg, lf, lg, of, og, sf, sg, af, ag;
    Picture flaska;
};
LetterPictures loadLetterPictures(const PictureSource& from);

struct SparklerPictures {
    Picture tomtepinne; // the unburnt stick
    Picture tomtepub;   // the burnt stick
};
SparklerPictures loadSparklerPictures(const PictureSource& from);

struct LogoPictures {
    Picture krx4;  // the logo
    Picture seven; // the piece that fills the gap
};
LogoPictures loadLogoPictures(const PictureSource& from);

// The plasma's palette and its distance table, and the cycle of frames its
// fast kernel draws once and copies back after (a cache: it holds only what
// its inputs give, so every show drawn with these tables may share it).
struct PlasmaTables {
    std::unique_ptr<Palette> palette; // none: the plasma stays black
    PlasmaDistances distances;
    std::unique_ptr<PlasmaCache> cycle;
};
PlasmaTables loadPlasmaTables(const PictureSource& from);

struct TreePictures {
    Picture baum;
};
TreePictures loadTreePictures(const PictureSource& from);

// The flying santas' three sprites, far to near.
struct SantaPictures {
    Picture tomte0, tomte1, tomte2;
};

// The snowfall's small and large flakes.
struct SnowPictures {
    Picture flinga0, flinga1;
};

struct MoonlitSkyPictures {
    Picture iMoon;
    Picture iLitenapanap;
    SantaPictures santas;
    SnowPictures snow;
};
MoonlitSkyPictures loadMoonlitSkyPictures(const PictureSource& from);

struct WarpZoomPictures {
    Picture enterprise; // the receding picture
    Picture black;      // drawn where the picture was last call
};

constexpr int kFieldKinds = 3; // star, first gift, second gift

// One sprite per kind of object in the star field; the warp's sprinkle of
// stars borrows the star.
struct StarFieldPictures {
    Picture bild[kFieldKinds];
};

struct WarpPictures {
    Picture iTomtewarp0; // in front of the straight flight
    Picture iTomtewarp;  // in front of the turning flight
    WarpZoomPictures zoom;
    StarFieldPictures field;
};
WarpPictures loadWarpPictures(const PictureSource& from);

// The seed every candle flame stamps, and the flames' palette.
struct FlamePictures {
    Picture pattern;
    std::unique_ptr<Palette> palette; // none: the flames stay black
};

struct CandlestickPictures {
    Picture iStake;
    Picture iGreets;
    FlamePictures flames;
};
CandlestickPictures loadCandlestickPictures(const PictureSource& from);
