// Where both programs find their data files (loadShowAssets, in
// scenes/show_assets.h, reads them before the first frame).
#pragma once

#include <string>

struct DataFolder {
    std::string path;
    bool found = false;
};

// Finds the folder of data files. SNOLK_DATA, when set, names it and nothing
// else is tried. Otherwise: data/ in the working folder; then beside the
// executable (its own folder, then the one above it, which is the repository
// for build/snolk); then, except on Windows, the installed one; last, for a
// program run from its own build folder, the data of the source tree it was
// built from. When none exists, prints one line on standard error that says
// where it looked (prefixed with the program's name) and gives "data", not
// found: the show then runs without its pictures.
DataFolder findDataFolder(const char* program);
