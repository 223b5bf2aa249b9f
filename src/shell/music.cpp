// The track is decoded whole before it starts, so the audio callback only
// copies samples and the show's time origin lines up with the first sample.
#include "shell/music.h"

#include <SDL.h>
#include <mpg123.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>
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

// Why a file cannot be played: the system's word when it cannot be read.
std::string whyNotPlayable(const char* path) {
    return std::string(path) + ": " +
           (access(path, R_OK) != 0 ? strerror(errno) : "not a playable MP3 track");
}

// Opens the MP3 at path for 16-bit stereo at its own rate; NULL when it
// cannot. libmpg123 would print its own line for a broken file; ours is
// enough, so it is kept quiet.
mpg123_handle* openTrack(const char* path, long& rate) {
    int error = MPG123_OK;
    mpg123_handle* handle = mpg123_new(nullptr, &error);
    if (handle == nullptr) {
        return nullptr;
    }
    mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    int channels = 0;
    int encoding = 0;
    if (mpg123_open(handle, path) != MPG123_OK ||
        mpg123_getformat(handle, &rate, &channels, &encoding) != MPG123_OK ||
        mpg123_format_none(handle) != MPG123_OK ||
        mpg123_format(handle, rate, MPG123_STEREO, MPG123_ENC_SIGNED_16) != MPG123_OK) {
        mpg123_delete(handle);
        return nullptr;
    }
    return handle;
}

// Decodes the whole file to 16-bit stereo at its own rate.
bool decode(const char* path, std::string& why) {
    long rate = 0;
    mpg123_handle* handle = openTrack(path, rate);
    if (handle == nullptr) {
        why = whyNotPlayable(path);
        return false;
    }
    unsigned char buffer[16384];
    size_t done = 0;
    int status = MPG123_OK;
    bool ok = true;
    while ((status = mpg123_read(handle, buffer, sizeof buffer, &done)) != MPG123_DONE) {
        if (status != MPG123_OK && status != MPG123_NEW_FORMAT) {
            ok = false;
            break;
        }
        const Sint16* decoded = reinterpret_cast<const Sint16*>(buffer);
        track.samples.insert(track.samples.end(), decoded, decoded + done / sizeof(Sint16));
    }
    if (!ok || track.samples.empty()) {
        ok = false;
        why = whyNotPlayable(path);
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

bool startMusic(const char* path, Uint32 fromMs) {
    std::string why;
    if (!decode(path, why) || !openAudio(why)) {
        fprintf(stderr, "no music: %s\n", why.c_str());
        track = Track();
        return false;
    }
    const size_t from = (size_t)((uint64_t)fromMs * (uint64_t)track.rate / 1000) * 2;
    track.position = from < track.samples.size() ? from : track.samples.size();
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

bool musicIsPlayable(const char* path, std::string& why) {
    long rate = 0;
    mpg123_handle* handle = openTrack(path, rate);
    unsigned char buffer[8192];
    size_t done = 0;
    const int status =
        handle != nullptr ? mpg123_read(handle, buffer, sizeof buffer, &done) : MPG123_ERR;
    const bool ok = (status == MPG123_OK || status == MPG123_NEW_FORMAT) && done > 0;
    if (!ok) {
        why = whyNotPlayable(path);
    }
    if (handle != nullptr) {
        mpg123_close(handle);
        mpg123_delete(handle);
    }
    return ok;
}
