#include "decoder.h"

#include <mpg123.h>

#include <memory>
#include <stdexcept>

namespace mkmusic {
namespace {

struct DecoderDeleter {
    void operator()(mpg123_handle* handle) const {
        mpg123_close(handle);
        mpg123_delete(handle);
    }
};

} // namespace

StereoBuffer decodeMp3(const std::string& path) {
    mpg123_init();
    std::unique_ptr<mpg123_handle, DecoderDeleter> decoder(mpg123_new(nullptr, nullptr));
    if (!decoder)
        throw std::runtime_error("cannot create an MP3 decoder");
    mpg123_handle* handle = decoder.get();
    mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0.0);
    mpg123_format_none(handle);
    mpg123_format(handle, kSampleRate, MPG123_STEREO, MPG123_ENC_FLOAT_32);
    long rate = 0;
    int channels = 0, encoding = 0;
    if (mpg123_open(handle, path.c_str()) != MPG123_OK ||
        mpg123_getformat(handle, &rate, &channels, &encoding) != MPG123_OK || rate != kSampleRate ||
        channels != 2 || encoding != MPG123_ENC_FLOAT_32)
        throw std::runtime_error(path + ": not a 44.1 kHz stereo MP3 track");
    StereoBuffer audio;
    std::vector<float> chunk(1 << 15);
    int status = MPG123_OK;
    while (status == MPG123_OK || status == MPG123_NEW_FORMAT) {
        size_t bytes = 0;
        status = mpg123_read(handle, chunk.data(), chunk.size() * sizeof(float), &bytes);
        audio.samples.insert(audio.samples.end(), chunk.begin(),
                             chunk.begin() + static_cast<long>(bytes / sizeof(float)));
    }
    if (status != MPG123_DONE)
        throw std::runtime_error(path + ": the MP3 breaks off");
    return audio;
}

} // namespace mkmusic
