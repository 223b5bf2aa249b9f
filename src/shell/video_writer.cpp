#include "shell/video_writer.h"

#include "shell/encoder_process.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

std::string secondsText(Uint32 ms) {
    char text[32];
    snprintf(text, sizeof text, "%u.%03u", ms / 1000, ms % 1000);
    return text;
}

// The sound's way from the track to the video: the looped ending repeated
// (counted from where the video starts in the track), silence after the end
// of the track, and the fade at the end of a video that ends with the music.
std::string soundFilter(const VideoSettings& s) {
    std::string filter;
    const int64_t offset = (int64_t)s.musicOffsetMs * s.loopRate / 1000;
    if (s.loopEnd > s.loopStart && s.loopStart >= offset) {
        filter += "aloop=loop=-1:size=" + std::to_string(s.loopEnd - s.loopStart) +
                  ":start=" + std::to_string(s.loopStart - offset) + ",";
    }
    filter += "apad";
    if (s.fadeOutAt >= 0) {
        char fade[64];
        snprintf(fade, sizeof fade, ",afade=t=out:st=%.3f:d=1", s.fadeOutAt);
        filter += fade;
    }
    return filter;
}

std::string videoFilter(int scale) {
    const std::string n = std::to_string(scale);
    // Nearest neighbour keeps the pixels sharp; the conversion to BT.709
    // limited range matches the colour tags below, which players trust.
    return "scale=iw*" + n + ":ih*" + n +
           ":flags=neighbor:out_color_matrix=bt709:out_range=tv,format=yuv420p";
}

} // namespace

std::vector<std::string> encoderArguments(const VideoSettings& s, const std::string& outputPath) {
    std::vector<std::string> a = {"ffmpeg",      "-hide_banner",
                                  "-nostats",    "-loglevel",
                                  "error",       "-y",
                                  "-f",          "rawvideo",
                                  "-pix_fmt",    "bgr0",
                                  "-video_size", "640x480",
                                  "-framerate",  std::to_string(s.fps),
                                  "-i",          "pipe:0"};
    const bool sound = !s.musicPath.empty();
    if (sound) {
        a.insert(a.end(), {"-ss", secondsText(s.musicOffsetMs), "-i", s.musicPath, "-map", "0:v",
                           "-map", "1:a"});
    }
    a.insert(a.end(), {"-vf", videoFilter(s.scale), "-c:v", "libx264", "-preset", "medium", "-crf",
                       "16", "-color_primaries", "bt709", "-color_trc", "bt709", "-colorspace",
                       "bt709", "-color_range", "tv"});
    if (sound) {
        // Silence after the end of the track, and the sound ends with the
        // last frame however long the track is.
        a.insert(a.end(), {"-af", soundFilter(s), "-c:a", "aac", "-b:a", "192k", "-shortest"});
    }
    a.insert(a.end(), {"-movflags", "+faststart", "-f", "mp4", outputPath});
    return a;
}

bool openVideo(VideoWriter& writer, const VideoSettings& settings, FILE* err) {
    writer.encoder = startEncoder(
        settings.path,
        [&](const std::string& outputName) { return encoderArguments(settings, outputName); }, err);
    return writer.encoder != nullptr;
}

bool frameFitsVideo(const SDL_Surface* frame) {
    const SDL_PixelFormat* f = frame->format;
    // In memory a word 0x00RRGGBB is B, G, R, unused: ffmpeg's bgr0.
    return frame->w == kWidth && frame->h == kHeight && f->BytesPerPixel == 4 &&
           f->Rmask == 0xff0000 && f->Gmask == 0xff00 && f->Bmask == 0xff &&
           SDL_BYTEORDER == SDL_LIL_ENDIAN;
}

bool writeVideoFrame(VideoWriter& writer, const SDL_Surface* frame) {
    const Uint8* pixels = static_cast<const Uint8*>(frame->pixels);
    const size_t row = kWidth * 4;
    bool sent = true;
    if (frame->pitch == (int)row) {
        sent = sendToEncoder(*writer.encoder, pixels, row * kHeight);
    } else {
        for (int y = 0; y < kHeight && sent; ++y) {
            sent = sendToEncoder(*writer.encoder, pixels + y * frame->pitch, row);
        }
    }
    return sent;
}

bool finishVideo(VideoWriter& writer, FILE* err) {
    EncoderProcess* encoder = writer.encoder;
    writer.encoder = nullptr;
    return finishEncoder(encoder, err);
}

void abandonVideo(VideoWriter& writer) {
    abandonEncoder(writer.encoder);
    writer.encoder = nullptr;
}
