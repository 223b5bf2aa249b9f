// Where both programs find their data files (prepareShow, in scenes/show.h,
// does the rest before the first frame).
#pragma once

// Finds the folder of data files and hands it to the toolkit. SNOLK_DATA,
// when set, names it and nothing else is tried. Otherwise: data/ in the
// working folder; then beside the executable (its own folder, then the one
// above it, which is the repository for build/snolk); then, except on
// Windows, the installed one; last, for a program run from its own build folder, the data of the
// source tree it was built from. When none exists, prints one line on
// standard error that says where it looked (prefixed with the program's
// name) and returns false: the show then runs without its pictures.
bool findDataFolder(const char* program);
