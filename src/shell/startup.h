// What both programs do before the first frame, apart from the screen.
#pragma once

// Finds the folder of data files and hands it to the toolkit. SNOLK_DATA,
// when set, names it and nothing else is tried. Otherwise: data/ in the
// working folder; then beside the executable (its own folder, then the one
// above it, which is the repository for build/snolk); then the installed
// one. When none exists, prints one line on standard error that says where
// it looked (prefixed with the program's name) and returns false: the show
// then runs without its pictures.
bool findDataFolder(const char* program);

// Fills the sine tables, builds the glyph table and loads the font sheet.
void prepareShow();

// Frees what prepareShow loaded.
void releaseShow();
