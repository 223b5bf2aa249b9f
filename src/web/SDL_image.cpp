#include "SDL_image.h"

#include "web/picture_decoder.h"

SDL_Surface* IMG_LoadTyped_RW(SDL_RWops* src, int freesrc, char*) {
    if (src == nullptr) {
        IMG_SetError("Passed a NULL data source");
        return nullptr;
    }
    SDL_Surface* picture = decodePicture(src);
    if (freesrc) {
        SDL_RWclose(src);
    }
    return picture;
}

SDL_Surface* IMG_Load_RW(SDL_RWops* src, int freesrc) {
    return IMG_LoadTyped_RW(src, freesrc, nullptr);
}

SDL_Surface* IMG_Load(const char* file) {
    return IMG_Load_RW(SDL_RWFromFile(file, "rb"), 1);
}

SDL_Surface* IMG_LoadPNG_RW(SDL_RWops* src) {
    return IMG_LoadTyped_RW(src, 0, nullptr);
}

SDL_Surface* IMG_LoadGIF_RW(SDL_RWops* src) {
    return IMG_LoadTyped_RW(src, 0, nullptr);
}
