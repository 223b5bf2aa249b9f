#include "decoded_track.h"

#include <mpg123.h>

#include <algorithm>
#include <cmath>

namespace music_test {
namespace {

std::string lastComment(mpg123_handle* handle) {
    mpg123_id3v1* v1 = nullptr;
    mpg123_id3v2* v2 = nullptr;
    if (mpg123_id3(handle, &v1, &v2) != MPG123_OK || !v2 || !v2->comment || !v2->comment->p)
        return {};
    return v2->comment->p;
}

} // namespace

DecodedTrack decodeMp3(const std::string& path) {
    DecodedTrack track;
    mpg123_init();
    mpg123_handle* handle = mpg123_new(nullptr, nullptr);
    if (!handle)
        return track;
    mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0.0);
    if (mpg123_open(handle, path.c_str()) == MPG123_OK) {
        int encoding = 0;
        track.opened =
            mpg123_getformat(handle, &track.rate, &track.channels, &encoding) == MPG123_OK &&
            encoding == MPG123_ENC_SIGNED_16;
        std::vector<unsigned char> buffer(1 << 16);
        size_t done = 0;
        int status = MPG123_OK;
        while (track.opened && (status == MPG123_OK || status == MPG123_NEW_FORMAT)) {
            status = mpg123_read(handle, buffer.data(), buffer.size(), &done);
            const short* decoded = reinterpret_cast<const short*>(buffer.data());
            track.samples.insert(track.samples.end(), decoded, decoded + done / sizeof(short));
        }
        track.comment = lastComment(handle);
        mpg123_close(handle);
    }
    mpg123_delete(handle);
    return track;
}

double levelBetween(const DecodedTrack& track, double fromSeconds, double toSeconds) {
    const size_t channels = static_cast<size_t>(track.channels);
    size_t from = static_cast<size_t>(fromSeconds * track.rate) * channels;
    size_t to =
        std::min(track.samples.size(), static_cast<size_t>(toSeconds * track.rate) * channels);
    double sum = 0.0;
    for (size_t i = from; i < to; ++i)
        sum += static_cast<double>(track.samples[i]) * track.samples[i];
    double meanSquare = to > from ? sum / static_cast<double>(to - from) : 0.0;
    return 10.0 * std::log10(meanSquare / (32768.0 * 32768.0) + 1e-20);
}

StereoImage stereoImageBetween(const DecodedTrack& track, double fromSeconds, double toSeconds) {
    size_t from = static_cast<size_t>(fromSeconds * track.rate) * 2;
    size_t to = std::min(track.samples.size(), static_cast<size_t>(toSeconds * track.rate) * 2);
    double leftPower = 0.0, rightPower = 0.0, product = 0.0;
    for (size_t i = from; i + 1 < to; i += 2) {
        double left = track.samples[i], right = track.samples[i + 1];
        leftPower += left * left;
        rightPower += right * right;
        product += left * right;
    }
    StereoImage image;
    image.correlation = product / std::sqrt(leftPower * rightPower + 1e-30);
    double stereo = (leftPower + rightPower) / 2.0;
    double mono = (leftPower + rightPower + 2.0 * product) / 4.0;
    image.monoLossDb = 10.0 * std::log10((stereo + 1e-30) / (mono + 1e-30));
    return image;
}

double dcOffset(const DecodedTrack& track, int channel) {
    double sum = 0.0;
    for (size_t i = static_cast<size_t>(channel); i < track.samples.size(); i += 2)
        sum += track.samples[i];
    return track.samples.empty() ? 0.0 : sum / (track.samples.size() / 2) / 32768.0;
}

Onset strongestOnsetNear(const DecodedTrack& track, double seconds, double window) {
    // Running sum of the squared change of the mono signal, which the high
    // partials of an attack dominate.
    const long span = track.rate / 100;
    const long first = static_cast<long>((seconds - window) * track.rate) - span;
    const long last = static_cast<long>((seconds + window) * track.rate) + span;
    if (first < 1 || static_cast<size_t>(last) * 2 >= track.samples.size())
        return {};
    std::vector<double> energy(static_cast<size_t>(last - first + 1), 0.0);
    for (long frame = first; frame < last; ++frame) {
        double change = (track.samples[frame * 2] + track.samples[frame * 2 + 1]) -
                        (track.samples[frame * 2 - 2] + track.samples[frame * 2 - 1]);
        energy[frame - first + 1] = energy[frame - first] + change * change;
    }
    Onset best;
    for (long at = span; at + span <= last - first; ++at) {
        double before = energy[at] - energy[at - span], after = energy[at + span] - energy[at];
        double growth = (after + 1.0) / (before + 1.0);
        if (growth > best.growth)
            best = {static_cast<double>(first + at) / track.rate, growth};
    }
    return best;
}

} // namespace music_test
