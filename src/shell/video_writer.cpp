#include "shell/video_writer.h"

#include "shell/encoder_process.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

std::string videoFilter(int scale) {
    const std::string n = std::to_string(scale);
    // Nearest neighbour keeps the pixels sharp; the conversion to BT.709
    // limited range matches the colour tags below, which players trust.
    return "scale=iw*" + n + ":ih*" + n +
           ":flags=neighbor:out_color_matrix=bt709:out_range=tv,format=yuv420p";
}

} // namespace

std::vector<std::string> encoderArguments(const VideoSettings& s, const std::string& soundName,
                                          const std::string& outputName) {
    std::vector<std::string> a = {"ffmpeg",      "-hide_banner",
                                  "-nostats",    "-loglevel",
                                  "error",       "-y",
                                  "-f",          "rawvideo",
                                  "-pix_fmt",    "bgr0",
                                  "-video_size", "640x480",
                                  "-framerate",  std::to_string(s.fps),
                                  "-i",          "pipe:0"};
    const bool sound = !soundName.empty();
    if (sound) {
        a.insert(a.end(), {"-f", "s16le", "-ar", std::to_string(s.soundRate), "-ac", "2", "-i",
                           soundName, "-map", "0:v", "-map", "1:a"});
    }
    a.insert(a.end(), {"-vf", videoFilter(s.scale), "-c:v", "libx264", "-preset", "medium", "-crf",
                       "16", "-color_primaries", "bt709", "-color_trc", "bt709", "-colorspace",
                       "bt709", "-color_range", "tv"});
    if (sound) {
        // The sound is as long as the video; -shortest makes sure that the
        // last frame ends it.
        a.insert(a.end(), {"-c:a", "aac", "-b:a", "192k", "-shortest"});
    }
    a.insert(a.end(), {"-movflags", "+faststart", "-f", "mp4", outputName});
    return a;
}

bool openVideo(VideoWriter& writer, const VideoSettings& settings, FILE* err) {
    writer.encoder = startEncoder(
        settings.path,
        [&](const std::string& outputName, const std::string& inputName) {
            return encoderArguments(settings, inputName, outputName);
        },
        settings.sound, err);
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
