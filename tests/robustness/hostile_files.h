// Picture files crafted to hit the decoders where they trust their input:
// BMP headers SDL turns into surfaces it cannot blit, GIF block structures
// that crash SDL_image or make it loop for ever, PNG headers that cost
// gigabytes, and the other formats SDL_image would detect. Each says what
// the loaders must make of it.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

enum class Expect {
    Refused,  // every loader gives NULL
    Loads,    // loadImage gives the picture
    Survives, // whatever the loaders make of it, nothing crashes or hangs
};

struct HostileFile {
    std::string name; // a file name, without folders
    std::vector<Uint8> bytes;
    Expect expect;
};

// Every crafted file. The largest is a PNG of 30 KB.
std::vector<HostileFile> hostileFiles();

// A real GIF89a as giflib writes it, 1401 bytes: a 256-colour table,
// a graphics control extension, one frame. Written through a file of that
// name in the current folder, which is removed again.
std::vector<Uint8> realGif(const std::string& scratchName);

// Writes bytes as the whole file at path; false when that fails.
bool writeBytes(const std::string& path, const std::vector<Uint8>& bytes);
