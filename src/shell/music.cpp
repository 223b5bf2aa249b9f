// The track is decoded whole before it starts, so the audio callback only
// copies samples and the show's time origin lines up with the first sample.
#include "shell/music.h"

#include <SDL.h>
#include <mpg123.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Track {
    std::vector<Sint16> samples; // interleaved stereo
    size_t position = 0;         // next sample to play
    long rate = 0;
    bool playing = false;
};
Track track;

void fillAudio(void*, Uint8* stream, int length) {
    const size_t wanted = (size_t)length / sizeof(Sint16);
    const size_t left = track.samples.size() - track.position;
    const size_t copied = wanted < left ? wanted : left;
    memcpy(stream, track.samples.data() + track.position, copied * sizeof(Sint16));
    memset(stream + copied * sizeof(Sint16), 0, (wanted - copied) * sizeof(Sint16));
    track.position += copied;
}

// Decodes the whole file to 16-bit stereo at its own rate.
bool decode(const char* path, std::string& why) {
    int error = MPG123_OK;
    mpg123_handle* handle = mpg123_new(nullptr, &error);
    if (handle == nullptr) {
        why = mpg123_plain_strerror(error);
        return false;
    }
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    bool ok = mpg123_open(handle, path) == MPG123_OK &&
              mpg123_getformat(handle, &rate, &channels, &encoding) == MPG123_OK;
    if (ok) {
        mpg123_format_none(handle);
        ok = mpg123_format(handle, rate, MPG123_STEREO, MPG123_ENC_SIGNED_16) == MPG123_OK;
    }
    unsigned char buffer[16384];
    size_t done = 0;
    int status = MPG123_OK;
    while (ok && (status = mpg123_read(handle, buffer, sizeof buffer, &done)) != MPG123_DONE) {
        if (status != MPG123_OK && status != MPG123_NEW_FORMAT) {
            ok = false;
            break;
        }
        const Sint16* decoded = reinterpret_cast<const Sint16*>(buffer);
        track.samples.insert(track.samples.end(), decoded, decoded + done / sizeof(Sint16));
    }
    if (!ok) {
        why = std::string(path) + ": " + mpg123_strerror(handle);
    } else if (track.samples.empty()) {
        ok = false;
        why = std::string(path) + ": no audio in the file";
    }
    track.rate = rate;
    mpg123_close(handle);
    mpg123_delete(handle);
    return ok;
}

bool openAudio(std::string& why) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0) {
        why = SDL_GetError();
        return false;
    }
    SDL_AudioSpec wanted = {};
    wanted.freq = (int)track.rate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = 2048;
    wanted.callback = fillAudio;
    if (SDL_OpenAudio(&wanted, nullptr) < 0) {
        why = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    return true;
}

} // namespace

bool startMusic(const char* path) {
    std::string why;
    if (!decode(path, why) || !openAudio(why)) {
        fprintf(stderr, "no music: %s\n", why.c_str());
        track = Track();
        return false;
    }
    track.playing = true;
    SDL_PauseAudio(0);
    return true;
}

void stopMusic() {
    if (!track.playing) {
        return;
    }
    SDL_PauseAudio(1);
    SDL_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    track = Track();
}
