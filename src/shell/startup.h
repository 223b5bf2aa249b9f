// What both programs do before the first frame, apart from the screen.
#pragma once

// Fills the sine tables, builds the glyph table and loads the font sheet.
void prepareShow();

// Frees what prepareShow loaded.
void releaseShow();
