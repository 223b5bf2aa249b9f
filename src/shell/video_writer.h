// Encodes the rendered frames to an H.264 video with the sound as AAC by
// feeding raw frames to the ffmpeg program on a pipe; the sound comes ready
// made, as raw samples in a file (shell/encoder_process.h: the video gets
// its name only once ffmpeg has finished it).
#pragma once

#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct EncoderProcess;
struct EncoderInput;

struct VideoSettings {
    std::string path; // the finished video
    int64_t fps = 60; // frames per second of the video
    int scale = 1;    // nearest-neighbour enlargement, 1 ... 4
    // The whole video's sound as raw 16-bit stereo samples at soundRate
    // (video_sound.h), read from its start; null = no sound. openVideo
    // hands it to ffmpeg, which drops it when it is done.
    EncoderInput* sound = nullptr;
    long soundRate = 0;
};

struct VideoWriter {
    EncoderProcess* encoder = nullptr; // ffmpeg, while it runs
};

// The ffmpeg command line that turns raw 640 x 480 bgr0 frames on standard
// input, and the sound in the file soundName (none when empty), into the
// video at outputName.
std::vector<std::string> encoderArguments(const VideoSettings& settings,
                                          const std::string& soundName,
                                          const std::string& outputName);

// Starts ffmpeg. On failure prints the reason to err and returns false.
bool openVideo(VideoWriter& writer, const VideoSettings& settings, FILE* err);

// True for the 640 x 480 0x00RRGGBB frames the encoder is told to expect.
bool frameFitsVideo(const SDL_Surface* frame);

// Sends one frame that fits. False, with errno set, when ffmpeg no longer
// takes frames, or when a quit signal came while it was not taking them.
bool writeVideoFrame(VideoWriter& writer, const SDL_Surface* frame);

// Lets ffmpeg finish and gives the video its final name. False (after a
// message, and with nothing left behind) when ffmpeg failed.
bool finishVideo(VideoWriter& writer, FILE* err);

// Stops ffmpeg and removes what it wrote so far.
void abandonVideo(VideoWriter& writer);
