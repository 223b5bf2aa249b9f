// Damage done to a copy of the show's data set: a file missing, empty, cut
// in half, replaced by random bytes, or replaced by a valid picture of
// another size or depth.
#pragma once

#include <string>
#include <vector>

enum class Damage {
    Missing,
    Empty,
    CutInHalf,
    RandomBytes,
    Bmp1,
    Bmp4,
    Bmp8,
    Bmp16,
    Bmp24,
    Bmp32,
    PngGrey,
    PngPaletted,
    PngRgb,
    PngRgba,
    GifPlain,
    GifTransparent,
    HugePng, // 10000 x 10000 pixels
};

// Every file of the data set that the show reads, as "data/NAME".
const std::vector<std::string>& dataFiles();

// The first scene that reads the file: a show begun there meets it in
// every scene that draws it (the font sheet, read at start-up and drawn by
// several scenes, gives 0).
int firstSceneReading(const std::string& file);

// The damages that make sense for a file: the four that break any file, and
// valid pictures of the file's own format.
std::vector<Damage> damagesFor(const std::string& file);

// The picture damages for a file's format, in a fixed order.
std::vector<Damage> pictureDamagesFor(const std::string& file);

std::string nameOf(Damage damage);

// Copies the repository's data/ into folder/data; the music track (the
// bulk of it) only when asked for.
void copyDataSet(const std::string& folder, bool withTrack = true);

// The music track, data/laten2.mp3, is made by a tool the tests cannot rely
// on: this writes a short one into folder/data with ffmpeg, one of the
// show's video dependencies. False when that cannot be done here.
bool makeTrack(const std::string& folder);

// Damages folder/file. Random bytes come from a generator seeded by the
// file's name, so every run damages alike. False if it could not be done.
bool damageFile(const std::string& folder, const std::string& file, Damage damage);
