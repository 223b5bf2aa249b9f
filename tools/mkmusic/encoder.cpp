#include "encoder.h"

#include <lame/lame.h>

#include <memory>
#include <stdexcept>
#include <vector>

namespace mkmusic {
namespace {

constexpr int kReleaseBitrate = 224;
// LAME's VBR quality 5: about 130 kbit/s on this track.
constexpr int kWebQuality = 5;
constexpr int kChunkFrames = 8192;

struct LameDeleter {
    void operator()(lame_global_flags* flags) const { lame_close(flags); }
};
using LamePtr = std::unique_ptr<lame_global_flags, LameDeleter>;

LamePtr makeEncoder(const TrackTags& tags, Mp3Rate rate) {
    LamePtr lame(lame_init());
    if (!lame)
        throw std::runtime_error("cannot create the LAME encoder");
    lame_global_flags* gf = lame.get();
    lame_set_in_samplerate(gf, kSampleRate);
    lame_set_out_samplerate(gf, kSampleRate);
    lame_set_num_channels(gf, 2);
    lame_set_mode(gf, JOINT_STEREO);
    if (rate == Mp3Rate::Release) {
        lame_set_VBR(gf, vbr_off);
        lame_set_brate(gf, kReleaseBitrate);
    } else {
        lame_set_VBR(gf, vbr_mtrh);
        lame_set_VBR_q(gf, kWebQuality);
    }
    lame_set_quality(gf, 2);
    // The LAME tag: the delay and padding a gapless decoder trims, so that
    // both codings decode to the very length of the track.
    lame_set_bWriteVbrTag(gf, 1);
    // The tags are written by hand, so that the LAME tag can be patched in
    // after the ID3v2 tag once the encoder knows the final length.
    lame_set_write_id3tag_automatic(gf, 0);
    id3tag_init(gf);
    id3tag_v2_only(gf);
    id3tag_set_title(gf, tags.title.c_str());
    id3tag_set_artist(gf, tags.artist.c_str());
    id3tag_set_comment(gf, tags.comment.c_str());
    if (lame_init_params(gf) < 0)
        throw std::runtime_error("LAME rejected the encoder settings");
    return lame;
}

std::vector<unsigned char> id3v2Tag(lame_global_flags* gf) {
    std::vector<unsigned char> tag(lame_get_id3v2_tag(gf, nullptr, 0));
    lame_get_id3v2_tag(gf, tag.data(), tag.size());
    return tag;
}

void write(std::ostream& out, const unsigned char* bytes, size_t count) {
    out.write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(count));
}

void checkEncoded(int bytes) {
    if (bytes < 0)
        throw std::runtime_error("LAME failed to encode (" + std::to_string(bytes) + ")");
}

} // namespace

std::string encoderVersion() {
    return std::string("lame ") + get_lame_version();
}

void encodeMp3(const StereoBuffer& audio, const TrackTags& tags, Mp3Rate rate, std::ostream& out) {
    LamePtr lame = makeEncoder(tags, rate);
    lame_global_flags* gf = lame.get();
    std::vector<unsigned char> tag = id3v2Tag(gf);
    write(out, tag.data(), tag.size());

    std::vector<unsigned char> mp3(static_cast<size_t>(1.25 * kChunkFrames + 7200));
    for (size_t frame = 0; frame < audio.frames(); frame += kChunkFrames) {
        int count = static_cast<int>(std::min<size_t>(kChunkFrames, audio.frames() - frame));
        int bytes = lame_encode_buffer_interleaved_ieee_float(
            gf, audio.samples.data() + frame * 2, count, mp3.data(), static_cast<int>(mp3.size()));
        checkEncoded(bytes);
        write(out, mp3.data(), static_cast<size_t>(bytes));
    }
    int bytes = lame_encode_flush(gf, mp3.data(), static_cast<int>(mp3.size()));
    checkEncoded(bytes);
    write(out, mp3.data(), static_cast<size_t>(bytes));

    std::vector<unsigned char> lameTag(lame_get_lametag_frame(gf, nullptr, 0));
    lame_get_lametag_frame(gf, lameTag.data(), lameTag.size());
    out.seekp(static_cast<std::streamoff>(tag.size()));
    write(out, lameTag.data(), lameTag.size());
    if (!out.flush())
        throw std::runtime_error("cannot write the MP3 stream");
}

} // namespace mkmusic
